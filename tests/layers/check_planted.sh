#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# The layering check must refuse the planted tree, naming each bad include, and only those; the
# unit check must refuse its include loop and its long file.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
output=$("$here/check_layers.sh" "$here/planted")
status=$?
echo "$output"
[[ $status -eq 1 ]] || { echo "expected exit status 1, got $status"; exit 1; }
grep -q '^layering: db/Planted.h (db/) includes a header of app/' <<<"$output" || exit 1
grep -q '^layering: controls/Planted.h (controls/) includes a header of memtable/' <<<"$output" || exit 1
grep -q '^layering: match/Planted.h (match/) includes a header of controls/' <<<"$output" || exit 1
grep -q '^layering: settings/Planted.h (settings/) includes a header of match/' <<<"$output" || exit 1
grep -q '^layering: display/Planted.h (display/) includes a header of app/' <<<"$output" || exit 1
grep -q '^layering: caller/Planted.h (caller/) includes a header of display/' <<<"$output" || exit 1
[[ $(grep -c '^layering:' <<<"$output") -eq 6 ]] || { echo "expected exactly six findings"; exit 1; }
echo "planted includes refused"

output=$("$here/check_units.sh" "$here/planted" 10)
status=$?
echo "$output"
[[ $status -eq 1 ]] || { echo "expected exit status 1, got $status"; exit 1; }
# The loop app/Window -> app/WindowPart -> app/Other -> app/Window, and no unit outside it.
for unit in app/Window app/WindowPart app/Other; do
    grep -qx "    $unit" <<<"$output" || { echo "the loop through $unit was not named"; exit 1; }
done
! grep -E '^    ' <<<"$output" | grep -vxE '    app/(Window|WindowPart|Other)' || { echo "a unit outside the loop was named"; exit 1; }
grep -q '^units: caller/Long.cpp has 12 lines, more than 10' <<<"$output" || exit 1
[[ $(grep -c '^units: .* lines' <<<"$output") -eq 1 ]] || { echo "expected exactly one long file"; exit 1; }
echo "planted loop and long file refused"
