// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <optional>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "settings/Folders.h"
#include "tests/support/OtherUser.h"
#include "tests/support/SettingsSandbox.h"
#include <sys/stat.h>

using namespace Qt::StringLiterals;

// The start-up folders: where the executable is, where the settings file is looked for.
class tst_Folders : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void specialFolder_data();
    void specialFolder();
    void otherSpecialFolders();
    void userConfigPath_data();
    void userConfigPath();
    void chooseDataDir_data();
    void chooseDataDir();
    void chooseReadPath_data();
    void chooseReadPath();
    void appDirKeepsLetterCase();
    void initFoldersOnce();

private:
    QString path(const QString &name) const { return m_sandbox->filePath(name); }

    std::optional<SettingsSandbox> m_sandbox;
};

namespace {

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QVERIFY(file.write("[Def]\nIndul=301\n") > 0);
}

bool makeFolder(const QString &path, mode_t mode)
{
    return QDir().mkpath(path) && ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

} // namespace

void tst_Folders::init()
{
    m_sandbox.emplace();
    QVERIFY(m_sandbox->isValid());
}

void tst_Folders::cleanup()
{
    m_sandbox.reset();
}

void tst_Folders::specialFolder_data()
{
    QTest::addColumn<bool>("set");
    QTest::addColumn<QByteArray>("configDirs");
    QTest::addColumn<QString>("expected");

    QTest::newRow("unset") << false << QByteArray() << u"/etc/xdg"_s;
    QTest::newRow("empty") << true << QByteArray() << u"/etc/xdg"_s;
    QTest::newRow("one folder") << true << "/opt/Shared Config"_ba << u"/opt/Shared Config"_s;
    QTest::newRow("several folders") << true << "/srv/Conf:/etc/xdg:/usr/etc"_ba << u"/srv/Conf"_s;
    QTest::newRow("trailing slash") << true << "/srv/conf/:/etc/xdg"_ba << u"/srv/conf"_s;
    QTest::newRow("empty first entry") << true << ":/srv/conf"_ba << u"/srv/conf"_s;
    QTest::newRow("relative first entry") << true << "conf:/srv/conf"_ba << u"/srv/conf"_s;
    QTest::newRow("only relative entries") << true << "conf:other"_ba << u"/etc/xdg"_s;
    QTest::newRow("separators only") << true << ":::"_ba << u"/etc/xdg"_s;
    QTest::newRow("root folder") << true << "/"_ba << u"/"_s;
}

void tst_Folders::specialFolder()
{
    QFETCH(bool, set);
    QFETCH(QByteArray, configDirs);
    QFETCH(QString, expected);

    if (set)
        qputenv("XDG_CONFIG_DIRS", configDirs);
    else
        qunsetenv("XDG_CONFIG_DIRS");
    QCOMPARE(GetSpecialFolderPath(CSIDL_COMMON_APPDATA), expected);
    QCOMPARE(GetAppDataPath(), expected);
}

void tst_Folders::otherSpecialFolders()
{
    qputenv("XDG_CONFIG_DIRS", "/srv/conf");
    QCOMPARE(GetSpecialFolderPath(26), QString()); // the per-user one
    QCOMPARE(GetSpecialFolderPath(0), QString());
    QCOMPARE(GetSpecialFolderPath(-1), QString());
}

void tst_Folders::userConfigPath_data()
{
    QTest::addColumn<std::optional<QByteArray>>("configHome");
    QTest::addColumn<std::optional<QByteArray>>("home");
    QTest::addColumn<QString>("expected");

    const auto none = std::optional<QByteArray>();
    QTest::newRow("XDG_CONFIG_HOME") << std::optional("/srv/Own Config"_ba) << std::optional("/home/a"_ba)
                                     << u"/srv/Own Config"_s;
    QTest::newRow("XDG_CONFIG_HOME with a trailing slash") << std::optional("/srv/conf/"_ba) << none << u"/srv/conf"_s;
    QTest::newRow("XDG_CONFIG_HOME unset") << none << std::optional("/home/a"_ba) << u"/home/a/.config"_s;
    QTest::newRow("XDG_CONFIG_HOME empty")
        << std::optional(""_ba) << std::optional("/home/a/"_ba) << u"/home/a/.config"_s;
    QTest::newRow("XDG_CONFIG_HOME relative")
        << std::optional("conf"_ba) << std::optional("/home/a"_ba) << u"/home/a/.config"_s;
    QTest::newRow("root as home") << none << std::optional("/"_ba) << u"/.config"_s;
}

