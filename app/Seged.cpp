#include "app/Seged.h"

#include <limits>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QStyleFactory>

#include "app/AppStyle.h"
#include "app/LazyIconEngine.h"
#include "app/SafeFile.h"
#include "app/Version.h"
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace {

bool isBlank(QChar c)
{
    return c.unicode() <= 32;
}

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

QStringView trimmed(QStringView s)
{
    qsizetype first = 0;
    qsizetype last = s.size();
    while (first < last && isBlank(s[first]))
        ++first;
    while (last > first && isBlank(s[last - 1]))
        --last;
    return s.sliced(first, last - first);
}

} // namespace

QString NumericText(const QString &S)
{
    const QStringView text = trimmed(S);
    QString result;
    result.reserve(text.size());
    bool separatorSeen = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            result += c;
        } else if (c == u'-' && i == 0) {
            result += c;
        } else if ((c == u',' || c == u'.') && !separatorSeen) {
            separatorSeen = true;
            result += c;
        }
    }
    return result;
}

qint32 ScoreFromText(const QString &S)
{
    const QString numeric = NumericText(S);
    const QStringView t = trimmed(numeric);
    if (t.isEmpty())
        return 0;

    qsizetype i = 0;
    const bool negative = t[0] == u'-';
    if (negative)
        i = 1;
    if (i == t.size())
        return 0;

    // Accumulate as a negative number so that the smallest 32-bit value fits too.
    constexpr qint64 limit = -qint64(std::numeric_limits<qint32>::min());
    qint64 magnitude = 0;
    for (; i < t.size(); ++i) {
        if (!isDigit(t[i]))
            return 0;
        magnitude = magnitude * 10 + (t[i].unicode() - '0');
        if (magnitude > limit)
            return 0;
    }
    if (negative)
        return qint32(-magnitude);
    if (magnitude > std::numeric_limits<qint32>::max())
        return 0;
    return qint32(magnitude);
}

qint32 VarToIntDef(const QVariant &V, qint32 Default)
{
    if (V.isNull())
        return Default;
    return V.toInt();
}

QString VarToScoreText(const QVariant &V)
{
    if (V.isNull())
        return QStringLiteral("0");
    return QString::number(V.toInt());
}

QVariant ChooseVar(bool Flag, const QVariant &A, const QVariant &B)
{
    return Flag ? A : B;
}

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

void InitApplication()
{
    // The folders are fixed before anything reads the settings file, that is before the main
    // window.
    InitFolders();
    // Before the first widget, so that every widget draws through it; it wraps the style the
    // desktop or the command line chose.
    QApplication::setStyle(new AppStyle(QStyleFactory::create(QApplication::style()->name())));
    QApplication::setApplicationName(QStringLiteral("Pontix"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pontix"));
    QApplication::setApplicationVersion(QString::fromLatin1(PontixVersion));
    // The desktop entry and the AppStream metadata carry the same name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(PontixAppId));
    // Up to 128 pixels: twice the largest size a task switcher shows at scale factor 1. The
    // desktop's own lists take the larger sizes from the installed icon theme.
    // Handed over undecoded: a platform asks for few of the sizes, if any, and only once it shows
    // a window. (These files have no "@2x" twins.)
    auto *files = new LazyIconEngine;
    for (int size : {16, 32, 48, 64, 72, 96, 128})
        files->addFile(
            QStringLiteral(":/assets/icon/pontix-%1.png").arg(size), QSize(size, size), QIcon::Normal, QIcon::Off);
    const QIcon icon(files);
    QApplication::setWindowIcon(icon);
}
