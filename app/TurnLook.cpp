// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Picks a highlighted turn row's colours from the palette by contrast and distance.
#include "app/TurnLook.h"

#include <algorithm>
#include <cmath>

#include <QPalette>

namespace {

constexpr TColor PalePink = 0xECECFF; // red 255, green 236, blue 236
constexpr TColor Rose = 0xC4C4FF; // red 255, green 196, blue 196
constexpr TColor DeepRose = 0x2D1E78; // red 120, green 30, blue 45
constexpr TColor Backgrounds[] = {PalePink, Rose, DeepRose};

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &color)
{
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double colorDistance(const QColor &a, const QColor &b)
{
    return std::hypot(a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue());
}

TurnLook highTurnLook(const QPalette &palette, TColor text)
{
    const QColor base = ColorToQColor(clWindow, palette);
    const QColor textColor = ColorToQColor(text, palette);
    const auto standsOut
        = [&base](const QColor &background) { return colorDistance(background, base) >= MinimumRowDistance; };
    for (TColor background : Backgrounds) {
        const QColor color = ColorToQColor(background, palette);
        if (standsOut(color) && contrastRatio(color, textColor) >= MinimumTextContrast)
            return {background, text};
    }
    // The pale pink and the deep rose are far apart: one of them stands out from any window
    // colour, and black or white reaches the contrast on any background.
    for (TColor background : Backgrounds) {
        const QColor color = ColorToQColor(background, palette);
        if (standsOut(color)) {
            const bool black = contrastRatio(color, Qt::black) >= contrastRatio(color, Qt::white);
            return {background, black ? clBlack : clWhite};
        }
    }
    return {PalePink, text};
}
