// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMap>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include "controls/DBGrid.h"
#include "tests/support/GridForm.h"

using namespace GridTest;
using Form = GridForm<TDBGrid>;

namespace {

QColor colorOf(TColor color)
{
    return ColorToQColor(color);
}

QColor pixel(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}

// The main window's row colouring: pale pink from a score of 100 on.
void colourRowsFrom100(TDBGrid *grid, TxovMemTable &table)
{
    grid->OnDrawColumnCell
        = [grid, &table](QObject *, const QRect &rect, int dataCol, TColumn *column, TGridDrawState state) {
              const QVariant e1 = table.FieldValue(QStringLiteral("e1"));
              grid->Canvas()->Brush().setColor(!e1.isNull() && e1.toInt() >= 100 ? 0xECECFF : clWindow);
              grid->DrawColumnCellDefault(rect, dataCol, column, state);
          };
}

} // namespace

class tst_DBGrid : public QObject
{
    Q_OBJECT

private slots:
    void options();
    void layout_data();
    void layout();
    void emptyTable_data();
    void emptyTable();
    void rowsFillThenNewestStaysAtBottom();
    void cellPlacement_data();
    void cellPlacement();
    void highlightFrom100();
    void clearBrushLeavesCell();
    void drawStates_data();
    void drawStates();
    void inputLeavesCursor_data();
    void inputLeavesCursor();
    void inputMovesCursorWhenFocused_data();
    void inputMovesCursorWhenFocused();
    void readingOnlyMovesNoCursor_data();
    void readingOnlyMovesNoCursor();
    void readingKeys_data();
    void readingKeys();
    void readingCellFramed();
    void scrollBar_data();
    void scrollBar();
    void repaintsOnlyNewRows_data();
    void repaintsOnlyNewRows();
    void pictureFollowsTable();
    void titleRowAndIndicator();
    void titleCaption();
    void horizontalScrollBar();
    void destroyedWhileTableLives();
};

void tst_DBGrid::options()
{
    TDBGrid grid;
    QCOMPARE(grid.Options(), DefaultDBGridOptions);
    QVERIFY(grid.Options().testFlag(dgEditing));
    grid.setOptions(dgEditing | dgAlwaysShowEditor | dgTitles | dgRowSelect);
    QCOMPARE(grid.Options(), TDBGridOptions(dgTitles | dgRowSelect));
    grid.setOptions(dgEditing | dgAlwaysShowEditor);
    QCOMPARE(grid.Options(), TDBGridOptions(dgEditing | dgAlwaysShowEditor));
}

void tst_DBGrid::layout_data()
{
    QTest::addColumn<TDBGridOptions>("options");
    QTest::addColumn<int>("line");
    QTest::addColumn<bool>("titles");
    QTest::addColumn<bool>("indicator");
    QTest::newRow("program's options") << ProgramOptions << 1 << false << false;
    QTest::newRow("no lines") << TDBGridOptions(dgRowSelect) << 0 << false << false;
    QTest::newRow("titles and indicator")
        << TDBGridOptions(dgTitles | dgIndicator | dgRowLines | dgColLines) << 1 << true << true;
}

