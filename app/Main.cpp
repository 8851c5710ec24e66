// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// What the main window does: the match scoring handlers, the layout on resize, the placement
// on the work area, the settings panel and the settings file.
#include "app/Main.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <QWindow>

#include "app/BullOffDialog.h"
#include "app/Picture.h"
#include "app/Seged.h"
#include "app/TurnLook.h"
#include "app/logo.h"
#include "controls/ThemeDBGrid.h"
#include "controls/uEditEx.h"
#include "db/Field.h"
#include "match/Checkout.h"
#include "match/TurnScores.h"
#include "memtable/xovMemTable.h"
#include "settings/Settings.h"

qint32 StartScore = DefaultStartScore;
bool ExactCheckout = DefaultExactCheckout;
Tfrm_Main *frm_Main = nullptr;

namespace {

constexpr int MarkerGap = 10;
// The narrowest a turn marker becomes when it gives way to a remaining-score figure; the window
// is then 898 pixels wide, within a 1366-pixel screen at 150 % scale.
constexpr int NarrowestMarker = 24;
constexpr int ColumnInset = 22;
const QColor RefusedColor(255, 0, 0); // colour 255: red in the low byte

// A player's row is highlighted when his own score in it is 100 or more: pale pink on a light
// palette, in colours that keep the text legible on any other.
void drawTurnCell(
    TThemeDBGrid *grid, const TField *score, const QRect &Rect, int DataCol, TColumn *Column, TGridDrawState State)
{
    TCanvas *canvas = grid->Canvas();
    if (score->AsInteger() >= TonTurn) {
        const TurnLook look = highTurnLook(grid->palette(), canvas->FontColor());
        canvas->Brush().setColor(look.background);
        canvas->setFontColor(look.text);
    } else {
        canvas->Brush().setColor(clWindow);
    }
    grid->DrawColumnCellDefault(Rect, DataCol, Column, State);
}

// Places a turn marker beside the entry box, the edge on the side of the box at `edge`: as wide
// as its picture, or as `room` where that is less, the picture scaled down to fit.
void placeMarker(QLabel *image, int room, int edge, Qt::AlignmentFlag side)
{
    QWidget *holder = image->parentWidget();
    const QSize picture = image->pixmap().deviceIndependentSize().toSize();
    const int width = std::clamp(room, 0, picture.width());
    const int height = picture.isEmpty() ? 0 : picture.height() * width / picture.width();
    holder->setFixedWidth(width);
    holder->move(side == Qt::AlignRight ? edge - width : edge, holder->y());
    image->setFixedSize(width, height);
    image->move(0, (holder->height() - height) / 2);
}

} // namespace

// --- Match scoring -------------------------------------------------------------------------

// Out of the red, the box follows the desktop's palette again, should it change meanwhile.
void Tfrm_Main::setEntryBoxColor(bool refused)
{
    QPalette palette;
    if (refused)
        palette.setColor(QPalette::Base, RefusedColor);
    EditEx1->setPalette(palette);
}

// The entry box shows what became of the entry: red for a refused score, its text selected so
// that the next key stroke replaces it, and red for a score counted as 0; the normal colour
// otherwise. The colour stays until the next entry. Text that is no whole number (letters, a
// decimal separator, other scripts' digits, too many digits) is refused: read as 0, a slip of the
// keyboard would pass the throw.
void Tfrm_Main::EnterThrow()
{
    if (m_askingDarts) {
        answerCheckoutDarts();
        return;
    }
    const bool legWasWon = m_match.record().currentLeg().winner.has_value();
    const std::optional<qint32> typed = EntryScore(EditEx1->text());
    const EntryOutcome outcome
        = typed ? m_match.enterScore(*typed, CheckBox1->isChecked(), m_doubleOut) : EntryOutcome::Refused;
    // A bust is named in the status bar until the next change.
    if (outcome == EntryOutcome::RecordedAsZero)
        showNotice(tr("Túldobás"));
    else
        showNotice(QString());
    switch (outcome) {
    case EntryOutcome::Refused:
        setEntryBoxColor(true);
        EditEx1->selectAll();
        tellEntry(outcome, typed);
        return;
    case EntryOutcome::Recorded:
        setEntryBoxColor(false);
        break;
    case EntryOutcome::RecordedAsZero:
        setEntryBoxColor(true);
        break;
    }
    callEntry(outcome == EntryOutcome::RecordedAsZero ? 0 : *typed);
    RefreshScoreboard();
    tellEntry(outcome, typed);
    if (!legWasWon && m_match.record().currentLeg().winner)
        askCheckoutDarts();
}

