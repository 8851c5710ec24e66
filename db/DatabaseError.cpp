// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "db/DatabaseError.h"

EDatabaseError::EDatabaseError(QString message)
    : m_message(std::move(message))
    , m_utf8(m_message.toUtf8())
{ }

EDatabaseError::~EDatabaseError() = default;

const char *EDatabaseError::what() const noexcept
{
    return m_utf8.constData();
}

ERangeError::ERangeError(QString message)
    : m_message(std::move(message))
    , m_utf8(m_message.toUtf8())
{ }

ERangeError::~ERangeError() = default;

const char *ERangeError::what() const noexcept
{
    return m_utf8.constData();
}
