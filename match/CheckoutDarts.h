// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// How many darts a checking-out turn can have taken, and the darts of a leg.

// How a leg must end: the finishing dart a double or the bull, or any dart that scores.
enum class FinishRule { DoubleOut, StraightOut };

// Whether a checking-out turn of `total` can have taken `darts` darts (1 to 3): the last of them
// the finishing dart the rule asks for, those before it any dart, a miss included. One dart finishes
// only a double (2 to 40, even) or the bull (50) under double out, any single dart's score under
// straight out; two darts make at most 110 under double out and 120 under straight out, and only
// the totals two such darts add up to. A total of 0 or less takes no count.
bool canCheckOutWith(qint32 total, int darts, FinishRule rule);

// The darts a leg took its winner: three for each turn before the checking-out one, and that
// turn's own. `turns` counts the checking-out turn; both at least 1.
int legDarts(int turns, int lastTurnDarts);
