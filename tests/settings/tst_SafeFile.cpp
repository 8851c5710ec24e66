// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <algorithm>
#include <csignal>
#include <memory>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "settings/SafeFile.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/Files.h"
#include "tests/support/OtherUser.h"
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// Reading and replacing the settings file: links another user could have planted are never
// followed, a replacement is whole or nothing, whatever stops it midway.
class tst_SafeFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void linkRefusal_data();
    void linkRefusal();
    void throughLinks_data();
    void throughLinks();
    void notAFile_data();
    void notAFile();
    void noPath();
    void keepsPermissionBits();
    void keepsGroupAndOwner();
    void diskFull_data();
    void diskFull();
    void killedMidway();
    void staleTemporaries();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString folder(const QString &name, mode_t mode);
    QStringList entries(const QString &folder) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

bool makeLink(const QString &target, const QString &link)
{
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) == 0;
}

// What the link at Path holds, as written.
QString linkText(const QString &path)
{
    char buffer[4096];
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), buffer, sizeof buffer);
    return length < 0 ? QString() : QFile::decodeName(QByteArray(buffer, length));
}

struct stat statOf(const QString &path)
{
    struct stat st = {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Both contents of the file a killed writer alternates between, large enough that the writer is
// caught in the middle now and then.
QByteArray version(char fill)
{
    return "[Def]\nIndul=" + QByteArray(1, fill) + '\n' + QByteArray(4 * 1024 * 1024, fill) + '\n';
}

} // namespace

void tst_SafeFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // Other users of the tests must reach the folders inside.
    QVERIFY(QFile::setPermissions(m_dir->path(),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
            | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther));
}

void tst_SafeFile::cleanup()
{
    m_dir.reset();
}

QString tst_SafeFile::folder(const QString &name, mode_t mode)
{
    const QString made = path(name);
    if (!QDir().mkpath(made) || ::chmod(QFile::encodeName(made).constData(), mode) != 0)
        return QString();
    return made;
}

QStringList tst_SafeFile::entries(const QString &folder) const
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

void tst_SafeFile::linkRefusal_data()
{
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<bool>("folderOfOther"); // the folder belongs to nobody (needs root)
    QTest::addColumn<bool>("linkOfOther"); // the link belongs to nobody (needs root)
    QTest::addColumn<bool>("link");
    QTest::addColumn<QString>("refusal");

    const QString sharedFolder = u"a symbolic link in a folder other users may write"_s;
    QTest::newRow("private folder") << 0700 << false << false << true << QString();
    QTest::newRow("folder others may read") << 0755 << false << false << true << QString();
    QTest::newRow("folder all may write") << 0777 << false << false << true << sharedFolder;
    QTest::newRow("sticky folder all may write") << 01777 << false << false << true << sharedFolder;
    QTest::newRow("folder of another user") << 0755 << true << false << true << sharedFolder;
    QTest::newRow("group-writable folder of another group") << 0775 << true << false << true << sharedFolder;
    QTest::newRow("link of another user")
        << 0755 << false << true << true << u"a symbolic link owned by another user"_s;
    QTest::newRow("a file, not a link, in a folder all may write") << 0777 << false << false << false << QString();
}

void tst_SafeFile::linkRefusal()
{
    QFETCH(int, folderMode);
    QFETCH(bool, folderOfOther);
    QFETCH(bool, linkOfOther);
    QFETCH(bool, link);
    QFETCH(QString, refusal);
    if ((folderOfOther || linkOfOther) && !runningAsRoot())
        QSKIP("giving a file to another user needs the superuser; run the tests as root for this case");

    const QString target = path(u"target.ini"_s);
    putFile(target, "[Def]\nIndul=301\n");
    const QString where = folder(u"place"_s, mode_t(folderMode));
    QVERIFY(!where.isEmpty());
    const QString ini = where + u"/Pontix.ini"_s;
    if (link)
        QVERIFY(makeLink(target, ini));
    else
        putFile(ini, "[Def]\n");
    if (folderOfOther)
        QVERIFY(giveTo(where, NobodyId, NobodyId));
    if (linkOfOther)
        QVERIFY(giveTo(ini, NobodyId, NobodyId));

    QCOMPARE(SafeFile::linkRefusal(ini), refusal);
}

