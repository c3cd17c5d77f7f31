# Shared steps of the end-to-end scripts: a private Xvfb, a work folder, failing and cleaning up.
# Source it, then call e2e_setup with the tools the script needs.

work=
xvfb_pid=
app_pid=

fail() {
    echo "FAIL: $*"
    exit 1
}

e2e_cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    [ -n "$work" ] && rm -rf "$work"
}

# e2e_setup TOOL...: skips (exit 77) without a tool, makes $work and starts Xvfb on a free display
# (screen size from $E2E_SCREEN, default 1280x1024x24), exporting DISPLAY.
e2e_setup() {
    local tool
    for tool in Xvfb xdotool "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIP: $tool is not installed"
            exit 77
        fi
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
    echo "display $DISPLAY"
}

# e2e_window TITLE-REGEX: the id of the first visible window with that title, waiting up to 30 s.
e2e_window() {
    timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -n1
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
