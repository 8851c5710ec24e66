// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A match rule that reaches for a control: the layering check must refuse it.
#pragma once

#include "controls/DBGrid.h"
