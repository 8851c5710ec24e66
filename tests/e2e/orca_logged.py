#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs Orca as /usr/bin/orca does, its debug log (with every "SPEECH OUTPUT" line) written to a
file line by line, so that a test can follow what it speaks while it runs.

Orca refuses to start while any other Orca of the same user runs, whatever its session; on a
shared build machine another test session may run one. Each session has its own accessibility
bus, so an Orca here hears only this session: the check is left out.

usage: orca_logged.py PREFERENCES_FOLDER LOG_FILE
"""
import sys

ORCA = "/usr/bin/orca"


def main():
    prefs, log = sys.argv[1], sys.argv[2]
    launcher = {"__name__": "orca_logged", "__file__": ORCA}
    with open(ORCA, encoding="utf-8") as source:
        exec(compile(source.read(), ORCA, "exec"), launcher)  # defines main() without running it

    from orca import debug

    debug.debugLevel = debug.LEVEL_ALL
    debug.eventDebugLevel = debug.LEVEL_OFF
    debug.debugFile = open(log, "w", buffering=1, encoding="utf-8")
    launcher["otherOrcas"] = lambda: []
    sys.argv = [ORCA, "--user-prefs", prefs]
    return launcher["main"]()


if __name__ == "__main__":
    sys.exit(main())
