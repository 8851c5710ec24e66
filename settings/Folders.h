// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Where the settings file lives.

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

// The user's own configuration folder: XDG_CONFIG_HOME when it names an absolute folder, else
// ".config" in the home folder; empty when there is no home folder.
QString GetUserConfigPath();

// The user's own settings folder, "Pontix" in GetUserConfigPath(), which the first save creates;
// empty when there is no home folder.
QString GetUserDataDir();

// The folder of the settings file, the first of:
// 1. appDir, when a "Pontix.ini" is there;
// 2. the all-users "Pontix" folder in appDataPath, when it exists and the user may write in it;
// 3. the user's own "Pontix" folder in userConfigPath (appDir when that names no folder).
// A "Pontix.ini" that is a symbolic link another user could have planted counts as missing, and
// a folder where one sits is passed over, so that nothing is ever read or written through it.
QString ChooseDataDir(const QString &appDir, const QString &appDataPath, const QString &userConfigPath);

// The file the settings are read from: iniPath, or while there is no file there, a readable
// all-users "Pontix/Pontix.ini" in appDataPath, which gives the first values.
QString ChooseReadPath(const QString &iniPath, const QString &appDataPath);

// ChooseReadPath for IniPath and the all-users folder of this run.
QString SettingsReadPath();

// Fixes AppDir, DataDir and IniPath; the application object must exist. Later calls change nothing.
// Nothing is created: the user's own folder comes with the first save.
void InitFolders();
