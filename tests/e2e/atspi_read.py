#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

"""Reads Pontix as a screen reader finds it over AT-SPI and prints, one per line, what the
end-to-end test checks: the status bar's route, result and notice, each player's sets and legs,
each grid as a table (its size, its column headers, its rows), the notification that speaks, and
the spectator display's texts.

usage: atspi_read.py (run in the session whose accessibility bus Pontix is on)
"""
import sys
import time

import pyatspi


def application():
    for _ in range(50):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and (app.name or "").lower() == "pontix":
                return app
        time.sleep(0.1)
    sys.exit("atspi_read: Pontix is not on the accessibility bus")


def walk(obj, found):
    role = obj.getRole()
    name = obj.name or ""
    if role == pyatspi.ROLE_TABLE:
        table = obj.queryTable()
        headers = [table.getColumnHeader(c).name if table.getColumnHeader(c) else "" for c in range(table.nColumns)]
        found.append("table %s: rows %d, headers %s" % (name, table.nRows, " | ".join(headers)))
        for r in range(table.nRows):
            cells = [table.getAccessibleAt(r, c).name or "" for c in range(table.nColumns)]
            found.append("table %s row %d: %s" % (name, r, " | ".join(cells)))
        return
    if role == pyatspi.ROLE_LABEL and name.startswith("Kiszálló"):
        found.append("route: %s" % name)
    elif role == pyatspi.ROLE_LABEL and ", nyert " in name:
        found.append("legs: %s" % name)
    elif role == pyatspi.ROLE_LABEL and name in ("Meccs", "Üzenet"):
        found.append("%s: %s" % ("match" if name == "Meccs" else "notice", obj.description or ""))
    elif role == pyatspi.ROLE_NOTIFICATION:
        found.append("notification: %s" % name)
    for child in obj:
        if child is not None:
            walk(child, found)


def display(window, found):
    for part in window:
        if part.getRole() == pyatspi.ROLE_PANEL or part.childCount:
            found.append("display half %s: %s" % (part.name, " | ".join(text.name for text in part)))
        else:
            found.append("display: %s" % part.name)


def main():
    found = []
    for window in application():
        if window is None:
            continue
        if window.name == "Kijelző":
            display(window, found)
        else:
            walk(window, found)
    print("\n".join(found))


if __name__ == "__main__":
    main()
