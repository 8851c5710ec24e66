#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# The spectator display on a desktop of two monitors, as a darts room has them: the operator's
# laptop (1366 x 768) and a projector (1920 x 1080) to its right, RandR monitors of one Xvfb
# screen under openbox. Checks that opening the display with F11 leaves the keyboard with the main
# window, so that the next F11 closes it; that pulling the projector withdraws the display instead
# of laying it over the main window, and plugging it back brings it back full screen there; that
# leaving full screen never places it off every monitor; that a projector plugged in while
# the display is a normal window on the laptop takes it full screen; and that the X server's
# screen saver is off while the display is open (no desktop service answers on the session bus
# here) and as it was once the display closes, without a word on standard error.
#
# usage: display.sh PONTIX_BINARY [SCREENSHOT_DIR]
# Exit 77 (skipped) only when a tool is missing or no X server starts; a failure when CI is set.
set -u

binary=$1
shots=${2:-$PWD}

source "$(dirname "$0")/xserver.sh"
need_tools Xvfb xdotool openbox xrandr xwininfo xprop wmctrl import xset
start_display 3286 1080

laptop='1366/344x768/194+0+0'
projector='1920/508x1080/286+1366+0'
room_geometry='1366 0 1920 1080'
xrandr --setmonitor laptop "$laptop" screen >/dev/null || fail "cannot make the laptop's monitor"
xrandr --setmonitor room "$projector" none >/dev/null || fail "cannot make the projector's monitor"
start_window_manager

mkdir "$work/bin"
cp "$binary" "$work/bin/pontix"
printf '[Def]\r\nIndul=501\r\n' >"$work/bin/Pontix.ini"
xset s 300 120
DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" XDG_CONFIG_DIRS="$work/no-such-folder" QT_QPA_PLATFORM=xcb \
    "$work/bin/pontix" >"$work/pontix.log" 2>&1 &
app=$!
pids+=("$app")

main_window "$app" "$work/pontix.log"
main=$window
wait_for "the splash did not go" splash_gone "$app"
give_keyboard "$main"

# "left top width height" of a window as it stands on the screen.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /^ *Width/ {w=$2} /^ *Height/ {h=$2} END {print x, y, w, h}'
}
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
focused_name() { xdotool getwindowfocus getwindowname 2>/dev/null; }
display_window() {
    local id
    for id in $(xdotool search --name '^Kijelző' 2>/dev/null); do
        # The display's own window, not the window manager's frame with the same name.
        [[ "$(xprop -id "$id" _NET_WM_PID 2>/dev/null)" == *" = $app" ]] && echo "$id" && return
    done
}

display_shown() { local d; d=$(display_window); [[ -n "$d" ]] && viewable "$d"; }
display_hidden() { ! display_shown; }
display_at() { local d; d=$(display_window); [[ -n "$d" ]] && viewable "$d" && [[ "$(geometry "$d")" == "$1" ]]; }
# A window lies wholly on one of the monitors.
on_a_monitor() {
    local x y w h
    read -r x y w h <<<"$(geometry "$1")"
    ((x >= 0 && y >= 0 && x + w <= 1366 && y + h <= 768)) && return 0
    $2 && ((x >= 1366 && y >= 0 && x + w <= 3286 && y + h <= 1080))
}
main_keeps_keyboard() { [[ "$(focused_name)" == Pontix ]]; }
# The window manager has taken the display in hand and said so (it takes the word back when the
# window goes).
display_managed() {
    local d
    d=$(display_window)
    [[ -n "$d" ]] && xprop -id "$d" WM_STATE 2>/dev/null | grep -q 'window state: Normal'
}
# The display has been shown and the window manager and the program are done with it: what either
# does with a new window (giving it the keyboard, handing that back) has been done.
display_settled() {
    wait_for "the window manager did not take the display in hand" display_managed
    settled "$app"
}
# The display is no longer full screen on the projector.
display_left_full_screen() {
    local d
    d=$(display_window)
    [[ -n "$d" ]] && ! xprop -id "$d" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN
}
saver_timeout_is() { [[ "$(xset q | awk '/timeout:/ {print $2}')" == "$1" ]]; }

