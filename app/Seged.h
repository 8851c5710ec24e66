#pragma once

#include <QString>
#include <QVariant>

// Conversions between what the operator types, what a turn-table field holds and what the
// labels show. None of them ever fails: unusable text is a score of 0, an empty field is 0.

// The text reduced to what can make a number: trimmed of blanks and control characters, then
// its digits, a leading minus sign and the first decimal separator, in order.
QString NumericText(const QString &S);

// The typed text as a score; 0 for anything that is not a plain 32-bit integer.
qint32 ScoreFromText(const QString &S);

// The field value as a 32-bit integer, Default when the field is empty.
qint32 VarToIntDef(const QVariant &V, qint32 Default);

// The field value as decimal text, "0" when the field is empty.
QString VarToScoreText(const QVariant &V);

// A when Flag is set, else B.
QVariant ChooseVar(bool Flag, const QVariant &A, const QVariant &B);

// Start-up values, fixed once by InitFolders before the main window exists: the executable's
// folder, the folder of the settings file and the settings file's full path. No trailing "/"
// (but for the root folder itself).
extern QString AppDir;
extern QString DataDir;
extern QString IniPath;

// Folder identifier of the application-data folder shared by all users of the machine.
constexpr int CSIDL_COMMON_APPDATA = 35;

// The running executable's folder, without a trailing "/".
QString GetAppDir();

// The path of a well-known shared folder, empty when there is none for the identifier. The
// all-users application-data folder is the first folder of XDG_CONFIG_DIRS, "/etc/xdg" when that
// names none.
QString GetSpecialFolderPath(int csidl);

// The all-users application-data folder.
QString GetAppDataPath();

// The folder of the settings file: the executable's folder when "Pontix.ini" is there, else the
// "Pontix" folder in the shared application-data folder, else the executable's folder.
QString ChooseDataDir(const QString &appDir, const QString &appDataPath);

// Fixes AppDir, DataDir and IniPath; the application object must exist. Later calls change nothing.
void InitFolders();

// The program-wide start-up before the main window: the folders, the application's names and
// its window icon. The application object must exist.
void InitApplication();
