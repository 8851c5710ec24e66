// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>

#include "controls/ThemeDBGrid.h"
#include "tests/support/GridForm.h"

using namespace GridTest;
using Form = GridForm<TThemeDBGrid>;

namespace {

constexpr TDBGridOptions TitledOptions = ProgramOptions | dgTitles;

// The current style, noting every header section and header background it draws.
class RecordingStyle : public QProxyStyle
{
public:
    struct Call
    {
        QStyle::ControlElement element;
        QRect rect;
        QStyle::State state;
    };

    RecordingStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    { }

    void drawControl(
        ControlElement element, const QStyleOption *option, QPainter *painter, const QWidget *widget) const override
    {
        if (element == CE_Header || element == CE_HeaderEmptyArea)
            calls << Call {element, option->rect, option->state};
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    // The looks of the header sections drawn into the given rectangle, in drawing order.
    QList<QString> looksAt(const QRect &rect) const
    {
        QList<QString> looks;
        for (const Call &call : calls) {
            if (call.element != CE_Header || call.rect != rect)
                continue;
            looks << (call.state & State_Sunken    ? QStringLiteral("pressed")
                    : call.state & State_MouseOver ? QStringLiteral("hot")
                                                   : QStringLiteral("normal"));
        }
        return looks;
    }

    mutable QList<Call> calls;
};

// Notes the areas the grid paints.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QWidget *target) { target->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
    QRegion painted;
};

// The element rectangle of a title that is not drawn pressed: the cell and its lines.
QRect element(const TDBGrid *grid, int col, int row)
{
    return grid->CellRect(col, row).adjusted(0, 0, 1, 1);
}

// The bounding box of the dark (text) pixels inside a rectangle.
QRect inkBox(const QImage &image, const QRect &area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y).lightness() < 80)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class tst_ThemeDBGrid : public QObject
{
    Q_OBJECT

private slots:
    void initialState();
    void defaultDrawingBeforeEvent();
    void hotLookFollowsPointer();
    void pressedLook_data();
    void pressedLook();
    void columnDragAndSizing();
    void indicatorArrow();
    void plainDrawingWhenNotStyled_data();
    void plainDrawingWhenNotStyled();
};

void tst_ThemeDBGrid::initialState()
{
    TThemeDBGrid grid;
    QCOMPARE(grid.HotCol(), -1);
    QCOMPARE(grid.TitlePressed(), false);
    QCOMPARE(grid.PressedCol(), -1);
    QCOMPARE(grid.SizingActive(), false);
    QCOMPARE(grid.ColumnDragging(), false);
    QCOMPARE(grid.LastMouseCell(), QPoint(-1, -1));
    QCOMPARE(grid.AllowTitleClick(), true);
    QCOMPARE(grid.ThemesActive(), true);
}

// The default drawing runs before the cell-draw event for every data cell, whatever the
// DefaultDrawing property says, and leaves the property false.
void tst_ThemeDBGrid::defaultDrawingBeforeEvent()
{
    Form f;
    f.t.addScores({123, 45});
    int events = 0;
    f.grid->OnDrawColumnCell = [&](QObject *, const QRect &, int, TColumn *, TGridDrawState) { ++events; };
    f.grid->setDefaultDrawing(true);
    f.picture();
    QCOMPARE(events, 4);
    QVERIFY(!f.grid->DefaultDrawing());

    GridForm<TDBGrid> plain;
    plain.t.addScores({123, 45});
    f.grid->setDefaultDrawing(false);
    QCOMPARE(f.picture(), plain.picture());
}

void tst_ThemeDBGrid::hotLookFollowsPointer()
{
    RecordingStyle style;
    Form f(4, TitledOptions);
    f.grid->setStyle(&style);
    f.t.addRows(2);
    QVERIFY(f.activate());
    flushPaints();
    QWidget *cells = f.grid->viewport();
    PaintRecorder recorder(cells);
    const QRect title0 = element(f.grid, 0, 0);
    const QRect title1 = element(f.grid, 1, 0);

    auto moveTo = [&](const QPoint &point) {
        style.calls.clear();
        recorder.painted = QRegion();
        QTest::mouseMove(cells, point);
        flushPaints();
    };

    moveTo(f.grid->CellRect(0, 0).center());
    QCOMPARE(f.grid->HotCol(), 0);
    QCOMPARE(f.grid->LastMouseCell(), QPoint(0, 0));
    QCOMPARE(style.looksAt(title0), QList<QString>({QStringLiteral("hot")}));
    QVERIFY(style.looksAt(title1).isEmpty());
    QVERIFY(title0.contains(recorder.painted.boundingRect()));

    moveTo(f.grid->CellRect(1, 0).center());
    QCOMPARE(f.grid->HotCol(), 1);
    QCOMPARE(style.looksAt(title0), QList<QString>({QStringLiteral("normal")}));
    QCOMPARE(style.looksAt(title1), QList<QString>({QStringLiteral("hot")}));
    QVERIFY(QRegion(title0).united(title1).contains(recorder.painted.boundingRect()));

    // Over a data cell no title is hot.
    moveTo(f.grid->CellRect(1, 1).center());
    QCOMPARE(f.grid->HotCol(), -1);
    QCOMPARE(f.grid->LastMouseCell(), QPoint(1, 1));
    QCOMPARE(style.looksAt(title1), QList<QString>({QStringLiteral("normal")}));
    QVERIFY(style.looksAt(title0).isEmpty());

    moveTo(f.grid->CellRect(0, 0).center());
    style.calls.clear();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(cells, &leave);
    flushPaints();
    QCOMPARE(f.grid->HotCol(), -1);
    QCOMPARE(f.grid->LastMouseCell(), QPoint(-1, -1));
    QCOMPARE(style.looksAt(title0), QList<QString>({QStringLiteral("normal")}));
}

