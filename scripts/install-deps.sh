#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Fendral need, when missing.
set -euo pipefail

packages=(build-essential cmake ninja-build pkgconf qt6-base-dev zlib1g-dev libsdl2-dev libxkbcommon-dev
          libxcb1-dev xkb-data libgtest-dev libgmock-dev libbenchmark-dev xvfb xdotool x11-utils
          x11-xkb-utils xauth imagemagick python3)
# The checks of the desktop entry and the metadata, and the renderer of the PNG icons
packages+=(desktop-file-utils appstream librsvg2-bin)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
