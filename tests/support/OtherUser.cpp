// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/OtherUser.h"

#include <QFile>

#include "tests/support/ChildProcess.h"
#include <grp.h>
#include <unistd.h>

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

QString runAs(uid_t uid, gid_t gid, const std::function<QString()> &body)
{
    const ChildEnd end = runInChild([&](QString &report) {
        if (::setgroups(0, nullptr) != 0 || ::setresgid(gid, gid, gid) != 0 || ::setresuid(uid, uid, uid) != 0)
            report = QStringLiteral("cannot become the other user");
        else
            report = body();
        return report.isEmpty() ? 0 : 1;
    });
    if (!end.report.isEmpty())
        return end.report;
    if (!end.exited || end.status != 0)
        return QStringLiteral("the child process as user %1 ended badly (status %2)").arg(uid).arg(end.status);
    return QString();
}

QString runUnprivileged(const std::function<QString()> &body)
{
    return runningAsRoot() ? runAs(NobodyId, NobodyId, body) : body();
}

bool giveTo(const QString &path, uid_t uid, gid_t gid)
{
    return ::lchown(QFile::encodeName(path).constData(), uid, gid) == 0;
}
