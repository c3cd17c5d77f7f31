#!/usr/bin/env bash
# Starts a copy of fendral under its own Xvfb display: its window's size and the captions and icon
# of each of its windows, a game started and steered, the question before the menu, the game kept
# in the per-user data folder, and the settings file the copy writes beside itself when Esc in the
# menu ends it.
#   window_e2e.sh <path of the built fendral>
source "$(dirname "$0")/lib.sh"
e2e_setup /usr/bin/convert xwininfo xprop import

# expect_caption WINDOW CAPTION: exactly that caption in both names a window manager reads for its
# title bar, and the game's own icon at its full 256 pixels
expect_caption() {
    local names
    names=$(xprop -id "$1" _NET_WM_NAME WM_NAME)
    grep -qxF "_NET_WM_NAME(UTF8_STRING) = \"$2\"" <<<"$names" \
        && grep -qx "WM_NAME([A-Z_]*) = \"$2\"" <<<"$names" || fail "$1 is not captioned \"$2\": $names"
    xprop -id "$1" -notype 32c _NET_WM_ICON | grep -q '^_NET_WM_ICON = 256, 256, ' \
        || fail "\"$2\" carries no 256 x 256 icon"
}

e2e_start_fendral "$program" XDG_DATA_HOME="$work/data"
expect_caption "$window" "Fendral"
size=$(xwininfo -id "$window" | sed -n 's/^ *\(Width\|Height\): *//p' | paste -sd x)
[ "$size" = 1024x721 ] || fail "the window is $size, not 1024x721"

# Enter in the menu opens the setup dialog; Enter there starts with Alpha alone in team W
e2e_open_setup
expect_caption "$dialog" "Fendral - Starting"
e2e_start_game opened
e2e_steer_alpha_up key Up || fail "Alpha did not leave the bottom row after pressing Up"

# The question "Return to Menu?" comes in a box of its own, captioned as the window; Yes leaves
question_captioned() {
    expect_caption "$(xdotool search --onlyvisible --name '^Fendral' | grep -vx "$window" | head -n1)" "Fendral"
}
e2e_leave_game question_captioned

# Esc in the menu ends the program, which writes its settings: the defaults, 35 keys
xdotool key Escape
e2e_wait_exit
ls "$work/data/Fendral/replays/"*.fendral-replay >/dev/null 2>&1 \
    || fail "the game left is not kept among the replays"
e2e_expect_settings "$work/Fendral.ini" Pause=32 Controls00=38 Controls13=102 Controls33=68 Colour3=3 \
    Gamepad3=4 Sound=1 SoundVolume=70 Team0=0 Team3=-1
echo "PASS"