void tst_DBGrid::layout()
{
    QFETCH(TDBGridOptions, options);
    QFETCH(int, line);
    QFETCH(bool, titles);
    QFETCH(bool, indicator);
    Form f(5, options);
    QFont titleFont = cellFont();
    titleFont.setPixelSize(20);
    f.grid->setTitleFont(titleFont);
    f.fitRows(5);
    const int h = QFontMetrics(cellFont(), f.grid->viewport()).height();
    const int th = QFontMetrics(titleFont, f.grid->viewport()).height();
    const int colLine = options.testFlag(dgColLines) ? 1 : 0;

    QCOMPARE(f.grid->RowHeight(), h + 3 + line);
    QCOMPARE(f.grid->TitleRowHeight(), titles ? th + 4 + line : 0);
    QCOMPARE(f.grid->VisibleRowCount(), 5);
    QCOMPARE(f.t.table.WindowCapacity(), 5);

    const int k = indicator ? 1 : 0;
    const int t = titles ? 1 : 0;
    const int left = indicator ? 11 + colLine : 0;
    const int top = titles ? th + 4 + line : 0;
    QCOMPARE(f.grid->CellRect(k, t), QRect(left, top, ColumnWidth, h + 3));
    QCOMPARE(f.grid->CellRect(k + 1, t), QRect(left + ColumnWidth + colLine, top, ColumnWidth, h + 3));
    if (indicator)
        QCOMPARE(f.grid->CellRect(0, t), QRect(0, top, 11, h + 3));
    if (titles)
        QCOMPARE(f.grid->CellRect(k, 0), QRect(left, 0, ColumnWidth, th + 4));
    QCOMPARE(f.grid->MouseCoord(left + 5, top + 5), QPoint(k, t));
    QCOMPARE(f.grid->MouseCoord(left + 2 * ColumnWidth + 2 * colLine + 3, top + 5), QPoint(-1, -1));
    // Below the one row of an empty table there is no cell.
    QCOMPARE(f.grid->MouseCoord(left + 5, top + f.grid->RowHeight() + 2), QPoint(-1, -1));

    // One pixel less and the fifth row no longer fits entirely.
    f.grid->resize(f.grid->width(), f.grid->height() - 4);
    QCOMPARE(f.grid->VisibleRowCount(), 4);
    QCOMPARE(f.t.table.WindowCapacity(), 4);
}

void tst_DBGrid::emptyTable_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<TColor>("color");
    QTest::addColumn<TColor>("lineColor");
    QTest::newRow("open") << true << clWindow << clSilver;
    QTest::newRow("closed") << false << clWindow << clSilver;
    QTest::newRow("silver grid") << true << clSilver << clGray;
}

void tst_DBGrid::emptyTable()
{
    QFETCH(bool, open);
    QFETCH(TColor, color);
    QFETCH(TColor, lineColor);
    Form f;
    f.grid->setColor(color);
    if (!open)
        f.t.table.CloseTable();
    QList<QRect> drawn;
    QList<QString> texts;
    f.grid->OnDrawColumnCell = [&](QObject *sender, const QRect &rect, int dataCol, TColumn *column, TGridDrawState) {
        QCOMPARE(sender, f.grid);
        QCOMPARE(column, f.grid->Columns()->Items(dataCol));
        drawn << rect;
        texts << column->Field()->DisplayText();
    };
    const QImage image = f.picture();

    QCOMPARE(f.grid->DataRowCount(), 1);
    if (open) {
        QCOMPARE(drawn, QList<QRect>({f.grid->CellRect(0, 0), f.grid->CellRect(1, 0)}));
        QCOMPARE(texts, QList<QString>({QString(), QString()}));
    } else {
        QVERIFY(drawn.isEmpty());
    }
    const int lineY = f.grid->RowHeight() - 1;
    for (int x : {0, ColumnWidth - 1, ColumnWidth, 2 * ColumnWidth - 1}) {
        QCOMPARE(pixel(image, x, lineY), colorOf(lineColor));
        QCOMPARE(pixel(image, x, lineY - 1), colorOf(color));
        QCOMPARE(pixel(image, x, 0), colorOf(color));
        QCOMPARE(pixel(image, x, lineY + 1), colorOf(color));
        QCOMPARE(pixel(image, x, image.height() - 1), colorOf(color));
    }
    // The line goes as far as the columns; right of them is the grid's colour.
    QCOMPARE(pixel(image, 2 * ColumnWidth, lineY), colorOf(color));
    QCOMPARE(pixel(image, image.width() - 1, lineY), colorOf(color));
}

void tst_DBGrid::rowsFillThenNewestStaysAtBottom()
{
    Form f(4);
    QMap<int, int> shown; // grid row -> e1 read while it was painted
    QList<int> selectedRows;
    f.grid->OnDrawColumnCell = [&](QObject *, const QRect &rect, int dataCol, TColumn *, TGridDrawState state) {
        const int row = rect.top() / f.grid->RowHeight();
        if (dataCol == 0)
            shown[row] = f.t.table.FieldValue(QStringLiteral("e1")).toInt();
        if (state.testFlag(gdSelected) && !selectedRows.contains(row))
            selectedRows << row;
    };
    for (int entries = 1; entries <= 7; ++entries) {
        f.t.addRows(1);
        shown.clear();
        selectedRows.clear();
        f.picture();
        const int rows = std::min(entries, 4);
        QCOMPARE(f.grid->DataRowCount(), rows);
        QCOMPARE(shown.size(), rows);
        for (int row = 0; row < rows; ++row)
            QCOMPARE(shown.value(row), 10 * (entries - rows + row + 1));
        QCOMPARE(selectedRows, QList<int>({rows - 1}));
        // The table's own current row is back after painting.
        QCOMPARE(f.t.table.RowNumber(), entries);
        QCOMPARE(f.t.table.FieldValue(QStringLiteral("e1")).toInt(), 10 * entries);
    }
}

