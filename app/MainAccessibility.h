// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// What assistive technology learns of the main window: a name for every control, the figures
// read with what they count, and, spoken, what each entry, undo and new game did.
#pragma once

#include <optional>

#include <QString>
#include <QtGlobal>

#include "match/Match.h"

class Tfrm_Main;

// The name a player goes by, wherever it is shown or read: the name typed in the player's name
// box without the blanks around it, or "1. játékos" / "2. játékos" when that leaves nothing.
QString PlayerName(const QString &typed, int number);

// Gives the window's controls their accessible names, and descriptions where the name alone
// does not say what a control does, and adds the announcer that speaks the changes of the
// match. Called once, when the window has been built.
void NameAccessibleControls(Tfrm_Main &window);

// Tells assistive technology where the match stands: the turn recorded last (who threw, the
// score and the remaining score), who throws next with the score to go and, while exact
// checkout is ticked, the route. The entry box, which keeps the focus, carries it as its
// description, read whenever the box is reached. Called whenever the scoreboard is refreshed.
void DescribeScoreboard(Tfrm_Main &window);

// The sentences the screen reader speaks after a change, each saying what happened and then
// where the match stands, once the scoreboard shows the change. An entry: the turn recorded,
// a turn counted as 0 (the typed score above the remaining score), or a refused score; text
// that is no whole number comes without a score.
void TellEntry(Tfrm_Main &window, EntryOutcome outcome, std::optional<qint32> typedScore);
// The newest entry, "name: score", empty without one; read before it is taken back.
QString NewestEntry(const Tfrm_Main &window);
void TellTakenBack(Tfrm_Main &window, const QString &entry);
// A new game: the legs, the winner of the match once decided, who starts.
void TellNewGame(Tfrm_Main &window);