main_geometry=$(geometry "$main")
keys() { xdotool key --delay 80 "$@"; }

# 1. F11 opens the display full screen on the projector and the keyboard stays with the main
# window, every time: the next F11 closes it.
for round in 1 2 3; do
    keys F11
    wait_for "round $round: F11 did not open the display on the projector" display_at "$room_geometry"
    wait_for "round $round: the screen saver stayed on with the display open" saver_timeout_is 0
    display_settled
    main_keeps_keyboard || fail "round $round: the keyboard went to \"$(focused_name)\" when the display opened"
    ((round == 1)) && import -window root "$shots/e2e-display-open.png"
    keys F11
    wait_for "round $round: the second F11 did not close the display" display_hidden
    wait_for "round $round: the screen saver was not put back when the display closed" saver_timeout_is 300
done
keys F11
wait_for "F11 did not open the display again" display_at "$room_geometry"
display_settled
main_keeps_keyboard || fail "the keyboard went to \"$(focused_name)\" when the display opened again"
# What is typed goes to the entry box.
xdotool type --delay 80 60
keys Return

# 2. The projector pulled: the display withdraws, the main window stays as it was.
xrandr --delmonitor room >/dev/null
wait_for "the display did not withdraw when its monitor went away" display_hidden
settled "$app"
display_hidden || fail "the display came back over the laptop after its monitor went away"
[[ "$(geometry "$main")" == "$main_geometry" ]] || fail "the main window moved: $(geometry "$main")"
import -window root "$shots/e2e-display-pulled.png"

# Plugged back: full screen on the projector again, the keyboard with the main window.
xrandr --setmonitor room "$projector" none >/dev/null
wait_for "the display did not come back on the projector" display_at "$room_geometry"
display_settled
main_keeps_keyboard || fail "the keyboard went to \"$(focused_name)\" when the display came back"

# 3. Esc in the display leaves full screen: a normal window on the projector.
display=$(display_window)
give_keyboard "$display"
keys Escape
wait_for "Esc did not leave full screen" display_left_full_screen
settled "$app"
display_shown || fail "Esc closed the display"
on_a_monitor "$display" true || fail "Esc placed the display at $(geometry "$display"), off every monitor"
give_keyboard "$main"

# Pulled while a normal window there: it withdraws too; F11 then opens it on the laptop alone.
xrandr --delmonitor room >/dev/null
wait_for "the display's normal window did not withdraw when its monitor went away" display_hidden
settled "$app"
keys F11
wait_for "F11 did not open the display on the laptop" display_shown
display_settled
on_a_monitor "$(display_window)" false || fail "the display opened at $(geometry "$(display_window)"), off the laptop"
main_keeps_keyboard || fail "the keyboard went to \"$(focused_name)\" when the display opened on the laptop"
import -window root "$shots/e2e-display-laptop.png"

# 4. A projector plugged in while the display is open on the laptop takes it full screen.
xrandr --setmonitor room "$projector" none >/dev/null
wait_for "the display did not go to the projector plugged in" display_at "$room_geometry"
display_settled
main_keeps_keyboard || fail "the keyboard went to \"$(focused_name)\" when the display moved to the projector"
[[ "$(geometry "$main")" == "$main_geometry" ]] || fail "the main window moved: $(geometry "$main")"
import -window root "$shots/e2e-display-plugged.png"
keys F11
wait_for "F11 did not close the display on the projector" display_hidden

# 5. Pontix ended with the display open puts the screen saver back.
keys F11
wait_for "F11 did not open the display before the end" display_shown
wait_for "the screen saver stayed on with the display open before the end" saver_timeout_is 0
wmctrl -c Pontix
ended "$app" "the close request" "$work/pontix.log"
saver_timeout_is 300 || fail "the screen saver was left off after Pontix ended"
! grep -q 'screen may go dark' "$work/pontix.log" || fail "the X server answered, yet: $(cat "$work/pontix.log")"
echo "e2e display: passed (screenshots in $shots)"
