// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Comparing pictures in tests.
#pragma once

#include <QImage>

class QPixmap;

// The pixmap's pixels as 32-bit ARGB at a ratio of 1, so that two pixmaps compare pixel for
// pixel whatever format and ratio each was made with.
QImage plainPixels(const QPixmap &pixmap);
