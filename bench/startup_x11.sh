#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# Start-up as a user meets it: on an X server (Xvfb, 1366 x 768) with a window manager
# (openbox), both windows first shown over the whole work area (1366 x 768), the time from starting the process to the first of its windows that the window
# manager shows, and the resident memory (VmRSS) 3 seconds after that, for Pontix and for the
# one-label window, in alternating rounds after one that is not counted. Prints every round,
# then the medians and Pontix against the one-label window.
#
# The window is seen shown by xev watching the root window: the window manager maps the frame
# it puts around a window as the window is shown, and that map is the first event of its kind
# after the start. The time includes the fork and exec of the program, as a launcher's does.
# Beside it, the time the program's main thread has been running on a processor when its window
# is shown (from /proc/PID/schedstat, read just after): on a machine shared with other work the
# wall clock depends on that work's load, this much less.
#
# usage: startup_x11.sh PONTIX ONE_LABEL_WINDOW [ROUNDS]   (ROUNDS default 20)
# The one-label window must stay open (startup_text --stay).
set -uo pipefail
pontix=$1
text=$2
rounds=${3:-20}

source "$(dirname "$0")/../tests/e2e/xserver.sh"
need_tools Xvfb openbox xev stdbuf
screen_width=1366
screen_height=768
start_display "$screen_width" "$screen_height"
openbox >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

# Nothing of the user's: no settings file, no desktop settings, a runtime folder of our own.
mkdir -m 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/no-such-folder" XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME

coproc WATCH { exec stdbuf -oL xev -root -event substructure 2>/dev/null; }
pids+=("$WATCH_PID")
watch_in=${WATCH[0]}
sleep 0.5

# Runs one program; sets ms (to its first window shown), cpu (milliseconds its main thread ran
# until then) and kib (resident 3 seconds later).
measure() {
    local line start shown pid ran
    # Whatever the last program's windows left behind is not this program's.
    while read -r -t 0.2 line <&"$watch_in"; do :; done
    start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 &
    pid=$!
    while read -r -t 30 line <&"$watch_in"; do
        [[ $line == MapNotify* ]] && break
    done
    shown=$EPOCHREALTIME
    read -r ran _ <"/proc/$pid/schedstat"
    [[ $line == MapNotify* ]] || { kill "$pid" 2>/dev/null; fail "no window of $1 was shown"; }
    sleep 3
    kib=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    ms=$(awk -v a="$start" -v b="$shown" 'BEGIN { printf "%.1f", (b - a) * 1000 }')
    cpu=$(awk -v n="$ran" 'BEGIN { printf "%.1f", n / 1e6 }')
}

results="$work/results"
: >"$results"
for ((round = 0; round <= rounds; round++)); do
    if ((round % 2 == 0)); then
        order=(text pontix)
    else
        order=(pontix text)
    fi
    for which in "${order[@]}"; do
        if [[ $which == pontix ]]; then
            measure "$pontix"
        else
            measure "$text" --stay
        fi
        if ((round == 0)); then
            printf 'round 0 (not counted) %-6s %s ms (main thread on a processor %s ms), %s KiB\n' "$which" "$ms" "$cpu" "$kib"
        else
            printf 'round %-2d %-6s %s ms (main thread on a processor %s ms), %s KiB\n' "$round" "$which" "$ms" "$cpu" "$kib"
            echo "$which $ms $kib $round $cpu" >>"$results"
        fi
    done
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column() { awk -v w="$1" -v c="$2" '$1 == w { print $c }' "$results"; }
# On a shared machine the load changes from round to round; the two runs of one round are the
# closest in time, so each round's ratio is a figure of its own too.
round_ratios() {
    awk -v c="$1" '{ v[$4, $1] = $c } $1 == "pontix" { r[$4] = 1 } END { for (i in r) print v[i, "pontix"] / v[i, "text"] }' "$results"
}
text_ms=$(column text 2 | median)
text_kib=$(column text 3 | median)
pontix_ms=$(column pontix 2 | median)
pontix_kib=$(column pontix 3 | median)
text_cpu=$(column text 5 | median)
pontix_cpu=$(column pontix 5 | median)
ms_ratio=$(round_ratios 2 | median)
kib_ratio=$(round_ratios 3 | median)
awk -v tm="$text_ms" -v tk="$text_kib" -v pm="$pontix_ms" -v pk="$pontix_kib" -v rm="$ms_ratio" -v rk="$kib_ratio" \
    -v tc="$text_cpu" -v pc="$pontix_cpu" \
    -v n="$rounds" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" -v size="$screen_width x $screen_height" 'BEGIN {
    printf "\nmedians of %d rounds (load %s): one-label window of %s (the work area, as Pontix) %.1f ms, %.1f MB; Pontix %.1f ms, %.1f MB\n", n, load, size, tm, tk / 1024, pm, pk / 1024
    printf "Pontix / one-label window: time %.2f (target at most 1.30), resident memory %.2f (target at most 1.30)\n", pm / tm, pk / tk
    printf "median of the rounds ratios: time %.2f, resident memory %.2f\n", rm, rk
    printf "main thread on a processor until the window was shown: one-label window %.1f ms, Pontix %.1f ms, %.2f\n", tc, pc, pc / tc
}'
