// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "match/ScoreText.h"

#include <limits>

namespace {

bool isBlank(QChar c)
{
    return c.unicode() <= 32;
}

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

QStringView trimmed(QStringView s)
{
    qsizetype first = 0;
    qsizetype last = s.size();
    while (first < last && isBlank(s[first]))
        ++first;
    while (last > first && isBlank(s[last - 1]))
        --last;
    return s.sliced(first, last - first);
}

} // namespace

QString NumericText(const QString &S)
{
    const QStringView text = trimmed(S);
    QString result;
    result.reserve(text.size());
    bool separatorSeen = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            result += c;
        } else if (c == u'-' && i == 0) {
            result += c;
        } else if ((c == u',' || c == u'.') && !separatorSeen) {
            separatorSeen = true;
            result += c;
        }
    }
    return result;
}

qint32 ScoreFromText(const QString &S)
{
    const QString numeric = NumericText(S);
    const QStringView t = trimmed(numeric);
    if (t.isEmpty())
        return 0;

    qsizetype i = 0;
    const bool negative = t[0] == u'-';
    if (negative)
        i = 1;
    if (i == t.size())
        return 0;

    // Accumulate as a negative number so that the smallest 32-bit value fits too.
    constexpr qint64 limit = -qint64(std::numeric_limits<qint32>::min());
    qint64 magnitude = 0;
    for (; i < t.size(); ++i) {
        if (!isDigit(t[i]))
            return 0;
        magnitude = magnitude * 10 + (t[i].unicode() - '0');
        if (magnitude > limit)
            return 0;
    }
    if (negative)
        return qint32(-magnitude);
    if (magnitude > std::numeric_limits<qint32>::max())
        return 0;
    return qint32(magnitude);
}

std::optional<qint32> EntryScore(const QString &S)
{
    const QStringView t = trimmed(S);
    if (t.isEmpty())
        return 0;
    qsizetype i = 0;
    const bool negative = t[0] == u'-';
    if (negative || t[0] == u'+')
        i = 1;
    if (i == t.size())
        return std::nullopt;
    // As a negative number, so that the smallest 32-bit value fits too.
    constexpr qint64 limit = -qint64(std::numeric_limits<qint32>::min());
    qint64 magnitude = 0;
    for (; i < t.size(); ++i) {
        if (!isDigit(t[i]))
            return std::nullopt;
        magnitude = magnitude * 10 + (t[i].unicode() - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    if (negative)
        return qint32(-magnitude);
    if (magnitude > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(magnitude);
}

qint32 VarToIntDef(const QVariant &V, qint32 Default)
{
    if (V.isNull())
        return Default;
    return V.toInt();
}

QString VarToScoreText(const QVariant &V)
{
    if (V.isNull())
        return QStringLiteral("0");
    return QString::number(V.toInt());
}

QVariant ChooseVar(bool Flag, const QVariant &A, const QVariant &B)
{
    return Flag ? A : B;
}
