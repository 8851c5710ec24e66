#include "app/Main.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include "app/IniFile.h"
#include "app/MainAccessibility.h"
#include "app/Seged.h"
#include "app/Version.h"
#include "app/logo.h"
#include "controls/DBText.h"
#include "controls/ThemeDBGrid.h"
#include "controls/uEditEx.h"
#include "db/DataSource.h"
#include "db/Field.h"
#include "memtable/xovMemTable.h"

qint32 StartScore = 501;
bool ExactCheckout = true;
Tfrm_Main *frm_Main = nullptr;

namespace {

constexpr int EntryBoxWidth = 121;
constexpr int MarkerWidth = 125;
constexpr int MarkerGap = 10;
constexpr int ColumnInset = 22;
const QColor RefusedColor(255, 0, 0); // colour 255: red in the low byte
constexpr TColor HighTurnColor = 0xECECFF;
constexpr qint32 HighTurn = 100;

// The window names its fonts by family and character height in pixels; the families it names
// may be missing here, so each lists its nearest stand-ins.
QFont pixelFont(const QStringList &families, int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
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

QLabel *picture(QWidget *parent, const QString &resource, QSize size)
{
    auto *label = new QLabel(parent);
    // Through an icon, so that a scaled screen gets the picture's "@2x" twin.
    label->setPixmap(QIcon(resource).pixmap(size));
    label->setFixedSize(size);
    label->setAlignment(Qt::AlignCenter);
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
    return picture(holder, resource, holder->size());
}

bool fitsScore(qint64 value)
{
    return value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max();
}

struct PlayerFields
{
    QString score;
    QString remaining;
    QString average;
};

PlayerFields fieldsOf(bool player1)
{
    if (player1)
        return {QStringLiteral("e1"), QStringLiteral("h1"), QStringLiteral("a1")};
    return {QStringLiteral("e2"), QStringLiteral("h2"), QStringLiteral("a2")};
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
    , aUj(new QAction(QIcon(QStringLiteral(":/assets/tb_new.png")), QStringLiteral("Új játék"), this))
    , aTorol(new QAction(QIcon(QStringLiteral(":/assets/tb_delete.png")), QStringLiteral("Töröl"), this))
    , aBeallit(new QAction(QIcon(QStringLiteral(":/assets/tb_settings.png")), QStringLiteral("Beállítások"), this))
    , aBezar(new QAction(QIcon(QStringLiteral(":/assets/tb_close.png")), QStringLiteral("Bezár"), this))
{
    Tbl->setObjectName(QStringLiteral("Tbl"));
    Tble1->setDisplayLabel(QStringLiteral("Dobás"));
    Tblh1->setDisplayLabel(QStringLiteral("Kell még"));
    Tble2->setDisplayLabel(QStringLiteral("Dobás"));
    Tblh2->setDisplayLabel(QStringLiteral("Kell még"));
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

    // The entry box comes first, then the two name boxes.
    setTabOrder(EditEx1, ComboBox1);
    setTabOrder(ComboBox1, ComboBox2);
    EditEx1->setFocus();

    EditEx1->installEventFilter(this);
    Edit1->installEventFilter(this);
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(SpeedButton2); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { aBeallitExecute(SpeedButton1); });

    DBGrid1->setDataSource(DataSource1);
    DBGrid2->setDataSource(DataSource1);
    DBText1->setDataSource(DataSource1);
    DBText1->setDataField(QStringLiteral("a1"));
    DBText2->setDataSource(DataSource1);
    DBText2->setDataField(QStringLiteral("a2"));

    m_placement.setInterval(50);
    connect(&m_placement, &QTimer::timeout, this, &Tfrm_Main::checkPlacement);

    FormCreate(this);
    NameAccessibleControls(*this);
}

Tfrm_Main::~Tfrm_Main()
{
    if (frm_Main == this)
        frm_Main = nullptr;
}

void Tfrm_Main::createActions()
{
    aUj->setShortcuts({QKeySequence(Qt::Key_Insert), QKeySequence(Qt::Key_F3)});
    aTorol->setShortcut(QKeySequence(Qt::Key_F8));
    aBeallit->setShortcut(QKeySequence(Qt::Key_F6));
    for (QAction *action : {aUj, aTorol, aBeallit, aBezar})
        action->setToolTip(action->text());
    connect(aUj, &QAction::triggered, this, [this] { aUjExecute(aUj); });
    connect(aTorol, &QAction::triggered, this, [this] { aTorolExecute(aTorol); });
    connect(aBeallit, &QAction::triggered, this, [this] { aBeallitExecute(aBeallit); });
    connect(aBezar, &QAction::triggered, this, [this] { aBezarExecute(aBezar); });

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->toggleViewAction()->setEnabled(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setFixedHeight(46);
    ToolBar1->addAction(aUj);
    ToolBar1->addAction(aTorol);
    ToolBar1->addSeparator();
    ToolBar1->addAction(aBeallit);
    ToolBar1->addSeparator();
    ToolBar1->addAction(aBezar);
    for (QAction *action : {aUj, aTorol, aBeallit, aBezar}) {
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

    Panel2 = panel(Panel1, false);
    Panel2->setFixedWidth(352);
    ComboBox1 = new QComboBox(Panel2);
    ComboBox1->setEditable(true);
    ComboBox1->setEditText(QStringLiteral("Játékos 1."));
    ComboBox1->setGeometry(12, 8, 209, 26);
    Label1 = new QLabel(QStringLiteral("0"), Panel2);
    Label1->setFont(arial(64));
    Label1->move(232, 0);
    Label1->adjustSize();
    DBText1 = new TDBText(Panel2);
    DBText1->setGeometry(12, 40, 65, 17);

    Panel3 = panel(Panel1, false);
    Panel3->setFixedWidth(353);
    ComboBox2 = new QComboBox(Panel3);
    ComboBox2->setEditable(true);
    ComboBox2->setEditText(QStringLiteral("Játékos 2."));
    ComboBox2->setGeometry(132, 8, 209, 26);
    Label2 = new QLabel(QStringLiteral("0"), Panel3);
    Label2->setFont(arial(64));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label2->move(86, 0);
    Label2->adjustSize();
    DBText2 = new TDBText(Panel3);
    DBText2->setAlignment(taRightJustify);
    DBText2->setGeometry(276, 40, 65, 17);

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
}

void Tfrm_Main::createSettingsPanel(QWidget *parent)
{
    Panel4 = panel(parent, true);
    Panel4->setFixedHeight(100);
    auto *row = new QHBoxLayout(Panel4);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(0);

    auto *options = new QWidget(Panel4);
    CheckBox1 = new QCheckBox(QStringLiteral("Kell kiszálló pontosan"), options);
    CheckBox1->setGeometry(16 - 1, 12 - 1, 277, 17);
    Label3 = new QLabel(QStringLiteral("Induló pontszám"), options);
    Label3->move(16 - 1, 36 - 1);
    Label3->adjustSize();
    Edit1 = new TEditEx(options);
    Edit1->setAlignment(taCenter);
    Edit1->setGeometry(16 - 1, 56 - 1, EntryBoxWidth, 25);

    Panel6 = panel(Panel4, false);
    Panel6->setFixedWidth(332);
    GroupBox1 = new QGroupBox(QStringLiteral("Névjegy"), Panel6);
    GroupBox1->setGeometry(12, 4, 309, 89);
    Label6 = new QLabel(QStringLiteral("Verzió: %1 béta").arg(QLatin1StringView(PontixVersion)), GroupBox1);
    Label4 = new QLabel(QString::fromUtf8(PontixMakersLine), GroupBox1);
    Label5 = new QLabel(QString::fromUtf8(PontixWebAddress), GroupBox1);
    int top = 24;
    for (QLabel *label : {Label6, Label4, Label5}) {
        label->setEnabled(false);
        label->move(8, top);
        label->adjustSize();
        top += 20;
    }
    Image3 = picture(GroupBox1, QStringLiteral(":/assets/dartboard64.png"), QSize(64, 64));
    Image3->move(232, 16);

    Panel5 = panel(Panel4, false);
    Panel5->setFixedWidth(29);
    SpeedButton1 = new QToolButton(Panel5);
    SpeedButton1->setIcon(QIcon(QStringLiteral(":/assets/cross.png")));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton1->setGeometry(4, 4, 21, 21);

    row->addWidget(options, 1);
    row->addWidget(Panel6);
    row->addWidget(Panel5);
    Panel4->hide();
}

QWidget *Tfrm_Main::createGrids(QWidget *parent)
{
    auto *area = new QWidget(parent);
    auto *row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    const auto makeGrid = [this, area](const QString &score, const QString &remaining) {
        auto *grid = new TThemeDBGrid(area);
        grid->setOptions(dgColumnResize | dgRowLines | dgTabs | dgRowSelect | dgConfirmDelete | dgCancelOnExit);
        grid->setDefaultDrawing(false);
        grid->setFont(segoeUiSemibold(37));
        grid->setTitleFont(segoeUi(12));
        for (const QString &name : {score, remaining}) {
            TColumn *column = grid->Columns()->Add();
            column->setFieldName(name);
            column->setAlignment(taCenter);
        }
        grid->OnEnter = [this](QObject *Sender) { DBGrid1Enter(Sender); };
        return grid;
    };
    DBGrid1 = makeGrid(QStringLiteral("e1"), QStringLiteral("h1"));
    DBGrid2 = makeGrid(QStringLiteral("e2"), QStringLiteral("h2"));
    DBGrid1->OnDrawColumnCell
        = [this](QObject *Sender, const QRect &Rect, int DataCol, TColumn *Column, TGridDrawState State) {
              DBGrid1DrawColumnCell(Sender, Rect, DataCol, Column, State);
          };
    DBGrid2->OnDrawColumnCell
        = [this](QObject *Sender, const QRect &Rect, int DataCol, TColumn *Column, TGridDrawState State) {
              DBGrid2DrawColumnCell(Sender, Rect, DataCol, Column, State);
          };
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
}

// --- Match scoring -------------------------------------------------------------------------

void Tfrm_Main::setEntryBoxColor(bool refused)
{
    QPalette palette = EditEx1->palette();
    palette.setColor(QPalette::Base, refused ? RefusedColor : QApplication::palette(EditEx1).color(QPalette::Base));
    EditEx1->setPalette(palette);
}

void Tfrm_Main::refuseEntry()
{
    setEntryBoxColor(true);
    EditEx1->selectAll();
}

void Tfrm_Main::EnterThrow()
{
    const qint32 typed = ScoreFromText(EditEx1->text());
    if (typed > 180) {
        refuseEntry();
        return;
    }

    const bool player1 = Player1ToThrow;
    const bool opening = Player1ToThrow == Player1Starts;
    qint32 &remaining = player1 ? Remaining1 : Remaining2;

    // The exact-checkout rule holds in every game while the box is ticked. A score above the
    // remaining score counts as 0.
    const bool overshoot = CheckBox1->isChecked() && typed > remaining;

    // A remaining score that would leave the 32-bit range cannot be recorded; such an entry
    // is refused like a score above 180.
    if (!fitsScore(qint64(remaining) - (overshoot ? 0 : typed))) {
        refuseEntry();
        return;
    }

    setEntryBoxColor(false);
    if (overshoot) {
        EditEx1->setText(QStringLiteral("0"));
        setEntryBoxColor(true);
        EditEx1->selectAll();
    }

    if (opening) {
        Tbl->AppendRow();
    } else {
        Tbl->MoveLast();
        Tbl->EditRow();
    }

    const PlayerFields f = fieldsOf(player1);
    Tbl->setFieldValue(f.score, ScoreFromText(EditEx1->text()));
    const qint32 score = VarToIntDef(Tbl->FieldValue(f.score), 0);
    Tbl->setFieldValue(f.remaining, qint32(qint64(remaining) - score));
    remaining = VarToIntDef(Tbl->FieldValue(f.remaining), 0);

    // Every entry, zeros included, counts towards the average; the turn rows up to this one
    // are the thrower's entries of the game.
    const qint32 entries = std::max(1, opening ? Tbl->RowCount() + 1 : Tbl->RowCount());
    const double average = std::nearbyint(double(qint64(StartScore) - remaining) / entries);
    Tbl->setFieldValue(f.average,
        qint32(std::clamp(
            average, double(std::numeric_limits<qint32>::min()), double(std::numeric_limits<qint32>::max()))));
    Tbl->PostRow();

    Player1ToThrow = !Player1ToThrow;
    RefreshScoreboard();
}

void Tfrm_Main::RefreshScoreboard()
{
    Image1->setVisible(Player1ToThrow);
    Image2->setVisible(!Player1ToThrow);
    EditEx1->clear();

    Label1->setText(VarToScoreText(Remaining1));
    Label1->adjustSize();
    // Player 2's score grows to the left: its right edge stays where it is.
    const int right = Label2->geometry().right();
    Label2->setText(VarToScoreText(Remaining2));
    Label2->adjustSize();
    Label2->move(right - Label2->width() + 1, Label2->y());
    DescribeScoreboard(*this);
}

void Tfrm_Main::EditEx1KeyPress(QObject *Sender, QChar Key)
{
    Q_UNUSED(Sender);
    if (Key == QChar(13))
        EnterThrow();
}

void Tfrm_Main::SpeedButton2Click(QObject *Sender)
{
    Q_UNUSED(Sender);
    EnterThrow();
}

void Tfrm_Main::aTorolExecute(QObject *Sender)
{
    Q_UNUSED(Sender);
    if (Tbl->RowCount() == 0)
        return;

    if (Player1ToThrow == Player1Starts) {
        // The last entry completed its row: the row stays with the starter's entry alone.
        const bool player1 = !Player1Starts;
        const PlayerFields f = fieldsOf(player1);
        const qint64 before
            = qint64(VarToIntDef(Tbl->FieldValue(f.remaining), 0)) + VarToIntDef(Tbl->FieldValue(f.score), 0);
        (player1 ? Remaining1 : Remaining2) = qint32(before);
        Tbl->EditRow();
        Tbl->FieldNamed(f.score)->Clear();
        Tbl->FieldNamed(f.remaining)->Clear();
        Tbl->FieldNamed(f.average)->Clear();
        Tbl->PostRow();
    } else {
        // The last entry opened its row: the row goes, and the starter's remaining score is
        // the one stored in the row before, 0 included; with no row before, the start score.
        const bool player1 = Player1Starts;
        Tbl->DeleteRow();
        const QVariant before = Tbl->FieldValue(fieldsOf(player1).remaining);
        (player1 ? Remaining1 : Remaining2) = VarToIntDef(ChooseVar(before.isNull(), StartScore, before), 0);
    }

    Player1ToThrow = !Player1ToThrow;
    RefreshScoreboard();
}

void Tfrm_Main::aUjExecute(QObject *Sender)
{
    Q_UNUSED(Sender);
    Tbl->RemoveAllRows();
    Remaining1 = StartScore;
    Remaining2 = StartScore;
    Player1Starts = !Player1Starts;
    Player1ToThrow = Player1Starts;
    RefreshScoreboard();
}

// --- Window ---------------------------------------------------------------------------------

void Tfrm_Main::FormCreate(QObject *Sender)
{
    Q_UNUSED(Sender);
    Player1Starts = true;
    Player1ToThrow = true;
    LoadSettings();
    Remaining1 = StartScore;
    Remaining2 = StartScore;
    Tbl->OpenTable();
}

void Tfrm_Main::LoadSettings()
{
    const IniFile ini(IniPath);
    StartScore = ini.readInteger(QStringLiteral("Def"), QStringLiteral("Indul"), 501);
    ExactCheckout = ini.readBool(QStringLiteral("Def"), QStringLiteral("KellKiszallo"), true);
    CheckBox1->setChecked(ExactCheckout);
    Edit1->setText(VarToScoreText(StartScore));
}

void Tfrm_Main::SaveSettings()
{
    ExactCheckout = CheckBox1->isChecked();
    StartScore = ScoreFromText(Edit1->text());
    IniFile ini(IniPath);
    // A failed write ends the saving silently; what was written before it stays written.
    if (!ini.writeInteger(QStringLiteral("Def"), QStringLiteral("Indul"), StartScore))
        return;
    ini.writeBool(QStringLiteral("Def"), QStringLiteral("KellKiszallo"), ExactCheckout);
}

void Tfrm_Main::FormShow(QObject *Sender)
{
    Q_UNUSED(Sender);
    placeOnWorkArea();
    // A window manager tells the frame's size only after the window is mapped; the window is
    // placed again once when it does.
    m_placeWhenFramed = 40;
    m_placement.start();
    Tfrm_Logo::Open();
}

// The window spans from the screen's top-left corner to the work area's bottom-right corner,
// frame included.
QRect Tfrm_Main::workAreaFrame() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return frameGeometry();
    const QRect work = screen->availableGeometry();
    return QRect(0, 0, work.x() + work.width(), work.y() + work.height());
}

// Checks, while the window is young, that its frame stands on the work area, and places it
// again when the window manager has put it elsewhere.
void Tfrm_Main::checkPlacement()
{
    if (--m_placeWhenFramed <= 0)
        m_placement.stop();
    if (frameMargins().isNull())
        return;
    if (windowHandle()->frameGeometry() == workAreaFrame())
        m_placement.stop();
    else
        placeOnWorkArea();
}

void Tfrm_Main::placeOnWorkArea()
{
    const QRect frame = workAreaFrame();
    const QMargins margins = frameMargins();
    setGeometry(frame.marginsRemoved(margins));
}

QMargins Tfrm_Main::frameMargins() const
{
    const QWindow *window = windowHandle();
    return window ? window->frameMargins() : QMargins();
}

void Tfrm_Main::FormResize(QObject *Sender)
{
    Q_UNUSED(Sender);
    const int half = width() / 2;
    const int entryHalf = EditEx1->width() / 2;
    EditEx1->move(half - entryHalf, EditEx1->y());
    SpeedButton2->move(half - entryHalf, SpeedButton2->y());
    // The markers move with their holders.
    QWidget *holder1 = Image1->parentWidget();
    QWidget *holder2 = Image2->parentWidget();
    holder1->move(half - entryHalf - MarkerGap - holder1->width(), holder1->y());
    holder2->move(half + entryHalf + MarkerGap, holder2->y());

    // The right grid fills what the left one leaves; its width is known here already.
    const int grid1Width = half;
    const int grid2Width = width() - half;
    DBGrid1->setFixedWidth(grid1Width);
    for (const auto &[grid, gridWidth] : {std::pair {DBGrid1, grid1Width}, std::pair {DBGrid2, grid2Width}}) {
        for (int i = 0; i < grid->Columns()->Count(); ++i)
            grid->Columns()->Items(i)->setWidth(gridWidth / 2 - ColumnInset);
    }
}

void Tfrm_Main::FormClose(QObject *Sender)
{
    Q_UNUSED(Sender);
    SaveSettings();
}

void Tfrm_Main::aBeallitExecute(QObject *Sender)
{
    Q_UNUSED(Sender);
    Panel4->setVisible(!Panel4->isVisible());
}

void Tfrm_Main::aBezarExecute(QObject *Sender)
{
    Q_UNUSED(Sender);
    close();
}

void Tfrm_Main::DBGrid1Enter(QObject *Sender)
{
    Q_UNUSED(Sender);
    EditEx1->setFocus();
}

// A player's row is highlighted when his own score in it is 100 or more.
void Tfrm_Main::DBGrid1DrawColumnCell(
    QObject *Sender, const QRect &Rect, int DataCol, TColumn *Column, TGridDrawState State)
{
    Q_UNUSED(Sender);
    DBGrid1->Canvas()->Brush().setColor(VarToIntDef(Tble1->AsValue(), 0) >= HighTurn ? HighTurnColor : clWindow);
    DBGrid1->DrawColumnCellDefault(Rect, DataCol, Column, State);
}

void Tfrm_Main::DBGrid2DrawColumnCell(
    QObject *Sender, const QRect &Rect, int DataCol, TColumn *Column, TGridDrawState State)
{
    Q_UNUSED(Sender);
    DBGrid2->Canvas()->Brush().setColor(VarToIntDef(Tble2->AsValue(), 0) >= HighTurn ? HighTurnColor : clWindow);
    DBGrid2->DrawColumnCellDefault(Rect, DataCol, Column, State);
}

bool Tfrm_Main::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == EditEx1 || watched == Edit1)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            EditEx1KeyPress(watched, QChar(13));
        else if (!key->text().isEmpty())
            EditEx1KeyPress(watched, key->text().front());
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tfrm_Main::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow(this);
    }
}

void Tfrm_Main::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize(this);
}

void Tfrm_Main::closeEvent(QCloseEvent *event)
{
    FormClose(this);
    event->accept();
}
