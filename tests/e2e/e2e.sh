#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts the real pontix under Xvfb with a window manager, plays a few turns on it with
# xdotool as an operator would, closes it through the window's close request and checks that
# the settings file was written back and the program exited cleanly.
#
# usage: e2e.sh PONTIX_BINARY [SCREENSHOT_DIR]
# Exit 77 (skipped) only when a tool is missing or no X server starts on any of several
# displays; when CI is set, that is a failure instead, so a run that matters is never green
# without having played.
set -u

binary=$1
shots=${2:-$PWD}
width=${E2E_WIDTH:-1366}
height=${E2E_HEIGHT:-768}

source "$(dirname "$0")/xserver.sh"
need_tools Xvfb xdotool openbox wmctrl import
start_display "$width" "$height"
start_window_manager

# The program runs from its own folder with a settings file beside it.
mkdir "$work/bin"
cp "$binary" "$work/bin/pontix"
printf '; kept as it is\r\n[Def]\r\nIndul=301\r\n[Other]\r\nkey=value\r\n' >"$work/bin/Pontix.ini"
XDG_CONFIG_DIRS="$work/no-such-folder" QT_QPA_PLATFORM=xcb "$work/bin/pontix" >"$work/pontix.log" 2>&1 &
app=$!

main_window "$app" "$work/pontix.log"
wait_for "the splash did not go" splash_gone "$app"
give_keyboard "$window"

# The server hands the keys to the program in the order they are typed.
keys() { xdotool key --delay 60 "$@"; }
score() { xdotool type --delay 60 "$1"; keys Return; }

score 60
score 45
score 100
score 140
score 26
score 180
keys F8 # takes back the 180
score 99
score 5
keys F6 # settings panel shown
settled "$app"
import -window root "$shots/e2e-${width}x${height}.png"
keys F6
keys Insert # new game
score 20

wmctrl -c Pontix
ended "$app" "the close request" "$work/pontix.log"

ini=$(tr -d '\r' <"$work/bin/Pontix.ini")
grep -qx 'Indul=301' <<<"$ini" || fail "start score not written back: $ini"
expected=$'; kept as it is\n[Def]\nIndul=301\nKellKiszallo=1\n[Other]\nkey=value'
[[ "$ini" == "$expected" ]] || fail "settings file not written back as expected: $ini"
echo "e2e: passed (screenshot in $shots)"
