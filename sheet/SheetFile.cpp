// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The result sheet on a page: painted for QPdfWriter or into an image, and written whole or not at
// all through QSaveFile.
#include "sheet/SheetFile.h"

#include <algorithm>

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QSaveFile>

#include "sheet/ResultTableModel.h"
#include "sheet/ResultView.h"

namespace {

// The page's resolution, for the PDF and the PNG alike.
constexpr int Dpi = 150;

QFont pageFont(qreal pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, qRound(pixelSize)));
    font.setBold(bold);
    return font;
}

QPalette pagePalette()
{
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    return palette;
}

// Why a save failed, with the file's own reason.
QString notSaved(const QString &reason)
{
    return QCoreApplication::translate("SheetFile", "Nem sikerült menteni: %1").arg(reason);
}

// The table at the type size given, from its top left: its width and height, drawn only when
// `paint` is set. Columns are as wide as their widest text.
QSizeF paintTable(QPainter *painter, const QPointF &at, const QAbstractItemModel &table, qreal size)
{
    const QFontMetricsF plain(pageFont(size));
    const QFontMetricsF bold(pageFont(size, true));
    const qreal pad = size * 0.5;
    const int columns = table.columnCount();
    const int rows = table.rowCount();
    std::vector<qreal> widths(std::size_t(columns), 0);
    for (int c = 0; c < columns; ++c) {
        for (const QString &line : table.headerData(c, Qt::Horizontal).toString().split(u'\n'))
            widths[std::size_t(c)] = std::max(widths[std::size_t(c)], bold.horizontalAdvance(line));
        for (int r = 0; r < rows; ++r) {
            widths[std::size_t(c)]
                = std::max(widths[std::size_t(c)], bold.horizontalAdvance(table.index(r, c).data().toString()));
        }
        widths[std::size_t(c)] += 2 * pad;
    }
    const qreal headerHeight = 2 * bold.height() + pad;
    const qreal rowHeight = plain.height() + pad;
    qreal width = 0;
    for (const qreal w : widths)
        width += w;
    const QSizeF whole(width, headerHeight + rows * rowHeight);
    if (!painter)
        return whole;

    painter->save();
    painter->fillRect(QRectF(at, QSizeF(width, headerHeight)), QColor(0xE6, 0xE6, 0xE6));
    painter->setPen(QPen(Qt::black, std::max(1.0, size / 16)));
    qreal x = at.x();
    for (int c = 0; c < columns; ++c) {
        const qreal w = widths[std::size_t(c)];
        painter->setFont(pageFont(size, true));
        painter->drawText(
            QRectF(x, at.y(), w, headerHeight), Qt::AlignCenter, table.headerData(c, Qt::Horizontal).toString());
        for (int r = 0; r < rows; ++r) {
            const QModelIndex index = table.index(r, c);
            painter->setFont(pageFont(size, index.data(Qt::FontRole).value<QFont>().bold()));
            painter->drawText(QRectF(x, at.y() + headerHeight + r * rowHeight, w, rowHeight), Qt::AlignCenter,
                index.data().toString());
        }
        x += w;
        painter->drawLine(QPointF(x, at.y()), QPointF(x, at.y() + whole.height()));
    }
    for (int r = 0; r <= rows; ++r) {
        const qreal y = at.y() + headerHeight + r * rowHeight;
        painter->drawLine(QPointF(at.x(), y), QPointF(at.x() + width, y));
    }
    painter->drawRect(QRectF(at, whole));
    painter->restore();
    return whole;
}

} // namespace

void PaintResultSheet(QPainter &painter, const QRectF &rect, const QString &title, const QAbstractItemModel &table,
    const LegCourse &chart)
{
    painter.save();
    painter.fillRect(rect, Qt::white);
    const qreal titleSize = rect.height() * 0.035;
    painter.setFont(pageFont(titleSize, true));
    painter.setPen(Qt::black);
    const QRectF titleRect(rect.left(), rect.top(), rect.width(), titleSize * 1.6);
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, title);

    // The table's type: as large as a fiftieth of the page's height, smaller where its width or
    // the half of the page below the title asks for it.
    const qreal top = titleRect.bottom() + titleSize * 0.5;
    qreal size = rect.height() / 50;
    const QSizeF natural = paintTable(nullptr, {}, table, size);
    size *= std::min({1.0, rect.width() / natural.width(), (rect.height() * 0.5) / natural.height()});
    const QSizeF drawn = paintTable(&painter, QPointF(rect.left(), top), table, size);

    const qreal chartTop = top + drawn.height() + titleSize * 0.8;
    // The chart's type a little larger than the table's, of the same family.
    painter.setFont(pageFont(size));
    paintLegChart(painter, QRectF(rect.left(), chartTop, rect.width(), rect.bottom() - chartTop), chart, pagePalette(),
        size, size * 1.3);
    painter.restore();
}

QString SaveResultSheet(const ResultView &view, const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool pdf = suffix == u"pdf";
    if (!pdf && suffix != u"png")
        return QCoreApplication::translate(
            "SheetFile", "Csak PDF- vagy PNG-fájl menthető: a név .pdf-re vagy .png-re végződjön.");
    const LegCourse empty;
    const LegCourse &chart = view.chart() ? view.chart()->course() : empty;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return notSaved(file.errorString());
    bool drawn = false;
    if (pdf) {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setResolution(Dpi);
        writer.setTitle(view.title());
        writer.setCreator(QStringLiteral("Pontix"));
        QPainter painter;
        if (painter.begin(&writer)) {
            PaintResultSheet(painter, QRectF(0, 0, writer.width(), writer.height()), view.title(), view.model(), chart);
            drawn = painter.end();
        }
    } else {
        QImage image(SheetPictureSize, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(Dpi / 0.0254));
        image.setDotsPerMeterY(qRound(Dpi / 0.0254));
        QPainter painter(&image);
        const qreal margin = Dpi / 3.0;
        painter.fillRect(image.rect(), Qt::white);
        PaintResultSheet(painter, QRectF(image.rect()).adjusted(margin, margin, -margin, -margin), view.title(),
            view.model(), chart);
        painter.end();
        drawn = image.save(&file, "PNG");
    }
    if (!drawn) {
        const QString error = file.errorString();
        file.cancelWriting();
        return notSaved(error);
    }
    if (!file.commit())
        return notSaved(file.errorString());
    return {};
}
