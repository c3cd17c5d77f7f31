#!/usr/bin/env bash
# A game that ends under its own Xvfb display: Alpha runs into its own trail until the game is
# over, Esc leaves it, the summary shows its chart, and the name typed there enters the best
# results in results.json of the per-user data folder. The summary's picture is kept in
# $FENDRAL_E2E_SHOTS when it names a folder.
#   summary_e2e.sh <path of the built fendral>
source "$(dirname "$0")/lib.sh"
e2e_setup /usr/bin/convert import

# steer KEY:SECONDS...: each key, then a wait while Alpha moves on
steer() {
    local key
    for key in "$@"; do
        xdotool key "${key%:*}"
        sleep "${key#*:}"
    done
}

e2e_start_fendral "$program" XDG_DATA_HOME="$work/data"
e2e_start_game
# Up into the open, aside and back down to the border: a capture, a bar on the chart
steer Up:0.5 Left:0.3 Down:0.8
summary=
for _ in $(seq 12); do
    # Up into the open, left, down and right: the fourth leg meets the trail of the first, then
    # the respawn delay
    steer Up:0.5 Left:0.15 Down:0.15 Right:0.4 Escape:0.5
    # Esc after a game over leaves at once; during the game it asks, and No goes on paused
    summary=$(xdotool search --onlyvisible --name '^Fendral - Game Summary$' | head -n1)
    [ -n "$summary" ] && break
    e2e_wait_visible '^Fendral$' 2 || fail "Esc during a game asked no question"
    xdotool key Escape
    e2e_wait_visible '^Fendral$' 1 || fail "the question stayed open"
    xdotool windowfocus --sync "$window" key space
done
[ -n "$summary" ] || fail "no game summary after the game was lost"
xdotool windowfocus --sync "$summary"
sleep 0.3
import -window "$summary" "$work/summary.png"
[ -d "${FENDRAL_E2E_SHOTS:-}" ] && cp "$work/summary.png" "$FENDRAL_E2E_SHOTS/"
# The chart draws team W's bars in Alpha's colour
[ "$(/usr/bin/convert "$work/summary.png" -fill black +opaque '#D00000' -fill white \
    -opaque '#D00000' -format '%[fx:round(mean*w*h)]' info:)" -gt 20 ] \
    || fail "the summary shows no bar in Alpha's colour"

# The name field holds the focus with its prefill selected: typing replaces it
xdotool type --delay 30 'Ada Tester'
xdotool key Return
e2e_wait_visible '^Fendral - Game Summary$' 0 || fail "Enter did not close the summary"
xdotool windowfocus --sync "$window" key Escape
e2e_wait_exit
results="$work/data/Fendral/results.json"
grep -q '"name": "Ada Tester"' "$results" || fail "the name is not in: $(cat "$results" 2>&1)"
grep -q '"lastName": "Ada Tester"' "$results" || fail "the name given is not remembered: $(cat "$results")"
grep -q '"level": 1,' "$results" || fail "the level reached is not 1 in: $(cat "$results")"
echo "PASS"
