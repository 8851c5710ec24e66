// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

// The X server's own blanking: its screen saver and its display power management (DPMS), turned
// off and restored through the X display DISPLAY names, each time over a connection of its own, so
// that an X server going away never takes Pontix with it between the two.

// What blanking was set to before it was turned off.
struct XBlankingSettings
{
    int timeout = 0;
    int interval = 0;
    int preferBlanking = 0;
    int allowExposures = 0;
    bool powerManaged = false; // DPMS was on
};

// Turns the screen saver and DPMS off; the settings before, none when no X display answers.
std::optional<XBlankingSettings> SwitchXBlankingOff();

// Puts the settings back; false when no X display answers.
bool RestoreXBlanking(const XBlankingSettings &settings);
