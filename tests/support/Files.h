// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading and writing whole files in tests, for the settings file's cases.
#pragma once

#include <QByteArray>
#include <QString>

// Writes Bytes as the whole file at Path, creating or emptying it first; a failure fails the
// running test.
void putFile(const QString &path, const QByteArray &bytes);

// The file's bytes, "<unreadable>" when it cannot be read.
QByteArray fileBytes(const QString &path);
