// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtCore/qnamespace.h>

// Horizontal placement of text, shared by the grid columns, the aligned edit box and the
// field-bound label.
enum TAlignment : quint8 { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

// The placement as a one-line control sets it: horizontally as given, vertically centred.
Qt::Alignment AlignmentToQt(TAlignment alignment);
