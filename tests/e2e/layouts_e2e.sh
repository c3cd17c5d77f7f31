#!/usr/bin/env bash
# Steers Alpha under keyboard layouts other than the US one, set with setxkbmap for fendral under
# its own Xvfb display, each key with and without Shift, sent by keycode as a keyboard sends it:
# under the Russian layout W, whose key types a Cyrillic letter, and the US layout's "/" key, which
# types "." and ","; under the French layout the digit row's 8, which types "_" unshifted, and the
# comma key, which types "?" with Shift. The first layout changes while the program runs.
#   layouts_e2e.sh <path of the built fendral>
source "$(dirname "$0")/lib.sh"
e2e_setup /usr/bin/convert import setxkbmap
setxkbmap -layout us || fail "setxkbmap cannot set the US layout"

# expect_up LAYOUT KEYCODE UP DOWN LEFT RIGHT: with Alpha's keys (virtual-key codes) in the
# Fendral.ini beside a fresh copy, the key steers Alpha up in a new game, and so with Shift held
expect_up() {
    local layout=$1 keycode=$2
    shift 2
    printf '[Fendral]\nPause=32\nControls00=%s\nControls01=%s\nControls02=%s\nControls03=%s\n' \
        "$@" >"$work/Fendral.ini"
    e2e_start_fendral "$program"
    setxkbmap -layout "$layout" || fail "setxkbmap cannot set the layout $layout"
    for press in "key $keycode" "keydown shift key $keycode keyup shift"; do
        e2e_start_game
        # shellcheck disable=SC2086 # the words are xdotool's arguments
        e2e_steer_alpha_up $press || fail "$press did not steer Alpha up under $layout"
        e2e_leave_game
    done
    e2e_stop
}

expect_up ru 25 87 83 65 68 # W S A D
expect_up ru 61 191 40 37 39 # Slash and the arrows
expect_up fr 17 56 50 52 54 # 8 2 4 6 of the digit row
expect_up fr 58 188 40 37 39 # Comma and the arrows
echo "PASS"