// A trusted link is followed for reading and writing, and stays a link; a planted one is never
// followed: it reads as no file, a replacement through it fails, and it and its target stay as
// they were.
void tst_SafeFile::throughLinks_data()
{
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<bool>("linkOfOther");
    QTest::addColumn<bool>("relative");
    QTest::addColumn<bool>("chain"); // the link points at another trusted link
    QTest::addColumn<bool>("followed");

    QTest::newRow("trusted") << 0700 << false << false << false << true;
    QTest::newRow("trusted, relative") << 0755 << false << true << false << true;
    QTest::newRow("trusted, to another trusted link") << 0700 << false << false << true << true;
    QTest::newRow("planted in a folder all may write") << 0777 << false << false << false << false;
    QTest::newRow("planted in a sticky folder all may write") << 01777 << false << false << false << false;
    QTest::newRow("planted, relative") << 0777 << false << true << false << false;
    QTest::newRow("planted, owned by another user") << 0755 << true << false << false << false;
}

void tst_SafeFile::throughLinks()
{
    QFETCH(int, folderMode);
    QFETCH(bool, linkOfOther);
    QFETCH(bool, relative);
    QFETCH(bool, chain);
    QFETCH(bool, followed);
    if (linkOfOther && !runningAsRoot())
        QSKIP("giving a link to another user needs the superuser; run the tests as root for this case");

    const QString targetFolder = folder(u"target"_s, 0700);
    const QString target = targetFolder + u"/victim.ini"_s;
    const QByteArray content = "; someone's file\n[Def]\nIndul=7\n";
    putFile(target, content);
    const QString where = folder(u"place"_s, mode_t(folderMode));
    const QString ini = where + u"/Pontix.ini"_s;
    QString pointed = relative ? u"../target/victim.ini"_s : target;
    if (chain) {
        QVERIFY(makeLink(target, targetFolder + u"/middle.ini"_s));
        pointed = targetFolder + u"/middle.ini"_s;
    }
    QVERIFY(makeLink(pointed, ini));
    if (linkOfOther)
        QVERIFY(giveTo(ini, NobodyId, NobodyId));

    QCOMPARE(SafeFile::resolved(ini).isEmpty(), !followed);
    QByteArray read;
    QCOMPARE(SafeFile::read(ini, 1024, read), followed ? SafeFile::ReadResult::Read : SafeFile::ReadResult::Missing);
    QCOMPARE(read, followed ? content : QByteArray());

    QString error;
    QCOMPARE(SafeFile::replace(ini, "[Def]\nIndul=301\n", &error), followed);
    QCOMPARE(linkText(ini), pointed);
    if (followed) {
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(fileBytes(target), "[Def]\nIndul=301\n"_ba);
    } else {
        QVERIFY2(error.startsWith(ini + u" is a symbolic link"_s), qPrintable(error));
        QCOMPARE(fileBytes(target), content);
    }
    QCOMPARE(entries(where), QStringList {u"Pontix.ini"_s});
    QCOMPARE(entries(targetFolder),
        chain ? (QStringList {u"middle.ini"_s, u"victim.ini"_s}) : QStringList {u"victim.ini"_s});
}

// Something that is not a regular file is neither read (a pipe would stall the program) nor
// replaced.
void tst_SafeFile::notAFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("pipe") << u"pipe"_s;
    QTest::newRow("folder") << u"folder"_s;
}