void tst_ThemeDBGrid::pressedLook_data()
{
    QTest::addColumn<bool>("allowTitleClick");
    QTest::newRow("title clicks allowed") << true;
    QTest::newRow("title clicks not allowed") << false;
}

void tst_ThemeDBGrid::pressedLook()
{
    QFETCH(bool, allowTitleClick);
    RecordingStyle style;
    Form f(4, TitledOptions);
    f.grid->setStyle(&style);
    f.grid->setAllowTitleClick(allowTitleClick);
    f.grid->OnEnter = nullptr; // the grid keeps the focus, so that presses count
    QList<TColumn *> clicked;
    f.grid->OnTitleClick = [&](TColumn *column) { clicked << column; };
    f.t.addRows(2);
    QVERIFY(f.activate());
    QWidget *cells = f.grid->viewport();
    const QPoint onTitle1 = f.grid->CellRect(1, 0).center();
    QTest::mouseMove(cells, f.grid->CellRect(0, 1).center());
    QTest::mouseMove(cells, onTitle1);
    flushPaints();
    const QImage hot = f.shown();
    QCOMPARE(f.grid->HotCol(), 1);

    style.calls.clear();
    QTest::mousePress(cells, Qt::LeftButton, {}, onTitle1);
    flushPaints();
    QCOMPARE(f.grid->TitlePressed(), allowTitleClick);
    QCOMPARE(f.grid->PressedCol(), allowTitleClick ? 1 : -1);
    QCOMPARE(f.grid->HotCol(), allowTitleClick ? -1 : 1);
    const QRect cell = f.grid->CellRect(1, 0);
    if (allowTitleClick) {
        // Pressed: the section fills the cell only, the caption moves one pixel right and down.
        QCOMPARE(style.looksAt(cell), QList<QString>({QStringLiteral("pressed")}));
        const QImage pressed = f.shown();
        const QRect inside = cell.adjusted(1, 1, -3, -3);
        QCOMPARE(inkBox(pressed, inside), inkBox(hot, inside).translated(1, 1));
        // No black line of fixed cells shows along it.
        QVERIFY(pressed.pixelColor(cell.left() + 5, cell.bottom() + 1) != QColor(Qt::black));
    } else {
        QVERIFY(style.looksAt(cell).isEmpty());
        QVERIFY(!style.looksAt(element(f.grid, 1, 0)).contains(QStringLiteral("pressed")));
    }

    style.calls.clear();
    QTest::mouseRelease(cells, Qt::LeftButton, {}, onTitle1);
    flushPaints();
    QCOMPARE(clicked, QList<TColumn *>({f.grid->Columns()->Items(1)}));
    QCOMPARE(f.grid->PressedCol(), -1);
    QCOMPARE(f.grid->TitlePressed(), false);
    // The release repaints the whole grid, the title no longer pressed.
    QCOMPARE(style.looksAt(element(f.grid, 0, 0)).size(), 1);
    QVERIFY(!style.looksAt(element(f.grid, 1, 0)).isEmpty());
    QVERIFY(style.looksAt(cell).isEmpty());
}

