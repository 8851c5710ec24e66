# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the end-to-end scripts: fail and skip, a work folder removed at exit with every
# process started into pids, waiting for the main window and for the program's end, and an Xvfb
# of width x height on a free display, tried on several displays before giving up. A skip (77) is a failure when CI is set, so a run that matters is
# never green without having played.
# usage: source xserver.sh; need_tools TOOL...; start_display WIDTH HEIGHT
# XVFB_ARGS, when set, are further arguments for the server (e.g. -noreset).

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

# Sets window to the main window's id once it shows, ten seconds at the most; $1 is the program's
# log, shown when it does not.
main_window() {
    window=
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name '^Pontix$' 2>/dev/null | head -n 1)
        [[ -n "$window" ]] && return
        sleep 0.1
    done
    fail "the main window did not appear: $(cat "$1")"
}

# Waits up to ten seconds for the program $1 to end on $2 (what asked it to), with status 0; $3 is
# its log.
ended() {
    local app=$1 why=$2 log=$3
    for _ in $(seq 100); do
        kill -0 "$app" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app" 2>/dev/null && fail "pontix did not end on $why"
    wait "$app"
    local status=$?
    [[ $status -eq 0 ]] || fail "pontix ended on $why with status $status: $(cat "$log")"
}

# Starts Xvfb on display $1 at $2 x $3 and waits up to ten seconds for it to answer; on failure
# the server is stopped again and its log kept in $work/xvfb.log.
start_x() {
    Xvfb "$1" -screen 0 "${2}x${3}x24" -nolisten tcp ${XVFB_ARGS:-} >"$work/xvfb.log" 2>&1 &
    local server=$!
    for _ in $(seq 100); do
        if DISPLAY=$1 xdotool getmouselocation >/dev/null 2>&1; then
            pids+=("$server")
            return 0
        fi
        kill -0 "$server" 2>/dev/null || break
        sleep 0.1
    done
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
    return 1
}

# Exports DISPLAY for an X server of $1 x $2 on a free display number. On a busy machine another
# process may take a number first, or the server may be slow to come up: a few displays are
# tried before giving up.
start_display() {
    local display= tried=() n
    for n in $(seq 70 130); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        tried+=(":$n")
        if start_x ":$n" "$1" "$2"; then
            display=:$n
            break
        fi
        echo "e2e: Xvfb did not start on :$n: $(tail -n 3 "$work/xvfb.log")"
        ((${#tried[@]} < 4)) || break
    done
    [[ -n "$display" ]] || skip "Xvfb did not start on ${tried[*]:-any free display}"
    export DISPLAY=$display
}
