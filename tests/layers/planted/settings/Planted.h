// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A settings file that reaches for the match rules: the layering check must refuse it.
#pragma once

#include "match/Match.h"