void tst_DBGrid::cellPlacement_data()
{
    QTest::addColumn<TAlignment>("alignment");
    QTest::newRow("left") << taLeftJustify;
    QTest::newRow("right") << taRightJustify;
    QTest::newRow("centre") << taCenter;
}

void tst_DBGrid::cellPlacement()
{
    QFETCH(TAlignment, alignment);
    Form f;
    f.grid->Columns()->Items(0)->setAlignment(alignment);
    f.t.addScores({123});
    // A handler that paints nothing leaves the default drawing.
    QList<QRect> rects;
    f.grid->OnDrawColumnCell = [&](QObject *, const QRect &rect, int, TColumn *, TGridDrawState) { rects << rect; };
    const QImage image = f.picture();
    const QRect cell = f.grid->CellRect(0, 0);
    QCOMPARE(rects.value(0), cell);

    const QString text = QStringLiteral("123");
    const QFontMetrics metrics(cellFont(), f.grid->viewport());
    const int w = metrics.horizontalAdvance(text);
    const int x = alignment == taLeftJustify ? cell.left() + 2
        : alignment == taRightJustify        ? cell.left() + cell.width() - w - 3
                                             : cell.left() + cell.width() / 2 - w / 2;
    QImage expected(cell.size(), QImage::Format_RGB32);
    expected.fill(colorOf(clWindow));
    {
        QPainter painter(&expected);
        painter.setFont(cellFont());
        painter.setPen(colorOf(clWindowText));
        painter.drawText(QPoint(x - cell.left(), 2 + metrics.ascent()), text);
    }
    QCOMPARE(image.copy(cell), expected);
}

void tst_DBGrid::highlightFrom100()
{
    Form f(8);
    colourRowsFrom100(f.grid, f.t.table);
    const QList<QVariant> scores = {100, 99, 180, 0, QVariant(), -5};
    for (const QVariant &score : scores)
        f.t.addScores({score});
    const QImage image = f.picture();
    for (int row = 0; row < scores.size(); ++row) {
        const QVariant &score = scores[row];
        const bool pink = score.isValid() && score.toInt() >= 100;
        for (int col = 0; col < 2; ++col) {
            const QRect cell = f.grid->CellRect(col, row);
            QCOMPARE(pixel(image, cell.left() + 1, cell.top() + 1), colorOf(pink ? 0xECECFF : clWindow));
            QCOMPARE(pixel(image, cell.right(), cell.bottom()), colorOf(pink ? 0xECECFF : clWindow));
        }
    }
    QCOMPARE(colorOf(0xECECFF), QColor(255, 236, 236));
}

void tst_DBGrid::clearBrushLeavesCell()
{
    Form f;
    f.t.addScores({5});
    f.grid->Columns()->Items(0)->setColor(0x00FF00);
    // A clear brush writes the text over what the default drawing left.
    f.grid->OnDrawColumnCell = [&](QObject *, const QRect &rect, int dataCol, TColumn *column, TGridDrawState state) {
        f.grid->Canvas()->Brush().setColor(0x0000FF);
        f.grid->Canvas()->Brush().setStyle(bsClear);
        f.grid->DrawColumnCellDefault(rect, dataCol, column, state);
    };
    const QImage image = f.picture();
    const QRect cell = f.grid->CellRect(0, 0);
    QCOMPARE(pixel(image, cell.left() + 1, cell.top() + 1), QColor(0, 255, 0));
}

void tst_DBGrid::drawStates_data()
{
    QTest::addColumn<TDBGridOptions>("options");
    QTest::addColumn<QList<int>>("selectedCols");
    QTest::newRow("row select") << ProgramOptions << QList<int>({0, 1});
    QTest::newRow("cell select") << TDBGridOptions(dgRowLines) << QList<int>({0});
}

