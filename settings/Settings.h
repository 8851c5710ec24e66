// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include <QString>
#include <QStringView>

// The settings kept between runs, where they stand in the settings file, their defaults, and
// their reading at start and saving at close: the start score and the exact-checkout option, and
// the settings added beside them (the caller's language, double out, the match format, whether the
// checkout advice is worked out at the level of the player to throw, the darts of a checkout, the
// routes on the display), which the file holds only
// once the operator has changed them.

inline constexpr QStringView SettingsSection = u"Def";
inline constexpr QStringView StartScoreKey = u"Indul";
inline constexpr QStringView ExactCheckoutKey = u"KellKiszallo";
inline constexpr QStringView CallerKey = u"Bemondo";
inline constexpr QStringView PlayerLevelRoutesKey = u"UtvonalSzint";
inline constexpr qint32 DefaultStartScore = 501;
inline constexpr bool DefaultExactCheckout = true;
inline constexpr bool DefaultPlayerLevelRoutes = false;

// A setting added beside the two of old: its key and its default, each written here only. The file
// holds its key only once the operator has changed it from the default; from then on it stays.
template <typename T> struct AddedSetting
{
    QStringView key;
    T defaultValue;
    // The lowest and highest value the file may give; others count as no value.
    T lowest;
    T highest;
};

// Double out: 1 or 0. It includes the exact checkout.
inline constexpr AddedSetting<bool> DoubleOutSetting {u"DuplaKiszallo", false, false, true};
// Legs that win the match, or each set, or with "all legs" the legs of the match; 0 for no limit.
inline constexpr AddedSetting<qint32> LegsSetting {u"Legek", 0, 0, 99};
// Sets that win the match; 0 for a match without sets.
inline constexpr AddedSetting<qint32> SetsSetting {u"Szettek", 0, 0, 99};
// The deciding set, or a match without sets, won by two clear legs: 1 or 0.
inline constexpr AddedSetting<bool> TwoClearLegsSetting {u"KetLeg", false, false, true};
// Every leg of the match played, each a point: 1 or 0.
inline constexpr AddedSetting<bool> AllLegsSetting {u"MindenLeg", false, false, true};

// Asks, when a turn checks out, for the darts it took, so that the result sheet counts each leg's
// darts: 1 or 0.
inline constexpr AddedSetting<bool> CheckoutDartsSetting {u"KiszalloNyil", false, false, true};
// The display shows the checkout routes: 1 or 0. Some leagues allow telling a player what they need
// but not how; the operator's status bar keeps its route either way.
inline constexpr AddedSetting<bool> DisplayRoutesSetting {u"KijelzoUtvonal", true, false, true};
// The language of the window from the next start: the user's own (the locale's), Hungarian or
// English; written 0, 1 and 2.
enum class LanguageChoice { Automatic, Hungarian, English };
inline constexpr AddedSetting<LanguageChoice> LanguageSetting {
    u"Nyelv", LanguageChoice::Automatic, LanguageChoice::Automatic, LanguageChoice::English};

// The caller: off, or calling in Hungarian or English; written "0", "hu" and "en".
enum class CallerSetting { Off, Hungarian, English };

struct StoredSettings
{
    qint32 startScore = DefaultStartScore;
    bool exactCheckout = DefaultExactCheckout;
    // None until the caller has been switched on: then the file is left without the key. A key of
    // any other value counts as none, so the caller is off.
    std::optional<CallerSetting> caller;
    // The added settings: none while the file has no usable value for them, and then their key is
    // not written.
    std::optional<bool> doubleOut;
    std::optional<qint32> legs;
    std::optional<qint32> sets;
    std::optional<bool> twoClearLegs;
    std::optional<bool> allLegs;
    // None until "Útvonal a játékos szintjén" has been changed (off, DefaultPlayerLevelRoutes):
    // then the file is left without the key. A key that is no whole number counts as none.
    std::optional<bool> playerLevelRoutes {};
    std::optional<bool> checkoutDarts {};
    std::optional<bool> displayRoutes {};
    // None until "Nyelv" has been changed in the settings panel.
    std::optional<LanguageChoice> language {};

    bool routesAtPlayerLevel() const { return playerLevelRoutes.value_or(DefaultPlayerLevelRoutes); }
};

// The value of an added setting, its default while it has none.
template <typename T> T valueOf(const std::optional<T> &stored, const AddedSetting<T> &setting)
{
    return stored.value_or(setting.defaultValue);
}

// The operator set an added setting to `value`: it is kept once it differs from the default, and
// from then on whatever it is.
template <typename T> void changeSetting(std::optional<T> &stored, const AddedSetting<T> &setting, T value)
{
    if (stored || value != setting.defaultValue)
        stored = value;
}

// The settings of the file SettingsReadPath() names, each its default where the file does not say.
// A file that asks for double out has the exact checkout too, whatever its own key says.
StoredSettings ReadSettings();

// The "Nyelv" choice alone, read before the main window and its settings: none where the file has
// no usable value.
std::optional<LanguageChoice> ReadLanguageSetting();

// Writes the settings to IniPath in one replacement of the file, creating the user's own settings
// folder (private to the user) when IniPath is in it; the caller's key and the other added keys
// only when they have a value. When that cannot be done the file stays as it was, one line naming
// the file and the reason goes to standard error, and the result is false.
bool WriteSettings(const StoredSettings &settings);
