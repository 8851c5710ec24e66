#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the real pontix under Xvfb as a program installed where the user may not write, ends it
# with SIGTERM, SIGHUP and SIGINT as a session or a terminal would, and checks each time that it
# exited with status 0 and saved its settings in the right place: the user's own folder, made
# private at the first save; the all-users folder once an administrator made it; the file beside
# the executable once there is one.
#
# usage: settings.sh PONTIX_BINARY
# Exit 77 (skipped) only when a tool is missing or no X server starts; a failure when CI is set.
set -u

binary=$1

source "$(dirname "$0")/xserver.sh"
need_tools Xvfb xdotool
start_display 1366 768

# Installed as under /usr: nothing beside the executable, no shared set-up, a fresh home.
mkdir -p "$work/usr/bin" "$work/etc/xdg" "$work/home"
cp "$binary" "$work/usr/bin/pontix"
export HOME=$work/home XDG_CONFIG_DIRS=$work/etc/xdg QT_QPA_PLATFORM=xcb
unset XDG_CONFIG_HOME

# Starts pontix, sends SIGNAL once its main window shows (the splash is still over it) and
# checks that it ends by itself with status 0.
run_and_signal() {
    local signal=$1
    "$work/usr/bin/pontix" >"$work/pontix.log" 2>&1 &
    local app=$!
    main_window "$app" "$work/pontix.log"
    kill -s "$signal" "$app"
    ended "$app" "$signal" "$work/pontix.log"
}

expect_file() {
    local file=$1 expected=$2
    [[ -f "$file" ]] || fail "no settings file at $file"
    local content
    content=$(cat "$file")
    [[ "$content" == "$expected" ]] || fail "$file holds: $content"
}

own=$HOME/.config/Pontix
defaults=$'[Def]\nIndul=501\nKellKiszallo=1'

# 1. The first close of a new user's first run keeps the defaults in the user's own folder.
run_and_signal TERM
expect_file "$own/Pontix.ini" "$defaults"
[[ $(stat -c %a "$own") == 700 ]] || fail "$own is not private: $(stat -c %a "$own")"

# 2. The values are read back and written again; the leftover of an interrupted save goes.
printf '; mine\n[Def]\nIndul=301\nKellKiszallo=0\n' >"$own/Pontix.ini"
sh -c 'exit 0' &
gone=$!
wait $gone
touch "$own/Pontix.ini.tmp-$gone-x1y2z3"
run_and_signal HUP
expect_file "$own/Pontix.ini" $'; mine\n[Def]\nIndul=301\nKellKiszallo=0'
[[ $(ls -A "$own") == Pontix.ini ]] || fail "left in $own: $(ls -A "$own")"

# 3. An administrator's shared set-up takes over from then on.
mkdir "$XDG_CONFIG_DIRS/Pontix"
run_and_signal INT
expect_file "$XDG_CONFIG_DIRS/Pontix/Pontix.ini" "$defaults"

# 4. A file beside the executable wins over both.
printf '[Def]\nIndul=170\n' >"$work/usr/bin/Pontix.ini"
run_and_signal TERM
expect_file "$work/usr/bin/Pontix.ini" $'[Def]\nIndul=170\nKellKiszallo=1'
expect_file "$XDG_CONFIG_DIRS/Pontix/Pontix.ini" "$defaults"
expect_file "$own/Pontix.ini" $'; mine\n[Def]\nIndul=301\nKellKiszallo=0'

echo "e2e settings: passed"
