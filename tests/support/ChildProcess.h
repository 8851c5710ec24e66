// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Running a piece of a test in a child process of its own.
#pragma once

#include <functional>

#include <QString>

#include <sys/types.h>

// How a child process ended.
struct ChildEnd
{
    pid_t pid = -1; // -1 when no child could be started
    bool exited = false; // it ended by exiting, not by a signal
    int status = -1; // its exit status when it exited
    QString report; // what it had to say
};

// Starts a child process that runs Body and exits with status 0 (output buffers are flushed
// first, so that nothing is written twice); -1 when none could be started.
pid_t startChild(const std::function<void()> &body);

// Waits for the child to end; its raw wait status, -1 when there is no such child.
int waitForChild(pid_t child);

// Runs Body in a child process and waits for it: the child exits with the status Body returns,
// and what Body writes into its report reaches the parent.
ChildEnd runInChild(const std::function<int(QString &report)> &body);
