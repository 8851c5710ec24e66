// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/ReferenceScore.h"

#include <QRegularExpression>

namespace {

QString trimmedControls(const QString &text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text.at(first).unicode() <= 32)
        ++first;
    while (end > first && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(first, end - first);
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

QString referenceNumericText(const QString &text)
{
    const QString t = trimmedControls(text);
    QString kept;
    bool separator = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (isAsciiDigit(c) || (c == u'-' && i == 0))
            kept += c;
        else if ((c == u',' || c == u'.') && !separator) {
            kept += c;
            separator = true;
        }
    }
    return kept;
}

qint32 referenceScore(const QString &text)
{
    const QString t = trimmedControls(text);
    if (t.contains(u',') || t.contains(u'.'))
        return 0;
    QString digits;
    for (QChar c : t) {
        if (isAsciiDigit(c))
            digits += c;
    }
    // Leading zeros carry nothing; eleven or more remaining digits never fit in 32 bits.
    while (digits.size() > 1 && digits.front() == u'0')
        digits.remove(0, 1);
    if (digits.isEmpty() || digits.size() > 10)
        return 0;
    qint64 value = 0;
    for (QChar c : digits)
        value = value * 10 + (c.unicode() - u'0');
    if (t.startsWith(u'-'))
        value = -value;
    if (value < -2147483648LL || value > 2147483647LL)
        return 0;
    return qint32(value);
}

std::optional<qint32> referenceEntryScore(const QString &text)
{
    const QString t = trimmedControls(text);
    if (t.isEmpty())
        return 0;
    static const QRegularExpression whole(QStringLiteral("^([+-]?)0*([0-9]+)$"));
    const QRegularExpressionMatch match = whole.match(t);
    if (!match.hasMatch())
        return std::nullopt;
    const QString digits = match.captured(2);
    if (digits.size() > 10)
        return std::nullopt;
    const qint64 value = (match.captured(1) == u'-' ? -1 : 1) * digits.toLongLong();
    if (value < -2147483648LL || value > 2147483647LL)
        return std::nullopt;
    return qint32(value);
}
