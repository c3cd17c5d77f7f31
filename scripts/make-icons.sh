#!/usr/bin/env bash
# Renders the PNG icons from the scalable icon. The PNGs are committed so that a build needs no
# SVG renderer; run this after changing the SVG and commit what it writes.
#   make-icons.sh           writes data/icons/hicolor/<size>x<size>/apps/<id>.png
#   make-icons.sh --check   renders into a temporary folder and fails if a committed PNG differs
set -euo pipefail
cd "$(dirname "$0")/.."

id=io.github.fendral.fendral
sizes=(32 64 128 256)
icons=data/icons/hicolor
svg=$icons/scalable/apps/$id.svg

command -v rsvg-convert >/dev/null || {
    echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2
    exit 1
}

check=
[ "${1:-}" = --check ] && check=yes
out=$icons
if [ -n "$check" ]; then
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
fi

status=0
for size in "${sizes[@]}"; do
    png=$size"x"$size/apps/$id.png
    mkdir -p "$(dirname "$out/$png")"
    # rsvg-convert writes no time stamp, so the same SVG gives the same bytes
    rsvg-convert --width "$size" --height "$size" --output "$out/$png" "$svg"
    if [ -n "$check" ] && ! cmp -s "$out/$png" "$icons/$png"; then
        echo "$icons/$png is not the rendering of $svg: run scripts/make-icons.sh" >&2
        status=1
    fi
done
exit $status
