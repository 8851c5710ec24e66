#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program's caller, as built (its speech module in lib/games/pontix beside the bin folder),
# under Xvfb, the caller left on in Hungarian in the user's settings file:
# 1. no speech-dispatcher to reach, and none may be started (SPEECHD_CMD names a missing program):
#    one line on standard error says why, entries go on, SIGTERM ends the program with status 0,
#    and the file keeps the caller's key;
# 2. a speech-dispatcher with the espeak-ng voices started here, its sound written to a WAV file
#    through ALSA's file plugin: turns of 0 are entered until the server has taken the call
#    "nincs pont" (calls made while the voices load are left out), and the sound is written.
#
# usage: caller.sh PONTIX_BINARY
# Exit 77 (skipped) only when a tool is missing or no X server starts; a failure when CI is set.
set -u

binary=$1

source "$(dirname "$0")/xserver.sh"
need_tools Xvfb xdotool speech-dispatcher
[[ -x /usr/lib/speech-dispatcher-modules/sd_espeak-ng ]] || skip "speech-dispatcher-espeak-ng is not installed"
start_display 1366 768

# The server is ended with SIGKILL: no signal mask it may have inherited can hold that up.
server=
stop_server() {
    [[ -n "$server" ]] || return 0
    kill -KILL "$server" 2>/dev/null
    wait "$server" 2>/dev/null
    server=
}
trap 'stop_server; cleanup' EXIT

mkdir -p "$work/home/.config/Pontix" "$work/run" "$work/speech/config" "$work/speech/log"
chmod 700 "$work/run"
export HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_DIRS=$work/no-such-folder QT_QPA_PLATFORM=xcb
export SPEECHD_CMD=$work/no-such-speech-dispatcher SPEECHD_ADDRESS=unix_socket:$work/speech/speechd.sock
unset XDG_CONFIG_HOME
ini=$HOME/.config/Pontix/Pontix.ini
[[ ! -e "$(dirname "$binary")/Pontix.ini" ]] || skip "a Pontix.ini beside $binary would be used instead"

app=
start_pontix() {
    "$binary" >"$work/out.log" 2>"$work/err.log" &
    app=$!
    main_window "$app" "$work/err.log"
    wait_for "the splash did not go" splash_gone "$app"
    give_keyboard "$window"
}
score() {
    xdotool type --delay 40 "$1"
    xdotool key Return
}
end_pontix() {
    kill -TERM "$app"
    ended "$app" SIGTERM "$work/err.log"
}
said() { grep 'Pontix:' "$work/err.log"; }
said_something() { [[ -n "$(said)" ]]; }

# 1. Nothing answers at the address.
printf '[Def]\nIndul=501\nKellKiszallo=1\nBemondo=hu\n' >"$ini"
start_pontix
# What it says is checked below, once the program has ended.
wait_until said_something
score 60
score 45
score 100
kill -0 "$app" 2>/dev/null || fail "pontix ended: $(cat "$work/err.log")"
end_pontix
expected='Pontix: the caller is silent: speech-dispatcher cannot be reached (Connection to speech-dispatcher failed)'
[[ "$(said)" == "$expected" ]] || fail "standard error said: $(cat "$work/err.log")"
[[ "$(cat "$ini")" == $'[Def]\nIndul=501\nKellKiszallo=1\nBemondo=hu' ]] || fail "settings file: $(cat "$ini")"

# 2. A speech-dispatcher of this run's own.
cat >"$work/speech/config/speechd.conf" <<EOF
LogLevel 5
LogDir "$work/speech/log"
AudioOutputMethod "alsa"
AudioALSADevice "pontix_calls"
AddModule "espeak-ng" "sd_espeak-ng" "/etc/speech-dispatcher/modules/espeak-ng.conf"
DefaultModule espeak-ng
EOF
printf 'pcm.pontix_calls {\n    type file\n    slave.pcm "null"\n    file "%s"\n    format "wav"\n}\n' \
    "$work/speech/calls.wav" >"$HOME/.asoundrc"
speech-dispatcher --run-single --timeout 60 --config-dir "$work/speech/config" --communication-method unix_socket \
    --socket-path "$work/speech/speechd.sock" --pid-file "$work/speech/speechd.pid" \
    >"$work/speech/server.log" 2>&1 &
server=$!
listening() {
    kill -0 "$server" 2>/dev/null || fail "speech-dispatcher ended: $(cat "$work/speech/server.log")"
    [[ -S "$work/speech/speechd.sock" ]]
}
wait_for "speech-dispatcher did not open its socket" listening

start_pontix
log=$work/speech/log/speech-dispatcher.log
# Calls made while the voices load are left out, and nothing outside the program says when they
# are loaded: a turn of 0 is entered again every second until one reaches the server.
called=
for _ in $(seq 120); do
    score 0
    if grep -qa 'Queueing message |nincs pont|' "$log" 2>/dev/null; then
        called=yes
        break
    fi
    sleep 1
done
[[ -n "$called" ]] || fail "no call reached speech-dispatcher: $(cat "$work/err.log")"
wait_for "the call was not played" test -s "$work/speech/calls.wav"
end_pontix
[[ -z "$(said)" ]] || fail "standard error said: $(cat "$work/err.log")"
echo "e2e caller: passed ($(stat -c %s "$work/speech/calls.wav") bytes of calls)"
