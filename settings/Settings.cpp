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

// An added setting's value in the file: none for a missing key, or a value that is no integer or
// lies outside the setting's range. A yes-or-no setting reads 0 as no and 1 as yes.
template <typename T> std::optional<T> readAdded(const IniFile &ini, const AddedSetting<T> &setting)
{
    const std::optional<qint32> value = ini.readOptionalInteger(SettingsSection.toString(), setting.key.toString());
    if (!value || *value < qint32(setting.lowest) || *value > qint32(setting.highest))
        return std::nullopt;
    return T(*value);
}

template <typename T>
void appendAdded(
    QList<std::pair<QString, QString>> &entries, const std::optional<T> &value, const AddedSetting<T> &setting)
{
    if (value)
        entries.append({setting.key.toString(), IniFile::integerText(qint32(*value))});
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
    StoredSettings stored {ini.readInteger(section, StartScoreKey.toString(), DefaultStartScore),
        ini.readBool(section, ExactCheckoutKey.toString(), DefaultExactCheckout),
        callerFromText(ini.readString(section, CallerKey.toString(), QString())), readAdded(ini, DoubleOutSetting),
        readAdded(ini, LegsSetting), readAdded(ini, SetsSetting), readAdded(ini, TwoClearLegsSetting),
        readAdded(ini, AllLegsSetting), storedBool(ini, section, PlayerLevelRoutesKey.toString()),
        readAdded(ini, CheckoutDartsSetting), readAdded(ini, DisplayRoutesSetting), readAdded(ini, LanguageSetting)};
    // Double out includes the exact checkout: a file that asks for the one asks for the other.
    if (valueOf(stored.doubleOut, DoubleOutSetting))
        stored.exactCheckout = true;
    return stored;
}

std::optional<LanguageChoice> ReadLanguageSetting()
{
    return readAdded(IniFile(SettingsReadPath()), LanguageSetting);
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
    appendAdded(entries, settings.doubleOut, DoubleOutSetting);
    appendAdded(entries, settings.legs, LegsSetting);
    appendAdded(entries, settings.sets, SetsSetting);
    appendAdded(entries, settings.twoClearLegs, TwoClearLegsSetting);
    appendAdded(entries, settings.allLegs, AllLegsSetting);
    if (settings.playerLevelRoutes)
        entries.append({PlayerLevelRoutesKey.toString(), IniFile::boolText(*settings.playerLevelRoutes)});
    appendAdded(entries, settings.checkoutDarts, CheckoutDartsSetting);
    appendAdded(entries, settings.displayRoutes, DisplayRoutesSetting);
    appendAdded(entries, settings.language, LanguageSetting);
    const bool written = ini.writeStrings(SettingsSection.toString(), entries);
    return written || reportNotSaved(ini.errorString());
}
