// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The helpers of the program: the score texts and the settings folders live in their own floors
// and are reachable from here under their usual names; the start-up itself is here.
#include "match/ScoreText.h"
#include "settings/Folders.h"

// The program-wide start-up before the main window: the folders, the application's names and
// its window icon. The application object must exist.
void InitApplication();
