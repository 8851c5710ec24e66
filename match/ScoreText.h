// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include <QString>
#include <QVariant>

// Conversions between what the operator types, what a turn-table field holds and what the
// labels show. None of them ever fails: unusable text is a score of 0, an empty field is 0.

// The text reduced to what can make a number: trimmed of blanks and control characters, then
// its digits, a leading minus sign and the first decimal separator, in order.
QString NumericText(const QString &S);

// The typed text as a score; 0 for anything that is not a plain 32-bit integer.
qint32 ScoreFromText(const QString &S);

// The text typed for an entry as a whole number: trimmed of blanks and control characters as
// ScoreFromText trims, an optional "+" or "-" and ASCII digits only, within 32 bits. Blank text is
// 0; any other text (letters, separators, spaces between digits, other scripts' digits, a number
// beyond 32 bits) is no number at all.
std::optional<qint32> EntryScore(const QString &S);

// The field value as a 32-bit integer, Default when the field is empty.
qint32 VarToIntDef(const QVariant &V, qint32 Default);

// The field value as decimal text, "0" when the field is empty.
QString VarToScoreText(const QVariant &V);

// A when Flag is set, else B.
QVariant ChooseVar(bool Flag, const QVariant &A, const QVariant &B);
