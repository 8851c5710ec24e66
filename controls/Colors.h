// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

class QPalette;

// A colour as the scoreboard names it: red in the low byte, then green, then blue. A value
// whose top byte is 0xFF names a system colour by its index instead.
using TColor = quint32;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clWhite = 0xFFFFFF;

inline constexpr TColor clWindow = 0xFF000005;
inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clHighlight = 0xFF00000D;
inline constexpr TColor clHighlightText = 0xFF00000E;
inline constexpr TColor clBtnFace = 0xFF00000F;
inline constexpr TColor clGrayText = 0xFF000011;
inline constexpr TColor clBtnText = 0xFF000012;

// The one conversion to QColor. System colours resolve through the given palette
// (window = Base, highlight, highlighted text, grey text = disabled Text ...).
QColor ColorToQColor(TColor color, const QPalette &palette);
// The same, resolving system colours through the application palette.
QColor ColorToQColor(TColor color);
