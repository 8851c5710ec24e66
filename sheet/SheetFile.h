// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRectF>
#include <QSize>
#include <QString>

#include "sheet/LegChart.h"

class QAbstractItemModel;
class QPainter;
class ResultView;

// The result sheet saved as a file: its title, its table and the chart of the leg the view shows,
// on a white page.

// The size of a sheet saved as PNG: an A4 page across, at 150 dots an inch.
inline constexpr QSize SheetPictureSize {1754, 1240};

// Draws the sheet into the rectangle: the title, the table with its column headers, and the chart
// below it, the type as large as the page's width and height allow.
void PaintResultSheet(QPainter &painter, const QRectF &rect, const QString &title, const QAbstractItemModel &table,
    const LegCourse &chart);

// Saves what the view shows to the path, as PDF (an A4 page across) or PNG as its suffix says
// (".pdf" or ".png", any case). Returns an empty text when saved, else why it was not: then nothing
// is left at the path, and a file that stood there before stays as it was.
QString SaveResultSheet(const ResultView &view, const QString &path);
