// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include <QString>

// A plain reading of typed score text, written from the rules alone and kept apart from the
// program's own conversion so that the two can be held against each other:
// trim characters up to code 32 at both ends; a "," or "." anywhere gives 0; otherwise the ASCII
// digits in order make the number, negative when the trimmed text starts with "-"; no digits,
// or a number outside the 32-bit range, gives 0.
qint32 referenceScore(const QString &text);

// The text the rules reduce it to: the digits, a "-" that opens the trimmed text, and the first
// decimal separator, in order.
QString referenceNumericText(const QString &text);

// A plain reading of the text typed for an entry: trim characters up to code 32 at both ends;
// nothing left is 0; otherwise it must be an optional "+" or "-" and ASCII digits making a number
// within the 32-bit range, or it is no number.
std::optional<qint32> referenceEntryScore(const QString &text);
