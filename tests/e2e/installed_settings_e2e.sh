#!/usr/bin/env bash
# An installed copy, run by a player who may not write beside the program: its settings are read
# from and written to the player's configuration folder, and survive a restart. As root (CI) the
# program runs as the user nobody through setpriv; as anyone else, from a folder made read-only.
#   installed_settings_e2e.sh <path of the built fendral>
set -u
program=${1:?usage: installed_settings_e2e.sh <fendral>}
source "$(dirname "$0")/lib.sh"
e2e_setup
player=()
if [ "$(id -u)" = 0 ]; then
    command -v setpriv >/dev/null || { echo "SKIP: setpriv is not installed"; exit 77; }
    player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
chmod 755 "$work"
mkdir -p "$work/prefix/bin" "$work/home/.config"
cp "$program" "$work/prefix/bin/fendral"
chmod 755 "$work/prefix" "$work/prefix/bin"
[ "$(id -u)" = 0 ] && chown -R nobody:nogroup "$work/home"
[ "$(id -u)" = 0 ] || chmod 555 "$work/prefix/bin"
config="$work/home/.config/Fendral/Fendral.ini"

# Runs the program as the player, waits for its window and leaves it with Esc from the menu
play_and_quit() {
    (cd "$work/home" && HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
        QT_QPA_PLATFORM=xcb exec "${player[@]}" "$work/prefix/bin/fendral") >"$work/fendral.log" 2>&1 &
    app_pid=$!
    window=$(e2e_window '^Fendral$')
    [ -n "$window" ] || fail "no window titled Fendral; output: $(cat "$work/fendral.log")"
    xdotool windowfocus --sync "$window" key Escape
    e2e_wait_exit
}

# A first run writes the defaults into the configuration folder, nothing beside the program
play_and_quit
grep -qx 'Pause=32' "$config" || fail "no defaults in $config; output: $(cat "$work/fendral.log")"
[ -e "$work/prefix/bin/Fendral.ini" ] && fail "a settings file appeared beside the installed program"

# Settings the player chose survive a restart, and so does what other programs keep in the file;
# Alpha's pad 3 is Gamma's by default, so Gamma is left without one
printf '%s\n' '[Fendral]' Pause=80 Controls00=87 Controls01=83 Controls02=65 Controls03=68 Colour0=5 \
    Colour1=4 Colour2=3 Colour3=2 Gamepad0=3 '[Other]' kept=yes >"$config"
[ "$(id -u)" = 0 ] && chown nobody:nogroup "$config"
play_and_quit
for line in Pause=80 Controls00=87 Controls03=68 Controls10=104 Colour0=5 Colour3=2 Gamepad0=3 \
    Gamepad2=0 kept=yes; do
    grep -qx "$line" "$config" || fail "$line lost from: $(cat "$config")"
done
[ "$(sed -n '/^\[Fendral\]/,/^\[/p' "$config" | grep -c '=')" = 25 ] || fail "not 25 keys in: $(cat "$config")"
echo "PASS"
