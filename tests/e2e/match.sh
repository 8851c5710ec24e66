#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# A match in sets on the real pontix under Xvfb, played with xdotool as an operator plays it and
# read over AT-SPI as a screen reader finds it: a new match (Ctrl+N, Enter keeps the starter),
# double out with a bust, two sets of first to two legs with the bull-off winner's starters, a new
# game taken back (F9), the winner in the status bar, under the names and on the spectator
# display; the settings file keeps the format.
#
# usage: match.sh PONTIX_BINARY [SCREENSHOT_DIR]
# Exit 77 (skipped) only when a tool is missing or no X server starts; a failure when CI is set.
set -u

here=$(cd "$(dirname "$0")" && pwd)
binary=$1
shots=${2:-}

# Everything runs on a session bus of its own, which ends with the run.
source "$here/atspi.sh"
on_own_session_bus "$0" "$@"
source "$here/xserver.sh"
need_tools Xvfb xdotool openbox wmctrl import "$python" "$bus_launcher"
start_display 1366 768
start_window_manager

start_accessibility_bus
# The registry answers before Pontix starts: a program that meets an accessibility bus whose
# registry is still starting waits for it at its first call.
"$python" -c 'import pyatspi; pyatspi.Registry.getDesktop(0).childCount' >/dev/null 2>&1 ||
    fail "the accessibility registry does not answer"

# Sets of first to two legs, first to two sets, double out, from 40.
mkdir "$work/bin"
cp "$binary" "$work/bin/pontix"
printf '[Def]\nIndul=40\nDuplaKiszallo=1\nLegek=2\nSzettek=2\n' >"$work/bin/Pontix.ini"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_CONFIG_DIRS="$work/no-such-folder" QT_QPA_PLATFORM=xcb \
    "$work/bin/pontix" >"$work/pontix.log" 2>&1 &
app=$!
pids+=($app)

main_window "$app" "$work/pontix.log"
wait_for "the splash did not go" splash_gone "$app"
give_keyboard "$window"

# Each key and entry is handled before the next: the program has settled.
keys() { xdotool key --delay 60 "$@"; settled "$app"; }
score() { xdotool type --delay 60 "$1"; keys Return; }
tree=$work/atspi.txt
read_tree() { "$python" "$here/atspi_read.py" >"$tree" 2>&1 || fail "reading over AT-SPI failed: $(cat "$tree")"; }
# Waits for a line read over AT-SPI.
expect_found() {
    found() { read_tree && grep -qxF -- "$1" "$tree"; }
    wait_until found "$1" || fail "not found over AT-SPI: $1; found: $(cat "$tree")"
}
bull_off_question() { xdotool search --onlyvisible --name '^Új meccs$' 2>/dev/null | head -n 1; }
bull_off_open() { [[ -n "$(bull_off_question)" ]]; }
bull_off_gone() { ! bull_off_open; }
display_open() { xdotool search --onlyvisible --name 'Kijelző' >/dev/null 2>&1; }
sheet_open() { xdotool search --onlyvisible --name '^Eredmény' >/dev/null 2>&1; }

# A new match: the bull-off question, Enter keeps player 1 as the starter.
keys ctrl+n
wait_for "the bull-off question did not open" bull_off_open
give_keyboard "$(bull_off_question)"
[[ -n "$shots" ]] && import -window root "$shots/e2e-bulloff.png"
keys Return
wait_for "the bull-off question did not close" bull_off_gone
give_keyboard "$window"
expect_found "legs: 1. játékos, nyert szett: 0, nyert leg: 0"

# Set 1. Leg 1, player 1 starts: 39 from 40 leaves 1, a bust; then 0, and the double.
score 39
expect_found "notice: Túldobás"
score 0
score 40
keys F3
expect_found "legs: 1. játékos, nyert szett: 0, nyert leg: 1"
# Leg 2, player 2 starts and checks out; leg 3, player 1 does and wins the set.
score 40
keys F3
score 40
keys F3
expect_found "legs: 1. játékos, nyert szett: 1, nyert leg: 0"
# Set 2: player 2 starts its first leg and checks out; player 1 starts the second and wins it.
score 40
keys F3
# A mistaken new game taken back: the leg just won comes back, and is left again.
keys F9
expect_found "notice: Az előző játék visszaállítva"
expect_found "legs: 2. játékos, nyert szett: 0, nyert leg: 0"
keys F3
expect_found "legs: 2. játékos, nyert szett: 0, nyert leg: 1"
score 40
keys F3
# The deciding leg: player 2 starts, scores nothing, player 1 checks out.
score 0
score 40
keys F3
expect_found "match: Játékos 1. nyerte a meccset (2 – 0)"
expect_found "legs: 1. játékos, nyert szett: 2, nyert leg: 2"

keys F11
wait_for "F11 did not open the display" display_open
expect_found "display: Játékos 1. nyerte a meccset 2 – 0"
[[ -n "$shots" ]] && import -window root "$shots/e2e-match-display.png"
keys F11

# The result sheet, read by a screen reader as a table with headers.
keys F7
wait_for "F7 did not open the result sheet" sheet_open
expect_found "table Eredmény: rows 7, headers Leg | Kezdett | Nyert | Játékos 1.: Átlag | Játékos 1.: Első 9 | \
Játékos 1.: 100+ | Játékos 1.: 140+ | Játékos 1.: 180 | Játékos 1.: Kiszálló | Játékos 2.: Átlag | Játékos 2.: Első 9 | \
Játékos 2.: 100+ | Játékos 2.: 140+ | Játékos 2.: 180 | Játékos 2.: Kiszálló"
# The deciding leg, and the match's totals: legs won over the match, the best checkout.
expect_found "table Eredmény row 5: 6 | Játékos 2. | Játékos 1. | 40 | 40 | 0 | 0 | 0 | 40 | 0 | 0 | 0 | 0 | 0 | nincs"
expect_found "table Eredmény row 6: Összesen |  | 4 – 2 | 32 | 32 | 0 | 0 | 0 | 40 | 20 | 20 | 0 | 0 | 0 | 40"
[[ -n "$shots" ]] && import -window root "$shots/e2e-match-sheet.png"
keys Escape

wmctrl -c Pontix
ended "$app" "the close request" "$work/pontix.log"
ini=$(cat "$work/bin/Pontix.ini")
expected=$'[Def]\nIndul=40\nDuplaKiszallo=1\nLegek=2\nSzettek=2\nKellKiszallo=1'
[[ "$ini" == "$expected" ]] || fail "settings file not written back as expected: $ini"
echo "e2e match: passed"
