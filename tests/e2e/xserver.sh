# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the end-to-end scripts: fail and skip, a work folder removed at exit with every
# process started into pids, an Xvfb of width x height on a display of its own, and waits for the
# states a run needs (the window manager up, the main window mapped, the splash gone, the keyboard
# with a window, the program done with what it was sent, its end). A skip (77) is a failure when
# CI is set, so a run that matters is never green without having played.
# usage: source xserver.sh; need_tools TOOL...; start_display WIDTH HEIGHT
# Every wait ends as soon as its state holds; E2E_PATIENCE (seconds, 60 unless set) is how long
# it gives a busy machine before failing.

fail() { echo "FAIL: $*"; exit 1; }
skip() {
    [[ -z "${CI:-}" ]] || fail "cannot run under CI: $*"
    echo "SKIP: $*"
    exit 77
}

need_tools() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
}

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

patience=${E2E_PATIENCE:-60}

# The runs look for Pontix's Hungarian texts, whatever language the machine's user reads.
export LANGUAGE=hu

# Waits for a condition (a command line) to hold, $patience seconds at the most; wait_for fails
# with the message when it does not.
wait_until() {
    local deadline=$((SECONDS + patience))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}
wait_for() {
    local what=$1
    shift
    wait_until "$@" || fail "$what"
}

# Starts openbox and waits until it manages the display: it has said so on the root window.
start_window_manager() {
    openbox >"$work/openbox.log" 2>&1 &
    local wm=$!
    pids+=("$wm")
    window_manager_up() {
        kill -0 "$wm" 2>/dev/null || fail "openbox ended: $(cat "$work/openbox.log")"
        wmctrl -m >/dev/null 2>&1
    }
    wait_until window_manager_up || fail "openbox did not start: $(cat "$work/openbox.log")"
}

# The splash bears the program's name too; it says it is a splash.
is_splash() { xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_SPLASH; }

# Sets window to the id of the main window, mapped; fails at once when the program $1 ends
# first, showing its log $2.
main_window() {
    local app=$1 log=$2
    window=
    find_main() {
        local id
        for id in $(xdotool search --onlyvisible --name '^Pontix$' 2>/dev/null); do
            is_splash "$id" || { window=$id; return 0; }
        done
        kill -0 "$app" 2>/dev/null || fail "pontix ended before its window showed: $(cat "$log")"
        return 1
    }
    wait_until find_main || fail "the main window did not appear: $(cat "$log")"
}

# Whether the splash of program $1 has gone: none of its mapped windows is one.
splash_gone() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        is_splash "$id" && return 1
    done
    return 0
}

# Gives the keyboard to window $1, once the window takes it (a window may refuse it for a while,
# as the display does when it has just opened), and waits until it has it.
takes_keyboard() { xprop -id "$1" WM_HINTS 2>/dev/null | grep -q 'accepts input or input focus: True'; }
has_keyboard() { [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$1" ]]; }
give_keyboard() {
    wait_for "window $1 does not take the keyboard" takes_keyboard "$1"
    xdotool windowactivate "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null
    wait_for "window $1 did not get the keyboard" has_keyboard "$1"
}

# Whether program $1 has handled everything it was sent: each of its threads asleep and nothing
# unread on its sockets (the X server's connection among them). A round trip to the X server
# first, so that what it was asked before has reached the program.
idle_once() {
    local app=$1 task
    xdotool getmouselocation >/dev/null 2>&1
    for task in /proc/"$app"/task/*/stat; do
        [[ -e "$task" ]] || continue
        [[ "$(sed 's/.*) //' "$task" | cut -d ' ' -f 1)" == S ]] || return 1
    done
    ! ss -xp 2>/dev/null | awk -v me="pid=$app," 'index($0, me) && $3 > 0 { found = 1 } END { exit !found }'
}
# Idle at two looks in a row: between two events the program may be asleep for a moment.
idle() { idle_once "$1" && sleep 0.05 && idle_once "$1"; }
# Waits until program $1 is done with what it was sent (see idle).
settled() { wait_for "pontix did not settle" idle "$1"; }

# Waits for the program $1 to end on $2 (what asked it to), with status 0; $3 is its log.
ended() {
    local app=$1 why=$2 log=$3
    running() { kill -0 "$app" 2>/dev/null; }
    local deadline=$((SECONDS + patience))
    while running; do
        ((SECONDS < deadline)) || fail "pontix did not end on $why"
        sleep 0.1
    done
    wait "$app"
    local status=$?
    [[ $status -eq 0 ]] || fail "pontix ended on $why with status $status: $(cat "$log")"
}

# Starts Xvfb at $1 x $2 on a display number it finds free itself (it writes it to the descriptor
# given), waits for it to answer and exports DISPLAY; on failure the server is stopped again and
# its log kept in $work/xvfb.log. Choosing the number here would race with another run choosing
# the same one, and then ask the other run's server whether it is up. The server never resets:
# by default it does whenever its last client leaves (the check that it answers, for one), and a
# client connecting meanwhile, the program or the window manager, is turned away; a reset would
# also forget the monitors a run sets up.
start_x() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "${1}x${2}x24" -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    local server=$! number
    local deadline=$((SECONDS + patience))
    while ((SECONDS < deadline)) && kill -0 "$server" 2>/dev/null; do
        number=$(cat "$work/display" 2>/dev/null)
        if [[ "$number" =~ ^[0-9]+$ ]] && DISPLAY=:$number xdotool getmouselocation >/dev/null 2>&1; then
            pids+=("$server")
            export DISPLAY=:$number
            return 0
        fi
        sleep 0.1
    done
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
    return 1
}

# An X server of $1 x $2; a server that fails to come up on a busy machine is tried again a few
# times before giving up.
start_display() {
    local attempt
    for attempt in 1 2 3 4; do
        start_x "$1" "$2" && return 0
        echo "e2e: Xvfb did not start (attempt $attempt): $(tail -n 3 "$work/xvfb.log")"
    done
    skip "Xvfb did not start"
}
