// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/SafeFile.h"

#include <cerrno>
#include <climits>
#include <cstring>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Links deeper than this are taken for a loop, as the system itself does.
constexpr int MaxLinks = 40;

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

// The superuser can change anything anyway; no other user is trusted.
bool trustedOwner(uid_t uid)
{
    return uid == ::geteuid() || uid == 0;
}

// A group that holds nobody but the user: the user's private group, named after the user, with no
// other members listed. Its write permission lets no one else in.
bool groupOfUserAlone(gid_t gid)
{
    if (gid != ::getegid())
        return false;
    const passwd *user = ::getpwuid(::geteuid());
    const group *grp = ::getgrgid(gid);
    if (!user || !grp || std::strcmp(grp->gr_name, user->pw_name) != 0)
        return false;
    for (char **member = grp->gr_mem; *member; ++member) {
        if (std::strcmp(*member, user->pw_name) != 0)
            return false;
    }
    return true;
}

// Whether a user other than this one (and the superuser) may add, replace or remove entries in
// the folder: by its permission bits, or by owning it and so being able to change them.
bool othersMayWrite(const struct stat &folder)
{
    if (folder.st_mode & S_IWOTH)
        return true;
    if ((folder.st_mode & S_IWGRP) && !groupOfUserAlone(folder.st_gid))
        return true;
    return !trustedOwner(folder.st_uid);
}

QString refusalOf(const QString &path, const struct stat &link)
{
    if (!trustedOwner(link.st_uid))
        return QStringLiteral("a symbolic link owned by another user");
    struct stat folder = {};
    if (::stat(encoded(QFileInfo(path).path()).constData(), &folder) != 0)
        return QStringLiteral("a symbolic link in a folder that cannot be examined");
    if (othersMayWrite(folder))
        return QStringLiteral("a symbolic link in a folder other users may write");
    return QString();
}

// What the link at Path points to, taken from the link's own folder when relative.
QString linkTarget(const QString &path)
{
    char buffer[PATH_MAX + 1];
    const ssize_t length = ::readlink(encoded(path).constData(), buffer, sizeof buffer - 1);
    if (length <= 0)
        return QString();
    const QString target = QFile::decodeName(QByteArray(buffer, length));
    if (target.startsWith(u'/'))
        return target;
    return QFileInfo(path).path() + u'/' + target;
}

bool writeAll(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, p, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += written;
        left -= written;
    }
    return true;
}

// Removes the temporary files of replacements of FileName whose writer no longer runs: a process
// killed or a machine stopped in the middle of a replacement. Those of running writers stay.
void removeStaleTemporaries(const QString &folder, const QString &fileName)
{
    const QByteArray prefix = encoded(SafeFile::temporaryPrefix(fileName));
    DIR *dir = ::opendir(encoded(folder).constData());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        if (!name.startsWith(prefix))
            continue;
        const QByteArrayView rest = name.sliced(prefix.size());
        const qsizetype dash = rest.indexOf('-');
        bool ok = false;
        const pid_t writer = dash > 0 ? rest.first(dash).toInt(&ok) : 0;
        if (!ok || writer <= 0 || writer == ::getpid())
            continue;
        if (::kill(writer, 0) == 0 || errno != ESRCH)
            continue;
        struct stat st = {};
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(st.st_mode))
            continue;
        ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

