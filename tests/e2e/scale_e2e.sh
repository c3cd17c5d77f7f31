#!/usr/bin/env bash
# The game at other scales under its own Xvfb display, bare or under a window manager (openbox):
#   small  a 1280 x 720 screen is too small for the described window: cells of 7 pixels, the whole
#          window with its status panel on screen, every cell a uniform block, clicks land;
#   full   on a 2560 x 1440 screen F11 goes full screen at cells of 15 pixels, centred on black,
#          and back, in a running and in a paused game; clicks land; the choice is remembered.
#   scale_e2e.sh <path of the built fendral> small|full [openbox]
set -u
program=${1:?usage: scale_e2e.sh <fendral> small|full [openbox]}
mode=${2:?usage: scale_e2e.sh <fendral> small|full [openbox]}
here=$(dirname "$0")
source "$here/lib.sh"
[ -x /usr/bin/convert ] || { echo "SKIP: ImageMagick's convert is not installed"; exit 77; }

screen=2560x1440
[ "$mode" = small ] && screen=1280x720
E2E_SCREEN=${screen}x24 e2e_setup xwininfo xprop import compare python3
[ "${3:-}" = openbox ] && e2e_start_window_manager

# The client area of the window on the screen: left, top, width, height
geometry() {
    local info
    info=$(xwininfo -id "$window")
    left=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
    top=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
    width=$(sed -n 's/^ *Width: *//p' <<<"$info")
    height=$(sed -n 's/^ *Height: *//p' <<<"$info")
}

# wait_size WIDTH HEIGHT: waits up to 10 s for the window to have that client size
wait_size() {
    for _ in $(seq 100); do
        geometry
        [ "$width" = "$1" ] && [ "$height" = "$2" ] && return 0
        sleep 0.1
    done
    fail "the window is $width x $height, not $1 x $2"
}

shot() { import -window root "$work/$1.png"; }

# region NAME X Y W H: a part of a screen shot as its own picture, NAME-part.png
region() { /usr/bin/convert "$work/$1.png" -crop "$4x$5+$2+$3" +repage "$work/$1-part.png"; }

# Cells of n pixels with the field's corner at (fieldX, fieldY) on the screen
n=8
fieldX=0
fieldY=0

# check_cells NAME: every cell of the field in the shot is one colour, but for the few the sprites
# (Alpha and the enemies of level 1) cover; the game must be running, the message panel hidden.
# The shot is kept in $FENDRAL_E2E_SHOTS when that names a folder.
check_cells() {
    [ -d "${FENDRAL_E2E_SHOTS:-}" ] && cp "$work/$1.png" "$FENDRAL_E2E_SHOTS/scale-$1.png"
    region "$1" "$fieldX" "$fieldY" $((128 * n)) $((81 * n))
    /usr/bin/convert "$work/$1-part.png" "$work/field.ppm"
    local uneven
    read -r _ _ _ uneven _ < <(python3 "$here/cell_blocks.py" "$work/field.ppm" \
        "$(python3 -c "print($n / 8)")") || fail "the field of $1 could not be checked"
    echo "$1: $uneven cells of $n pixels uneven"
    [ "$uneven" -le 40 ] || fail "$uneven cells of $1 are not uniform blocks of $n pixels"
}

# click_design X Y: clicks the point at (X, Y) of the described 1024 x 721 client area, scaled
click_design() {
    xdotool mousemove $((fieldX + $1 * n / 8)) $((fieldY + $2 * n / 8)) click 1
    sleep 0.3
}

# moving: whether the screen changes within 0.4 s (a running game's enemies glide)
moving() {
    shot still1
    sleep 0.4
    shot still2
    ! compare -metric AE "$work/still1.png" "$work/still2.png" null: 2>/dev/null
}

# The status panel's controls, in the described client area
menuButton="814 698"
purchaseBox="914 698"
messagePanel="512 360"

