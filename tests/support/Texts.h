// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Short ways of writing the expected texts and numbers of a test.
#pragma once

#include <initializer_list>

#include <QList>
#include <QString>
#include <QStringList>

inline QString s(const char *text)
{
    return QString::fromUtf8(text);
}

QStringList texts(std::initializer_list<const char *> items);
// first, first + 1, ..., last
QList<int> range(int first, int last);
