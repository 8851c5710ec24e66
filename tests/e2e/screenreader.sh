#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# A match followed by ear: the real pontix under Xvfb on the accessibility bus of a private
# session, Orca reading it with its speech written to its debug log, entries typed with xdotool.
# Checks what Orca says after each entry, undo and new game, what it says in a grid reached by
# Tab, and what an AT-SPI client finds: the route with its darts, the grids' headers and rows,
# the spectator display's texts.
#
# usage: screenreader.sh PONTIX_BINARY
# Orca's log and what was read over AT-SPI stay in $E2E_LOG_DIR when it is set.
# Exit 77 (skipped) only when a tool is missing or no X server starts; a failure when CI is set.
set -u

here=$(cd "$(dirname "$0")" && pwd)
binary=$1

# Everything runs on a session bus of its own, which ends with the run.
source "$here/atspi.sh"
on_own_session_bus "$0" "$@"
source "$here/xserver.sh"
need_tools Xvfb xdotool openbox wmctrl orca "$python" "$bus_launcher"
start_display 1366 768
start_window_manager

start_accessibility_bus

# Orca speaks into its log alone: no speech server is started.
logs=${E2E_LOG_DIR:-$work}
mkdir -p "$logs"
log=$logs/orca.log
tree=$logs/atspi.txt
rm -f "$log" "$tree"
mkdir "$work/orca"
# Orca speaks English, as its log is read here, whatever language Pontix is pinned to.
LANGUAGE=en SPEECHD_CMD=/bin/false SPEECHD_ADDRESS=unix_socket:$work/no-speech.sock \
    "$python" "$here/orca_logged.py" "$work/orca" "$log" >"$work/orca.out" 2>&1 &
orca_pid=$!
pids+=($orca_pid)

# Waits for Orca to say the text (the whole utterance, or a part of one with
# "part"), said after the mark.
mark=0
mark() { mark=$(wc -l <"$log"); }
said() {
    local text=$1 how=${2:-whole}
    local pattern="SPEECH OUTPUT: '$text'"
    [[ $how == part ]] && pattern="SPEECH OUTPUT: '.*$text"
    spoken() { tail -n +"$((mark + 1))" "$log" | grep -q -- "$pattern"; }
    wait_until spoken && return 0
    echo "--- Orca said after the mark:"
    tail -n +"$((mark + 1))" "$log" | grep "SPEECH OUTPUT" | cut -c 18-
    fail "Orca did not say: $text"
}

orca_on() {
    kill -0 "$orca_pid" 2>/dev/null || fail "Orca ended: $(cat "$work/orca.out")"
    grep -q "SPEECH OUTPUT: 'Screen reader on.'" "$log" 2>/dev/null
}
wait_until orca_on || fail "Orca did not start: $(cat "$work/orca.out")"

# A start score of 101, so that a game reaches a finish in a few turns.
mkdir "$work/bin"
cp "$binary" "$work/bin/pontix"
printf '[Def]\nIndul=101\n' >"$work/bin/Pontix.ini"
mark
XDG_CONFIG_DIRS="$work/no-such-folder" QT_QPA_PLATFORM=xcb "$work/bin/pontix" >"$work/pontix.log" 2>&1 &
app=$!
pids+=($app)

main_window "$app" "$work/pontix.log"
give_keyboard "$window"
# The entry box has the focus: Orca reads it with where the match stands.
said "Következik: Játékos 1., kell még 101. Kiszálló: Bull T17."

keys() { mark; xdotool key --delay 50 "$@"; }
score() { mark; xdotool type --delay 50 "$1"; xdotool key Return; }

score 60
said "Játékos 1.: 60, kell még 41. Következik: Játékos 2., kell még 101. Kiszálló: Bull T17."
score 45
said "Játékos 2.: 45, kell még 56. Következik: Játékos 1., kell még 41. Kiszálló: T13 2."
score 181
said "Elutasítva: 181 nem dobható. Következik: Játékos 1., kell még 41. Kiszálló: T13 2."
score 50
said "Játékos 1.: túldobás, 50 helyett 0, kell még 41. Következik: Játékos 2., kell még 56. Kiszálló: 17 T13."
keys F8
said "Visszavonva: Játékos 1.: 0. Következik: Játékos 1., kell még 41. Kiszálló: T13 2."
score 41
said "Játékos 1.: 41, kell még 0. Kiszállt! Következik: Játékos 2., kell még 56. Kiszálló: 17 T13."

# What a reader finds on the window: the route with its darts, the grids with their headers.
"$python" "$here/atspi_read.py" >"$tree" 2>&1 || fail "reading over AT-SPI failed: $(cat "$tree")"
expect_found() { grep -qxF -- "$1" "$tree" || fail "not found over AT-SPI: $1; found: $(cat "$tree")"; }
expect_found "route: Kiszálló: 17 T13"
expect_found "table 1. játékos dobásai: rows 2, headers Dobás | Kell még"
expect_found "table 1. játékos dobásai row 0: 60 | 41"
expect_found "table 1. játékos dobásai row 1: 41 | 0"
expect_found "table 2. játékos dobásai row 0: 45 | 56"
expect_found "notification: Játékos 1.: 41, kell még 0. Kiszállt! Következik: Játékos 2., kell még 56. Kiszálló: 17 T13."

# Tab reaches the first grid past the OK button and the names; its newest row is read, then a
# cell with its header; Esc goes back to the entry box.
keys Tab Tab Tab Tab
said "1. játékos dobásai." part
said "41."
keys Right
said "Kell még column header 0." part
keys Up
said "41."
keys Escape
said "Dobott pontszám text."

# The spectator display, for the room, read by its texts.
keys F11
display_read() {
    "$python" "$here/atspi_read.py" >"$tree" 2>&1 || fail "reading over AT-SPI failed: $(cat "$tree")"
    grep -qxF "display: Legek: 0 – 0" "$tree"
}
wait_until display_read
expect_found "display: Legek: 0 – 0"
grep -q "^display half Játékos 1\.: Játékos 1\., kezdte a leget | Kell még: 0 | Kiszállt! | Átlag: " "$tree" ||
    fail "player 1's half not read: $(cat "$tree")"
grep -q "^display half Játékos 2\.: Játékos 2\., következik | Kell még: 56 | Kiszálló: 17 T13 | Átlag: 45 " "$tree" ||
    fail "player 2's half not read: $(cat "$tree")"
keys F11

# A new game (F3; Insert is Orca's own key): the legs and who starts.
keys F3
said "Új játék. Legek: Játékos 1. 1, Játékos 2. 0. Kezd: Játékos 2., kell még 101. Kiszálló: Bull T17."

wmctrl -c Pontix
ended "$app" "the close request" "$work/pontix.log"
echo "e2e screen reader: passed"
