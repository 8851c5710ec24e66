// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The expected-text helpers of the tests.

#include "tests/support/Texts.h"

QStringList texts(std::initializer_list<const char *> items)
{
    QStringList result;
    for (const char *item : items)
        result << s(item);
    return result;
}

QList<int> range(int first, int last)
{
    QList<int> result;
    for (int k = first; k <= last; ++k)
        result << k;
    return result;
}
