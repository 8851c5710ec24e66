// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A file longer than the limit the planted tree is checked with: the unit check must refuse it.
// line 1
// line 2
// line 3
// line 4
// line 5
// line 6
// line 7
// line 8