void tst_DBGrid::drawStates()
{
    QFETCH(TDBGridOptions, options);
    QFETCH(QList<int>, selectedCols);
    Form f(4, options);
    f.t.addRows(3);
    f.t.table.MovePrior();
    QMap<QPair<int, int>, TGridDrawState> states;
    f.grid->OnDrawColumnCell = [&](QObject *, const QRect &rect, int dataCol, TColumn *, TGridDrawState state) {
        states[{rect.top() / f.grid->RowHeight(), dataCol}] = state;
    };
    f.picture();
    QCOMPARE(states.size(), 6);
    for (auto it = states.cbegin(); it != states.cend(); ++it) {
        const bool selected = it.key().first == 1 && selectedCols.contains(it.key().second);
        QCOMPARE(it.value().testFlag(gdSelected), selected);
        QVERIFY(!it.value().testFlag(gdFocused)); // the grid is not the focused control
        QVERIFY(!it.value().testFlag(gdFixed));
    }
}

enum class Input { Click, DoubleClick, WheelOnCells, WheelOnScrollBar, PressScrollBarTop, PressScrollBarMiddle, Key };

void tst_DBGrid::inputLeavesCursor_data()
{
    QTest::addColumn<Input>("input");
    QTest::newRow("click on a row") << Input::Click;
    QTest::newRow("double click on a row") << Input::DoubleClick;
    QTest::newRow("wheel over the cells") << Input::WheelOnCells;
    QTest::newRow("wheel over the scroll bar") << Input::WheelOnScrollBar;
    QTest::newRow("press on the scroll bar's top") << Input::PressScrollBarTop;
    QTest::newRow("press on the scroll bar's middle") << Input::PressScrollBarMiddle;
}

static void give(Form &f, Input input)
{
    QWidget *cells = f.grid->viewport();
    QScrollBar *bar = f.grid->verticalScrollBar();
    const QPoint firstRow = f.grid->CellRect(0, 0).center();
    switch (input) {
    case Input::Click:
        QTest::mouseClick(cells, Qt::LeftButton, {}, firstRow);
        break;
    case Input::DoubleClick:
        QTest::mouseDClick(cells, Qt::LeftButton, {}, firstRow);
        break;
    case Input::WheelOnCells:
    case Input::WheelOnScrollBar: {
        QWidget *target = input == Input::WheelOnCells ? cells : static_cast<QWidget *>(bar);
        const QPoint at = input == Input::WheelOnCells ? firstRow : bar->rect().center();
        QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
            Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
        break;
    }
    case Input::PressScrollBarTop:
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, 3));
        break;
    case Input::PressScrollBarMiddle:
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() / 3));
        break;
    case Input::Key:
        QTest::keyClick(f.grid, Qt::Key_Up);
        break;
    }
    flushPaints();
}

void tst_DBGrid::inputLeavesCursor()
{
    QFETCH(Input, input);
    Form f(4);
    f.t.addRows(8);
    int entered = 0;
    f.grid->OnEnter = [&](QObject *sender) {
        QCOMPARE(sender, f.grid);
        ++entered;
        f.edit->setFocus();
    };
    QVERIFY(f.activate());
    give(f, input);
    QCOMPARE(f.t.table.RowNumber(), 8);
    QVERIFY(f.edit->hasFocus());
    // Only presses ask for the focus; wheel turns go nowhere.
    QCOMPARE(entered > 0, input != Input::WheelOnCells && input != Input::WheelOnScrollBar);
}

// The same input moves the cursor once the grid keeps the focus.
void tst_DBGrid::inputMovesCursorWhenFocused_data()
{
    QTest::addColumn<Input>("input");
    QTest::addColumn<int>("rowNumber");
    QTest::newRow("click on the first row") << Input::Click << 5;
    QTest::newRow("wheel over the cells") << Input::WheelOnCells << 7;
    QTest::newRow("wheel over the scroll bar") << Input::WheelOnScrollBar << 7;
    QTest::newRow("press on the scroll bar's top") << Input::PressScrollBarTop << 7;
    QTest::newRow("key up") << Input::Key << 7;
}