void tst_SafeFile::notAFile()
{
    QFETCH(QString, kind);
    const QString ini = path(u"Pontix.ini"_s);
    if (kind == u"pipe"_s)
        QCOMPARE(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
    else
        QVERIFY(QDir().mkdir(ini));

    QByteArray read = "left over";
    QCOMPARE(SafeFile::read(ini, 1024, read), SafeFile::ReadResult::Failed);
    QVERIFY(read.isEmpty());
    QString error;
    QVERIFY(!SafeFile::replace(ini, "[Def]\n", &error));
    QCOMPARE(error, ini + u" is not a regular file"_s);
    QCOMPARE(entries(m_dir->path()), QStringList {u"Pontix.ini"_s});
}

// No path names no file: nothing is read, and nothing is made in the current folder.
void tst_SafeFile::noPath()
{
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    QByteArray read;
    const SafeFile::ReadResult result = SafeFile::read(QString(), 1024, read);
    QString error;
    const bool replaced = SafeFile::replace(QString(), "[Def]\n", &error);
    QVERIFY(QDir::setCurrent(previous));
    QCOMPARE(result, SafeFile::ReadResult::Missing);
    QVERIFY(!replaced);
    QCOMPARE(error, u"no file named"_s);
    QVERIFY(entries(m_dir->path()).isEmpty());
}

void tst_SafeFile::keepsPermissionBits()
{
    const QString ini = path(u"Pontix.ini"_s);
    putFile(ini, "[Def]\nIndul=501\n");
    for (mode_t mode : {0664, 0600, 0640, 0666}) {
        QCOMPARE(::chmod(QFile::encodeName(ini).constData(), mode), 0);
        QVERIFY(SafeFile::replace(ini, "[Def]\nIndul=301\n"));
        QCOMPARE(statOf(ini).st_mode & 07777, mode);
    }
    QCOMPARE(fileBytes(ini), "[Def]\nIndul=301\n"_ba);
}

// The superuser's save of a shared file leaves it to the users it belonged to.
void tst_SafeFile::keepsGroupAndOwner()
{
    if (!runningAsRoot())
        QSKIP("a file of another user and group needs the superuser; run the tests as root for this case");
    const QString ini = path(u"Pontix.ini"_s);
    putFile(ini, "[Def]\nIndul=501\n");
    QVERIFY(giveTo(ini, NobodyId, NobodyId));
    QCOMPARE(::chmod(QFile::encodeName(ini).constData(), 0664), 0);

    QVERIFY(SafeFile::replace(ini, "[Def]\nIndul=301\n"));
    const struct stat st = statOf(ini);
    QCOMPARE(st.st_uid, NobodyId);
    QCOMPARE(st.st_gid, gid_t(NobodyId));
    QCOMPARE(st.st_mode & 07777, mode_t(0664));
}

// A write that cannot be finished leaves the old file and no temporary file. The file size limit
// runs everywhere; a really full file system needs a mount of one's own, which the superuser
// (or a user allowed to make mount namespaces) can make.
void tst_SafeFile::diskFull_data()
{
    QTest::addColumn<bool>("fileSystem");
    QTest::newRow("file size limit") << false;
    QTest::newRow("full file system") << true;
}

void tst_SafeFile::diskFull()
{
    QFETCH(bool, fileSystem);
    const QByteArray before = "[Def]\nIndul=501\n";
    const QByteArray after = "[Def]\nIndul=301\n" + QByteArray(20000, ';') + '\n';

    if (!fileSystem) {
        const QString ini = path(u"Pontix.ini"_s);
        putFile(ini, before);
        FileSizeLimit limit(4096);
        QVERIFY(limit.isSet());
        QString error;
        const bool replaced = SafeFile::replace(ini, after, &error);
        QVERIFY(limit.lift());
        QVERIFY(!replaced);
        QCOMPARE(error, qt_error_string(EFBIG));
        QCOMPARE(fileBytes(ini), before);
        QCOMPARE(entries(m_dir->path()), QStringList {u"Pontix.ini"_s});
        return;
    }

    // In a child process with a mount namespace of its own, so that nothing is mounted for anyone
    // else and nothing stays mounted.
    const QString mountPoint = folder(u"small"_s, 0755);
    const ChildEnd end = runInChild([&](QString &report) {
        const QByteArray point = QFile::encodeName(mountPoint);
        if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", point.constData(), "tmpfs", 0, "size=64k") != 0) {
            report = u"no mount namespace: "_s + qt_error_string(errno);
            return 77;
        }
        const QString ini = mountPoint + u"/Pontix.ini"_s;
        QFile file(ini);
        if (!file.open(QIODevice::WriteOnly) || file.write(before) != before.size() || !file.flush()) {
            report = u"cannot write the old file"_s;
            return 1;
        }
        file.close();
        // Fill what is left.
        QFile filler(mountPoint + u"/filler"_s);
        if (!filler.open(QIODevice::WriteOnly)) {
            report = u"no filler"_s;
            return 1;
        }
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) { }
        filler.close();
        QString error;
        if (SafeFile::replace(ini, after, &error)) {
            report = u"the replacement succeeded on a full file system"_s;
            return 1;
        }
        if (error != qt_error_string(ENOSPC)) {
            report = u"reason: "_s + error;
            return 1;
        }
        QFile old(ini);
        if (!old.open(QIODevice::ReadOnly) || old.readAll() != before) {
            report = u"the old file changed"_s;
            return 1;
        }
        QStringList left = QDir(mountPoint).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        left.sort();
        if (left != QStringList {u"Pontix.ini"_s, u"filler"_s}) {
            report = u"left in the folder: "_s + left.join(u' ');
            return 1;
        }
        return 0;
    });
    QVERIFY(end.pid >= 0);
    QVERIFY(end.exited);
    if (end.status == 77)
        QSKIP(qPrintable(u"a small file system of its own cannot be mounted here ("_s + end.report
            + u"); the file size limit stands in for it"_s));
    QVERIFY2(end.status == 0, qPrintable(end.report));
}

