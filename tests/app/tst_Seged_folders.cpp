#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "app/Seged.h"

using namespace Qt::StringLiterals;

// The start-up folders: where the executable is, where the settings file is looked for.
class tst_Seged_folders : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void specialFolder_data();
    void specialFolder();
    void otherSpecialFolders();
    void chooseDataDir();
    void appDirKeepsLetterCase();
    void initFoldersOnce();

private:
    QTemporaryDir m_dir;
    QByteArray m_savedConfigDirs;
    bool m_configDirsWereSet = false;
};

namespace {

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QVERIFY(file.write("[Def]\nIndul=301\n") > 0);
}

} // namespace

void tst_Seged_folders::init()
{
    QVERIFY(m_dir.isValid());
    m_configDirsWereSet = qEnvironmentVariableIsSet("XDG_CONFIG_DIRS");
    m_savedConfigDirs = qgetenv("XDG_CONFIG_DIRS");
}

void tst_Seged_folders::cleanup()
{
    if (m_configDirsWereSet)
        qputenv("XDG_CONFIG_DIRS", m_savedConfigDirs);
    else
        qunsetenv("XDG_CONFIG_DIRS");
}

void tst_Seged_folders::specialFolder_data()
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

void tst_Seged_folders::specialFolder()
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

void tst_Seged_folders::otherSpecialFolders()
{
    qputenv("XDG_CONFIG_DIRS", "/srv/conf");
    QCOMPARE(GetSpecialFolderPath(26), QString()); // the per-user one
    QCOMPARE(GetSpecialFolderPath(0), QString());
    QCOMPARE(GetSpecialFolderPath(-1), QString());
}

void tst_Seged_folders::chooseDataDir()
{
    const QString appDir = m_dir.filePath(u"Program Files/Pontix"_s);
    const QString shared = m_dir.filePath(u"Shared"_s);
    QVERIFY(QDir().mkpath(appDir));
    QVERIFY(QDir().mkpath(shared + u"/Pontix"_s));
    touch(shared + u"/Pontix/Pontix.ini"_s);

    // No file next to the executable: the shared folder, whether or not a file is there.
    QCOMPARE(ChooseDataDir(appDir, shared), shared + u"/Pontix"_s);
    QCOMPARE(ChooseDataDir(appDir, m_dir.filePath(u"Nowhere"_s)), m_dir.filePath(u"Nowhere/Pontix"_s));
    QVERIFY(!QFileInfo::exists(m_dir.filePath(u"Nowhere"_s)));
    // No shared folder named: the executable's folder.
    QCOMPARE(ChooseDataDir(appDir, QString()), appDir);

    // A folder of that name is not a settings file.
    QVERIFY(QDir(appDir).mkdir(u"Pontix.ini"_s));
    QCOMPARE(ChooseDataDir(appDir, shared), shared + u"/Pontix"_s);
    QVERIFY(QDir(appDir).rmdir(u"Pontix.ini"_s));

    // A file next to the executable wins, even over one in the shared folder; a name differing
    // only in letter case is another file.
    touch(appDir + u"/pontix.ini"_s);
    QCOMPARE(ChooseDataDir(appDir, shared), shared + u"/Pontix"_s);
    touch(appDir + u"/Pontix.ini"_s);
    QCOMPARE(ChooseDataDir(appDir, shared), appDir);
    QCOMPARE(ChooseDataDir(appDir, QString()), appDir);
}

void tst_Seged_folders::appDirKeepsLetterCase()
{
    const QString appDir = m_dir.filePath(u"MixedCase/Bin"_s);
    QVERIFY(QDir().mkpath(appDir));
    touch(appDir + u"/Pontix.ini"_s);
    QCOMPARE(ChooseDataDir(appDir, u"/etc/xdg"_s), appDir);
    QCOMPARE(ChooseDataDir(appDir.toLower(), u"/etc/xdg"_s), u"/etc/xdg/Pontix"_s);

    const QString exeDir = QCoreApplication::applicationDirPath();
    QVERIFY(!exeDir.isEmpty());
    QCOMPARE(GetAppDir(), exeDir);
}

void tst_Seged_folders::initFoldersOnce()
{
    qputenv("XDG_CONFIG_DIRS", m_dir.path().toLocal8Bit());
    QVERIFY(IniPath.isEmpty());
    InitFolders();

    QCOMPARE(AppDir, QCoreApplication::applicationDirPath());
    const bool besideExecutable = QFileInfo(AppDir + u"/Pontix.ini"_s).isFile();
    QCOMPARE(DataDir, besideExecutable ? AppDir : m_dir.path() + u"/Pontix"_s);
    QCOMPARE(IniPath, DataDir + u"/Pontix.ini"_s);
    QVERIFY(!QFileInfo::exists(m_dir.path() + u"/Pontix"_s));

    // Fixed for the run: a later call changes nothing.
    const QString iniPath = IniPath;
    qputenv("XDG_CONFIG_DIRS", "/srv/elsewhere");
    InitFolders();
    QCOMPARE(IniPath, iniPath);
}

QTEST_GUILESS_MAIN(tst_Seged_folders)
#include "tst_Seged_folders.moc"
