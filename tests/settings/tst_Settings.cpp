// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstdio>
#include <optional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "settings/Folders.h"
#include "settings/Settings.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/Files.h"
#include "tests/support/OtherUser.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/StandardError.h"
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// The settings kept for every user: where they are read and saved, in real files in temporary
// folders that stand for the all-users folder and the home folder; the caller's key beside the two
// settings of old.
class tst_Settings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newUserKeepsSettings();
    void firstValuesFromAllUsersFile();
    void bothKeysInOneReplacement();
    void failedSaveReported_data();
    void failedSaveReported();
    void plantedLink_data();
    void plantedLink();
    void secondUserSavesInSharedFolder();
    void callerKey_data();
    void callerKey();
    void addedKeys_data();
    void addedKeys();
    void playerLevelRoutesKey_data();
    void playerLevelRoutesKey();
    void languageKey_data();
    void languageKey();

private:
    QString path(const QString &name) const { return m_sandbox->filePath(name); }
    QString sharedFolder() const { return path(u"etc/Pontix"_s); }
    QString ownFolder() const { return path(u"home/.config/Pontix"_s); }

    std::optional<SettingsSandbox> m_sandbox;
};

namespace {

bool makeFolder(const QString &path, mode_t mode)
{
    return QDir().mkpath(path) && ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

mode_t modeOf(const QString &path)
{
    struct stat st = {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// The folders of a fresh start, as InitFolders fixes them from the environment.
void startAfresh()
{
    AppDir.clear();
    DataDir.clear();
    IniPath.clear();
    InitFolders();
}

// The start score and the exact checkout, nothing added.
StoredSettings twoKeys(qint32 startScore, bool exactCheckout)
{
    StoredSettings settings;
    settings.startScore = startScore;
    settings.exactCheckout = exactCheckout;
    return settings;
}

QString describe(const StoredSettings &s)
{
    return QStringLiteral("%1/%2").arg(s.startScore).arg(s.exactCheckout);
}

} // namespace

void tst_Settings::init()
{
    // XDG_CONFIG_DIRS names "etc", HOME "home", XDG_CONFIG_HOME is unset.
    m_sandbox.emplace();
    QVERIFY(m_sandbox->isValid());
    // Nothing beside the test program may decide the place.
    QVERIFY(!QFileInfo::exists(QCoreApplication::applicationDirPath() + u"/Pontix.ini"_s));
}

void tst_Settings::cleanup()
{
    AppDir.clear();
    DataDir.clear();
    IniPath.clear();
    m_sandbox.reset();
}

// Installed where the user may not write, no shared set-up: the settings go to the user's own
// folder, made at the first save for the user alone, and come back at the next start.
void tst_Settings::newUserKeepsSettings()
{
    startAfresh();
    QCOMPARE(DataDir, ownFolder());
    QCOMPARE(IniPath, ownFolder() + u"/Pontix.ini"_s);
    QVERIFY(!QFileInfo::exists(path(u"home"_s)));
    QCOMPARE(describe(ReadSettings()), u"501/1"_s);

    QVERIFY(WriteSettings(twoKeys(301, false)));
    QCOMPARE(fileBytes(IniPath), "[Def]\nIndul=301\nKellKiszallo=0\n"_ba);
    for (const QString &folder : {path(u"home"_s), path(u"home/.config"_s), ownFolder()})
        QCOMPARE(modeOf(folder), mode_t(0700));
    QCOMPARE(entries(ownFolder()), QStringList {u"Pontix.ini"_s});

    startAfresh();
    QCOMPARE(describe(ReadSettings()), u"301/0"_s);
    QVERIFY(WriteSettings(twoKeys(170, true)));
    QCOMPARE(fileBytes(IniPath), "[Def]\nIndul=170\nKellKiszallo=1\n"_ba);
}

// An all-users file the user may not write gives the first values; from the first save on, the
// user's own file holds them, and the all-users file stays as it is.
void tst_Settings::firstValuesFromAllUsersFile()
{
    QVERIFY(makeFolder(sharedFolder(), 0755));
    const QByteArray shared = "; the club's set-up\n[Def]\nIndul=301\nKellKiszallo=0\n";
    putFile(sharedFolder() + u"/Pontix.ini"_s, shared);
    QCOMPARE(::chmod(QFile::encodeName(sharedFolder() + u"/Pontix.ini"_s).constData(), 0644), 0);
    QVERIFY(makeFolder(path(u"home"_s), 0755));
    if (runningAsRoot())
        QVERIFY(giveTo(path(u"home"_s), NobodyId, NobodyId));
    else
        QVERIFY(makeFolder(sharedFolder(), 0555));

    const QString problem = runUnprivileged([&]() -> QString {
        startAfresh();
        if (DataDir != ownFolder())
            return u"settings folder "_s + DataDir;
        if (SettingsReadPath() != sharedFolder() + u"/Pontix.ini"_s)
            return u"first values read from "_s + SettingsReadPath();
        if (describe(ReadSettings()) != u"301/0"_s)
            return u"first values "_s + describe(ReadSettings());
        if (!WriteSettings(twoKeys(401, false)))
            return u"not saved"_s;
        startAfresh();
        if (SettingsReadPath() != IniPath || describe(ReadSettings()) != u"401/0"_s)
            return u"read back "_s + describe(ReadSettings()) + u" from "_s + SettingsReadPath();
        return QString();
    });
    QVERIFY(makeFolder(sharedFolder(), 0755));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(fileBytes(ownFolder() + u"/Pontix.ini"_s), "[Def]\nIndul=401\nKellKiszallo=0\n"_ba);
    QCOMPARE(fileBytes(sharedFolder() + u"/Pontix.ini"_s), shared);
    QCOMPARE(modeOf(ownFolder()), mode_t(0700));
}

// Both keys change in one rename of one temporary file: no moment, and no failure, leaves one
// written without the other.
void tst_Settings::bothKeysInOneReplacement()
{
    QVERIFY(makeFolder(sharedFolder(), 0755));
    const QString ini = sharedFolder() + u"/Pontix.ini"_s;
    putFile(ini, "[Def]\nIndul=501\nKellKiszallo=1\n");
    startAfresh();
    QCOMPARE(IniPath, ini);

    const int watcher = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    QVERIFY(watcher >= 0);
    QVERIFY(::inotify_add_watch(watcher, QFile::encodeName(sharedFolder()).constData(), IN_CREATE | IN_MOVED_TO) >= 0);
    QVERIFY(WriteSettings(twoKeys(301, false)));

    QStringList created;
    QStringList renamedTo;
    alignas(inotify_event) char buffer[8192];
    ssize_t got;
    while ((got = ::read(watcher, buffer, sizeof buffer)) > 0) {
        for (char *p = buffer; p < buffer + got;) {
            const auto *event = reinterpret_cast<const inotify_event *>(p);
            const QString name = QFile::decodeName(event->len ? event->name : "");
            (event->mask & IN_CREATE ? created : renamedTo) << name;
            p += sizeof(inotify_event) + event->len;
        }
    }
    ::close(watcher);
    QCOMPARE(created.size(), 1);
    QVERIFY2(created.first().startsWith(u"Pontix.ini.tmp-"_s), qPrintable(created.first()));
    QCOMPARE(renamedTo, QStringList {u"Pontix.ini"_s});
    QCOMPARE(fileBytes(ini), "[Def]\nIndul=301\nKellKiszallo=0\n"_ba);
}

// A save that cannot be made leaves the file as it was and says so in one line on standard error,
// naming the file and the reason.
void tst_Settings::failedSaveReported_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<QString>("reason");

    QTest::newRow("folder missing") << u"folder missing"_s << qt_error_string(ENOENT);
    QTest::newRow("disk full (file size limit)") << u"file size limit"_s << qt_error_string(EFBIG);
    QTest::newRow("read-only file") << u"read-only"_s << u"the file is read-only"_s;
    QTest::newRow("link planted since the start")
        << u"planted"_s << u"is a symbolic link in a folder other users may write"_s;
}

void tst_Settings::failedSaveReported()
{
    QFETCH(QString, obstacle);
    QFETCH(QString, reason);

    QVERIFY(makeFolder(sharedFolder(), 0777));
    startAfresh();
    QCOMPARE(DataDir, sharedFolder());
    const QByteArray content = "[Def]\nIndul=301\nKellKiszallo=0\n" + QByteArray(8000, ';') + '\n';
    const QString target = path(u"victim.ini"_s);
    if (obstacle == u"folder missing"_s) {
        QVERIFY(QDir(sharedFolder()).removeRecursively());
    } else if (obstacle == u"planted"_s) {
        putFile(target, content);
        QVERIFY(QFile::link(target, IniPath));
    } else {
        putFile(IniPath, content);
        if (obstacle == u"read-only"_s)
            QCOMPARE(::chmod(QFile::encodeName(IniPath).constData(), 0444), 0);
    }

    std::optional<FileSizeLimit> limit;
    StandardErrorCapture capture;
    if (obstacle == u"file size limit"_s) {
        limit.emplace(4096);
        QVERIFY(limit->isSet());
    }
    const bool saved = WriteSettings(twoKeys(170, true));
    limit.reset();
    const QString said = QString::fromUtf8(capture.text());

    QVERIFY(!saved);
    QCOMPARE(said.count(u'\n'), 1);
    QVERIFY2(said.startsWith(u"Pontix: settings not saved to "_s + IniPath + u": "_s), qPrintable(said));
    QVERIFY2(said.trimmed().endsWith(reason), qPrintable(said));
    if (obstacle == u"folder missing"_s) {
        QVERIFY(!QFileInfo::exists(sharedFolder()));
    } else if (obstacle == u"planted"_s) {
        QCOMPARE(fileBytes(target), content);
        QCOMPARE(entries(sharedFolder()), QStringList {u"Pontix.ini"_s});
    } else {
        QCOMPARE(fileBytes(IniPath), content);
        QCOMPARE(entries(sharedFolder()), QStringList {u"Pontix.ini"_s});
    }
}

// A link another user planted at the all-users file, aimed at some file of the user's (as root:
// any file) or at a file of the planter's: never read, never written; the settings live in the
// user's own folder instead.
void tst_Settings::plantedLink_data()
{
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<bool>("targetOfOther"); // the link points at a file of the planter's

    // The planter is nobody when the tests run as root; else the link is the user's own, which
    // a folder others may write does not make any safer.
    QTest::newRow("folder all may write, user's file") << 0777 << false;
    QTest::newRow("folder all may write, planter's file") << 0777 << true;
    QTest::newRow("sticky folder, user's file") << 01777 << false;
    QTest::newRow("sticky folder, planter's file") << 01777 << true;
    QTest::newRow("private folder, link of another user") << 0755 << false;
}

void tst_Settings::plantedLink()
{
    QFETCH(int, folderMode);
    QFETCH(bool, targetOfOther);
    if (folderMode == 0755 && !runningAsRoot())
        QSKIP("a link owned by another user needs the superuser to make; run the tests as root for this case");

    QVERIFY(makeFolder(sharedFolder(), mode_t(folderMode)));
    const QString target = path(targetOfOther ? u"planter.ini"_s : u"victim.conf"_s);
    const QByteArray content = "[Def]\nIndul=7\nKellKiszallo=0\n";
    putFile(target, content);
    const QString link = sharedFolder() + u"/Pontix.ini"_s;
    QVERIFY(QFile::link(target, link));
    if (runningAsRoot()) {
        QVERIFY(giveTo(link, NobodyId, NobodyId));
        if (targetOfOther)
            QVERIFY(giveTo(target, NobodyId, NobodyId));
    }
    const QDateTime modified = QFileInfo(target).lastModified();

    startAfresh();
    QCOMPARE(DataDir, ownFolder());
    QCOMPARE(describe(ReadSettings()), u"501/1"_s);
    QVERIFY(WriteSettings(twoKeys(301, false)));

    QCOMPARE(fileBytes(target), content);
    QCOMPARE(QFileInfo(target).lastModified(), modified);
    QCOMPARE(QFile::symLinkTarget(link), target);
    QCOMPARE(entries(sharedFolder()), QStringList {u"Pontix.ini"_s});
    QCOMPARE(fileBytes(IniPath), "[Def]\nIndul=301\nKellKiszallo=0\n"_ba);
}

// Users of one group share an administrator's set-up: each one's save keeps the file's group and
// permissions, so the next one can save too.
void tst_Settings::secondUserSavesInSharedFolder()
{
    if (!runningAsRoot())
        QSKIP("two other users of one group need the superuser; run the tests as root for this case");
    QVERIFY(makeFolder(sharedFolder(), 0770));
    QVERIFY(giveTo(sharedFolder(), 0, NobodyId));
    const QString ini = sharedFolder() + u"/Pontix.ini"_s;
    putFile(ini, "[Def]\nIndul=301\nKellKiszallo=1\n; kept\n");
    QVERIFY(giveTo(ini, 0, NobodyId));
    QCOMPARE(::chmod(QFile::encodeName(ini).constData(), 0664), 0);

    const auto saveAs = [&](uid_t user, const QString &expected, StoredSettings settings) {
        return runAs(user, NobodyId, [&]() -> QString {
            startAfresh();
            if (DataDir != sharedFolder())
                return u"settings folder "_s + DataDir;
            if (describe(ReadSettings()) != expected)
                return u"read "_s + describe(ReadSettings());
            return WriteSettings(settings) ? QString() : u"not saved"_s;
        });
    };
    const auto check = [&](uid_t owner) {
        struct stat st = {};
        QCOMPARE(::stat(QFile::encodeName(ini).constData(), &st), 0);
        QCOMPARE(st.st_uid, owner);
        QCOMPARE(st.st_gid, gid_t(NobodyId));
        QCOMPARE(st.st_mode & 07777, mode_t(0664));
        QCOMPARE(entries(sharedFolder()), QStringList {u"Pontix.ini"_s});
    };

    QString problem = saveAs(NobodyId, u"301/1"_s, twoKeys(401, true));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    check(NobodyId);
    if (QTest::currentTestFailed())
        return;
    problem = saveAs(SecondUserId, u"401/1"_s, twoKeys(501, false));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    check(SecondUserId);
    if (QTest::currentTestFailed())
        return;
    problem = saveAs(NobodyId, u"501/0"_s, twoKeys(170, false));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    check(NobodyId);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(fileBytes(ini), "[Def]\nIndul=170\nKellKiszallo=0\n; kept\n"_ba);
}

// The caller's key is written only once the caller has been switched on, in the same replacement
// as the other two, which read and write as they always did; a value other than 0, hu and en, or
// none, is a caller that was never switched on.
void tst_Settings::callerKey_data()
{
    QTest::addColumn<QByteArray>("before"); // empty: no file
    QTest::addColumn<QString>("read"); // start score / exact checkout / caller
    QTest::addColumn<QString>("write"); // the caller written back: none, 0, hu or en
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("no file, never switched on")
        << QByteArray() << u"501/1/none"_s << u"none"_s << "[Def]\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("two keys, never switched on") << "[Def]\nIndul=301\nKellKiszallo=0\n"_ba << u"301/0/none"_s
                                                 << u"none"_s << "[Def]\nIndul=301\nKellKiszallo=0\n"_ba;
    QTest::newRow("switched on: the key added at the section's end")
        << "[Def]\nIndul=301\nKellKiszallo=0\n[Other]\nx=1\n"_ba << u"301/0/none"_s << u"hu"_s
        << "[Def]\nIndul=301\nKellKiszallo=0\nBemondo=hu\n[Other]\nx=1\n"_ba;
    QTest::newRow("switched off again: replaced in place")
        << "[Def]\nIndul=301\nBemondo=hu\nKellKiszallo=0\n"_ba << u"301/0/hu"_s << u"0"_s
        << "[Def]\nIndul=301\nBemondo=0\nKellKiszallo=0\n"_ba;
    QTest::newRow("off stays written") << "[Def]\nBemondo=0\n"_ba << u"501/1/0"_s << u"0"_s
                                       << "[Def]\nBemondo=0\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("English, any case of the key, blanks around the value")
        << "[def]\nBEMONDO = en \n"_ba << u"501/1/en"_s << u"en"_s
        << "[def]\nBemondo=en\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("another value is off and stays until switched on")
        << "[Def]\nBemondo=HU\n"_ba << u"501/1/none"_s << u"none"_s
        << "[Def]\nBemondo=HU\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("another value replaced once switched on")
        << "[Def]\nBemondo=1\n"_ba << u"501/1/none"_s << u"en"_s << "[Def]\nBemondo=en\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("empty value") << "[Def]\nBemondo=\n"_ba << u"501/1/none"_s << u"none"_s
                                 << "[Def]\nBemondo=\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("in another section") << "[Other]\nBemondo=hu\n"_ba << u"501/1/none"_s << u"none"_s
                                        << "[Other]\nBemondo=hu\n[Def]\nIndul=501\nKellKiszallo=1\n"_ba;
}

void tst_Settings::callerKey()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, read);
    QFETCH(QString, write);
    QFETCH(QByteArray, after);

