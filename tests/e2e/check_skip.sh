#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# The end-to-end run with an X server that never starts: it tries several displays, then skips
# (77) on a developer's machine and fails when CI is set.
# usage: check_skip.sh E2E_SCRIPT
set -u
e2e=$1
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
printf '#!/bin/sh\necho "fake Xvfb: cannot open display" >&2\nexit 1\n' >"$fake/Xvfb"
chmod +x "$fake/Xvfb"

run() { env PATH="$fake:$PATH" "$@" "$e2e" /bin/false "$fake" >"$fake/out" 2>&1; }

run env -u CI
status=$?
[[ $status -eq 77 ]] || { cat "$fake/out"; echo "FAIL: without CI the run should skip (77), got $status"; exit 1; }
attempts=$(grep -c 'Xvfb did not start (attempt' "$fake/out")
[[ $attempts -ge 4 ]] || { cat "$fake/out"; echo "FAIL: expected at least 4 displays tried, saw $attempts"; exit 1; }

run env CI=true
status=$?
[[ $status -eq 1 ]] || { cat "$fake/out"; echo "FAIL: under CI a skip must fail the run (1), got $status"; exit 1; }
grep -q 'cannot run under CI' "$fake/out" || { cat "$fake/out"; echo "FAIL: no reason given"; exit 1; }
echo "e2e skip check: passed"
