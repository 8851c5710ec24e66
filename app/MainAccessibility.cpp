// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// What assistive technology learns of the main window: a name for every control, the figures
// read with what they count, and, spoken, what each entry, undo and new game did.
#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>
#include <utility>

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QSpinBox>
#include <QStatusBar>
#include <QStringList>
#include <QToolBar>
#include <QToolButton>

#include "app/Announcer.h"
#include "app/CallerControls.h"
#include "app/LanguageBox.h"
#include "app/Main.h"
#include "app/MatchControls.h"
#include "controls/DBGridAccessible.h"
#include "controls/DBText.h"
#include "controls/ThemeDBGrid.h"
#include "controls/uEditEx.h"
#include "db/Field.h"
#include "match/Checkout.h"
#include "memtable/xovMemTable.h"

namespace {

// One player's controls and figures, under the window's names for them.
struct PlayerControls
{
    int number;
    QFrame *panel;
    QComboBox *nameBox;
    QLabel *figure;
    TDBText *average;
    QLabel *marker;
    TThemeDBGrid *grid;
    const TField *score;
    qint32 remaining;
    int legsWon;
};

std::array<PlayerControls, 2> playersOf(const Tfrm_Main &w)
{
    const Legs &legs = w.match().legs();
    return {PlayerControls {1, w.Panel2, w.ComboBox1, w.Label1, w.DBText1, w.Image1, w.DBGrid1, w.Tble1, w.Remaining1,
                legs.legsWon(true)},
        PlayerControls {2, w.Panel3, w.ComboBox2, w.Label2, w.DBText2, w.Image2, w.DBGrid2, w.Tble2, w.Remaining2,
            legs.legsWon(false)}};
}

QString playerTitle(int number)
{
    return Tfrm_Main::tr("%1. játékos").arg(number);
}

QString playerName(const PlayerControls &player)
{
    return PlayerName(player.nameBox->currentText(), player.number);
}

// The figures are read with what they count: each name carries the figure shown (the legs name
// themselves).
void nameFigures(const Tfrm_Main &w)
{
    for (const PlayerControls &player : playersOf(w)) {
        for (const auto &[label, counts, figure] :
            {std::tuple<QLabel *, QString, QString> {player.figure, Tfrm_Main::tr("kell még"), player.figure->text()},
                std::tuple<QLabel *, QString, QString> {
                    player.average, Tfrm_Main::tr("átlag"), player.average->text()}}) {
            const QString what = QStringLiteral("%1, %2").arg(playerTitle(player.number), counts);
            const QString name = figure.isEmpty() ? what : QStringLiteral("%1: %2").arg(what, figure);
            if (label->accessibleName() != name)
                label->setAccessibleName(name);
        }
    }
}

// Who throws next and what is left to go, with the route while exact checkout is ticked:
// "Következik: Anna, kell még 170. Kiszálló: T20 T20 Bull."
QString nextThrower(const Tfrm_Main &w, const QString &lead)
{
    const PlayerControls next = playersOf(w)[w.Player1ToThrow ? 0 : 1];
    QString told = Tfrm_Main::tr("%1: %2, kell még %3.").arg(lead, playerName(next), QString::number(next.remaining));
    const CheckoutAdvice advice = w.adviceFor(w.Player1ToThrow);
    if (advice.hasFinish())
        told += Tfrm_Main::tr(" Kiszálló: %1.").arg(advice.route.text());
    return told;
}

// The player who made the newest entry: the one not to throw, while the table holds that entry.
const PlayerControls *lastThrower(const Tfrm_Main &w, const std::array<PlayerControls, 2> &players)
{
    const PlayerControls &last = players[w.Player1ToThrow ? 1 : 0];
    // The newest entry is in the current row, the last of the table.
    if (!w.Tbl->Active() || w.Tbl->RowCount() == 0 || last.score->IsEmptyValue())
        return nullptr;
    return &last;
}

// The newest entry, "name: score", empty without one.
QString newestEntryOf(const Tfrm_Main &w)
{
    const std::array<PlayerControls, 2> players = playersOf(w);
    const PlayerControls *last = lastThrower(w, players);
    return last ? QStringLiteral("%1: %2").arg(playerName(*last), last->score->DisplayText()) : QString();
}

// The newest turn with the score it left, "Anna: 60, kell még 441.", and "Kiszállt!" once the
// player has checked out.
QString newestTurn(const Tfrm_Main &w)
{
    const std::array<PlayerControls, 2> players = playersOf(w);
    const PlayerControls *last = lastThrower(w, players);
    if (!last)
        return {};
    QString told = Tfrm_Main::tr("%1, kell még %2.").arg(newestEntryOf(w), QString::number(last->remaining));
    if (hasCheckedOut(last->remaining, w.CheckBox1->isChecked()))
        told += Tfrm_Main::tr(" Kiszállt!");
    return told;
}

QList<QWidget *> toolButtonsOf(const Tfrm_Main &w)
{
    QList<QWidget *> buttons;
    for (QAction *action : w.ToolBar1->actions()) {
        if (QWidget *button = action->isSeparator() ? nullptr : w.ToolBar1->widgetForAction(action))
            buttons << button;
    }
    return buttons;
}

QString sentence(const QStringList &parts)
{
    QStringList said = parts;
    said.removeAll(QString());
    return said.join(u' ');
}

// The contrast ratio of two colours, from their relative luminance (WCAG 2.1, 1.4.3).
double contrastRatio(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Text that is drawn disabled but must be read: its colour goes from the palette's disabled text
// towards the normal text until it stands 4.5:1 from the ground, the least for normal text
// (WCAG 2.1, 1.4.3). Kept so whenever the desktop's palette changes.
class ReadableDisabledTexts final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReadableDisabledTexts)

public:
    ReadableDisabledTexts(QWidget *holder, QList<QLabel *> labels)
        : QObject(holder)
        , m_labels(std::move(labels))
    {
        holder->installEventFilter(this);
        apply();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::PaletteChange)
            apply();
        return QObject::eventFilter(watched, event);
    }

