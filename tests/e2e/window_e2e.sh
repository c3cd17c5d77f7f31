#!/usr/bin/env bash
# Starts a copy of fendral under its own Xvfb display, checks the window, leaves the menu with Esc
# and checks the settings file written beside the copy.
#   window_e2e.sh <path of the built fendral>
# Screenshots are kept in $FENDRAL_E2E_SHOTS when it names a folder.
set -u

program=${1:?usage: window_e2e.sh <fendral>}
for tool in Xvfb xdotool xwininfo; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# Xvfb picks a free display number itself and writes it to the descriptor
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
echo "display $DISPLAY"

cp "$program" "$work/fendral"
(cd "$work" && QT_QPA_PLATFORM=xcb exec ./fendral) >"$work/fendral.log" 2>&1 &
app_pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Fendral$' | head -n1)
[ -n "$window" ] || fail "no window titled Fendral; program output: $(cat "$work/fendral.log")"

info=$(xwininfo -id "$window")
width=$(sed -n 's/^ *Width: *//p' <<<"$info")
height=$(sed -n 's/^ *Height: *//p' <<<"$info")
[ "$width" = 1024 ] && [ "$height" = 721 ] || fail "window is ${width} x ${height}, not 1024 x 721"

shots=${FENDRAL_E2E_SHOTS:-}
if [ -n "$shots" ] && command -v import >/dev/null; then
    sleep 0.5
    import -window "$window" "$shots/fendral-menu.png" || echo "screenshot failed"
fi

xdotool windowfocus --sync "$window"
xdotool key Escape
for _ in $(seq 200); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "Esc in the menu did not end the program"
wait "$app_pid"
status=$?
app_pid=
[ "$status" = 0 ] || fail "exit code $status; output: $(cat "$work/fendral.log")"

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
Colour3=3"
while read -r line; do
    grep -qx "$line" "$ini" || fail "$line missing from: $(cat "$ini")"
done <<<"$expected"
keys=$(grep -c '=' "$ini")
[ "$keys" = 21 ] || fail "$keys keys instead of 21 in: $(cat "$ini")"
echo "PASS"