void tst_DBGrid::inputMovesCursorWhenFocused()
{
    QFETCH(Input, input);
    QFETCH(int, rowNumber);
    Form f(4);
    f.t.addRows(8);
    f.grid->OnEnter = nullptr;
    QVERIFY(f.activate());
    f.grid->setFocus();
    QVERIFY(f.grid->hasFocus());
    give(f, input);
    QCOMPARE(f.t.table.RowNumber(), rowNumber);
    QCOMPARE(f.grid->verticalScrollBar()->value(), rowNumber);
}

void tst_DBGrid::readingOnlyMovesNoCursor_data()
{
    inputLeavesCursor_data();
    QTest::newRow("key up") << Input::Key;
}

// A grid that is only read moves nothing with any input, also while it holds the focus: the
// cursor, the scroll bar and the picture stay as they were.
void tst_DBGrid::readingOnlyMovesNoCursor()
{
    QFETCH(Input, input);
    Form f(4);
    f.t.addRows(8);
    f.grid->OnEnter = nullptr;
    f.grid->setReadingOnly(true);
    QVERIFY(f.activate());
    f.grid->setFocus(Qt::TabFocusReason);
    QVERIFY(f.grid->hasFocus());
    flushPaints();
    give(f, input);
    flushPaints();
    QCOMPARE(f.t.table.RowNumber(), 8);
    QCOMPARE(f.grid->verticalScrollBar()->value(), 8);
    QCOMPARE(f.grid->Columns()->Items(0)->Width(), ColumnWidth);
}

void tst_DBGrid::readingKeys_data()
{
    QTest::addColumn<QList<int>>("keys"); // pressed in turn, with Ctrl where negative
    QTest::addColumn<QPoint>("cell"); // the reading cell afterwards: data column, shown row
    QTest::addColumn<bool>("hideFirstColumn");

    // Four rows shown, reading starts on the newest: column 0, row 3.
    QTest::newRow("up") << QList<int> {Qt::Key_Up} << QPoint(0, 2) << false;
    QTest::newRow("up past the top") << QList<int> {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up}
                                     << QPoint(0, 0) << false;
    QTest::newRow("down past the bottom") << QList<int> {Qt::Key_Down} << QPoint(0, 3) << false;
    QTest::newRow("right") << QList<int> {Qt::Key_Right} << QPoint(1, 3) << false;
    QTest::newRow("right past the last column") << QList<int> {Qt::Key_Right, Qt::Key_Right} << QPoint(1, 3) << false;
    QTest::newRow("right, left") << QList<int> {Qt::Key_Right, Qt::Key_Left} << QPoint(0, 3) << false;
    QTest::newRow("end, home") << QList<int> {Qt::Key_End, Qt::Key_Home} << QPoint(0, 3) << false;
    QTest::newRow("end") << QList<int> {Qt::Key_End} << QPoint(1, 3) << false;
    QTest::newRow("page up") << QList<int> {Qt::Key_PageUp} << QPoint(0, 0) << false;
    QTest::newRow("page up, page down") << QList<int> {Qt::Key_PageUp, Qt::Key_PageDown} << QPoint(0, 3) << false;
    QTest::newRow("ctrl+home, ctrl+end") << QList<int> {-Qt::Key_Home, Qt::Key_Up, -Qt::Key_End} << QPoint(0, 3)
                                         << false;
    QTest::newRow("ctrl+home") << QList<int> {-Qt::Key_Home} << QPoint(0, 0) << false;
    QTest::newRow("hidden column skipped") << QList<int> {Qt::Key_Left, Qt::Key_Home} << QPoint(1, 3) << true;
}

void tst_DBGrid::readingKeys()
{
    QFETCH(QList<int>, keys);
    QFETCH(QPoint, cell);
    QFETCH(bool, hideFirstColumn);
    Form f(4);
    f.t.addRows(8);
    f.grid->OnEnter = nullptr;
    f.grid->setReadingOnly(true);
    if (hideFirstColumn)
        f.grid->Columns()->Items(0)->setVisible(false);
    QVERIFY(f.activate());
    f.grid->setFocus(Qt::TabFocusReason);
    f.grid->setReadingCell(hideFirstColumn ? 1 : 0, 3);
    for (const int key : keys)
        QTest::keyClick(f.grid, Qt::Key(std::abs(key)), key < 0 ? Qt::ControlModifier : Qt::NoModifier);
    QCOMPARE(f.grid->readingCell(), cell);
    QCOMPARE(f.t.table.RowNumber(), 8);
    QVERIFY(f.grid->hasFocus());

    // Other keys are left to the grid's parent.
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    QApplication::sendEvent(f.grid, &typed);
    QVERIFY(!typed.isAccepted());
}