private:
    // From the holder's palette, which the labels' own colour does not touch.
    void apply()
    {
        const QPalette colours = static_cast<QWidget *>(parent())->palette();
        const QColor ground = colours.color(QPalette::Active, QPalette::Window);
        const QColor normal = colours.color(QPalette::Active, QPalette::WindowText);
        const QColor disabled = colours.color(QPalette::Disabled, QPalette::WindowText);
        // The box may shade its inside a little off the window's colour (Fusion does).
        const auto readable = [&](const QColor &text) {
            return std::min({contrastRatio(text, ground), contrastRatio(text, ground.darker(110)),
                       contrastRatio(text, ground.lighter(110))})
                >= MinimumContrast;
        };
        QColor shown = disabled;
        for (int step = 1; step <= 10 && !readable(shown); ++step) {
            const float t = float(step) / 10;
            shown = QColor::fromRgbF(disabled.redF() + (normal.redF() - disabled.redF()) * t,
                disabled.greenF() + (normal.greenF() - disabled.greenF()) * t,
                disabled.blueF() + (normal.blueF() - disabled.blueF()) * t);
        }
        for (QLabel *label : m_labels) {
            if (label->palette().color(QPalette::Disabled, QPalette::WindowText) == shown)
                continue;
            QPalette palette = label->palette();
            palette.setColor(QPalette::Disabled, QPalette::WindowText, shown);
            label->setPalette(palette);
        }
    }

    static constexpr double MinimumContrast = 4.5;
    const QList<QLabel *> m_labels;
};

} // namespace

QString PlayerName(const QString &typed, int number)
{
    const QString name = typed.trimmed();
    return name.isEmpty() ? playerTitle(number) : name;
}

void Tfrm_Main::nameAccessibleControls()
{
    Tfrm_Main &w = *this;
    InstallDBGridAccessibility();

    w.setAccessibleName(QStringLiteral("Pontix"));
    w.ToolBar1->setAccessibleName(tr("Eszköztár"));
    for (QWidget *button : toolButtonsOf(w))
        button->setAccessibleName(qobject_cast<QToolButton *>(button)->defaultAction()->text());

    w.Panel1->setAccessibleName(tr("Eredményjelző"));
    for (const PlayerControls &player : playersOf(w)) {
        const QString title = playerTitle(player.number);
        player.panel->setAccessibleName(title);
        // A combo box is read by its text on Linux, the player's name: the description and the
        // edit line inside it (where the typing goes) say whose name it is.
        const QString nameOfName = tr("%1 neve").arg(title);
        player.nameBox->setAccessibleName(nameOfName);
        player.nameBox->setAccessibleDescription(nameOfName);
        player.nameBox->lineEdit()->setAccessibleName(nameOfName);
        player.marker->setAccessibleName(tr("%1 dob").arg(title));
        player.grid->setAccessibleName(tr("%1 dobásai").arg(title));
        // A reader speaks a row's values alone as it comes to it: the description names them.
        player.grid->setAccessibleDescription(tr("Soronként: dobás, kell még"));
    }
    w.EditEx1->setAccessibleName(tr("Dobott pontszám"));
    w.SpeedButton2->setAccessibleName(w.SpeedButton2->text());
    w.SpeedButton2->setAccessibleDescription(tr("A beírt pontszám rögzítése"));

    w.Panel4->setAccessibleName(tr("Beállítások"));
    w.CheckBox1->setAccessibleName(w.CheckBox1->text());
    w.Label3->setBuddy(w.Edit1);
    w.Edit1->setAccessibleName(w.Label3->text());
    w.Edit1->setAccessibleDescription(tr("A következő indításkor érvényes"));
    w.SpeedButton1->setAccessibleName(tr("Beállítások bezárása"));
    w.GroupBox1->setAccessibleName(w.GroupBox1->title());
    w.Image3->setAccessibleName(tr("Darts tábla"));

    w.statusBar()->setAccessibleName(tr("Állapotsor"));
    m_announcer = new Announcer(w.statusBar());
    m_announcer->setObjectName(QStringLiteral("Bemondo"));
    // A click on a button still leaves the keyboard where it was; a button pressed from the
    // keyboard hands it back to the entry box, as every action leaves it there.
    for (QWidget *widget : QList<QWidget *> {SpeedButton2, SpeedButton1} + toolButtonsOf(*this)) {
        auto *button = qobject_cast<QAbstractButton *>(widget);
        if (!button)
            continue;
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QAbstractButton::clicked, this, [this, button] {
            if (button->hasFocus())
                EditEx1->setFocus(Qt::OtherFocusReason);
        });
    }
    orderKeyboardFocus();
    new ReadableDisabledTexts(w.GroupBox1, {w.Label6, w.Label4, w.Label5});

    describeScoreboard();
}

