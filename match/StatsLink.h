// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class MatchFollower;
class TDataSource;
class TField;

// The turn table's fields the statistics read: each player's score and stored average.
struct TurnFields
{
    TField *e1 = nullptr;
    TField *a1 = nullptr;
    TField *e2 = nullptr;
    TField *a2 = nullptr;
};

// Tells the follower of every turn in the data source's table, row by row, player 1's before
// player 2's: what a follower that starts late needs before it follows the match. The table's
// cursor does not move, so its views see nothing of the reading.
void ReadTurnRows(TDataSource *source, const TurnFields &fields, MatchFollower &follower);
