#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# Validates the desktop entry and the AppStream metadata, and checks that both name Pontix by
# the one application id: the file names, the entry's icon, the metadata's id and launchable.
# usage: check_metadata.sh DESKTOP_FILE METAINFO_FILE APP_ID
set -u
desktop=$1
metainfo=$2
id=$3
fail() { echo "FAIL: $*"; exit 1; }

desktop-file-validate "$desktop" || fail "desktop-file-validate refused $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli refused $metainfo"

[[ $(basename "$desktop") == "$id.desktop" ]] || fail "desktop file not named $id.desktop: $desktop"
[[ $(basename "$metainfo") == "$id.metainfo.xml" ]] || fail "metadata not named $id.metainfo.xml: $metainfo"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry's icon is not $id"
grep -qx "Exec=pontix" "$desktop" || fail "the desktop entry does not start pontix"
grep -q "<id>$id</id>" "$metainfo" || fail "the metadata's id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch $id.desktop"
for element in summary description screenshot release; do
    grep -q "<$element[ >]" "$metainfo" || fail "the metadata has no <$element>"
done
echo "metadata: passed ($id)"
