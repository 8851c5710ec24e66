#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks that the README, the manual page and the AppStream metadata (in English and in
# Hungarian) list the same keys, in the same order: each entry of their key lists is reduced to
# the keys it names ("keypad /", "Ctrl+N", "F11 in the display") and the lists must agree entry by entry.
# usage: check_keys.sh README MANUAL_PAGE METAINFO
set -u
readme=$1
manual=$2
metainfo=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# The keys an entry names, one entry a line: "keypad enter|enter", in the order named.
keys_of() {
    sed -E 's/numerikus /keypad /g; s/a kijelzőn/in the display/g' |
        tr '[:upper:]' '[:lower:]' |
        while IFS= read -r entry; do
            grep -o -E '(keypad )?(\<enter\>|\<ins\>|\<esc\>|\<f[0-9]+\>|\<ctrl\+[a-z]\>|/)|in the display' <<<"$entry" |
                paste -s -d '|'
        done
}

# README: the first column of the table under "## Keys".
awk '/^## / { keys = ($0 == "## Keys") } keys && /^\| / && !/^\| key / && !/^\|---/' "$readme" |
    cut -d '|' -f 2 | keys_of >"$work/README"
# Manual page: the tag line after each .TP of the KEYS section, font changes removed.
awk '/^\.SH / { keys = ($0 == ".SH KEYS") } keys && tag { print; tag = 0 } keys && /^\.TP/ { tag = 1 }' "$manual" |
    sed -E 's/\\f[BIRP]//g; s/\\-/-/g; s/^\.[A-Z]+ //' | keys_of >"$work/manual"
# Metadata: the items of the list after the paragraph that ends "Keys:" or "Billentyűk:", up to
# their colon.
for language in en hu; do
    [[ $language == en ]] && intro='Keys:</p>' || intro='Billentyűk:</p>'
    [[ $language == en ]] && list='<ul>' || list='<ul xml:lang="hu">'
    awk -v intro="$intro" -v list="$list" '
        index($0, intro) { after = 1; next }
        after && index($0, list) { items = 1; after = 0; next }
        items && /<\/ul>/ { items = 0 }
        items && /<li>/ { sub(/.*<li>/, ""); sub(/:.*/, ""); print }' "$metainfo" | keys_of >"$work/metainfo-$language"
done

for list in README manual metainfo-en metainfo-hu; do
    [[ -s "$work/$list" ]] && ! grep -q '^$' "$work/$list" ||
        fail "the $list key list is missing or has an entry without a key: $(cat "$work/$list")"
done
for list in manual metainfo-en metainfo-hu; do
    diff -u "$work/README" "$work/$list" || fail "the $list key list differs from the README's"
done
echo "keys: passed ($(wc -l <"$work/README") entries: $(paste -s -d ' ' "$work/README"))"