void Tfrm_Main::showNotice(const QString &text)
{
    if (m_notice->text() == text)
        return;
    m_notice->setText(text);
    // A screen reader finds the label by its name, "Üzenet", and reads what it says.
    m_notice->setAccessibleDescription(text);
}

void Tfrm_Main::RefreshScoreboard()
{
    Image1->setVisible(Player1ToThrow);
    Image2->setVisible(!Player1ToThrow);
    // Emptied with its undo history: the box's Ctrl+Z would bring back a score already recorded,
    // and the history would grow with every entry of the night.
    EditEx1->setText(QString());
    // Whatever changed the game, the checkout asked about may be gone.
    stopAskingDarts();

    showFigure(1, Remaining1);
    showFigure(2, Remaining2);
    showCheckoutRoute();
    describeScoreboard();
    showMatch();
}

// A remaining score in large figures, every digit of it: at full size where it fits its place,
// else at the largest size that fits. Player 2's figure grows to the left, its right edge staying
// where it is.
void Tfrm_Main::showFigure(int player, qint32 remaining)
{
    QLabel *figure = player == 1 ? Label1 : Label2;
    const QRect place = m_figurePlaces[player - 1];
    const QString text = VarToScoreText(remaining);
    QFont font = m_figureFont;
    // Measured as the label measures its text.
    const auto widthAt = [&font, &text](int size) {
        font.setPixelSize(size);
        return QFontMetrics(font).boundingRect(0, 0, 0, 0, Qt::AlignLeft, text).width();
    };
    const int fullSize = m_figureFont.pixelSize();
    const int full = widthAt(fullSize);
    int size = fullSize;
    if (full > place.width()) {
        size = std::max(1, fullSize * place.width() / full);
        while (size + 1 < fullSize && widthAt(size + 1) <= place.width())
            ++size;
        while (size > 1 && widthAt(size) > place.width())
            --size;
    }
    font.setPixelSize(size);
    if (figure->font().pixelSize() != font.pixelSize())
        figure->setFont(font);
    figure->setText(text);
    figure->adjustSize();
    const int top = place.y() + (place.height() - figure->height()) / 2;
    figure->move(player == 1 ? place.x() : place.right() + 1 - figure->width(), top);
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
    silenceCall();
    const QString entry = newestEntry();
    if (m_match.takeBack()) {
        showNotice(QString());
        RefreshScoreboard();
        tellTakenBack(entry);
    }
}

void Tfrm_Main::aUjExecute(QObject *Sender)
{
    Q_UNUSED(Sender);
    m_match.newGame();
    showNotice(QString());
    callNewGame();
    RefreshScoreboard();
    tellNewGame(tr("Új játék."));
}

void Tfrm_Main::aMeccsExecute(QObject *Sender)
{
    Q_UNUSED(Sender);
    const PlayerNames names = shownNames();
    const std::optional<BullOff> answer = BullOffDialog::ask(names[0], names[1], Player1Starts, this);
    // The keyboard goes back to the entry box, whatever the answer.
    activateWindow();
    EditEx1->setFocus(Qt::OtherFocusReason);
    if (!answer)
        return;
    // The start score typed in the settings panel plays from now on; one of 0 or less is a typo,
    // and the start score stays.
    const qint32 typed = ScoreFromText(Edit1->text());
    if (typed > 0)
        StartScore = typed;
    m_match.newMatch(*answer == BullOff::KeepStarter ? std::nullopt : std::optional<bool>(*answer == BullOff::Player1));
    showNotice(QString());
    callNewGame();
    RefreshScoreboard();
    tellNewGame(tr("Új meccs."));
}

void Tfrm_Main::aElozoExecute(QObject *Sender)
{
    Q_UNUSED(Sender);
    const PreviousGameOutcome outcome = m_match.restorePreviousGame();
    showNotice(PreviousGameText(outcome));
    if (outcome != PreviousGameOutcome::Restored) {
        tellNotice();
        return;
    }
    silenceCall();
    RefreshScoreboard();
    tellNewGame(PreviousGameText(outcome) + u'.');
}

// --- Window ---------------------------------------------------------------------------------

void Tfrm_Main::FormCreate(QObject *Sender)
{
    Q_UNUSED(Sender);
    LoadSettings();
    m_match.startFirstGame();
    Tbl->OpenTable();
    // The figures show what each player has to go from the start, not only after the first entry.
    RefreshScoreboard();
}

