// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/FileSizeLimit.h"

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (::getrlimit(RLIMIT_FSIZE, &m_old) != 0)
        return;
    rlimit small = m_old;
    small.rlim_cur = bytes;
    m_set = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    lift();
}

bool FileSizeLimit::lift()
{
    if (m_lifted)
        return true;
    m_lifted = true;
    const bool restored = !m_set || ::setrlimit(RLIMIT_FSIZE, &m_old) == 0;
    std::signal(SIGXFSZ, m_oldHandler);
    return restored;
}
