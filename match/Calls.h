// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// What the caller says for each change of the match, in words of the chosen language, without
// any engine that speaks it.
#pragma once

#include <array>

#include <QString>

class Match;

enum class CallLanguage { Hungarian, English };

// A whole number as a caller says it. Hungarian numbers are written together up to 2000 and,
// above it, in groups of three from the right joined by hyphens, unless only one group is left
// ("ezerkilencszázkilencvenkilenc", "kétezer-egy", "hatvanezer"); English ones the British way
// ("one hundred and eighty", "two thousand and one").
QString numberInWords(qint64 number, CallLanguage language);

// A whole number's ordinal as a caller says it, for the legs and sets of a match: "első", "második",
// "huszonegyedik", "századik"; "first", "second", "twenty-first", "one hundred and twelfth".
// From 1 up.
QString ordinalInWords(qint64 number, CallLanguage language);

// The players' names as the operator typed them; an empty one is called by the player's number.
using PlayerNames = std::array<QString, 2>;

// The call after an entry that recorded `recorded` for the player who threw it (no longer the one
// to throw), read from the match as the entry left it:
// - the turn's total ("hatvan", "száznyolcvan!"), a turn of 0 as "nincs pont" / "no score";
// - instead of the total, a checkout ("kiszálló!" / "game shot"), with the leg or the match when
//   the checkout wins them ("kiszálló! Anna nyerte a meccset" / "game shot and the match, Anna"),
//   the set ("kiszálló! Anna nyerte a második szettet" / "game shot and the second set, Anna"),
//   or the leg that ends a match of all legs level ("… A meccs döntetlen" / "… The match is drawn");
// - after the total, while no one has checked out in the game and exact checkout is in force, the
//   remaining score of the player now to throw when it has a checkout route ("negyven kell" /
//   "you require forty").
QString callAfterEntry(
    const Match &match, qint32 recorded, bool exactCheckout, const PlayerNames &names, CallLanguage language);

// The call at a new leg: its number (and the set's at a set's first leg) and its starter, then
// "Játék!" ("második leg, Anna kezd. Játék!" / "second leg, Anna to throw first, game on"), and
// the starter's remaining score when it has a checkout route while exact checkout is in force.
QString callAfterNewLeg(const Match &match, bool exactCheckout, const PlayerNames &names, CallLanguage language);