// While read, the grid frames its reading cell and nothing else: the cursor's row keeps its
// look, the focus highlights no row.
void tst_DBGrid::readingCellFramed()
{
    Form f(4);
    f.t.addRows(3);
    f.grid->OnEnter = nullptr;
    f.grid->setReadingOnly(true);
    QVERIFY(f.activate());
    flushPaints();
    const QImage unfocused = f.picture();
    f.grid->setReadingCell(1, 0);
    // Reached by Tab: the style frames the focus only when the keyboard moved it.
    QTest::keyClick(f.edit, Qt::Key_Tab);
    QVERIFY(f.grid->hasFocus());
    flushPaints();
    const QImage read = f.picture();
    const QRect cell = f.grid->CellRect(1, 0);
    QRect changed;
    for (int y = 0; y < read.height(); ++y) {
        for (int x = 0; x < read.width(); ++x) {
            if (read.pixel(x, y) != unfocused.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
        }
    }
    QVERIFY(!changed.isEmpty());
    QVERIFY2(cell.contains(changed),
        qPrintable(QStringLiteral("changed %1,%2 %3x%4")
                       .arg(changed.x())
                       .arg(changed.y())
                       .arg(changed.width())
                       .arg(changed.height())));
    f.edit->setFocus();
    flushPaints();
    QCOMPARE(f.picture(), unfocused);
}

void tst_DBGrid::scrollBar_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("first");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("empty") << 0 << false << 1 << 1 << false;
    QTest::newRow("one row") << 1 << false << 1 << 1 << false;
    QTest::newRow("three rows") << 3 << false << 3 << 3 << true;
    QTest::newRow("ten rows") << 10 << false << 10 << 10 << true;
    QTest::newRow("ten rows, on the first") << 10 << true << 10 << 1 << true;
}

void tst_DBGrid::scrollBar()
{
    QFETCH(int, rows);
    QFETCH(bool, first);
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(bool, enabled);
    Form f(4);
    f.t.addRows(rows);
    if (first)
        f.t.table.MoveFirst();
    const QScrollBar *bar = f.grid->verticalScrollBar();
    QVERIFY(!bar->isHidden());
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), maximum);
    QCOMPARE(bar->pageStep(), 4);
    QCOMPARE(bar->value(), value);
    QCOMPARE(bar->isEnabled(), enabled);

    // A row being appended has no number yet: the bar stays where it stood.
    f.t.table.AppendRow();
    QCOMPARE(bar->value(), value);
    f.t.table.PostRow();
    QCOMPARE(bar->maximum(), rows + 1);
    QCOMPARE(bar->value(), rows + 1);
    QCOMPARE(bar->isEnabled(), rows + 1 > 1);

    f.t.table.CloseTable();
    QVERIFY(!bar->isEnabled());
    QVERIFY(!bar->isHidden());
}

enum class Change { Entry, EntryNotFull, MoveNextAtBottom, MovePriorAtTop, CompletingEntry, FieldWrite };

using Cells = QList<QPoint>; // (data column, grid row)

void tst_DBGrid::repaintsOnlyNewRows_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<Cells>("painted");
    const auto row = [](int r) { return Cells({{0, r}, {1, r}}); };
    QTest::newRow("entry on a full grid") << Change::Entry << row(2) + row(3);
    QTest::newRow("entry on a grid with room") << Change::EntryNotFull << row(1) + row(2);
    QTest::newRow("completing entry") << Change::CompletingEntry << row(3);
    QTest::newRow("field written in a new row") << Change::FieldWrite << row(3);
    QTest::newRow("next row below the window") << Change::MoveNextAtBottom << row(2) + row(3);
    QTest::newRow("prior row above the window") << Change::MovePriorAtTop << row(0) + row(1);
}

