// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// The turn scores darts players count: a ton (100 or more, highlighted on the board), a ton-forty
// (140 or more) and the maximum three darts can score (180).
inline constexpr qint32 TonTurn = 100;
inline constexpr qint32 TonFortyTurn = 140;
inline constexpr qint32 MaximumTurn = 180;
