#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when a file of a library includes a header of a floor above its own: db/ includes none
# of ours outside db/, memtable/ only db/, match/ only db/ and memtable/, settings/ and desktop/
# none outside themselves, controls/ only db/, sheet/ only match/ and what it stands on, display/
# that and sheet/, caller/ only match/ and what it stands on (the display and the sheet on Qt
# Widgets, the caller on Qt Core alone: a widget include there does not compile), app/ anything.
# Takes the root of the tree to check; prints every offending line.
set -euo pipefail
root=${1:?usage: check_layers.sh ROOT}
declare -A allowed=(
    [db]="db"
    [memtable]="db memtable"
    [match]="db memtable match"
    [settings]="settings"
    [desktop]="desktop"
    [controls]="db controls"
    [sheet]="db memtable match sheet"
    [display]="db memtable match sheet display"
    [caller]="db memtable match caller"
    [app]="db memtable match settings desktop controls sheet display caller app"
)
ours="db|memtable|match|settings|desktop|controls|sheet|display|caller|app|tests|bench|assets"
status=0
for floor in db memtable match settings desktop controls sheet display caller app; do
    [[ -d "$root/$floor" ]] || continue
    while IFS= read -r hit; do
        file=${hit%%:*}
        target=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*"([^"/]+)\/.*/\1/' <<<"${hit#*:*:}")
        if [[ " ${allowed[$floor]} " != *" $target "* ]]; then
            echo "layering: ${file#"$root"/} (${floor}/) includes a header of ${target}/: ${hit#*:*:}"
            status=1
        fi
    done < <(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($ours)/" "$root/$floor" --include='*.h' --include='*.cpp' || true)
    # An include without a folder hides its floor.
    while IFS= read -r hit; do
        echo "layering: ${hit#"$root"/} names no folder"
        status=1
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+\.h"' "$root/$floor" --include='*.h' --include='*.cpp' || true)
done
exit $status
