// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The caller reaching for the display's widget: the layering check must refuse it.
#pragma once

#include "display/Display.h"
