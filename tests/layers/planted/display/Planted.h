// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The display reaching for the main window: the layering check must refuse it.
#pragma once

#include "app/Main.h"
