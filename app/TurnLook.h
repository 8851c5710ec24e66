// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The colours of a highlighted turn row: marked and legible on any palette.
#pragma once

#include "controls/Colors.h"

// The contrast ratio of two colours by their relative luminance: 1 for the same colour, 21 for
// black against white.
double contrastRatio(const QColor &a, const QColor &b);

// How far apart two backgrounds are, as the distance between their red, green and blue values.
double colorDistance(const QColor &a, const QColor &b);

// The least contrast a row's text keeps against its background.
inline constexpr double MinimumTextContrast = 4.5;
// The least distance between a highlighted row's background and the others': the pale pink
// of the light palette is 27 from white.
inline constexpr double MinimumRowDistance = 24;

// A highlighted row's background and text colour.
struct TurnLook
{
    TColor background;
    TColor text;
};

// The look of a highlighted turn row on the palette, for rows whose text is the given colour:
// the pale pink 0xECECFF with that text wherever it suits the palette (every light palette
// with a white window colour and dark text), else the first of a stronger rose and a deep rose
// that stands out from the window colour and carries the text, else the first that stands out,
// with black or white text, whichever reads better on it.
TurnLook highTurnLook(const QPalette &palette, TColor text);
