# Shared steps of the end-to-end scripts: a private Xvfb, a work folder, the program's window, the
# setup dialog, steering and screenshots. Source it, then call e2e_setup with the tools needed.
# The script's first argument is the program.
set -u
program=${1:?usage: $(basename "$0") <path of the built fendral> ...}

work=
xvfb_pid=
app_pid=
wm_pid=

fail() {
    echo "FAIL: $*"
    exit 1
}

e2e_cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    [ -n "$work" ] && rm -rf "$work"
}

# e2e_setup TOOL...: skips (exit 77) without a tool, makes $work and starts Xvfb on a free display
# (screen size from $E2E_SCREEN, default 1280x1024x24), exporting DISPLAY.
e2e_setup() {
    local tool
    for tool in Xvfb xdotool "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
    done
    work=$(mktemp -d)
    trap e2e_cleanup EXIT
    # Xvfb picks a free display number itself and writes it to the descriptor
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1280x1024x24}" -nolisten tcp -noreset \
        3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(head -n1 "$work/display")"
}

# e2e_start_window_manager: runs openbox on the display (skips, exit 77, without it) and waits
# until it manages the screen.
e2e_start_window_manager() {
    command -v openbox >/dev/null || { echo "SKIP: openbox is not installed"; exit 77; }
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    fail "openbox did not start: $(cat "$work/openbox.log")"
}

# e2e_window TITLE-REGEX: the id of the first visible window with that title, waiting up to 30 s.
e2e_window() { timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -n1; }

# e2e_wait_visible TITLE-REGEX COUNT: waits up to 10 s until COUNT visible windows have such a title.
e2e_wait_visible() {
    for _ in $(seq 100); do
        [ "$(xdotool search --onlyvisible --name "$1" | wc -l)" = "$2" ] && return 0
        sleep 0.1
    done
    return 1
}

# e2e_wait_exit: waits up to 20 s for $app_pid to end and fails unless it ended with status 0.
e2e_wait_exit() {
    for _ in $(seq 200); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "the program did not end"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=
    [ "$status" = 0 ] || fail "exit code $status; output: $(cat "$work/fendral.log")"
}

# e2e_run FOLDER COMMAND...: runs the program by that command in that folder, its output in
# $work/fendral.log; $window is its main window, focused.
e2e_run() {
    (cd "$1" && shift && exec "$@") >"$work/fendral.log" 2>&1 &
    app_pid=$!
    window=$(e2e_window '^Fendral$')
    [ -n "$window" ] || fail "no window titled Fendral; program output: $(cat "$work/fendral.log")"
    xdotool windowfocus --sync "$window"
}

# e2e_start_fendral PROGRAM [VARIABLE=VALUE...]: runs a copy of the program in $work, which also
# holds the Fendral.ini it reads, with those variables set.
e2e_start_fendral() {
    cp "$1" "$work/fendral"
    shift
    e2e_run "$work" env QT_QPA_PLATFORM=xcb "$@" ./fendral
}

# e2e_stop: ends the running copy without asking it.
e2e_stop() {
    kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
    app_pid=
}

# e2e_open_setup: Enter in the menu opens the setup dialog, $dialog, focused: without a window
# manager it may not have the focus yet when it shows. Any caption that begins like the dialog's.
e2e_open_setup() {
    xdotool key Return
    dialog=$(e2e_window '^Fendral - Starting')
    [ -n "$dialog" ] || fail "Enter in the menu did not open the setup dialog"
    xdotool windowfocus --sync "$dialog"
}

# e2e_start_game [opened]: Enter in the setup dialog (opened first unless it is) starts the game.
e2e_start_game() {
    [ "${1:-}" = opened ] || e2e_open_setup
    xdotool key Return
    e2e_wait_visible '^Fendral - Starting' 0 || fail "Start did not close the setup dialog"
    xdotool windowfocus --sync "$window"
    sleep 0.5
}

# e2e_leave_game: Esc during a game asks "Return to Menu?" in a second window; Yes (Enter) leaves.
e2e_leave_game() {
    xdotool key Escape
    e2e_wait_visible '^Fendral$' 2 || fail "Esc during a game asked no question"
    [ -z "${1:-}" ] || "$@"
    xdotool key Return
    e2e_wait_visible '^Fendral$' 1 || fail "the question stayed open"
    xdotool windowfocus --sync "$window"
}

# e2e_expect_settings FILE LINE...: the file's [Fendral] section holds the 35 keys of the game,
# these lines among them
e2e_expect_settings() {
    local file=$1 line keys
    shift
    [ -f "$file" ] || fail "no $file; output: $(cat "$work/fendral.log")"
    for line in "$@"; do
        grep -qx "$line" "$file" || fail "$line lost from $file: $(cat "$file")"
    done
    keys=$(sed -n '/^\[Fendral\]/,/^\[/p' "$file" | grep -c '=')
    [ "$keys" = 35 ] || fail "$keys keys instead of 35 in: $(cat "$file")"
}

# e2e_shot NAME: the main window as $work/NAME.png.
e2e_shot() { import -window "$window" "$work/$1.png"; }

# e2e_steer_alpha_up XDOTOOL-ARGUMENTS...: in a running game the keys make Alpha leave the bottom
# row upwards, seen as pixels of Alpha's colour (0xD0, 0, 0) above the bottom two rows; an enemy
# may catch it, so it gets three tries. Returns with the game paused and its picture in
# $work/steered.png, or returns 1.
e2e_steer_alpha_up() {
    for _ in 1 2 3; do
        xdotool "$@"
        sleep 0.7
        xdotool key space # pause
        sleep 0.2
        e2e_shot steered
        [ "$(/usr/bin/convert "$work/steered.png" -crop 1024x632+0+0 +repage -fill black \
            +opaque '#D00000' -fill white -opaque '#D00000' -format '%[fx:round(mean*w*h)]' info:)" \
            -gt 0 ] && return 0
        xdotool key space # continue after the respawn delay
        sleep 0.6
    done
    return 1
}