    static const QStringList names {u"0"_s, u"hu"_s, u"en"_s};
    QVERIFY(makeFolder(sharedFolder(), 0755));
    startAfresh();
    QCOMPARE(DataDir, sharedFolder());
    if (!before.isEmpty())
        putFile(IniPath, before);

    const StoredSettings stored = ReadSettings();
    QCOMPARE(describe(stored) + u'/' + (stored.caller ? names[int(*stored.caller)] : u"none"_s), read);

    StoredSettings written = stored;
    written.caller.reset();
    if (write != u"none"_s)
        written.caller = CallerSetting(names.indexOf(write));
    QVERIFY(WriteSettings(written));
    QCOMPARE(fileBytes(IniPath), after);
}

namespace {

template <typename T> QString addedText(const std::optional<T> &value)
{
    return value ? QString::number(qint32(*value)) : u"-"_s;
}

// Double out, legs, sets, two clear legs, all legs, the checkout's darts, the display's routes (a "-"
// for none), then exact checkout.
QString describeAdded(const StoredSettings &s)
{
    return QStringList {addedText(s.doubleOut), addedText(s.legs), addedText(s.sets), addedText(s.twoClearLegs),
        addedText(s.allLegs), addedText(s.checkoutDarts), addedText(s.displayRoutes), QString::number(s.exactCheckout)}
        .join(u'/');
}

// "Key=value" pairs separated by blanks, each applied as the operator's change of that setting.
void applyChanges(StoredSettings &s, const QString &changes)
{
    for (const QString &change : changes.split(u' ', Qt::SkipEmptyParts)) {
        const QString key = change.section(u'=', 0, 0);
        const int value = change.section(u'=', 1).toInt();
        if (key == DoubleOutSetting.key)
            changeSetting(s.doubleOut, DoubleOutSetting, value != 0);
        else if (key == LegsSetting.key)
            changeSetting(s.legs, LegsSetting, value);
        else if (key == SetsSetting.key)
            changeSetting(s.sets, SetsSetting, value);
        else if (key == TwoClearLegsSetting.key)
            changeSetting(s.twoClearLegs, TwoClearLegsSetting, value != 0);
        else if (key == AllLegsSetting.key)
            changeSetting(s.allLegs, AllLegsSetting, value != 0);
        else if (key == CheckoutDartsSetting.key)
            changeSetting(s.checkoutDarts, CheckoutDartsSetting, value != 0);
        else if (key == DisplayRoutesSetting.key)
            changeSetting(s.displayRoutes, DisplayRoutesSetting, value != 0);
        else
            QFAIL(qPrintable(u"no such setting: "_s + key));
    }
}

} // namespace