// Tab and Shift+Tab reach every control, in the order of the work: the entry box and its OK
// button, the names, the settings panel while it shows (the additions it makes when it first
// shows among them), the grids, the tool bar. Only controls that take the focus can be ordered:
// the buttons' policies come first.
void Tfrm_Main::orderKeyboardFocus()
{
    QList<QWidget *> chain {EditEx1, SpeedButton2, ComboBox1, ComboBox2, CheckBox1};
    if (m_doubleOutBox)
        chain << m_doubleOutBox;
    if (m_callerBox)
        chain << m_callerBox->box();
    if (m_adviceLevelBox)
        chain << m_adviceLevelBox;
    chain << Edit1;
    if (m_matchControls)
        chain << m_matchControls->focusChain();
    if (m_checkoutDartsBox)
        chain << m_checkoutDartsBox << m_displayRoutesBox;
    if (m_languageBox)
        chain << m_languageBox->box();
    chain << SpeedButton1 << DBGrid1 << DBGrid2 << toolButtonsOf(*this);
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void Tfrm_Main::describeScoreboard()
{
    EditEx1->setAccessibleDescription(sentence({newestTurn(*this), nextThrower(*this, tr("Következik"))}));
    nameFigures(*this);
}

QString Tfrm_Main::newestEntry() const
{
    return newestEntryOf(*this);
}

// The sentences are made only while a screen reader listens: an entry costs nothing more otherwise.
void Tfrm_Main::tellEntry(EntryOutcome outcome, std::optional<qint32> typedScore)
{
    if (!QAccessible::isActive())
        return;
    Tfrm_Main &w = *this;
    const QString next = nextThrower(w, tr("Következik"));
    switch (outcome) {
    case EntryOutcome::Refused:
        // Junk text is not read back: it may be any length.
        m_announcer->announce(sentence(
            {typedScore ? tr("Elutasítva: %1 nem dobható.").arg(*typedScore) : tr("Elutasítva: nem egész szám."),
                next}));
        return;
    case EntryOutcome::Recorded:
        m_announcer->announce(sentence({newestTurn(w), next}));
        return;
    case EntryOutcome::RecordedAsZero: {
        const std::array<PlayerControls, 2> players = playersOf(w);
        const PlayerControls *last = lastThrower(w, players);
        if (!last)
            return;
        m_announcer->announce(sentence(
            {tr("%1: túldobás, %2 helyett 0, kell még %3.")
                    .arg(playerName(*last), QString::number(typedScore.value_or(0)), QString::number(last->remaining)),
                next}));
        return;
    }
    }
}

void Tfrm_Main::tellTakenBack(const QString &entry)
{
    if (!QAccessible::isActive())
        return;
    Tfrm_Main &w = *this;
    m_announcer->announce(sentence({tr("Visszavonva: %1.").arg(entry), nextThrower(w, tr("Következik"))}));
}

void Tfrm_Main::tellNotice()
{
    if (QAccessible::isActive())
        m_announcer->announce(m_notice->text() + u'.');
}

void Tfrm_Main::tellNewGame(const QString &opening)
{
    if (!QAccessible::isActive())
        return;
    Tfrm_Main &w = *this;
    const std::array<PlayerControls, 2> players = playersOf(w);
    const QString legs = tr("Legek: %1 %2, %3 %4.")
                             .arg(playerName(players[0]), QString::number(players[0].legsWon), playerName(players[1]),
                                 QString::number(players[1].legsWon));
    const Legs &tally = m_match.legs();
    const QString sets = tally.playsSets() ? tr("Szettek: %1 %2, %3 %4.")
                                                 .arg(playerName(players[0]), QString::number(tally.setsWon(true)),
                                                     playerName(players[1]), QString::number(tally.setsWon(false)))
                                           : QString();
    const QString decided = m_matchWinner->text();
    m_announcer->announce(
        sentence({opening, sets, legs, decided.isEmpty() ? QString() : decided + u'.', nextThrower(w, tr("Kezd"))}));
}

#include "MainAccessibility.moc"
