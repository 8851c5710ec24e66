// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Comparing pictures in tests.
#pragma once

#include <QString>

class QImage;
class QPixmap;

// Where a picture shown differs from the one expected, as a line for the failure message; empty
// when they show the same. Both sides are compared in device pixels and premultiplied, the form a
// pixmap holds them in: the alpha exactly, the colour exactly where a pixel is opaque, and within
// one step per channel where it is partly transparent, since premultiplying rounds there, up or
// down by Qt's build and the CPU's instructions. Transparent pixels are transparent on both sides.
QString pictureDifference(const QImage &shown, const QImage &expected);
QString pictureDifference(const QPixmap &shown, const QPixmap &expected);