// A writer killed at any moment leaves the old file or the new one whole, never a mixture; the
// temporary file it leaves goes at the next replacement.
void tst_SafeFile::killedMidway()
{
    const QString ini = path(u"Pontix.ini"_s);
    const QByteArray a = version('a');
    const QByteArray b = version('b');
    putFile(ini, a);

    bool caught = false;
    for (int attempt = 0; attempt < 50 && !caught; ++attempt) {
        const pid_t child = startChild([&] {
            for (int i = 0;; ++i)
                SafeFile::replace(ini, i % 2 ? a : b);
        });
        QVERIFY(child >= 0);
        // Kill it the moment a temporary file of its own is there.
        const QString prefix = SafeFile::temporaryPrefix(u"Pontix.ini"_s) + QString::number(child) + u'-';
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 2000) {
            const QStringList names = entries(m_dir->path());
            if (std::any_of(names.begin(), names.end(), [&](const QString &n) { return n.startsWith(prefix); }))
                break;
        }
        ::kill(child, SIGKILL);
        QVERIFY(waitForChild(child) != -1);

        const QByteArray now = fileBytes(ini);
        QVERIFY2(now == a || now == b, "the file is neither the old nor the new content");
        caught = entries(m_dir->path()).size() > 1;
    }
    QVERIFY2(caught, "the writer was never caught in the middle of a replacement");

    QVERIFY(SafeFile::replace(ini, "[Def]\nIndul=301\n"));
    QCOMPARE(entries(m_dir->path()), QStringList {u"Pontix.ini"_s});
    QCOMPARE(fileBytes(ini), "[Def]\nIndul=301\n"_ba);
}

// Only leftovers of writers that no longer run are removed; a save in progress elsewhere keeps its
// temporary file, and nothing else in the folder is touched.
void tst_SafeFile::staleTemporaries()
{
    const QString ini = path(u"Pontix.ini"_s);
    putFile(ini, "[Def]\nIndul=501\n");

    const pid_t gone = startChild([] {});
    QVERIFY(gone >= 0);
    QVERIFY(waitForChild(gone) != -1);
    const pid_t running = ::getppid();

    const QString prefix = SafeFile::temporaryPrefix(u"Pontix.ini"_s);
    const QString stale = prefix + QString::number(gone) + u"-k3x9q"_s;
    const QString staleLink = prefix + QString::number(gone) + u"-link"_s;
    const QString inProgress = prefix + QString::number(running) + u"-a1b2c"_s;
    const QString staleFolder = prefix + QString::number(gone) + u"-dir"_s;
    const QString otherFile = u"Other.ini.tmp-"_s + QString::number(gone) + u"-zz"_s;
    const QString noWriter = prefix + u"x-1"_s;
    putFile(path(stale), "[Def]\nIndul=1");
    putFile(path(inProgress), "[Def]\n");
    putFile(path(otherFile), "x");
    putFile(path(noWriter), "x");
    QVERIFY(makeLink(ini, path(staleLink)));
    QVERIFY(QDir().mkdir(path(staleFolder)));

    QVERIFY(SafeFile::replace(ini, "[Def]\nIndul=301\n"));
    QStringList expected {u"Pontix.ini"_s, inProgress, staleFolder, otherFile, noWriter};
    expected.sort();
    QStringList left = entries(m_dir->path());
    left.sort();
    QCOMPARE(left, expected);
    QCOMPARE(fileBytes(ini), "[Def]\nIndul=301\n"_ba);
}

QTEST_GUILESS_MAIN(tst_SafeFile)
#include "tst_SafeFile.moc"
