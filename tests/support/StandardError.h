// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// What a piece of a test writes to standard error.
#pragma once

#include <QByteArray>
#include <QTemporaryFile>

// Sends standard error to a file while it lives, or until text() is first called, which hands
// back everything written meanwhile.
class StandardErrorCapture
{
    Q_DISABLE_COPY_MOVE(StandardErrorCapture)

public:
    StandardErrorCapture();
    ~StandardErrorCapture();
    QByteArray text();

private:
    QTemporaryFile m_file;
    int m_saved = -1;
};
