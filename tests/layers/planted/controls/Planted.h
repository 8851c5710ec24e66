// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A control that leans on the memory table instead of the dataset base: refused.
#include "memtable/xovMemTable.h"
