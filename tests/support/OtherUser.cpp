#include "tests/support/OtherUser.h"

#include <cstdio>

#include <QFile>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

QString runAs(uid_t uid, gid_t gid, const std::function<QString()> &body)
{
    int report[2];
    if (::pipe(report) != 0)
        return QStringLiteral("no pipe for the child's report");
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return QStringLiteral("cannot start a child process");
    if (child == 0) {
        ::close(report[0]);
        QByteArray message;
        if (::setgroups(0, nullptr) != 0 || ::setresgid(gid, gid, gid) != 0 || ::setresuid(uid, uid, uid) != 0)
            message = "cannot become the other user";
        else
            message = body().toUtf8();
        if (!message.isEmpty() && ::write(report[1], message.constData(), size_t(message.size())) < 0)
            ::_exit(2);
        ::_exit(message.isEmpty() ? 0 : 1);
    }
    ::close(report[1]);
    QByteArray message;
    char chunk[512];
    ssize_t got;
    while ((got = ::read(report[0], chunk, sizeof chunk)) > 0)
        message.append(chunk, got);
    ::close(report[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!message.isEmpty())
        return QString::fromUtf8(message);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("the child process as user %1 ended badly (status %2)").arg(uid).arg(status);
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
