# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the end-to-end scripts that read Pontix over AT-SPI, before xserver.sh: the run gets
# a session bus of its own, which ends with it, and an accessibility bus on it.
# usage: source atspi.sh; on_own_session_bus "$0" "$@"; source xserver.sh; ...;
#        start_accessibility_bus
# Debian's own Python, which Orca and pyatspi are installed for.
python=/usr/bin/python3
bus_launcher=/usr/libexec/at-spi-bus-launcher

# Runs the script again under dbus-run-session, unless it already runs there.
on_own_session_bus() {
    [[ -n "${PONTIX_E2E_SESSION:-}" ]] && return
    if ! command -v dbus-run-session >/dev/null; then
        [[ -z "${CI:-}" ]] || { echo "FAIL: cannot run under CI: dbus-run-session is not installed"; exit 1; }
        echo "SKIP: dbus-run-session is not installed"
        exit 77
    fi
    exec dbus-run-session -- env PONTIX_E2E_SESSION=1 "$@"
}

# The accessibility bus, with a home and runtime folder of the run's own in $work; pyatspi must be
# there, or the run is skipped.
start_accessibility_bus() {
    "$python" -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
    export HOME=$work/home XDG_RUNTIME_DIR=$work/run
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    "$bus_launcher" --launch-immediately >"$work/bus.log" 2>&1 &
    pids+=($!)
}
