#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when a translation is not complete for the code as it stands: each .ts file is brought up
# to date with the texts of the sources (as `update_translations` does, on a copy) and must then
# hold no unfinished entry. Names every text left to translate.
# usage: check_translations.sh LUPDATE SOURCE_LIST TS_FILE...
set -euo pipefail
lupdate=$1
sources=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
for ts in "$@"; do
    copy="$work/$(basename "$ts")"
    cp "$ts" "$copy"
    "$lupdate" -silent -locations none -no-obsolete "@$sources" -ts "$copy" >"$work/lupdate.log" 2>&1 ||
        { cat "$work/lupdate.log" >&2; exit 1; }
    # The source of every unfinished entry: the <source> line before its <translation>.
    left=$(awk '/<source>/ { source = $0 } /type="unfinished"/ { sub(/^ *<source>/, "", source); sub(/<\/source>$/, "", source); print source }' "$copy")
    if [[ -n $left ]]; then
        echo "$(basename "$ts"): $(grep -c . <<<"$left") texts to translate (cmake --build --preset debug --target update_translations):" >&2
        sed 's/^/  /' <<<"$left" >&2
        status=1
    fi
done
exit $status
