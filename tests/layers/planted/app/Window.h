// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A window whose part includes the window back round a loop: the unit check must refuse it.
#pragma once
