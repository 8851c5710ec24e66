// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A small file-size limit for a test, standing in for a full disk.
#pragma once

#include <csignal>

#include <sys/resource.h>

// While it is set, this process cannot make a file larger than the given size: a write beyond it
// fails (EFBIG) instead of ending the process with SIGXFSZ. Lifted at the latest when it ends.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    // Whether the limit took effect.
    bool isSet() const { return m_set; }
    // Restores the limit and the signal's handling as they were; false when the limit could not
    // be restored.
    bool lift();

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_set = false;
    bool m_lifted = false;
};
