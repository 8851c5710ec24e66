// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// How well text stands out, measured on pictures as a reader's eye meets it.
#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

// The contrast ratio of two colours, from their relative luminance: 1 to 21.
double contrast(QRgb a, QRgb b);
// The colour most pixels of the rectangle have: what the text there is drawn on.
QRgb commonColour(const QImage &image, const QRect &rect);
// The contrast of the text in the rectangle: its strongest pixel against the common colour; 1 when
// nothing is drawn there.
double textContrast(const QImage &image, const QRect &rect);
// The rows of the rectangle holding pixels that stand out from its common colour by 3:1 or more.
int inkHeight(const QImage &image, const QRect &rect);