void tst_ThemeDBGrid::columnDragAndSizing()
{
    Form f(4, TitledOptions);
    f.grid->OnEnter = nullptr;
    QList<QList<int>> moves;
    f.grid->OnColumnMoved = [&](QObject *sender, int from, int to) {
        QCOMPARE(sender, f.grid);
        moves << QList<int>({from, to});
    };
    QVERIFY(f.activate());
    QWidget *cells = f.grid->viewport();

    QTest::mousePress(cells, Qt::LeftButton, {}, f.grid->CellRect(0, 0).center());
    QVERIFY(f.grid->ColumnDragging());
    QTest::mouseMove(cells, f.grid->CellRect(1, 0).center());
    QCOMPARE(f.grid->HotCol(), -1); // hot tracking pauses while a column is dragged
    QTest::mouseRelease(cells, Qt::LeftButton, {}, f.grid->CellRect(1, 0).center());
    QCOMPARE(moves, QList<QList<int>>({{0, 1}}));
    QVERIFY(!f.grid->ColumnDragging());
    QCOMPARE(f.grid->Columns()->Items(0)->FieldName(), QStringLiteral("h1"));
    QCOMPARE(f.grid->Columns()->Items(1)->FieldName(), QStringLiteral("e1"));

    // A press on a column boundary sizes the column.
    const int boundary = ColumnWidth;
    const int y = f.grid->TitleRowHeight() / 2;
    QTest::mousePress(cells, Qt::LeftButton, {}, QPoint(boundary, y));
    QVERIFY(f.grid->SizingActive());
    QVERIFY(!f.grid->ColumnDragging());
    QTest::mouseMove(cells, QPoint(boundary + 30, y));
    QCOMPARE(f.grid->Columns()->Items(0)->Width(), ColumnWidth + 30);
    QCOMPARE(f.grid->HotCol(), -1);
    QTest::mouseRelease(cells, Qt::LeftButton, {}, QPoint(boundary + 30, y));
    QVERIFY(!f.grid->SizingActive());
    QCOMPARE(moves.size(), 1);
}

void tst_ThemeDBGrid::indicatorArrow()
{
    RecordingStyle style;
    Form f(4, TitledOptions | dgIndicator);
    f.grid->setStyle(&style);
    f.t.addRows(3);
    f.t.table.MovePrior();
    const QImage image = f.picture();
    for (int row = 1; row <= 3; ++row) {
        const QRect cell = f.grid->CellRect(0, row);
        const bool current = row == 2;
        QCOMPARE(image.pixelColor(cell.left() + 8, cell.top() + 8) == QColor(Qt::black), current);
        QCOMPARE(image.pixelColor(cell.left() + 9, cell.top() + 8) == QColor(Qt::white), current);
        QCOMPARE(image.pixelColor(cell.left() + 4, cell.top() + 8) == QColor(Qt::black), current);
        const bool background = std::any_of(style.calls.cbegin(), style.calls.cend(), [&](const auto &call) {
            return call.element == QStyle::CE_HeaderEmptyArea && call.rect == cell.adjusted(0, 0, 1, 1);
        });
        QVERIFY(background);
    }
    // The corner is a normal header section.
    QCOMPARE(style.looksAt(element(f.grid, 0, 0)), QList<QString>({QStringLiteral("normal")}));

    f.t.table.MoveNext();
    const QImage after = f.picture();
    const QRect last = f.grid->CellRect(0, 3);
    QCOMPARE(after.pixelColor(last.left() + 8, last.top() + 8), QColor(Qt::black));
    const QRect middle = f.grid->CellRect(0, 2);
    QVERIFY(after.pixelColor(middle.left() + 8, middle.top() + 8) != QColor(Qt::black));
}

void tst_ThemeDBGrid::plainDrawingWhenNotStyled_data()
{
    QTest::addColumn<bool>("styled");
    QTest::newRow("styled") << true;
    QTest::newRow("not styled") << false;
}

void tst_ThemeDBGrid::plainDrawingWhenNotStyled()
{
    QFETCH(bool, styled);
    RecordingStyle style;
    Form f(4, TitledOptions | dgIndicator | dgColLines);
    f.grid->setStyle(&style);
    f.grid->setThemesActive(styled);
    f.t.addRows(2);
    int events = 0;
    f.grid->OnDrawColumnCell = [&](QObject *, const QRect &, int, TColumn *, TGridDrawState) { ++events; };
    f.grid->setDefaultDrawing(true);
    const QImage image = f.picture();
    QCOMPARE(events, 4);
    QVERIFY(!f.grid->DefaultDrawing());
    QCOMPARE(style.calls.isEmpty(), !styled);

    // The black lines along fixed cells are gone while styled.
    const QRect title = f.grid->CellRect(1, 0);
    const QColor below = image.pixelColor(title.left() + 5, title.bottom() + 1);
    const QColor right = image.pixelColor(title.right() + 1, title.top() + 5);
    QCOMPARE(below == QColor(Qt::black), !styled);
    QCOMPARE(right == QColor(Qt::black), !styled);
    if (!styled)
        QCOMPARE(image.pixelColor(title.left() + 1, title.top() + 1), ColorToQColor(clBtnFace));
    // Data lines stay, and so does the layout.
    const QRect data = f.grid->CellRect(1, 1);
    QCOMPARE(image.pixelColor(data.left() + 5, data.bottom() + 1), ColorToQColor(clSilver));
    QCOMPARE(f.grid->CellRect(1, 1).top(), f.grid->TitleRowHeight());
}

QTEST_MAIN(tst_ThemeDBGrid)
#include "tst_ThemeDBGrid.moc"