// The rename is made durable by syncing its folder. A file system that cannot sync a folder is
// no reason to call the replacement failed: the new file is in place either way.
void syncFolder(const QString &folder)
{
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

QString SafeFile::linkRefusal(const QString &path)
{
    struct stat link = {};
    if (::lstat(encoded(path).constData(), &link) != 0 || !S_ISLNK(link.st_mode))
        return QString();
    return refusalOf(path, link);
}

QString SafeFile::resolved(const QString &path, QString *error)
{
    QString current = path;
    for (int hops = 0;; ++hops) {
        struct stat st = {};
        if (::lstat(encoded(current).constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        const QString refusal = refusalOf(current, st);
        if (!refusal.isEmpty()) {
            fail(error, QStringLiteral("%1 is %2").arg(current, refusal));
            return QString();
        }
        const QString target = linkTarget(current);
        if (hops == MaxLinks || target.isEmpty()) {
            fail(error, QStringLiteral("%1: too many levels of symbolic links").arg(path));
            return QString();
        }
        current = target;
    }
}

SafeFile::ReadResult SafeFile::read(const QString &path, qint64 maxSize, QByteArray &data)
{
    data.clear();
    QString refusal;
    const QString target = resolved(path, &refusal);
    if (!refusal.isEmpty())
        return ReadResult::Missing;
    // Not blocking: a pipe planted in place of the file must not stall the program. O_NOFOLLOW:
    // a link put there since the path was resolved is refused like any other.
    const int fd = ::open(encoded(target).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR || errno == ELOOP ? ReadResult::Missing : ReadResult::Failed;

    ReadResult result = ReadResult::Failed;
    struct stat st = {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= maxSize) {
        QByteArray bytes;
        bytes.reserve(st.st_size);
        char chunk[64 * 1024];
        for (;;) {
            const ssize_t got = ::read(fd, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0 || bytes.size() + got > maxSize)
                break;
            if (got == 0) {
                data = std::move(bytes);
                result = ReadResult::Read;
                break;
            }
            bytes.append(chunk, got);
        }
    }
    ::close(fd);
    return result;
}

bool SafeFile::replace(const QString &path, const QByteArray &data, QString *error)
{
    if (path.isEmpty())
        return fail(error, QStringLiteral("no file named"));
    QString refusal;
    const QString target = resolved(path, &refusal);
    if (!refusal.isEmpty())
        return fail(error, refusal);
    const QFileInfo info(target);
    const QString folder = info.path();
    removeStaleTemporaries(folder, info.fileName());

    struct stat old = {};
    bool hasOld = false;
    if (::lstat(encoded(target).constData(), &old) == 0) {
        if (!S_ISREG(old.st_mode))
            return fail(error, QStringLiteral("%1 is not a regular file").arg(target));
        hasOld = true;
    } else if (errno != ENOENT) {
        return fail(error, qt_error_string(errno));
    }

    // The new file is private until it has the old one's permissions; a new file gets the
    // user's usual ones.
    const QString prefix = folder + u'/' + temporaryPrefix(info.fileName()) + QString::number(::getpid()) + u'-';
    QString temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = prefix + QString::number(QRandomGenerator::system()->generate(), 36);
        fd = ::open(
            encoded(temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, hasOld ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            return fail(error, qt_error_string(errno));
    }
    if (fd < 0)
        return fail(error, QStringLiteral("no free name for a temporary file"));

    const auto abandon = [&](const QString &why) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(encoded(temporary).constData());
        return fail(error, why);
    };
    if (!writeAll(fd, data))
        return abandon(qt_error_string(errno));
    if (hasOld) {
        // The other users of a shared set-up can still save after this one did.
        struct stat made = {};
        const uid_t owner = ::geteuid() == 0 ? old.st_uid : uid_t(-1);
        if (::fstat(fd, &made) != 0)
            return abandon(qt_error_string(errno));
        if ((owner != uid_t(-1) && made.st_uid != owner) || made.st_gid != old.st_gid) {
            if (::fchown(fd, owner, old.st_gid) != 0)
                return abandon(QStringLiteral("cannot keep the file's group: %1").arg(qt_error_string(errno)));
        }
        if (::fchmod(fd, old.st_mode & 0777) != 0)
            return abandon(qt_error_string(errno));
    }
    if (::fsync(fd) != 0)
        return abandon(qt_error_string(errno));
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return abandon(qt_error_string(errno));
    if (::rename(encoded(temporary).constData(), encoded(target).constData()) != 0)
        return abandon(qt_error_string(errno));
    syncFolder(folder);
    return true;
}

QString SafeFile::temporaryPrefix(const QString &fileName)
{
    return fileName + QStringLiteral(".tmp-");
}
