// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Builds the main window: its controls, actions, turn table and the wiring of their events.
#include <algorithm>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Main.h"
#include "app/MatchControls.h"
#include "app/Picture.h"
#include "app/Version.h"
#include "controls/DBText.h"
#include "controls/ThemeDBGrid.h"
#include "controls/uEditEx.h"
#include "db/DataSource.h"
#include "db/Field.h"
#include "memtable/xovMemTable.h"

namespace {

constexpr int EntryBoxWidth = 121;
constexpr int MarkerWidth = 125;
constexpr QSize ToolIconSize(16, 16);

// The window names its fonts by family and character height in pixels; the families it names
// may be missing here, so each lists its nearest stand-ins. The first of them installed is the
// family shown; naming only that one spares the font lookup a search for the missing family's
// substitutes at every size.
QFont pixelFont(const QStringList &families, int pixelSize, bool bold)
{
    // An installed family has styles; asking for them finds the one family, where listing every
    // installed family would build the whole list at each font.
    const auto shown = std::find_if(families.cbegin(), families.cend(),
        [](const QString &family) { return !QFontDatabase::styles(family).isEmpty(); });
    QFont font;
    font.setFamilies(shown == families.cend() ? families : QStringList {*shown});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont segoeUi(int pixelSize)
{
    return pixelFont({QStringLiteral("Segoe UI"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")},
        pixelSize, false);
}

QFont segoeUiSemibold(int pixelSize)
{
    return pixelFont({QStringLiteral("Segoe UI Semibold"), QStringLiteral("Segoe UI"),
                         QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")},
        pixelSize, true);
}

QFont arial(int pixelSize)
{
    return pixelFont(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}, pixelSize, true);
}

QFrame *panel(QWidget *parent, bool outerBevel)
{
    auto *frame = new QFrame(parent);
    frame->setFrameStyle(outerBevel ? QFrame::Panel | QFrame::Raised : QFrame::NoFrame);
    frame->setLineWidth(1);
    frame->setAutoFillBackground(true);
    return frame;
}

// A label of the picture's size, empty until showPicture() gives it the picture.
QLabel *pictureLabel(QWidget *parent, QSize size)
{
    auto *label = new QLabel(parent);
    label->setFixedSize(size);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void showPicture(QLabel *label, const QString &resource)
{
    // Through an icon, so that a scaled screen gets the picture's "@2x" twin.
    label->setPixmap(pictureIcon(resource, label->size()).pixmap(label->size()));
}

QLabel *picture(QWidget *parent, const QString &resource, QSize size)
{
    QLabel *label = pictureLabel(parent, size);
    showPicture(label, resource);
    return label;
}

// A turn marker, shown and hidden at every entry. It sits in a holder of its own size that is
// never hidden and has no layout: showing or hiding a child of a panel with a layout would lay
// out the whole window again at every entry.
QLabel *marker(QWidget *parent, const QString &resource, QPoint position)
{
    auto *holder = new QWidget(parent);
    holder->setFixedSize(MarkerWidth, 30);
    holder->move(position);
    QLabel *image = picture(holder, resource, holder->size());
    // In a narrow window the marker is scaled down to the room it has.
    image->setScaledContents(true);
    return image;
}

// An action's tool tip names its keys: "Új játék (Ins, F3)". Keys that reach the action other
// than as its shortcuts come in `more`.
QString toolTipWithKeys(const QAction *action, const QList<QKeySequence> &more = {})
{
    QStringList keys;
    for (const QKeySequence &key : action->shortcuts() + more)
        keys << key.toString(QKeySequence::NativeText);
    if (keys.isEmpty())
        return action->text();
    return QStringLiteral("%1 (%2)").arg(action->text(), keys.join(QStringLiteral(", ")));
}

} // namespace

Tfrm_Main::Tfrm_Main(QWidget *parent)
    : QMainWindow(parent)
    , Tbl(new TxovMemTable(this))
    , Tbli(new TAutoIncField(Tbl, QStringLiteral("i")))
    , Tble1(new TIntegerField(Tbl, QStringLiteral("e1")))
    , Tblh1(new TIntegerField(Tbl, QStringLiteral("h1")))
    , Tbla1(new TIntegerField(Tbl, QStringLiteral("a1")))
    , Tble2(new TIntegerField(Tbl, QStringLiteral("e2")))
    , Tblh2(new TIntegerField(Tbl, QStringLiteral("h2")))
    , Tbla2(new TIntegerField(Tbl, QStringLiteral("a2")))
    , DataSource1(new TDataSource(this))
    , m_match(Tbl, {Tble1, Tblh1, Tbla1}, {Tble2, Tblh2, Tbla2}, StartScore)
    , Player1Starts(m_match.Player1Starts)
    , Player1ToThrow(m_match.Player1ToThrow)
    , Remaining1(m_match.Remaining1)
    , Remaining2(m_match.Remaining2)
    , aUj(new QAction(pictureIcon(QStringLiteral(":/assets/tb_new.png"), ToolIconSize), tr("Új játék"), this))
    , aMeccs(new QAction(pictureIcon(QStringLiteral(":/assets/tb_match.png"), ToolIconSize), tr("Új meccs"), this))
    , aElozo(
          new QAction(pictureIcon(QStringLiteral(":/assets/tb_previous.png"), ToolIconSize), tr("Előző játék"), this))
    , aTorol(new QAction(pictureIcon(QStringLiteral(":/assets/tb_delete.png"), ToolIconSize), tr("Töröl"), this))
    , aBeallit(
          new QAction(pictureIcon(QStringLiteral(":/assets/tb_settings.png"), ToolIconSize), tr("Beállítások"), this))
    , aBezar(new QAction(pictureIcon(QStringLiteral(":/assets/tb_close.png"), ToolIconSize), tr("Bezár"), this))
    , aKijelzo(new QAction(pictureIcon(QStringLiteral(":/assets/tb_display.png"), ToolIconSize), tr("Kijelző"), this))
    , aEredmeny(new QAction(pictureIcon(QStringLiteral(":/assets/tb_sheet.png"), ToolIconSize), tr("Eredmény"), this))
{
    Tbl->setObjectName(QStringLiteral("Tbl"));
    Tble1->setDisplayLabel(tr("Dobás"));
    Tblh1->setDisplayLabel(tr("Kell még"));
    Tble2->setDisplayLabel(tr("Dobás"));
    Tblh2->setDisplayLabel(tr("Kell még"));
    DataSource1->setDataSet(Tbl);

    setWindowTitle(QStringLiteral("Pontix"));
    setFont(segoeUi(13));
    setGeometry(266, 168, 1070, 480);

    createActions();

    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    createScoreboardStrip(central);
    createSettingsPanel(central);
    column->addWidget(Panel1);
    column->addWidget(Panel4);
    column->addWidget(createGrids(central), 1);
    setCentralWidget(central);
    createStatusBar();

    // The entry box comes first in the tab order (nameAccessibleControls sets the whole order).
    EditEx1->setFocus();

    EditEx1->installEventFilter(this);
    Edit1->installEventFilter(this);
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(SpeedButton2); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { aBeallitExecute(SpeedButton1); });

    DBGrid1->setDataSource(DataSource1);
    DBGrid2->setDataSource(DataSource1);
    for (const auto &[average, field] : {std::pair {DBText1, Tbla1}, std::pair {DBText2, Tbla2}}) {
        average->setDataSource(DataSource1);
        average->setDataField(field->FieldName());
    }

    setMinimumWidth(narrowestWidth());

    m_placement.setInterval(50);
    connect(&m_placement, &QTimer::timeout, this, &Tfrm_Main::checkPlacement);

    FormCreate(this);
    nameAccessibleControls();
}

Tfrm_Main::~Tfrm_Main()
{
    if (frm_Main == this)
        frm_Main = nullptr;
}

void Tfrm_Main::createActions()
{
    aUj->setShortcuts({QKeySequence(Qt::Key_Insert), QKeySequence(Qt::Key_F3)});
    aMeccs->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    aElozo->setShortcut(QKeySequence(Qt::Key_F9));
    aTorol->setShortcut(QKeySequence(Qt::Key_F8));
    aBeallit->setShortcut(QKeySequence(Qt::Key_F6));
    aKijelzo->setShortcut(QKeySequence(Qt::Key_F11));
    aEredmeny->setShortcut(QKeySequence(Qt::Key_F7));
    for (QAction *action : {aUj, aMeccs, aElozo, aTorol, aBeallit, aBezar, aKijelzo, aEredmeny})
        action->setToolTip(toolTipWithKeys(action));
    // The keypad's / takes back from the entry box without being a shortcut of the action.
    aTorol->setToolTip(toolTipWithKeys(aTorol, {QKeySequence(Qt::KeypadModifier | Qt::Key_Slash)}));
    connect(aUj, &QAction::triggered, this, [this] { aUjExecute(aUj); });
    connect(aMeccs, &QAction::triggered, this, [this] { aMeccsExecute(aMeccs); });
    connect(aElozo, &QAction::triggered, this, [this] { aElozoExecute(aElozo); });
    connect(aTorol, &QAction::triggered, this, [this] { aTorolExecute(aTorol); });
    connect(aBeallit, &QAction::triggered, this, [this] { aBeallitExecute(aBeallit); });
    connect(aBezar, &QAction::triggered, this, [this] { aBezarExecute(aBezar); });
    connect(aKijelzo, &QAction::triggered, this, [this] { aKijelzoExecute(aKijelzo); });
    connect(aEredmeny, &QAction::triggered, this, [this] { aEredmenyExecute(aEredmeny); });

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->toggleViewAction()->setEnabled(false);
    ToolBar1->setIconSize(ToolIconSize);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setFixedHeight(46);
    ToolBar1->addAction(aUj);
    ToolBar1->addAction(aMeccs);
    ToolBar1->addAction(aElozo);
    ToolBar1->addAction(aTorol);
    ToolBar1->addSeparator();
    ToolBar1->addAction(aBeallit);
    ToolBar1->addSeparator();
    ToolBar1->addAction(aBezar);
    ToolBar1->addSeparator();
    ToolBar1->addAction(aKijelzo);
    ToolBar1->addAction(aEredmeny);
    for (QAction *action : {aUj, aMeccs, aElozo, aTorol, aBeallit, aBezar, aKijelzo, aEredmeny}) {
        if (QWidget *button = ToolBar1->widgetForAction(action)) {
            button->setFixedSize(68, 40);
            button->setFocusPolicy(Qt::NoFocus);
        }
    }
    addToolBar(Qt::TopToolBarArea, ToolBar1);
}

void Tfrm_Main::createScoreboardStrip(QWidget *parent)
{
    Panel1 = panel(parent, true);
    Panel1->setFixedHeight(81);
    Panel1->setFont(arial(15));
    auto *strip = new QHBoxLayout(Panel1);
    strip->setContentsMargins(1, 1, 1, 1);
    strip->setSpacing(0);

    createPlayerPanel(1, Panel2, ComboBox1, Label1, DBText1);
    createPlayerPanel(2, Panel3, ComboBox2, Label2, DBText2);

    strip->addWidget(Panel2);
    strip->addStretch(1);
    strip->addWidget(Panel3);

    // The entry box, the OK button and the markers sit over the middle of the strip; the
    // window places them whenever it is resized.
    EditEx1 = new TEditEx(Panel1);
    EditEx1->setAlignment(taCenter);
    EditEx1->setFont(arial(21));
    EditEx1->setGeometry(0, 8, EntryBoxWidth, 32);
    SpeedButton2 = new QToolButton(Panel1);
    SpeedButton2->setText(QStringLiteral("OK"));
    SpeedButton2->setFocusPolicy(Qt::NoFocus);
    SpeedButton2->setGeometry(0, 40, EntryBoxWidth, 29);
    Image1 = marker(Panel1, QStringLiteral(":/assets/dart_left.png"), QPoint(0, 8));
    Image2 = marker(Panel1, QStringLiteral(":/assets/dart_right.png"), QPoint(0, 8));
    Image2->hide();
    createLegsLabels();
}

// A player's half of the strip: the name box, the remaining-score figure and the average. Player
// 2's half mirrors player 1's, its figure growing to the left.
void Tfrm_Main::createPlayerPanel(int number, QFrame *&half, QComboBox *&nameBox, QLabel *&figure, TDBText *&average)
{
    const bool left = number == 1;
    half = panel(Panel1, false);
    half->setFixedWidth(left ? 352 : 353);
    nameBox = new QComboBox(half);
    nameBox->setEditable(true);
    nameBox->setEditText(tr("Játékos %1.").arg(number));
    nameBox->setGeometry(left ? 12 : 132, 8, 209, 26);
    m_figureFont = arial(64);
    figure = new QLabel(QStringLiteral("0"), half);
    figure->setFont(m_figureFont);
    if (!left)
        figure->setAlignment(Qt::AlignRight | Qt::AlignTop);
    figure->move(left ? 232 : 86, 0);
    figure->adjustSize();
    // Player 1's figure may reach the panel's right edge, player 2's the left edge, from where
    // "0" stands; shorter than a figure at full size, it stands in the middle of that height.
    m_figurePlaces[number - 1] = left ? QRect(figure->x(), figure->y(), half->width() - figure->x(), figure->height())
                                      : QRect(0, figure->y(), figure->geometry().right() + 1, figure->height());
    average = new TDBText(half);
    if (!left)
        average->setAlignment(taRightJustify);
    average->setGeometry(left ? 12 : 276, 40, 65, 17);
}

void Tfrm_Main::createSettingsPanel(QWidget *parent)
{
    Panel4 = panel(parent, true);
    Panel4->setFixedHeight(125);
    auto *row = new QHBoxLayout(Panel4);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(0);

    auto *options = new QWidget(Panel4);
    CheckBox1 = new QCheckBox(tr("Kell kiszálló pontosan"), options);
    CheckBox1->setGeometry(16 - 1, 12 - 1, 277, 17);
    Label3 = new QLabel(tr("Induló pontszám"), options);
    Label3->move(16 - 1, 36 - 1);
    Edit1 = new TEditEx(options);
    Edit1->setAlignment(taCenter);
    Edit1->setGeometry(16 - 1, 56 - 1, EntryBoxWidth, 25);

    Panel6 = panel(Panel4, false);
    Panel6->setFixedWidth(332);
    GroupBox1 = new QGroupBox(tr("Névjegy"), Panel6);
    GroupBox1->setGeometry(12, 4, 309, 89);
    Label6 = new QLabel(tr("Verzió: %1 béta").arg(QLatin1StringView(PontixVersion)), GroupBox1);
    Label4 = new QLabel(QString::fromUtf8(PontixMakersLine), GroupBox1);
    Label5 = new QLabel(QString::fromUtf8(PontixWebAddress), GroupBox1);
    int top = 24;
    for (QLabel *label : {Label6, Label4, Label5}) {
        label->setEnabled(false);
        label->move(8, top);
        top += 20;
    }
    // The panel's pictures are read when it first shows (showSettingsPictures).
    Image3 = pictureLabel(GroupBox1, QSize(64, 64));
    Image3->move(232, 16);

    Panel5 = panel(Panel4, false);
    Panel5->setFixedWidth(29);
    SpeedButton1 = new QToolButton(Panel5);
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton1->setGeometry(4, 4, 21, 21);

    row->addWidget(options, 1);
    row->addWidget(Panel6);
    row->addWidget(Panel5);
    Panel4->hide();
    // The labels take their text's size when the panel shows (fitSettingsLabels): measuring
    // them here would lay out text nobody sees at start.
    Panel4->installEventFilter(this);
}

// What the hidden settings panel shows of pictures: nothing of it is read before it first shows.
void Tfrm_Main::showSettingsPictures()
{
    showPicture(Image3, QStringLiteral(":/assets/dartboard64.png"));
    setCrossIcon();
}

void Tfrm_Main::fitSettingsLabels()
{
    for (QLabel *label : {Label3, Label6, Label4, Label5})
        label->adjustSize();
}

QWidget *Tfrm_Main::createGrids(QWidget *parent)
{
    auto *area = new QWidget(parent);
    auto *row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    const auto makeGrid = [this, area](const TField *score, const TField *remaining) {
        auto *grid = new TThemeDBGrid(area);
        grid->setOptions(dgColumnResize | dgRowLines | dgTabs | dgRowSelect | dgConfirmDelete | dgCancelOnExit);
        grid->setDefaultDrawing(false);
        grid->setFont(segoeUiSemibold(37));
        grid->setTitleFont(segoeUi(12));
        for (const TField *field : {score, remaining}) {
            TColumn *column = grid->Columns()->Add();
            column->setFieldName(field->FieldName());
            column->setAlignment(taCenter);
        }
        // Reached by Tab alone, never by a click, and then only read: the table's cursor stays
        // on the last row, which taking an entry back relies on.
        grid->setFocusPolicy(Qt::TabFocus);
        grid->setReadingOnly(true);
        grid->installEventFilter(this);
        grid->OnEnter = [this](QObject *Sender) { DBGrid1Enter(Sender); };
        return grid;
    };
    DBGrid1 = makeGrid(Tble1, Tblh1);
    DBGrid2 = makeGrid(Tble2, Tblh2);
    using DrawCell = void (Tfrm_Main::*)(QObject *, const QRect &, int, TColumn *, TGridDrawState);
    for (const auto &[grid, handler] :
        {std::pair<TThemeDBGrid *, DrawCell> {DBGrid1, &Tfrm_Main::DBGrid1DrawColumnCell},
            std::pair<TThemeDBGrid *, DrawCell> {DBGrid2, &Tfrm_Main::DBGrid2DrawColumnCell}}) {
        grid->OnDrawColumnCell = [this, handler](QObject *Sender, const QRect &Rect, int DataCol, TColumn *Column,
                                     TGridDrawState State) { (this->*handler)(Sender, Rect, DataCol, Column, State); };
    }
    row->addWidget(DBGrid1);
    row->addWidget(DBGrid2, 1);
    return area;
}

void Tfrm_Main::createStatusBar()
{
    auto *bar = statusBar();
    bar->setFixedHeight(19);
    auto *maker = new QLabel(QString::fromUtf8(PontixMakersLine), bar);
    maker->setFixedWidth(150);
    maker->setAlignment(Qt::AlignCenter);
    auto *empty = new QLabel(bar);
    empty->setFixedWidth(50);
    bar->addWidget(maker);
    bar->addWidget(empty);
    // What the last action did beyond the scoreboard: "Túldobás", or why a game cannot come back.
    m_notice = new QLabel(bar);
    m_notice->setObjectName(QStringLiteral("notice"));
    m_notice->setAccessibleName(tr("Üzenet"));
    bar->addWidget(m_notice);
    // Who won the match, once it is decided.
    m_matchWinner = new MatchWinnerLabel(bar);
    bar->addWidget(m_matchWinner, 1);
    m_routePanel = new QLabel(bar);
    m_routePanel->setObjectName(QStringLiteral("routePanel"));
    m_routePanel->setAlignment(Qt::AlignCenter);
    m_routePanel->setMinimumWidth(120);
    m_routePanel->setAccessibleName(tr("Kiszálló"));
    bar->addPermanentWidget(m_routePanel);
    connect(CheckBox1, &QCheckBox::toggled, this, &Tfrm_Main::showCheckoutRoute);
}
