#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop sees there: the program,
# a valid desktop entry and metadata that name it and its icon, the icons at their sizes, and
# that the install manifest removes every installed file again. Then builds the Debian package
# and has lintian check it: no error.
#   install_test.sh <build folder> <source folder>
set -u

build=${1:?usage: install_test.sh <build folder> <source folder>}
source=${2:?usage: install_test.sh <build folder> <source folder>}
for tool in desktop-file-validate appstreamcli identify rsvg-convert cpack dpkg-shlibdeps lintian; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/install-deps.sh --tests installs it)"
        exit 77
    fi
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || {
    cat "$prefix.log"
    rm -f "$prefix.log"
    echo "FAIL: cmake --install"
    exit 1
}
rm -f "$prefix.log"

id=io.github.fendral.fendral
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
icons=$prefix/share/icons/hicolor

[ -f "$prefix/bin/fendral" ] && [ -x "$prefix/bin/fendral" ] || fail "no executable bin/fendral"

if [ -f "$desktop" ]; then
    report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
    [ -z "$report" ] || fail "desktop-file-validate has remarks: $report"
    # The first entry of each key in the [Desktop Entry] group
    entry() { sed -n "/^\[Desktop Entry\]/,/^\[/s/^$1=//p" "$desktop" | head -n1; }
    [ "$(entry Icon)" = "$id" ] || fail "Icon=$(entry Icon), not $id"
    read -r command _ <<<"$(entry Exec)"
    case "$command" in
    /*) [ -x "$command" ] || fail "Exec=$command is not installed" ;;
    *) [ -x "$prefix/bin/$command" ] || fail "Exec=$command is not in the prefix's bin/" ;;
    esac
    grep -qx 'Categories=Game;ArcadeGame;' "$desktop" || fail "the categories are not Game;ArcadeGame;"
else
    fail "no desktop entry share/applications/$id.desktop"
fi

if [ -f "$metainfo" ]; then
    report=$(appstreamcli validate --no-net --pedantic --no-color "$metainfo" 2>&1) \
        || fail "appstreamcli validate: $report"
    grep -q '^[EWIP]:' <<<"$report" && fail "appstreamcli has remarks: $report"
    # The tree as a whole: the metadata together with the desktop entry it launches
    report=$(appstreamcli validate-tree --no-net --pedantic --no-color "$prefix" 2>&1) \
        || fail "appstreamcli validate-tree: $report"
    tag() { sed -n "s:.*<$1[^>]*>\(.*\)</$1>.*:\1:p" "$metainfo"; }
    [ "$(tag id)" = "$id" ] || fail "metainfo id $(tag id), not $id"
    [ "$(tag launchable)" = "$id.desktop" ] || fail "launchable $(tag launchable) is not the desktop entry"
    [ -x "$prefix/bin/$(tag binary)" ] || fail "provided binary $(tag binary) is not installed"
    # The screenshot in the metadata is the committed one, at the size it states
    image=$(tag image)
    shot=$source/data/screenshots/$(basename "$image")
    if [ -f "$shot" ]; then
        size=$(sed -n 's:.*<image[^>]*width="\([0-9]*\)" height="\([0-9]*\)".*:\1x\2:p' "$metainfo")
        [ "$(identify -format '%wx%h' "$shot")" = "$size" ] \
            || fail "$shot is $(identify -format '%wx%h' "$shot"), the metadata says $size"
    else
        fail "the screenshot $image is not data/screenshots/$(basename "$image")"
    fi
else
    fail "no metadata share/metainfo/$id.metainfo.xml"
fi

for size in 32 64 128 256; do
    png=$icons/${size}x$size/apps/$id.png
    if [ -f "$png" ]; then
        actual=$(identify -format '%m %wx%h' "$png")
        [ "$actual" = "PNG ${size}x$size" ] || fail "$png is $actual"
    else
        fail "no icon ${size}x$size/apps/$id.png"
    fi
done
svg=$icons/scalable/apps/$id.svg
[ -f "$svg" ] && [ "$(rsvg-convert --width 16 "$svg" | identify -format '%wx%h' -)" = 16x16 ] \
    || fail "no square scalable icon scalable/apps/$id.svg"
"$source/scripts/make-icons.sh" --check || fail "the committed PNG icons are stale"

# Uninstalling as the README says leaves nothing behind
manifest=$build/install_manifest.txt
if [ -f "$manifest" ]; then
    unlisted=$(comm -13 <(sort "$manifest") <(find "$prefix" -type f | sort))
    [ -z "$unlisted" ] || fail "installed but not in the manifest: $unlisted"
    xargs rm <"$manifest"
    left=$(find "$prefix" -type f)
    [ -z "$left" ] || fail "left after uninstalling: $left"
else
    fail "cmake --install wrote no install_manifest.txt"
fi

# The Debian package, made in a folder of its own, installs the same files under /usr
package=$(mktemp -d)
if (cd "$build" && cpack -G DEB -B "$package" >"$package/cpack.log" 2>&1); then
    deb=$(ls "$package"/fendral_*.deb)
    contents=$(dpkg-deb -c "$deb")
    grep -q ' \./usr/bin/fendral$' <<<"$contents" || fail "the package has no /usr/bin/fendral"
    report=$(lintian --no-tag-display-limit "$deb" 2>&1 | grep '^E:')
    [ -z "$report" ] && echo "lintian: no error in $(basename "$deb")" || fail "lintian: $report"
else
    fail "cpack: $(cat "$package/cpack.log")"
fi
rm -rf "$package"

[ "$failures" = 0 ] || exit 1
echo "PASS"
