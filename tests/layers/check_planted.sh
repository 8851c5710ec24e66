#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# The layering check must refuse the planted tree, naming each bad include, and only those.
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
grep -q '^layering: desktop/Planted.h (desktop/) includes a header of settings/' <<<"$output" || exit 1
[[ $(grep -c '^layering:' <<<"$output") -eq 5 ]] || { echo "expected exactly five findings"; exit 1; }
echo "planted includes refused"