void tst_Folders::userConfigPath()
{
    QFETCH(std::optional<QByteArray>, configHome);
    QFETCH(std::optional<QByteArray>, home);
    QFETCH(QString, expected);
    for (const auto &[name, value] : {std::pair {"XDG_CONFIG_HOME", configHome}, std::pair {"HOME", home}}) {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    QCOMPARE(GetUserConfigPath(), expected);
    QCOMPARE(GetUserDataDir(), expected + u"/Pontix"_s);
}

// The three places in their order, each decided as an unprivileged user would find them.
void tst_Folders::chooseDataDir_data()
{
    QTest::addColumn<QString>("besideExecutable");
    QTest::addColumn<QString>("allUsers");
    QTest::addColumn<bool>("home");
    QTest::addColumn<QString>("expected");

    QTest::newRow("a file beside the executable wins") << u"file"_s << u"writable, file"_s << true << u"app"_s;
    QTest::newRow("a trusted link beside the executable") << u"trusted link"_s << u"writable"_s << true << u"app"_s;
    QTest::newRow("a link planted beside the executable")
        << u"planted link"_s << u"writable"_s << true << u"all users"_s;
    QTest::newRow("a dangling link beside the executable") << u"dangling link"_s << u"missing"_s << true << u"own"_s;
    QTest::newRow("a folder beside the executable") << u"folder"_s << u"writable"_s << true << u"all users"_s;
    QTest::newRow("a name in another letter case") << u"other case"_s << u"writable"_s << true << u"all users"_s;
    QTest::newRow("all-users folder writable, no file yet") << u"none"_s << u"writable"_s << true << u"all users"_s;
    QTest::newRow("all-users folder writable, with a file")
        << u"none"_s << u"writable, file"_s << true << u"all users"_s;
    QTest::newRow("all-users folder not writable") << u"none"_s << u"not writable, file"_s << true << u"own"_s;
    QTest::newRow("no all-users folder") << u"none"_s << u"missing"_s << true << u"own"_s;
    QTest::newRow("a link planted in the all-users folder")
        << u"none"_s << u"writable, planted link"_s << true << u"own"_s;
    QTest::newRow("no home folder") << u"none"_s << u"missing"_s << false << u"app"_s;
}

void tst_Folders::chooseDataDir()
{
    QFETCH(QString, besideExecutable);
    QFETCH(QString, allUsers);
    QFETCH(bool, home);
    QFETCH(QString, expected);

    const QString appDir = path(u"Program Files/Pontix"_s);
    const QString appData = path(u"Shared"_s);
    const QString shared = appData + u"/Pontix"_s;
    const QString configHome = home ? path(u"home/.config"_s) : QString();
    const QString elsewhere = path(u"elsewhere.ini"_s);
    touch(elsewhere);
    QVERIFY(makeFolder(appDir, besideExecutable == u"planted link"_s ? 0777 : 0755));
    QVERIFY(makeFolder(appData, 0755));
    const QString appIni = appDir + u"/Pontix.ini"_s;
    if (besideExecutable == u"file"_s)
        touch(appIni);
    else if (besideExecutable == u"folder"_s)
        QVERIFY(QDir().mkdir(appIni));
    else if (besideExecutable == u"other case"_s)
        touch(appDir + u"/pontix.ini"_s);
    else if (besideExecutable == u"dangling link"_s)
        QVERIFY(QFile::link(path(u"gone.ini"_s), appIni));
    else if (besideExecutable != u"none"_s)
        QVERIFY(QFile::link(elsewhere, appIni));

    if (allUsers != u"missing"_s)
        QVERIFY(makeFolder(shared, 0755));
    if (allUsers.endsWith(u", file"_s))
        touch(shared + u"/Pontix.ini"_s);
    else if (allUsers.endsWith(u", planted link"_s))
        QVERIFY(QFile::link(elsewhere, shared + u"/Pontix.ini"_s));
    // Writable for the unprivileged user as the permission bits say, whoever owns the folder.
    if (allUsers != u"missing"_s)
        QVERIFY(makeFolder(shared, allUsers.startsWith(u"writable"_s) ? 0777 : 0555));

    const QString wanted = expected == u"app"_s ? appDir
        : expected == u"all users"_s            ? shared
                                                : configHome + u"/Pontix"_s;
    const QString problem = runUnprivileged([&]() -> QString {
        const QString chosen = ChooseDataDir(appDir, appData, configHome);
        return chosen == wanted ? QString() : u"chose "_s + chosen;
    });
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    // Choosing creates nothing.
    QCOMPARE(QFileInfo::exists(shared), allUsers != u"missing"_s);
    QVERIFY(!QFileInfo::exists(path(u"home"_s)));
}

// The user's own file once it exists; before, a readable all-users file gives the first values.
void tst_Folders::chooseReadPath_data()
{
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("allUsers");
    QTest::addColumn<QString>("expected");

    QTest::newRow("own file") << u"file"_s << u"readable"_s << u"own"_s;
    QTest::newRow("no own file, a readable all-users file") << u"none"_s << u"readable"_s << u"all users"_s;
    QTest::newRow("no own file, an unreadable all-users file") << u"none"_s << u"unreadable"_s << u"own"_s;
    QTest::newRow("no own file, no all-users file") << u"none"_s << u"none"_s << u"own"_s;
    QTest::newRow("no own file, a link planted in the all-users folder") << u"none"_s << u"planted link"_s << u"own"_s;
    QTest::newRow("a link planted as the own file") << u"planted link"_s << u"readable"_s << u"all users"_s;
}

void tst_Folders::chooseReadPath()
{
    QFETCH(QString, own);
    QFETCH(QString, allUsers);
    QFETCH(QString, expected);

    const QString appData = path(u"Shared"_s);
    const QString sharedIni = appData + u"/Pontix/Pontix.ini"_s;
    const QString ownFolder = path(u"home/.config/Pontix"_s);
    const QString ownIni = ownFolder + u"/Pontix.ini"_s;
    const QString elsewhere = path(u"elsewhere.ini"_s);
    touch(elsewhere);
    QVERIFY(makeFolder(ownFolder, own == u"planted link"_s ? 0777 : 0755));
    QVERIFY(makeFolder(appData + u"/Pontix"_s, allUsers == u"planted link"_s ? 0777 : 0755));
    if (own == u"file"_s)
        touch(ownIni);
    else if (own == u"planted link"_s)
        QVERIFY(QFile::link(elsewhere, ownIni));
    if (allUsers == u"planted link"_s) {
        QVERIFY(QFile::link(elsewhere, sharedIni));
    } else if (allUsers != u"none"_s) {
        touch(sharedIni);
        QVERIFY(QFile::setPermissions(sharedIni,
            allUsers == u"readable"_s ? QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther
                                      : QFileDevice::Permissions()));
    }

    const QString wanted = expected == u"own"_s ? ownIni : sharedIni;
    const QString problem = runUnprivileged([&]() -> QString {
        const QString chosen = ChooseReadPath(ownIni, appData);
        return chosen == wanted ? QString() : u"reads "_s + chosen;
    });
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void tst_Folders::appDirKeepsLetterCase()
{
    const QString appDir = path(u"MixedCase/Bin"_s);
    QVERIFY(QDir().mkpath(appDir));
    touch(appDir + u"/Pontix.ini"_s);
    const QString appData = path(u"Shared"_s);
    const QString configHome = path(u"home/.config"_s);
    QCOMPARE(ChooseDataDir(appDir, appData, configHome), appDir);
    QCOMPARE(ChooseDataDir(appDir.toLower(), appData, configHome), configHome + u"/Pontix"_s);

    const QString exeDir = QCoreApplication::applicationDirPath();
    QVERIFY(!exeDir.isEmpty());
    QCOMPARE(GetAppDir(), exeDir);
}

void tst_Folders::initFoldersOnce()
{
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_sandbox->path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(path(u"config"_s)));
    QVERIFY(IniPath.isEmpty());
    InitFolders();

    QCOMPARE(AppDir, QCoreApplication::applicationDirPath());
    const bool besideExecutable = QFileInfo(AppDir + u"/Pontix.ini"_s).isFile();
    QCOMPARE(DataDir, besideExecutable ? AppDir : path(u"config/Pontix"_s));
    QCOMPARE(IniPath, DataDir + u"/Pontix.ini"_s);
    QVERIFY(!QFileInfo::exists(path(u"Pontix"_s)));
    QVERIFY(!QFileInfo::exists(path(u"config"_s)));

    // Fixed for the run: a later call changes nothing.
    const QString iniPath = IniPath;
    qputenv("XDG_CONFIG_DIRS", "/srv/elsewhere");
    qputenv("XDG_CONFIG_HOME", "/srv/elsewhere");
    InitFolders();
    QCOMPARE(IniPath, iniPath);
}

QTEST_GUILESS_MAIN(tst_Folders)
#include "tst_Folders.moc"
