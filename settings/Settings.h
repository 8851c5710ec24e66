// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include <QString>
#include <QStringView>

// The settings kept between runs, where they stand in the settings file, their defaults, and
// their reading at start and saving at close: the start score and the exact-checkout option, the
// caller's language, which the file holds only once the caller has been switched on, and whether
// the checkout advice is worked out at the level of the player to throw, which it holds only once
// that has been changed.

inline constexpr QStringView SettingsSection = u"Def";
inline constexpr QStringView StartScoreKey = u"Indul";
inline constexpr QStringView ExactCheckoutKey = u"KellKiszallo";
inline constexpr QStringView CallerKey = u"Bemondo";
inline constexpr QStringView PlayerLevelRoutesKey = u"UtvonalSzint";
inline constexpr qint32 DefaultStartScore = 501;
inline constexpr bool DefaultExactCheckout = true;
inline constexpr bool DefaultPlayerLevelRoutes = false;

// The caller: off, or calling in Hungarian or English; written "0", "hu" and "en".
enum class CallerSetting { Off, Hungarian, English };

struct StoredSettings
{
    qint32 startScore = DefaultStartScore;
    bool exactCheckout = DefaultExactCheckout;
    // None until the caller has been switched on: then the file is left without the key. A key of
    // any other value counts as none, so the caller is off.
    std::optional<CallerSetting> caller;
    // None until "Útvonal a játékos szintjén" has been changed (off, DefaultPlayerLevelRoutes):
    // then the file is left without the key. A key that is no whole number counts as none.
    std::optional<bool> playerLevelRoutes {};

    bool routesAtPlayerLevel() const { return playerLevelRoutes.value_or(DefaultPlayerLevelRoutes); }
};

// The settings of the file SettingsReadPath() names, each its default where the file does not say.
StoredSettings ReadSettings();

// Writes the settings to IniPath in one replacement of the file, creating the user's own settings
// folder (private to the user) when IniPath is in it; the caller's key and the advice level's key
// only when they have a value.
// When that cannot be done the file stays as it was, one line naming the file and the reason goes
// to standard error, and the result is false.
bool WriteSettings(const StoredSettings &settings);