# clicks_land: with the game paused, a click on the message panel continues it, "Menu" asks
# "Return to Menu?" (answered No) and the purchase box buys lives, changing its count
clicks_land() {
    click_design $messagePanel
    moving || fail "a click on the message panel did not continue the game at n = $n"
    xdotool key space
    sleep 0.3
    click_design $menuButton
    e2e_wait_visible '^Fendral$' 2 || fail "a click on Menu asked no question at n = $n"
    local box
    box=$(xdotool search --onlyvisible --name '^Fendral$' | grep -vx "$window" | head -n1)
    xdotool windowfocus --sync "$box" key Escape
    e2e_wait_visible '^Fendral$' 1 || fail "the question stayed open"
    xdotool windowfocus --sync "$window"
    shot before
    click_design $purchaseBox
    shot after
    local x=$((fieldX + 900 * n / 8)) y=$((fieldY + 684 * n / 8)) size=$((28 * n / 8))
    region before "$x" "$y" "$size" "$size"
    region after "$x" "$y" "$size" "$size"
    ! compare -metric AE "$work/before-part.png" "$work/after-part.png" null: 2>/dev/null \
        || fail "a click on the purchase box bought nothing at n = $n"
}

e2e_start_fendral "$program"
if [ "$mode" = small ]; then
    n=7
    wait_size 896 631
    fieldX=$left
    fieldY=$top
    [ $((top + height)) -le 720 ] && [ $((left + width)) -le 1280 ] \
        || fail "the window at $left, $top reaches beyond the screen"
    e2e_start_game
    xdotool key Up
    sleep 0.5
    shot small
    check_cells small
    # The status panel on screen: light, with text on it
    region small "$fieldX" $((fieldY + 81 * n)) 896 64
    read -r mean deviation < <(/usr/bin/convert "$work/small-part.png" -colorspace Gray \
        -format '%[fx:mean] %[fx:standard_deviation]\n' info:)
    python3 -c "import sys; sys.exit(not ($mean > 0.6 and $deviation > 0.05))" \
        || fail "no status panel under the field (mean $mean, deviation $deviation)"
    xdotool key space
    sleep 0.3
    clicks_land
    echo "PASS"
    exit 0
fi

wait_size 1024 721
e2e_start_game
xdotool key Up
sleep 0.3
# Into full screen and back in a running game: it goes on running
xdotool key F11
wait_size 2560 1440
n=15
fieldX=$(((2560 - 1920) / 2))
fieldY=$(((1440 - 1352) / 2))
moving || fail "the game stopped when it went full screen"
grep -qx 'FullScreen=1' "$work/Fendral.ini" || fail "full screen was not remembered"
shot full
check_cells full
for margin in "0 0 $fieldX 1440" "$((fieldX + 1920)) 0 $fieldX 1440" "0 0 2560 $fieldY" \
    "0 $((fieldY + 1352)) 2560 $fieldY"; do
    region full $margin
    [ "$(/usr/bin/convert "$work/full-part.png" -format '%[fx:maxima]' info:)" = 0 ] \
        || fail "the margin $margin around the game is not black"
done
xdotool key space
sleep 0.3
clicks_land

# Paused, F11 there and back changes nothing
shot paused1
xdotool key F11
wait_size 1024 721
xdotool key F11
wait_size 2560 1440
sleep 0.5
shot paused2
compare -metric AE "$work/paused1.png" "$work/paused2.png" null: 2>/dev/null \
    || fail "full screen there and back changed the paused game"

xdotool key F11
wait_size 1024 721
n=8
fieldX=$left
fieldY=$top
grep -qx 'FullScreen=0' "$work/Fendral.ini" || fail "the window was not remembered"
xdotool key space
moving || fail "the game did not continue in the window"
xdotool key F11
wait_size 2560 1440
moving || fail "the game stopped going full screen a second time"
e2e_stop

# The next start comes up full screen
e2e_start_fendral "$program"
wait_size 2560 1440
echo "PASS"
