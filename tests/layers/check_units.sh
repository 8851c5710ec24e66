#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when two units of app/, sheet/, display/ or caller/ include each other, directly or round a
# loop, or when a source file of the libraries passes 700 lines (or LONGEST). A unit is a header with its source; a
# source without a header of its name (a part of the main window, the speech module) belongs to
# the unit whose header of its own folder it includes first. Takes the root of the tree to check;
# prints every loop and every long file.
set -euo pipefail
root=${1:?usage: check_units.sh ROOT [LONGEST]}
longest=${2:-700}
status=0

# The unit a file of a folder belongs to, as folder/name.
unit_of() {
    local file=$1 folder stem own
    folder=$(basename "$(dirname "$file")")
    stem=$(basename "${file%.*}")
    if [[ $file == *.h || -f "${file%.*}.h" ]]; then
        echo "$folder/$stem"
        return
    fi
    own=$(grep -oE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"$folder/[^\"]+\.h\"" "$file" | head -n 1 |
        sed -E 's/.*"([^"]+)\.h"/\1/' || true)
    echo "${own:-$folder/$stem}"
}

edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
for floor in app sheet display caller; do
    [[ -d "$root/$floor" ]] || continue
    while IFS= read -r file; do
        from=$(unit_of "$file")
        echo "$from $from" >>"$edges"
        while IFS= read -r header; do
            [[ -f "$root/$header.h" ]] || continue
            [[ $header != "$from" ]] && echo "$from $header" >>"$edges"
        done < <(grep -oE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"(app|sheet|display|caller)/[^"]+\.h"' "$file" |
            sed -E 's/.*"([^"]+)\.h"/\1/' || true)
    done < <(find "$root/$floor" -name '*.h' -o -name '*.cpp' | sort)
done
if ! loops=$(tsort "$edges" 2>&1 >/dev/null) || [[ -n $loops ]]; then
    # tsort names the units of each loop it breaks, one a line.
    echo "units: include loop among these units:"
    sed -nE 's/^tsort: ([^:]+)$/    \1/p' <<<"$loops"
    status=1
fi

for floor in db memtable match settings controls sheet app display caller; do
    [[ -d "$root/$floor" ]] || continue
    while IFS= read -r file; do
        lines=$(wc -l <"$file")
        if ((lines > longest)); then
            echo "units: ${file#"$root"/} has $lines lines, more than $longest"
            status=1
        fi
    done < <(find "$root/$floor" -name '*.h' -o -name '*.cpp' | sort)
done
exit $status
