// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/StandardError.h"

#include <cstdio>

#include <QFile>

#include <unistd.h>

StandardErrorCapture::StandardErrorCapture()
{
    m_file.open();
    std::fflush(stderr);
    m_saved = ::dup(STDERR_FILENO);
    ::dup2(m_file.handle(), STDERR_FILENO);
}

StandardErrorCapture::~StandardErrorCapture()
{
    text();
}

QByteArray StandardErrorCapture::text()
{
    if (m_saved >= 0) {
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }
    QFile read(m_file.fileName());
    return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray();
}
