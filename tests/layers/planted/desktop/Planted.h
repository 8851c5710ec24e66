// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop glue reaching for the settings: the layering check must refuse it.
#pragma once

#include "settings/Settings.h"