void Tfrm_Main::LoadSettings()
{
    const StoredSettings stored = ReadSettings();
    StartScore = stored.startScore;
    ExactCheckout = stored.exactCheckout;
    CheckBox1->setChecked(ExactCheckout);
    Edit1->setText(VarToScoreText(StartScore));
    m_callerSetting = stored.caller;
    m_addedSettings = stored;
    m_doubleOut = valueOf(stored.doubleOut, DoubleOutSetting);
    m_match.legs().setFormat({valueOf(stored.legs, LegsSetting), valueOf(stored.sets, SetsSetting),
        valueOf(stored.twoClearLegs, TwoClearLegsSetting), valueOf(stored.allLegs, AllLegsSetting)});
    m_playerLevelRoutes = stored.playerLevelRoutes;
    // A caller kept switched on starts once the window's events run; while it is off nothing of
    // it is made, its box in the settings panel neither until the panel first shows.
    if (m_callerSetting.value_or(CallerSetting::Off) != CallerSetting::Off)
        QTimer::singleShot(0, this, &Tfrm_Main::applyCallerSetting);
}

void Tfrm_Main::SaveSettings()
{
    ExactCheckout = CheckBox1->isChecked();
    // A start score of 0 or less is a typo (letters, a slip, too many digits), never a game to
    // play from: the previous start score stays.
    const qint32 typed = ScoreFromText(Edit1->text());
    if (typed > 0)
        StartScore = typed;
    StoredSettings settings = m_addedSettings;
    settings.startScore = StartScore;
    settings.exactCheckout = ExactCheckout;
    settings.caller = m_callerSetting;
    settings.playerLevelRoutes = m_playerLevelRoutes;
    WriteSettings(settings);
}

void Tfrm_Main::FormShow(QObject *Sender)
{
    Q_UNUSED(Sender);
    placeOnWorkArea();
    // A window manager tells the frame's size only after the window is mapped; the window is
    // placed again once when it does.
    m_placeWhenFramed = 40;
    m_placement.start();
    // The splash opens over the window once the window has drawn its first frame (paintEvent):
    // start-up pays for the window first; the splash reads its picture as it opens.
    m_splashWaits = true;
}

