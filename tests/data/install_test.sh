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
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/install-deps.sh --tests installs it)"; exit 77; }
done
prefix=$(mktemp -d)
trap 'rm -rf "$prefix" "$prefix.log"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log"; echo "FAIL: cmake --install"; exit 1; }

id=io.github.fendral.fendral
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
icons=$prefix/share/icons/hicolor
[ -x "$prefix/bin/fendral" ] || fail "no executable bin/fendral"

# The first entry of each key in the [Desktop Entry] group, and the text of a metadata tag
entry() { sed -n "/^\[Desktop Entry\]/,/^\[/s/^$1=//p" "$desktop" | head -n1; }
tag() { sed -n "s:.*<$1[^>]*>\(.*\)</$1>.*:\1:p" "$metainfo"; }
report=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$report" ] || fail "desktop-file-validate: $report"
[ "$(entry Icon)" = "$id" ] || fail "Icon=$(entry Icon), not $id"
read -r command _ <<<"$(entry Exec)"
[ -x "$prefix/bin/${command#"$prefix/bin/"}" ] || fail "Exec=$command is not in the prefix's bin/"
[ "$(entry Categories)" = "Game;ArcadeGame;" ] || fail "the categories are not Game;ArcadeGame;"

report=$(appstreamcli validate --no-net --pedantic --no-color "$metainfo" 2>&1) \
    && ! grep -q '^[EWIP]:' <<<"$report" || fail "appstreamcli validate: $report"
# The tree as a whole: the metadata together with the desktop entry it launches
report=$(appstreamcli validate-tree --no-net --pedantic --no-color "$prefix" 2>&1) \
    || fail "appstreamcli validate-tree: $report"
[ "$(tag id)" = "$id" ] || fail "metainfo id $(tag id), not $id"
[ "$(tag launchable)" = "$id.desktop" ] || fail "launchable $(tag launchable) is not the desktop entry"
[ -x "$prefix/bin/$(tag binary)" ] || fail "provided binary $(tag binary) is not installed"
# The screenshot in the metadata is the committed one, at the size it states
shot=$source/data/screenshots/$(basename "$(tag image)")
size=$(sed -n 's:.*<image[^>]*width="\([0-9]*\)" height="\([0-9]*\)".*:\1x\2:p' "$metainfo")
[ "$(identify -format '%wx%h' "$shot" 2>&1)" = "$size" ] || fail "$shot is not the committed screenshot of $size"

for size in 32 64 128 256; do
    actual=$(identify -format '%m %wx%h' "$icons/${size}x$size/apps/$id.png" 2>&1)
    [ "$actual" = "PNG ${size}x$size" ] || fail "the ${size}x$size icon is $actual"
done
[ "$(rsvg-convert --width 16 "$icons/scalable/apps/$id.svg" | identify -format '%wx%h' -)" = 16x16 ] \
    || fail "no square scalable icon scalable/apps/$id.svg"
"$source/scripts/make-icons.sh" --check || fail "the committed PNG icons are stale"

# Uninstalling as the README says leaves nothing behind
manifest=$build/install_manifest.txt
unlisted=$(comm -13 <(sort "$manifest") <(find "$prefix" -type f | sort))
[ -z "$unlisted" ] || fail "installed but not in the manifest: $unlisted"
xargs rm <"$manifest"
[ -z "$(find "$prefix" -type f)" ] || fail "left after uninstalling: $(find "$prefix" -type f)"

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
