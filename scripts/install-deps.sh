#!/usr/bin/env bash
# Installs the Debian packages that Fendral needs, when missing.
#   install-deps.sh          what building and playing need
#   install-deps.sh --tests  also what the tests, the benchmarks, the end-to-end tests, the
#                            desktop checks and the Debian package need
set -euo pipefail

# file: CPack's Debian package reads the program's libraries with it
packages=(build-essential cmake ninja-build pkgconf qt6-base-dev zlib1g-dev libsdl2-dev libxkbcommon-dev
          libxcb1-dev xkb-data file)
if [ "${1:-}" = --tests ]; then
    packages+=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xdotool x11-utils x11-xkb-utils
               xauth imagemagick python3 util-linux)
    # The checks of the desktop entry and the metadata, the renderer of the PNG icons, and the
    # checks of the Debian package
    packages+=(desktop-file-utils appstream librsvg2-bin lintian)
    # A real window manager for the end-to-end tests of full screen and of small screens
    packages+=(openbox)
fi

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
