#!/usr/bin/env bash
# Steers Alpha under keyboard layouts other than the US one, set with setxkbmap for fendral running
# under its own Xvfb display, each key with and without Shift: under the Russian layout W, whose
# key types a Cyrillic letter, and the US layout's "/" key, which types "." and ","; under the
# French layout the digit row, whose unshifted keys type other characters, and the comma key,
# which types "?" with Shift. Keys are sent by keycode, as a keyboard sends them.
#   layouts_e2e.sh <path of the built fendral>
set -u
program=${1:?usage: layouts_e2e.sh <fendral>}
source "$(dirname "$0")/lib.sh"
[ -x /usr/bin/convert ] || { echo "SKIP: ImageMagick's convert is not installed"; exit 77; }

# write_settings UP DOWN LEFT RIGHT: Alpha's keys in the Fendral.ini beside the copy
write_settings() {
    printf '[Fendral]\nPause=32\nControls00=%s\nControls01=%s\nControls02=%s\nControls03=%s\n' \
        "$@" >"$work/Fendral.ini"
}

# expect_up WHAT XDOTOOL-ARGUMENTS...: in a new game the keys steer Alpha up; then back to the menu
expect_up() {
    local what=$1
    shift
    e2e_start_game
    e2e_steer_alpha_up "$@" || fail "$what did not steer Alpha up"
    echo "$what steers Alpha up"
    xdotool key Escape
    e2e_wait_visible '^Fendral$' 2 || fail "Esc during a game asked no question"
    xdotool key Return
    e2e_wait_visible '^Fendral$' 1 || fail "the question stayed open"
    xdotool windowfocus --sync "$window"
}

# expect_up_with_shift WHAT KEYCODE: the key steers Alpha up, and so it does with Shift held
expect_up_with_shift() {
    expect_up "$1" key "$2"
    expect_up "Shift+$1" keydown shift key "$2" keyup shift
}

e2e_setup import setxkbmap
setxkbmap -layout us || fail "setxkbmap cannot set the US layout"

# The layout changes while the game runs
write_settings 87 83 65 68 # W S A D
e2e_start_fendral "$program"
setxkbmap -layout ru || fail "setxkbmap cannot set the Russian layout"
expect_up_with_shift "W (keycode 25, typing a Cyrillic letter) under the Russian layout" 25
e2e_stop

write_settings 191 40 37 39 # Slash and the arrows
e2e_start_fendral "$program"
expect_up_with_shift "Slash (keycode 61, typing . and ,) under the Russian layout" 61
e2e_stop

setxkbmap -layout fr || fail "setxkbmap cannot set the French layout"
write_settings 56 50 52 54 # 8 2 4 6 of the digit row
e2e_start_fendral "$program"
expect_up_with_shift "8 (keycode 17, typing _ and 8) under the French layout" 17
e2e_stop

write_settings 188 40 37 39 # Comma and the arrows
e2e_start_fendral "$program"
expect_up_with_shift "Comma (keycode 58, typing , and ?) under the French layout" 58
e2e_stop
echo "PASS"
