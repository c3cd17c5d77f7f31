#!/usr/bin/env bash
# Checks under its own Xvfb display that each of fendral's windows shows exactly its caption in
# both names a window manager reads for its title bar (_NET_WM_NAME and WM_NAME): the main window
# and a question box "Fendral", the setup dialog "Fendral - Starting".
#   titles_e2e.sh <path of the built fendral>
set -u
program=${1:?usage: titles_e2e.sh <fendral>}
source "$(dirname "$0")/lib.sh"

# expect_caption WINDOW CAPTION WHAT
expect_caption() {
    local names
    names=$(xprop -id "$1" _NET_WM_NAME WM_NAME)
    grep -qxF "_NET_WM_NAME(UTF8_STRING) = \"$2\"" <<<"$names" \
        && grep -qx "WM_NAME([A-Z_]*) = \"$2\"" <<<"$names" \
        || fail "$3 is not captioned \"$2\": $names"
    # The icon the window manager shows: the game's own, at its full 256 pixels
    xprop -id "$1" -notype 32c _NET_WM_ICON | grep -q '^_NET_WM_ICON = 256, 256, ' \
        || fail "$3 carries no 256 x 256 icon"
}

e2e_setup xprop
e2e_start_fendral "$program"
expect_caption "$window" "Fendral" "the main window"

# Any caption that begins like the dialog's, so that a suffix shows as a wrong caption
xdotool key Return
dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Fendral - Starting' | head -n1)
[ -n "$dialog" ] || fail "Enter in the menu did not open the setup dialog"
expect_caption "$dialog" "Fendral - Starting" "the setup dialog"
xdotool windowfocus --sync "$dialog"
xdotool key Return
e2e_wait_visible '^Fendral - Starting' 0 || fail "Start did not close the setup dialog"
xdotool windowfocus --sync "$window"

# Esc during a game asks "Return to Menu?" in a second window
xdotool key Escape
e2e_wait_visible '^Fendral' 2 || fail "Esc during a game asked no question"
box=$(xdotool search --onlyvisible --name '^Fendral' | grep -vx "$window" | head -n1)
expect_caption "$box" "Fendral" "the question box"
xdotool key Return
e2e_wait_visible '^Fendral' 1 || fail "the question stayed open"
echo "PASS"