void tst_Settings::addedKeys_data()
{
    QTest::addColumn<QByteArray>("before"); // empty: no file
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("changes");
    QTest::addColumn<QByteArray>("after");

    const QByteArray plain = "[Def]\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("never changed, never written") << QByteArray() << u"-/-/-/-/-/-/-/1"_s << QString() << plain;
    QTest::newRow("set to the defaults, still not written")
        << QByteArray() << u"-/-/-/-/-/-/-/1"_s
        << u"DuplaKiszallo=0 Legek=0 Szettek=0 KetLeg=0 MindenLeg=0 KiszalloNyil=0 KijelzoUtvonal=1"_s << plain;
    QTest::newRow("each changed: added at the section's end")
        << "[Def]\nIndul=301\nKellKiszallo=1\n[Other]\nx=1\n"_ba << u"-/-/-/-/-/-/-/1"_s
        << u"DuplaKiszallo=1 Legek=3 Szettek=2 KetLeg=1 MindenLeg=1 KiszalloNyil=1 KijelzoUtvonal=0"_s
        << "[Def]\nIndul=301\nKellKiszallo=1\nDuplaKiszallo=1\nLegek=3\nSzettek=2\nKetLeg=1\nMindenLeg=1\n"
           "KiszalloNyil=1\nKijelzoUtvonal=0\n[Other]\nx=1\n"_ba;
    QTest::newRow("back to the default: stays written, replaced in place")
        << "[Def]\nLegek=3\nMindenLeg=1\n"_ba << u"-/3/-/-/1/-/-/1"_s << u"Legek=0 MindenLeg=0"_s
        << "[Def]\nLegek=0\nMindenLeg=0\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("written ones kept as they are")
        << "[Def]\nIndul=501\nKellKiszallo=1\nDuplaKiszallo=0\nSzettek=0\nKetLeg=1\n"_ba << u"0/-/0/1/-/-/-/1"_s
        << QString() << "[Def]\nIndul=501\nKellKiszallo=1\nDuplaKiszallo=0\nSzettek=0\nKetLeg=1\n"_ba;
    QTest::newRow("double out brings the exact checkout")
        << "[Def]\nKellKiszallo=0\nDuplaKiszallo=1\n"_ba << u"1/-/-/-/-/-/-/1"_s << QString()
        << "[Def]\nKellKiszallo=1\nDuplaKiszallo=1\nIndul=501\n"_ba;
    QTest::newRow("double out off leaves the exact checkout as it is")
        << "[Def]\nKellKiszallo=0\nDuplaKiszallo=0\n"_ba << u"0/-/-/-/-/-/-/0"_s << QString()
        << "[Def]\nKellKiszallo=0\nDuplaKiszallo=0\nIndul=501\n"_ba;
    QTest::newRow("any case of the key, blanks and hexadecimal, the limits")
        << "[def]\nlegek = 0x5 \nSZETTEK=99\nketleg=0\n"_ba << u"-/5/99/0/-/-/-/1"_s << QString()
        << "[def]\nLegek=5\nSzettek=99\nKetLeg=0\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("unusable values count as none and stay until changed")
        << "[Def]\nLegek=-1\nSzettek=100\nKetLeg=2\nMindenLeg=x\nDuplaKiszallo=\n"_ba << u"-/-/-/-/-/-/-/1"_s
        << u"Szettek=4"_s
        << "[Def]\nLegek=-1\nSzettek=4\nKetLeg=2\nMindenLeg=x\nDuplaKiszallo=\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("the darts and the display's routes read, the routes back on")
        << "[Def]\nKiszalloNyil=1\nKijelzoUtvonal=0\n"_ba << u"-/-/-/-/-/1/0/1"_s << u"KijelzoUtvonal=1"_s
        << "[Def]\nKiszalloNyil=1\nKijelzoUtvonal=1\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("in another section") << "[Other]\nLegek=3\n"_ba << u"-/-/-/-/-/-/-/1"_s << QString()
                                        << "[Other]\nLegek=3\n[Def]\nIndul=501\nKellKiszallo=1\n"_ba;
}