void tst_DBGrid::repaintsOnlyNewRows()
{
    QFETCH(Change, change);
    QFETCH(Cells, painted);
    Form f(4);
    f.t.addRows(change == Change::EntryNotFull ? 2 : 9);
    if (change == Change::MoveNextAtBottom) {
        f.t.table.MoveFirst();
        f.t.table.MoveRows(3);
    } else if (change == Change::MovePriorAtTop) {
        f.t.table.MoveRows(-3);
    } else if (change == Change::FieldWrite) {
        f.t.table.AppendRow();
    }
    colourRowsFrom100(f.grid, f.t.table);
    QVERIFY(f.activate());
    flushPaints();
    Cells drawn;
    auto colour = f.grid->OnDrawColumnCell;
    f.grid->OnDrawColumnCell
        = [&](QObject *sender, const QRect &rect, int dataCol, TColumn *column, TGridDrawState state) {
              drawn << QPoint(dataCol, rect.top() / f.grid->RowHeight());
              colour(sender, rect, dataCol, column, state);
          };

    switch (change) {
    case Change::Entry:
    case Change::EntryNotFull:
        f.t.addScores({150});
        break;
    case Change::CompletingEntry:
        f.t.table.EditRow();
        f.t.table.setFieldValue(QStringLiteral("e2"), 45);
        f.t.table.setFieldValue(QStringLiteral("h2"), 456);
        f.t.table.PostRow();
        break;
    case Change::FieldWrite:
        f.t.table.setFieldValue(QStringLiteral("e1"), 150);
        break;
    case Change::MoveNextAtBottom:
        f.t.table.MoveNext();
        break;
    case Change::MovePriorAtTop:
        f.t.table.MovePrior();
        break;
    }
    flushPaints();
    std::sort(drawn.begin(), drawn.end(),
        [](QPoint a, QPoint b) { return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x()); });
    QCOMPARE(drawn, painted);
    // What the screen shows is what a full paint gives.
    QCOMPARE(f.shown(), f.picture());
}

// Whatever the table does, the picture on the screen stays what a full paint would give.
void tst_DBGrid::pictureFollowsTable()
{
    Form f(5);
    colourRowsFrom100(f.grid, f.t.table);
    QVERIFY(f.activate());
    QRandomGenerator random(20240601);
    auto &table = f.t.table;
    for (int step = 0; step < 300; ++step) {
        const int operations = 1 + random.bounded(3);
        for (int k = 0; k < operations; ++k) {
            switch (random.bounded(12)) {
            case 0:
            case 1:
            case 2:
                f.t.addScores({random.bounded(-10, 181)});
                break;
            case 3:
                if (table.State() == TDataSetState::dsBrowse)
                    table.AppendRow();
                break;
            case 4:
                if (table.State() == TDataSetState::dsBrowse && table.RowCount() > 0)
                    table.EditRow();
                if (table.State() != TDataSetState::dsBrowse)
                    table.setFieldValue(
                        random.bounded(2) ? QStringLiteral("e1") : QStringLiteral("h1"), random.bounded(181));
                break;
            case 5:
                if (table.State() != TDataSetState::dsBrowse)
                    table.PostRow();
                else if (table.RowCount() > 0)
                    table.DeleteRow();
                break;
            case 6:
                table.MoveRows(random.bounded(-7, 8));
                break;
            case 7:
                table.MoveNext();
                break;
            case 8:
                table.MovePrior();
                break;
            case 9:
                random.bounded(2) ? table.MoveFirst() : table.MoveLast();
                break;
            case 10:
                if (random.bounded(8) == 0)
                    table.RemoveAllRows();
                else if (table.State() != TDataSetState::dsBrowse)
                    table.CancelRow();
                break;
            case 11:
                if (random.bounded(4) == 0)
                    f.fitRows(3 + random.bounded(4));
                break;
            }
        }
        flushPaints();
        const QImage shown = f.shown();
        const QImage full = f.picture();
        if (shown != full) {
            shown.save(QStringLiteral("pictureFollowsTable-shown.png"));
            full.save(QStringLiteral("pictureFollowsTable-full.png"));
            QFAIL(qPrintable(QStringLiteral("picture differs after step %1").arg(step)));
        }
    }
}

