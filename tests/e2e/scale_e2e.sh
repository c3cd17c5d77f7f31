#!/usr/bin/env bash
# The game at other scales under its own Xvfb display, bare or under a window manager (openbox):
#   small  a 1280 x 720 screen is too small for the described window: cells of 7 pixels, the whole
#          window with its status panel on screen, every cell a uniform block, clicks land;
#   full   on a 2560 x 1440 screen F11 goes full screen at cells of 15 pixels, centred on black,
#          and back, in a running and in a paused game; clicks land; the choice is remembered.
#   scale_e2e.sh <path of the built fendral> small|full [openbox]
# Shots of the field are kept in $FENDRAL_E2E_SHOTS when it names a folder.
mode=${2:?usage: scale_e2e.sh <fendral> small|full [openbox]}
here=$(dirname "$0")
source "$here/lib.sh"
screen=2560x1440
[ "$mode" = small ] && screen=1280x720
E2E_SCREEN=${screen}x24 e2e_setup /usr/bin/convert xwininfo xprop import compare python3
[ "${3:-}" = openbox ] && e2e_start_window_manager

# wait_size WIDTH HEIGHT: waits for that client size and its first picture; x0, y0 become its place
# on the screen
wait_size() {
    for _ in $(seq 100); do
        read -r x0 y0 width height < <(xwininfo -id "$window" \
            | awk -F: '/Absolute upper-left [XY]|Width|Height/ { printf "%d ", $2 } END { print "" }')
        [ "$width x $height" = "$1 x $2" ] && sleep 0.5 && return 0
        sleep 0.1
    done
    fail "the window is $width x $height, not $1 x $2"
}
shot() { import -window root "$work/$1.png"; }
# crop NAME X Y WIDTH HEIGHT [EXTENSION]: a part of a shot as NAME-part.png (or another format)
crop() { /usr/bin/convert "$work/$1.png" -crop "$4x$5+$2+$3" +repage "$work/$1-part.${6:-png}"; }
same() { compare -metric AE "$work/$1" "$work/$2" null: 2>/dev/null; }
moving() { shot a && sleep 0.4 && shot b && ! same a.png b.png; }
# click_design X Y: a click on (X, Y) of the described client area at cells of n pixels
click_design() { xdotool mousemove $((x0 + $1 * n / 8)) $((y0 + $2 * n / 8)) click 1 sleep 0.3; }

# check_cells NAME: in a running game every cell is a uniform block but those under the sprites
check_cells() {
    shot "$1"
    [ -d "${FENDRAL_E2E_SHOTS:-}" ] && cp "$work/$1.png" "$FENDRAL_E2E_SHOTS/scale-$1.png"
    crop "$1" "$x0" "$y0" $((128 * n)) $((81 * n)) ppm
    read -r _ _ _ uneven _ < <(python3 "$here/cell_blocks.py" "$work/$1-part.ppm" \
        "$(python3 -c "print($n / 8)")") || fail "the field of $1 could not be checked"
    [ "$uneven" -le 40 ] || fail "$uneven cells are not uniform blocks of $n pixels"
}

# clicks_land: in a paused game, a click on the message panel continues, "Menu" asks (answered
# No) and the purchase box buys lives
clicks_land() {
    xdotool key space sleep 0.3
    click_design 512 360
    moving || fail "a click on the message panel did not continue the game at n = $n"
    xdotool key space sleep 0.3
    click_design 814 698
    e2e_wait_visible '^Fendral$' 2 || fail "a click on Menu asked no question at n = $n"
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Fendral$' \
        | grep -vx "$window" | head -n1)" key Escape
    e2e_wait_visible '^Fendral$' 1 || fail "the question stayed open"
    xdotool windowfocus --sync "$window"
    shot before
    click_design 914 698
    shot after
    crop before $((x0 + 900 * n / 8)) $((y0 + 684 * n / 8)) $((3 * n)) $((3 * n))
    crop after $((x0 + 900 * n / 8)) $((y0 + 684 * n / 8)) $((3 * n)) $((3 * n))
    same before-part.png after-part.png && fail "a click on the purchase box bought nothing"
}

e2e_start_fendral "$program"
if [ "$mode" = small ]; then
    n=7
    wait_size 896 631
    [ $((y0 + 631)) -le 720 ] && [ $((x0 + 896)) -le 1280 ] || fail "the window is off screen"
    e2e_start_game
    xdotool key Up sleep 0.5
    check_cells small
    # The status panel: light, with text on it
    crop small "$x0" $((y0 + 81 * n)) 896 64
    /usr/bin/convert "$work/small-part.png" -colorspace Gray \
        -format '%[fx:mean > 0.6 && standard_deviation > 0.05]' info: | grep -qx 1 \
        || fail "no status panel under the field"
    clicks_land
    echo "PASS"
    exit 0
fi

wait_size 1024 721
e2e_start_game
xdotool key Up sleep 0.3 key F11
wait_size 2560 1440
n=15 x0=320 y0=44
moving || fail "the game stopped when it went full screen"
grep -qx 'FullScreen=1' "$work/Fendral.ini" || fail "full screen was not remembered"
check_cells full
for margin in "0 0 320 1440" "2240 0 320 1440" "0 0 2560 44" "0 1396 2560 44"; do
    crop full $margin
    [ "$(/usr/bin/convert "$work/full-part.png" -format '%[fx:maxima]' info:)" = 0 ] \
        || fail "the margin $margin around the game is not black"
done
clicks_land
shot paused1
xdotool key F11 && wait_size 1024 721 && xdotool key F11 && wait_size 2560 1440
shot paused2
same paused1.png paused2.png || fail "full screen there and back changed the paused game"
xdotool key F11 && wait_size 1024 721
grep -qx 'FullScreen=0' "$work/Fendral.ini" || fail "the window was not remembered"
xdotool key space key F11 && wait_size 2560 1440
moving || fail "the game stopped going full screen from a running game in the window"
e2e_stop
e2e_start_fendral "$program"
wait_size 2560 1440
echo "PASS"
