#!/usr/bin/env bash
# Where the real program keeps its settings, and that it always writes them: an installed copy
# (bin beside a share folder with the game's desktop entry) uses the player's configuration folder
# whoever runs it, root or a player who may not write beside it; a copy run from its own folder
# whose Fendral.ini cannot be written reads that file and goes on in the configuration folder;
# SIGTERM, SIGINT and SIGHUP end the program as a close does, settings written, exit status 0.
#   installed_settings_e2e.sh <path of the built fendral>
# As root (CI) the player is the user nobody through setpriv; as anyone else, the player is the
# caller and the unwritable files are made read-only.
source "$(dirname "$0")/lib.sh"
e2e_setup
entry=$(dirname "$0")/../../data/io.github.fendral.fendral.desktop

player=()
if [ "$(id -u)" = 0 ]; then
    command -v setpriv >/dev/null || { echo "SKIP: setpriv is not installed"; exit 77; }
    player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
# owned_by_player PATH...: the player's own files
owned_by_player() { [ "$(id -u)" = 0 ] && chown -R nobody:nogroup "$@"; }

# An installed copy in a folder the player cannot write, and a copy of the program in a folder of
# the player's own
chmod 755 "$work"
mkdir -p "$work/prefix/bin" "$work/prefix/share/applications" "$work/home/.config" \
    "$work/root/.config" "$work/portable"
cp "$program" "$work/prefix/bin/fendral"
cp "$entry" "$work/prefix/share/applications/"
cp "$program" "$work/portable/fendral"
chmod -R a+rX "$work/prefix" "$work/portable"
owned_by_player "$work/home" "$work/portable"
config="$work/home/.config/Fendral/Fendral.ini"

# run_fendral HOME PROGRAM [RUNNER...]: starts the program for a player with that home folder
# and waits for its window, focused
run_fendral() {
    local home=$1 binary=$2
    shift 2
    e2e_run "$home" env HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=xcb "$@" "$binary"
}

# play_and_quit HOME PROGRAM [RUNNER...]: runs the program and leaves it with Esc from the menu
play_and_quit() {
    run_fendral "$@"
    xdotool key Escape
    e2e_wait_exit
}

no_settings_beside() {
    [ -e "$work/prefix/bin/Fendral.ini" ] && fail "a settings file appeared beside the installed program"
    return 0
}

# Run by root, the installed copy still keeps nothing in its bin folder
play_and_quit "$work/root" "$work/prefix/bin/fendral"
e2e_expect_settings "$work/root/.config/Fendral/Fendral.ini" Pause=32
no_settings_beside

# Run by a player, it writes the defaults into the player's configuration folder
play_and_quit "$work/home" "$work/prefix/bin/fendral" "${player[@]}"
e2e_expect_settings "$config" Pause=32
no_settings_beside

# A Fendral.ini beside a copy of the player's own that the player cannot write (left by a run
# with sudo): read, and the settings go on in the configuration folder
rm -f "$config"
printf '[Fendral]\nPause=81\nColour0=3\nColour3=0\n' >"$work/portable/Fendral.ini"
chmod 444 "$work/portable/Fendral.ini"
[ "$(id -u)" = 0 ] && chown root:root "$work/portable/Fendral.ini"
play_and_quit "$work/home" "$work/portable/fendral" "${player[@]}"
e2e_expect_settings "$config" Pause=81 Colour0=3 Colour3=0
[ "$(cat "$work/portable/Fendral.ini")" = "$(printf '[Fendral]\nPause=81\nColour0=3\nColour3=0')" ] \
    || fail "the unwritable file changed"

# A signal ends the program as a close does, in a game, in the setup dialog, during a question;
# the settings it read from the configuration folder are written back there
for ending in TERM:game INT:dialog HUP:question; do
    signal=${ending%%:*}
    printf '[Fendral]\nPause=80\n' >"$config"
    owned_by_player "$config"
    run_fendral "$work/home" "$work/prefix/bin/fendral" "${player[@]}"
    case ${ending#*:} in
    game) e2e_start_game ;;
    dialog)
        xdotool key Return
        [ -n "$(e2e_window '^Fendral - Starting$')" ] || fail "no setup dialog"
        ;;
    question)
        e2e_start_game
        xdotool key Escape
        e2e_wait_visible '^Fendral$' 2 || fail "Esc during a game asked no question"
        ;;
    esac
    kill -s "$signal" "$app_pid"
    e2e_wait_exit
    e2e_expect_settings "$config" Pause=80
    echo "SIG$signal in the ${ending#*:}: settings written, exit status 0"
done
echo "PASS"
