// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

constexpr TColor SystemColorFlag = 0xFF000000;

QColor systemColor(quint32 index, const QPalette &palette)
{
    switch (index) {
    case 0: // scroll bar
    case 15: // button face
        return palette.color(QPalette::Button);
    case 2: // active caption
    case 13: // highlight
    case 30: // menu highlight
        return palette.color(QPalette::Highlight);
    case 3: // inactive caption
        return palette.color(QPalette::Inactive, QPalette::Highlight);
    case 5: // window
        return palette.color(QPalette::Base);
    case 6: // window frame
    case 21: // 3D dark shadow
        return palette.color(QPalette::Shadow);
    case 7: // menu text
        return palette.color(QPalette::WindowText);
    case 8: // window text
        return palette.color(QPalette::Text);
    case 9: // caption text
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 12: // application workspace
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 17: // grey (disabled) text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 19: // inactive caption text
        return palette.color(QPalette::Disabled, QPalette::WindowText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 22: // 3D light
        return palette.color(QPalette::Midlight);
    case 23: // tool tip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tool tip background
        return palette.color(QPalette::ToolTipBase);
    case 26: // hot-tracked item
        return palette.color(QPalette::Link);
    default: // desktop, menus, borders, menu bar and anything unknown
        return palette.color(QPalette::Window);
    }
}

} // namespace

QColor ColorToQColor(TColor color, const QPalette &palette)
{
    if ((color & SystemColorFlag) == SystemColorFlag)
        return systemColor(color & 0x00FFFFFFu, palette);
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

QColor ColorToQColor(TColor color)
{
    return ColorToQColor(color, QGuiApplication::palette());
}