// The added keys are read when usable, written only once changed from their default, and read
// back as they were written.
void tst_Settings::addedKeys()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, read);
    QFETCH(QString, changes);
    QFETCH(QByteArray, after);

    QVERIFY(makeFolder(sharedFolder(), 0755));
    startAfresh();
    if (!before.isEmpty())
        putFile(IniPath, before);

    StoredSettings stored = ReadSettings();
    QCOMPARE(describeAdded(stored), read);
    applyChanges(stored, changes);
    QVERIFY(WriteSettings(stored));
    QCOMPARE(fileBytes(IniPath), after);
    QCOMPARE(describeAdded(ReadSettings()), describeAdded(stored));
}

// "Útvonal a játékos szintjén" is written only once it has been changed, beside the other keys,
// which read and write as they always did; a value that is no whole number is one never changed.
void tst_Settings::playerLevelRoutesKey_data()
{
    QTest::addColumn<QByteArray>("before"); // empty: no file
    QTest::addColumn<QString>("read"); // none, 0 or 1
    QTest::addColumn<bool>("on"); // as read, the default where none
    QTest::addColumn<QString>("write"); // written back: none, 0 or 1
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("no file, never changed")
        << QByteArray() << u"none"_s << false << u"none"_s << "[Def]\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("changed: the key added at the section's end")
        << "[Def]\nIndul=301\nKellKiszallo=0\n[Other]\nx=1\n"_ba << u"none"_s << false << u"1"_s
        << "[Def]\nIndul=301\nKellKiszallo=0\nUtvonalSzint=1\n[Other]\nx=1\n"_ba;
    QTest::newRow("switched off again: replaced in place")
        << "[Def]\nUtvonalSzint=1\nIndul=301\n"_ba << u"1"_s << true << u"0"_s
        << "[Def]\nUtvonalSzint=0\nIndul=301\nKellKiszallo=1\n"_ba;
    QTest::newRow("any case of the key, any other whole number is on")
        << "[def]\nutvonalszint = 7 \n"_ba << u"1"_s << true << u"1"_s
        << "[def]\nUtvonalSzint=1\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("no whole number: never changed, left as it is")
        << "[Def]\nUtvonalSzint=igen\n"_ba << u"none"_s << false << u"none"_s
        << "[Def]\nUtvonalSzint=igen\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("beside the caller") << "[Def]\nBemondo=hu\n"_ba << u"none"_s << false << u"1"_s
                                       << "[Def]\nBemondo=hu\nIndul=501\nKellKiszallo=1\nUtvonalSzint=1\n"_ba;
}