void tst_DBGrid::titleRowAndIndicator()
{
    Form f(4, dgTitles | dgIndicator | dgRowLines | dgColLines | dgRowSelect);
    f.t.addRows(3);
    f.t.table.MovePrior();
    QList<TGridDrawState> states;
    f.grid->OnDrawColumnCell = [&](QObject *, const QRect &, int, TColumn *, TGridDrawState state) { states << state; };
    const QImage image = f.picture();
    // The event fires for data cells only.
    QCOMPARE(states.size(), 6);

    // The arrow stands in the indicator cell of the current row, the second.
    for (int row = 1; row <= 3; ++row) {
        const QRect cell = f.grid->CellRect(0, row);
        QCOMPARE(pixel(image, cell.left() + 5, cell.top() + 8) == QColor(Qt::black), row == 2);
        QCOMPARE(pixel(image, cell.left() + 1, cell.top() + 1), colorOf(clBtnFace));
    }
    // Black lines along the fixed cells, grey ones along data cells.
    const QRect title = f.grid->CellRect(1, 0);
    QCOMPARE(pixel(image, title.left() + 3, title.bottom() + 1), QColor(Qt::black));
    QCOMPARE(pixel(image, title.right() + 1, title.top() + 3), QColor(Qt::black));
    const QRect data = f.grid->CellRect(1, 1);
    QCOMPARE(pixel(image, data.left() + 3, data.bottom() + 1), colorOf(clSilver));
    QCOMPARE(pixel(image, data.right() + 1, data.top() + 3), colorOf(clSilver));
    QCOMPARE(pixel(image, 11, data.top() + 3), QColor(Qt::black));
}

void tst_DBGrid::titleCaption()
{
    Form f;
    TColumn *column = f.grid->Columns()->Items(0);
    QCOMPARE(column->TitleCaption(), QStringLiteral("e1"));
    f.t.table.FieldNamed(QStringLiteral("e1"))->setDisplayLabel(QStringLiteral("Dobás"));
    QCOMPARE(column->TitleCaption(), QStringLiteral("Dobás"));
    column->setTitleCaption(QStringLiteral("Pont"));
    QCOMPARE(column->TitleCaption(), QStringLiteral("Pont"));
}

void tst_DBGrid::horizontalScrollBar()
{
    Form f;
    QVERIFY(f.activate());
    QVERIFY(!f.grid->horizontalScrollBar()->isVisible());
    f.grid->Columns()->Items(1)->setWidth(400);
    flushPaints();
    QVERIFY(f.grid->horizontalScrollBar()->isVisible());
    QCOMPARE(f.grid->horizontalScrollBar()->maximum(), 1);
    // Scrolled sideways, the second column comes first.
    f.grid->horizontalScrollBar()->setValue(1);
    QCOMPARE(f.grid->LeftCol(), 1);
    QCOMPARE(f.grid->CellRect(1, 0).left(), 0);
    QVERIFY(f.grid->CellRect(0, 0).isEmpty());
    f.grid->Columns()->Items(1)->setWidth(ColumnWidth);
    flushPaints();
    QCOMPARE(f.grid->LeftCol(), 0);
    QVERIFY(!f.grid->horizontalScrollBar()->isVisible());
}

// A grid taken away while its table lives on, holding the focus and showing rows: the table keeps
// a window only for the views that stay, and its later changes reach them and no grid.
void tst_DBGrid::destroyedWhileTableLives()
{
    Form f(8);
    RecordingLink other;
    other.setWindowCapacity(3);
    other.setDataSource(&f.t.source);
    f.t.addRows(10);
    f.grid->OnEnter = nullptr;
    QVERIFY(f.activate());
    f.grid->setFocus();
    QVERIFY(f.grid->hasFocus());
    flushPaints();
    QCOMPARE(f.t.table.WindowCapacity(), 8);

    delete f.grid;
    QCOMPARE(f.t.table.WindowCapacity(), 3);
    other.clearLogs();
    f.t.addRows(2);
    f.t.table.MoveFirst();
    f.t.table.DeleteRow();
    f.t.table.CloseTable();
    f.t.table.OpenTable();
    f.t.addRows(1);
    flushPaints();
    QVERIFY(other.reactions.contains(QStringLiteral("ActivityChange(0)")));
    QCOMPARE(other.values(QStringLiteral("e1")), QList<QVariant> {10});
}

QTEST_MAIN(tst_DBGrid)
#include "tst_DBGrid.moc"
