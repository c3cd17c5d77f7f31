#!/usr/bin/env bash
# Takes a screenshot of a level in play: starts the game under its own Xvfb display, starts a
# game for Alpha, captures a region by the bottom border, lays a new trail and grabs the window
# while Alpha is out in the open.
#   screenshot.sh [-p <fendral>] [<output.png>]
# Without -p it installs what is missing and builds the Release program in build/release. The
# picture goes to data/screenshots/fendral.png unless another path is given.
set -euo pipefail
cd "$(dirname "$0")/.."

program=
while getopts p: option; do
    case $option in
    p) program=$(realpath "$OPTARG") ;;
    *)
        echo "usage: screenshot.sh [-p <fendral>] [<output.png>]" >&2
        exit 2
        ;;
    esac
done
shift $((OPTIND - 1))
output=$(realpath -m "${1:-data/screenshots/fendral.png}")

if [ -z "$program" ]; then
    scripts/install-deps.sh --tests
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DFENDRAL_TESTS=OFF >/dev/null
    cmake --build build/release --target fendral
    program=$PWD/build/release/fendral
fi

# The end-to-end tests' private Xvfb, work folder, copy of the program and game start
# shellcheck source=SCRIPTDIR/../tests/e2e/lib.sh
source tests/e2e/lib.sh
e2e_setup import
# The copy in the work folder plays with the default keys and leaves no settings file behind
e2e_start_fendral "$program" "ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}"

# Waits for about n logic steps of 72 ms.
steps() { sleep "$(($1 * 72 / 1000)).$(printf %03d $(($1 * 72 % 1000)))"; }

# Esc asks "Return to Menu?", Enter says yes
returnToMenu() {
    xdotool key Escape
    sleep 0.5
    xdotool key Return
    sleep 0.5
    xdotool windowfocus --sync "$window"
}

# Most frequent colour of a part of the field, as the engine's 0x00BBGGRR number
commonColour() {
    local rgb
    rgb=$(convert "$work/shot.png" -crop "$1" +repage -format %c histogram:info:- \
        | sort -rn | head -n1 | grep -o '#[0-9A-Fa-f]\{6\}')
    echo $((0x${rgb:5:2} << 16 | 0x${rgb:3:2} << 8 | 0x${rgb:1:2}))
}

pixelsOf() {
    local rgb
    rgb=$(printf '#%02X%02X%02X' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)))
    convert "$work/shot.png" -crop 1024x648+0+0 +repage txt:- | grep -ci "$rgb" || true
}

# Sum of the differences of the three channels of two colours
colourDistance() {
    local sum=0 shift difference
    for shift in 0 8 16; do
        difference=$((($1 >> shift & 255) - ($2 >> shift & 255)))
        sum=$((sum + (difference < 0 ? -difference : difference)))
    done
    echo $sum
}

# The shot shows a captured region and a trail when enough cells carry Alpha's tint of the ground
# and Alpha's trail colour, computed from the level's ground and open colours as the game does.
# The level's colours must also set the ground and the trail clearly apart from the open field:
# several palettes show a red trail on dark red, one is white on white.
showsCaptureAndTrail() {
    local alpha=0x0000D0 ground open tint trail
    ground=$(commonColour 1024x16+0+0)
    open=$(commonColour 800x200+112+100)
    tint=$((((ground & 0xF8F8FF) * 7 + (alpha & 0xF8F8FF)) >> 3))
    trail=$((((open & 0xFEFEFF) + (alpha & 0xFEFEFF)) >> 1))
    [ "$(colourDistance "$ground" "$open")" -ge 96 ] && [ "$(colourDistance "$trail" "$open")" -ge 96 ] \
        || return 1
    [ "$(pixelsOf "$tint")" -ge $((20 * 64)) ] && [ "$(pixelsOf "$trail")" -ge $((3 * 64)) ]
}

# Alpha starts in the middle of the bottom row: up into the open, right, and down to the border
# closes a trail that cuts off a region; along the border to the right, up and right again lays
# a new trail. The way down gets ample time, since Alpha stops once the trail closes and must not
# turn right while still in the open. An enemy may catch Alpha or sit in the region, and the level
# may have dull colours, so up to twelve games are tried.
for attempt in $(seq 12); do
    e2e_start_game
    xdotool key Up
    steps 14
    xdotool key Right
    steps 18
    xdotool key Down
    steps 28
    xdotool key Right
    steps 5
    xdotool key Up
    steps 12
    xdotool key Right
    steps 6
    e2e_shot shot
    if showsCaptureAndTrail; then
        mkdir -p "$(dirname "$output")"
        convert "$work/shot.png" -strip "$output"
        echo "$output ($(identify -format '%wx%h' "$output"), game $attempt)"
        exit 0
    fi
    returnToMenu
done
fail "no game showed a captured region and a trail in clear colours"