void tst_Settings::playerLevelRoutesKey()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, read);
    QFETCH(bool, on);
    QFETCH(QString, write);
    QFETCH(QByteArray, after);

    QVERIFY(makeFolder(sharedFolder(), 0755));
    startAfresh();
    if (!before.isEmpty())
        putFile(IniPath, before);

    const StoredSettings stored = ReadSettings();
    const QString asRead = stored.playerLevelRoutes ? QString::number(int(*stored.playerLevelRoutes)) : u"none"_s;
    QCOMPARE(asRead, read);
    QCOMPARE(stored.routesAtPlayerLevel(), on);

    StoredSettings written = stored;
    written.playerLevelRoutes.reset();
    if (write != u"none"_s)
        written.playerLevelRoutes = write == u"1"_s;
    QVERIFY(WriteSettings(written));
    QCOMPARE(fileBytes(IniPath), after);
}

// "Nyelv" is written only once the operator has chosen a language, and from then on whatever the
// choice is, automatic included; a value outside 0 to 2 counts as never chosen and stays.
void tst_Settings::languageKey_data()
{
    QTest::addColumn<QByteArray>("before"); // empty: no file
    QTest::addColumn<int>("read"); // -1: none
    QTest::addColumn<int>("chosen"); // -1: nothing chosen
    QTest::addColumn<QByteArray>("after");

    const auto English = int(LanguageChoice::English);
    const auto Automatic = int(LanguageChoice::Automatic);
    QTest::newRow("never chosen, never written") << QByteArray() << -1 << -1 << "[Def]\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("automatic chosen while none: still not written")
        << QByteArray() << -1 << Automatic << "[Def]\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("English chosen: added at the section's end")
        << "[Def]\nIndul=301\n[Other]\nx=1\n"_ba << -1 << English
        << "[Def]\nIndul=301\nKellKiszallo=1\nNyelv=2\n[Other]\nx=1\n"_ba;
    QTest::newRow("back to automatic: stays, replaced in place")
        << "[Def]\nNyelv=2\nIndul=501\n"_ba << English << Automatic << "[Def]\nNyelv=0\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("Hungarian kept as it is") << "[Def]\nnyelv = 1 \n"_ba << int(LanguageChoice::Hungarian) << -1
                                             << "[Def]\nNyelv=1\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("out of range: none, left as it is")
        << "[Def]\nNyelv=3\n"_ba << -1 << -1 << "[Def]\nNyelv=3\nIndul=501\nKellKiszallo=1\n"_ba;
    QTest::newRow("no number: none, left as it is")
        << "[Def]\nNyelv=en\n"_ba << -1 << -1 << "[Def]\nNyelv=en\nIndul=501\nKellKiszallo=1\n"_ba;
}

void tst_Settings::languageKey()
{
    QFETCH(QByteArray, before);
    QFETCH(int, read);
    QFETCH(int, chosen);
    QFETCH(QByteArray, after);

    QVERIFY(makeFolder(sharedFolder(), 0755));
    startAfresh();
    if (!before.isEmpty())
        putFile(IniPath, before);

    StoredSettings stored = ReadSettings();
    QCOMPARE(stored.language ? int(*stored.language) : -1, read);
    QCOMPARE(ReadLanguageSetting(), stored.language);
    if (chosen >= 0)
        changeSetting(stored.language, LanguageSetting, LanguageChoice(chosen));
    QVERIFY(WriteSettings(stored));
    QCOMPARE(fileBytes(IniPath), after);
    QCOMPARE(ReadSettings().language, stored.language);
}

QTEST_GUILESS_MAIN(tst_Settings)
#include "tst_Settings.moc"
