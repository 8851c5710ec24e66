// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/Folders.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "settings/SafeFile.h"
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

QString AppDir;
QString DataDir;
QString IniPath;

namespace {

const QString IniFileName = QStringLiteral("Pontix.ini");
const QString SettingsFolderName = QStringLiteral("Pontix");

// The root folder keeps its one "/".
QString withoutTrailingSlash(QString path)
{
    if (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

QString joinPath(const QString &dir, const QString &name)
{
    return dir.endsWith(u'/') ? dir + name : dir + u'/' + name;
}

// A settings file that may be read and written: a file, reached through no link another user could
// have planted.
bool usableFile(const QString &path)
{
    return SafeFile::linkRefusal(path).isEmpty() && QFileInfo(path).isFile();
}

} // namespace

QString GetAppDir()
{
    return withoutTrailingSlash(QCoreApplication::applicationDirPath());
}

QString GetSpecialFolderPath(int csidl)
{
    if (csidl != CSIDL_COMMON_APPDATA)
        return QString();
    // Relative or empty entries are not folders of the list and are passed over.
    const QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    for (const QString &dir : dirs.split(u':', Qt::SkipEmptyParts)) {
        if (dir.startsWith(u'/'))
            return withoutTrailingSlash(dir);
    }
    return QStringLiteral("/etc/xdg");
}

QString GetAppDataPath()
{
    return GetSpecialFolderPath(CSIDL_COMMON_APPDATA);
}

QString GetUserConfigPath()
{
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.startsWith(u'/'))
        return withoutTrailingSlash(configHome);
    QString home = qEnvironmentVariable("HOME");
    if (!home.startsWith(u'/')) {
        const passwd *user = ::getpwuid(::geteuid());
        home = user ? QFile::decodeName(user->pw_dir) : QString();
    }
    if (!home.startsWith(u'/'))
        return QString();
    return joinPath(withoutTrailingSlash(home), QStringLiteral(".config"));
}

QString GetUserDataDir()
{
    const QString configPath = GetUserConfigPath();
    return configPath.isEmpty() ? QString() : joinPath(configPath, SettingsFolderName);
}

QString ChooseDataDir(const QString &appDir, const QString &appDataPath, const QString &userConfigPath)
{
    if (!appDir.isEmpty() && usableFile(joinPath(appDir, IniFileName)))
        return appDir;
    if (!appDataPath.isEmpty()) {
        const QString shared = joinPath(appDataPath, SettingsFolderName);
        const QByteArray folder = QFile::encodeName(shared);
        if (QFileInfo(shared).isDir() && ::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) == 0
            && SafeFile::linkRefusal(joinPath(shared, IniFileName)).isEmpty())
            return shared;
    }
    if (!userConfigPath.isEmpty())
        return joinPath(userConfigPath, SettingsFolderName);
    return appDir;
}

QString ChooseReadPath(const QString &iniPath, const QString &appDataPath)
{
    if (usableFile(iniPath) || appDataPath.isEmpty())
        return iniPath;
    const QString shared = joinPath(joinPath(appDataPath, SettingsFolderName), IniFileName);
    if (shared != iniPath && usableFile(shared) && QFileInfo(shared).isReadable())
        return shared;
    return iniPath;
}

QString SettingsReadPath()
{
    return ChooseReadPath(IniPath, GetAppDataPath());
}

void InitFolders()
{
    if (!IniPath.isEmpty())
        return;
    AppDir = GetAppDir();
    DataDir = ChooseDataDir(AppDir, GetAppDataPath(), GetUserConfigPath());
    IniPath = joinPath(DataDir, IniFileName);
}
