// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/ChildProcess.h"

#include <cstdio>

#include <sys/wait.h>
#include <unistd.h>

pid_t startChild(const std::function<void()> &body)
{
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        body();
        ::_exit(0);
    }
    return child;
}

int waitForChild(pid_t child)
{
    int status = 0;
    return ::waitpid(child, &status, 0) == child ? status : -1;
}

ChildEnd runInChild(const std::function<int(QString &report)> &body)
{
    ChildEnd end;
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        end.report = QStringLiteral("no pipe for the child's report");
        return end;
    }
    end.pid = startChild([&] {
        ::close(pipeEnds[0]);
        QString report;
        const int status = body(report);
        const QByteArray bytes = report.toUtf8();
        if (!bytes.isEmpty() && ::write(pipeEnds[1], bytes.constData(), size_t(bytes.size())) < 0)
            ::_exit(2);
        ::_exit(status);
    });
    ::close(pipeEnds[1]);
    if (end.pid < 0) {
        ::close(pipeEnds[0]);
        end.report = QStringLiteral("cannot start a child process");
        return end;
    }
    QByteArray message;
    char chunk[512];
    ssize_t got;
    while ((got = ::read(pipeEnds[0], chunk, sizeof chunk)) > 0)
        message.append(chunk, got);
    ::close(pipeEnds[0]);
    const int status = waitForChild(end.pid);
    end.exited = status != -1 && WIFEXITED(status);
    end.status = end.exited ? WEXITSTATUS(status) : -1;
    end.report = QString::fromUtf8(message);
    return end;
}
