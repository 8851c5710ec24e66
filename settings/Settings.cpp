// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/Settings.h"

#include <cerrno>
#include <cstdio>

#include <QFile>
#include <QFileInfo>

#include "settings/Folders.h"
#include "settings/IniFile.h"
#include <sys/stat.h>

namespace {

// Folder and any missing folder above it, each made private to the user.
bool makePrivateFolder(const QString &folder, QString *error)
{
    if (QFileInfo(folder).isDir())
        return true;
    const QString parent = QFileInfo(folder).path();
    if (parent != folder && !makePrivateFolder(parent, error))
        return false;
    if (::mkdir(QFile::encodeName(folder).constData(), 0700) == 0 || errno == EEXIST)
        return true;
    *error = QStringLiteral("cannot create %1: %2").arg(folder, qt_error_string(errno));
    return false;
}

// A save that could not be made is no reason to stop the program from closing, nor to show a
// dialog at that moment; the line says what was lost.
bool reportNotSaved(const QString &why)
{
    std::fprintf(stderr, "Pontix: settings not saved to %s: %s\n", qUtf8Printable(IniPath), qUtf8Printable(why));
    return false;
}

constexpr QStringView CallerValues[] = {u"0", u"hu", u"en"};

QString callerText(CallerSetting caller)
{
    return CallerValues[int(caller)].toString();
}

std::optional<CallerSetting> callerFromText(const QString &text)
{
    for (const CallerSetting caller : {CallerSetting::Off, CallerSetting::Hungarian, CallerSetting::English}) {
        if (text == CallerValues[int(caller)])
            return caller;
    }
    return std::nullopt;
}

// A key that reads as a whole number; none when it is missing or reads as something else.
std::optional<bool> storedBool(const IniFile &ini, const QString &section, const QString &key)
{
    const bool asFalse = ini.readBool(section, key, false);
    if (asFalse != ini.readBool(section, key, true))
        return std::nullopt;
    return asFalse;
}

} // namespace

StoredSettings ReadSettings()
{
    const IniFile ini(SettingsReadPath());
    const QString section = SettingsSection.toString();
    return {ini.readInteger(section, StartScoreKey.toString(), DefaultStartScore),
        ini.readBool(section, ExactCheckoutKey.toString(), DefaultExactCheckout),
        callerFromText(ini.readString(section, CallerKey.toString(), QString())),
        storedBool(ini, section, PlayerLevelRoutesKey.toString())};
}

bool WriteSettings(const StoredSettings &settings)
{
    QString error;
    if (!DataDir.isEmpty() && DataDir == GetUserDataDir() && !makePrivateFolder(DataDir, &error))
        return reportNotSaved(error);
    IniFile ini(IniPath);
    QList<std::pair<QString, QString>> entries {{StartScoreKey.toString(), IniFile::integerText(settings.startScore)},
        {ExactCheckoutKey.toString(), IniFile::boolText(settings.exactCheckout)}};
    if (settings.caller)
        entries.append({CallerKey.toString(), callerText(*settings.caller)});
    if (settings.playerLevelRoutes)
        entries.append({PlayerLevelRoutesKey.toString(), IniFile::boolText(*settings.playerLevelRoutes)});
    const bool written = ini.writeStrings(SettingsSection.toString(), entries);
    return written || reportNotSaved(ini.errorString());
}
