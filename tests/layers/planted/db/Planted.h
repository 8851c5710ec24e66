// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A data-layer header that reaches up into the window: the check must refuse it.
#include "app/Main.h"
