#!/usr/bin/env bash
# Starts a copy of fendral under its own Xvfb display, checks the window, starts a game, steers
# Alpha, pauses, returns to the menu, leaves it with Esc and checks the settings file written beside
# the copy.
#   window_e2e.sh <path of the built fendral>
# Screenshots are kept in $FENDRAL_E2E_SHOTS when it names a folder.
set -u

program=${1:?usage: window_e2e.sh <fendral>}
source "$(dirname "$0")/lib.sh"
e2e_setup xwininfo

e2e_start_fendral "$program"

info=$(xwininfo -id "$window")
width=$(sed -n 's/^ *Width: *//p' <<<"$info")
height=$(sed -n 's/^ *Height: *//p' <<<"$info")
[ "$width" = 1024 ] && [ "$height" = 721 ] || fail "window is ${width} x ${height}, not 1024 x 721"

shots=${FENDRAL_E2E_SHOTS:-}
if [ -n "$shots" ] && command -v import >/dev/null; then
    sleep 0.5
    import -window "$window" "$shots/fendral-menu.png" || echo "screenshot failed"
fi

# Pixel checks need ImageMagick; without it the game is still started, steered and paused
pixels=
[ -x /usr/bin/convert ] && command -v import >/dev/null && pixels=yes

# Enter in the menu opens the setup dialog; Enter there starts with Alpha alone in team W
e2e_start_game

# Alpha leaves the bottom row upwards; without pixel checks the key is only pressed
if [ -n "$pixels" ]; then
    e2e_steer_alpha_up key Up || fail "Alpha did not leave the bottom row after pressing Up"
else
    xdotool key Up
    sleep 0.7
    xdotool key space # pause
    sleep 0.2
fi
[ -n "$shots" ] && [ -n "$pixels" ] && cp "$work/steered.png" "$shots/fendral-steered.png"

if [ -n "$pixels" ]; then
    # While paused nothing moves; running again, the enemies do
    sleep 0.3
    e2e_shot paused
    compare -metric AE "$work/steered.png" "$work/paused.png" null: 2>/dev/null \
        || fail "the screen changed while the game was paused"
    xdotool key space
    sleep 0.3
    e2e_shot running
    compare -metric AE "$work/paused.png" "$work/running.png" null: 2>/dev/null \
        && fail "nothing moved after the game was continued"
fi

# Esc during a game asks "Return to Menu?"; Yes leads back to the menu
xdotool key Escape
e2e_wait_visible '^Fendral$' 2 || fail "Esc during a game asked no question"
xdotool key Return
e2e_wait_visible '^Fendral$' 1 || fail "the question stayed open"
xdotool windowfocus --sync "$window"

# Esc in the menu ends the program, which writes its settings
xdotool key Escape
e2e_wait_exit

ini="$work/Fendral.ini"
[ -f "$ini" ] || fail "no Fendral.ini beside the program"
grep -qx '\[Fendral\]' "$ini" || fail "no section [Fendral] in: $(cat "$ini")"
expected="Pause=32
Controls00=38
Controls01=40
Controls02=37
Controls03=39
Controls10=104
Controls11=101
Controls12=100
Controls13=102
Controls20=82
Controls21=70
Controls22=68
Controls23=71
Controls30=87
Controls31=83
Controls32=65
Controls33=68
Colour0=0
Colour1=1
Colour2=2
Colour3=3
Gamepad0=1
Gamepad1=2
Gamepad2=3
Gamepad3=4
Sound=1
SoundVolume=70"
while read -r line; do
    grep -qx "$line" "$ini" || fail "$line missing from: $(cat "$ini")"
done <<<"$expected"
keys=$(grep -c '=' "$ini")
[ "$keys" = 27 ] || fail "$keys keys instead of 27 in: $(cat "$ini")"
echo "PASS"