void Tfrm_Main::openSplash()
{
    Tfrm_Logo::Open(this);
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

// Left and right, how far the remaining-score figures' panels stand in from the window's edges.
QMargins Tfrm_Main::figureInsets() const
{
    const QRect strip = Panel1->contentsRect().marginsRemoved(Panel1->layout()->contentsMargins());
    return QMargins(strip.left() + Panel2->width(), 0, Panel1->width() - strip.right() - 1 + Panel3->width(), 0);
}

// The window is never so narrow that a marker squeezed between the entry box and a figure
// would be narrower than NarrowestMarker.
int Tfrm_Main::narrowestWidth() const
{
    const QMargins figures = figureInsets();
    const int entryHalf = EditEx1->width() / 2;
    return 2 * (std::max(figures.left(), figures.right()) + entryHalf + MarkerGap + NarrowestMarker);
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
    // The markers keep to the room between the entry box and the figures: in a narrow window
    // they give way, scaled down, instead of covering a figure.
    const QMargins figures = figureInsets();
    const int inner1 = half - entryHalf - MarkerGap;
    const int inner2 = half + entryHalf + MarkerGap;
    placeMarker(Image1, inner1 - figures.left(), inner1, Qt::AlignRight);
    placeMarker(Image2, width() - figures.right() - inner2, inner2, Qt::AlignLeft);

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

void Tfrm_Main::aKijelzoExecute(QObject *Sender)
{
    Q_UNUSED(Sender);
    openDisplay();
}

CheckoutAdvice Tfrm_Main::adviceFor(bool player1) const
{
    if (!CheckBox1->isChecked())
        return {};
    const CheckoutRule rule = m_doubleOut ? CheckoutRule::DoubleOut : CheckoutRule::StraightOut;
    return checkoutAdvice(player1 ? Remaining1 : Remaining2, rule, m_adviceLevels[player1 ? 0 : 1]);
}

// While exact checkout is ticked, the advice for the player to throw: the route where a finish is
// in hand, else what to aim at and what it leaves.
void Tfrm_Main::showCheckoutRoute()
{
    for (const bool player1 : {true, false}) {
        const TurnTotals &totals = m_match.legs().figures(player1).totals;
        m_adviceLevels[player1 ? 0 : 1] = m_playerLevelRoutes.value_or(DefaultPlayerLevelRoutes)
            ? m_playerLevels.levelOf(player1, totals.turns, totals.scored)
            : defaultLevel;
    }
    const CheckoutAdvice advice = adviceFor(Player1ToThrow);
    m_routePanel->setText(advice.text());
    // A screen reader reads the panel by its name: the name carries the darts, or the aim and
    // what it leaves in words.
    QString name = tr("Kiszálló");
    if (advice.hasFinish())
        name = tr("Kiszálló: %1").arg(advice.route.text());
    else if (advice.aim.number != 0)
        name = tr("Előkészítés: %1, marad %2").arg(advice.aim.text()).arg(advice.leaves);
    if (m_routePanel->accessibleName() != name)
        m_routePanel->setAccessibleName(name);
}

// A grid holds the focus only when reached from the keyboard, to be read: reading starts on the
// newest turn.
void Tfrm_Main::DBGrid1Enter(QObject *Sender)
{
    if (auto *grid = qobject_cast<TDBGrid *>(Sender))
        grid->setReadingCell(0, grid->shownRowCount() - 1);
}

void Tfrm_Main::DBGrid1DrawColumnCell(
    QObject *Sender, const QRect &Rect, int DataCol, TColumn *Column, TGridDrawState State)
{
    Q_UNUSED(Sender);
    drawTurnCell(DBGrid1, Tble1, Rect, DataCol, Column, State);
}

void Tfrm_Main::DBGrid2DrawColumnCell(
    QObject *Sender, const QRect &Rect, int DataCol, TColumn *Column, TGridDrawState State)
{
    Q_UNUSED(Sender);
    drawTurnCell(DBGrid2, Tble2, Rect, DataCol, Column, State);
}

bool Tfrm_Main::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Panel4 && event->type() == QEvent::Show) {
        if (!m_matchControls) {
            showSettingsPictures();
            createSettingsAdditions();
        }
        fitSettingsLabels();
    }
    // In a grid being read, Esc goes back to the entry box, and what is typed goes into it: a
    // score typed there lands where scores go, Enter records it.
    if (event->type() == QEvent::KeyPress && (watched == DBGrid1 || watched == DBGrid2)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool typed = !key->text().isEmpty() && key->text().front().isPrint();
        if (enter || typed || key->key() == Qt::Key_Escape) {
            EditEx1->setFocus(Qt::OtherFocusReason);
            if (enter)
                EditEx1KeyPress(EditEx1, QChar(13));
            else if (typed)
                EditEx1->insert(key->text());
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && (watched == EditEx1 || watched == Edit1)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Esc leaves the checkout's darts unknown.
        if (watched == EditEx1 && key->key() == Qt::Key_Escape && m_askingDarts) {
            stopAskingDarts();
            showNotice(QString());
            return true;
        }
        // The keypad's "/" types nothing a score could use: at the board, with a keypad alone,
        // it takes the last entry back as F8 does.
        if (watched == EditEx1 && key->key() == Qt::Key_Slash && key->modifiers().testFlag(Qt::KeypadModifier)) {
            aTorol->trigger();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            EditEx1KeyPress(watched, QChar(13));
        else if (!key->text().isEmpty())
            EditEx1KeyPress(watched, key->text().front());
    }
    return QMainWindow::eventFilter(watched, event);
}

// The settings panel's cross is drawn in the window's text colour, black on a light palette, so
// that it shows on a dark one too.
void Tfrm_Main::setCrossIcon()
{
    QIcon icon;
    // Both sizes, so that a scaled screen gets the sharp twin.
    for (const auto &[resource, ratio] : {std::pair {QStringLiteral(":/assets/cross.png"), 1.0},
             std::pair {QStringLiteral(":/assets/cross@2x.png"), 2.0}}) {
        QImage cross = QImage(resource).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&cross);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(cross.rect(), palette().color(QPalette::WindowText));
        painter.end();
        cross.setDevicePixelRatio(ratio);
        icon.addPixmap(QPixmap::fromImage(cross));
    }
    SpeedButton1->setIcon(icon);
}

void Tfrm_Main::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Until the settings panel first shows, its cross is drawn in no colour yet.
    if (event->type() == QEvent::PaletteChange && !SpeedButton1->icon().isNull())
        setCrossIcon();
}

void Tfrm_Main::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow(this);
    }
}

// The window's own paint comes first in a frame: once the whole frame is drawn and shown, the
// splash opens.
void Tfrm_Main::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    if (m_splashWaits) {
        m_splashWaits = false;
        QMetaObject::invokeMethod(this, &Tfrm_Main::openSplash, Qt::QueuedConnection);
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
