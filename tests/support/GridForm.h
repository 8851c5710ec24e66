// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWidget>

#include "controls/DBGrid.h"
#include "tests/support/TurnTable.h"

namespace GridTest {

// The options the main window gives its grids.
inline constexpr TDBGridOptions ProgramOptions
    = dgColumnResize | dgRowLines | dgTabs | dgRowSelect | dgConfirmDelete | dgCancelOnExit;
inline constexpr int ColumnWidth = 80;

// DejaVu Sans comes with fonts-dejavu-core, which scripts/setup installs.
inline QFont cellFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    return font;
}

// Lets every pending update reach the screen.
inline void flushPaints()
{
    for (int k = 0; k < 3; ++k) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// A window like the main window's: an entry box and a grid bound to the turn table, showing e1
// and h1 centred, that passes the focus on to the entry box when it gets it.
template <typename Grid> struct GridForm
{
    explicit GridForm(int visibleRows = 4, TDBGridOptions options = ProgramOptions)
    {
        window.resize(400, 400);
        edit->setGeometry(250, 10, 100, 24);
        grid->setOptions(options);
        grid->setFont(cellFont());
        for (const char *name : {"e1", "h1"}) {
            TColumn *column = grid->Columns()->Add();
            column->setFieldName(QString::fromLatin1(name));
            column->setAlignment(taCenter);
            column->setWidth(ColumnWidth);
        }
        grid->setDataSource(&t.source);
        grid->OnEnter = [this](QObject *) { edit->setFocus(); };
        // Widgets lay themselves out once shown, as the main window's grids do.
        window.show();
        fitRows(visibleRows);
        t.table.OpenTable();
    }

    // Sizes the grid so that exactly `rows` data rows fit, with a few pixels to spare.
    void fitRows(int rows)
    {
        const int frame = 2 * grid->frameWidth();
        grid->setGeometry(0, 0, 2 * ColumnWidth + 20 + grid->verticalScrollBar()->sizeHint().width() + frame,
            grid->TitleRowHeight() + rows * grid->RowHeight() + 3 + frame);
    }

    // Makes the window active with the entry box focused.
    bool activate()
    {
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        edit->setFocus();
        return edit->hasFocus();
    }

    // A full paint of the grid's drawing area.
    QImage picture() const { return grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // What the screen holds now, without painting anything anew.
    QImage shown() const
    {
        const QPoint at = grid->viewport()->mapTo(&window, QPoint(0, 0));
        const QImage whole = window.screen()->grabWindow(window.winId()).toImage();
        return whole.copy(QRect(at, grid->viewport()->size())).convertToFormat(QImage::Format_RGB32);
    }

    TurnTable t;
    QWidget window;
    QLineEdit *const edit = new QLineEdit(&window);
    Grid *const grid = new Grid(&window);
};

} // namespace GridTest
