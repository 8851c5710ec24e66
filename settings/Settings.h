// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

// The two settings kept between runs, where they stand in the settings file, their defaults, and
// their reading at start and saving at close.

inline constexpr QStringView SettingsSection = u"Def";
inline constexpr QStringView StartScoreKey = u"Indul";
inline constexpr QStringView ExactCheckoutKey = u"KellKiszallo";
inline constexpr qint32 DefaultStartScore = 501;
inline constexpr bool DefaultExactCheckout = true;

struct StoredSettings
{
    qint32 startScore = DefaultStartScore;
    bool exactCheckout = DefaultExactCheckout;
};

// The settings of the file SettingsReadPath() names, each its default where the file does not say.
StoredSettings ReadSettings();

// Writes both settings to IniPath in one replacement of the file, creating the user's own settings
// folder (private to the user) when IniPath is in it. When that cannot be done the file stays as
// it was, one line naming the file and the reason goes to standard error, and the result is false.
bool WriteSettings(const StoredSettings &settings);
