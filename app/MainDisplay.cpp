// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's part in the spectator display: it makes the display the first time it is
// opened, gives it the match, the turn rows and a view of the names and the exact-checkout box,
// and hands it the tool bar's keys and what is typed in it; while it is shown the screen is kept
// awake.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QToolBar>

#include "app/Main.h"
#include "controls/uEditEx.h"
#include "db/Field.h"
#include "desktop/ScreenKeeper.h"
#include "display/Display.h"
#include "display/DisplayAccessible.h"

namespace {

// Keeps the screen awake while the display it watches is shown: the room watches it, and the
// desktop's idle time must not blank the projector in the middle of a leg. Hidden (closed, or
// withdrawn with its screen), it lets the desktop blank again.
class AwakeWhileShown final : public QObject
{
public:
    explicit AwakeWhileShown(QWidget *display)
        : QObject(display)
    {
        display->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous())
            m_keeper.keepAwake();
        else if (event->type() == QEvent::Hide && !event->spontaneous())
            m_keeper.release();
        return QObject::eventFilter(watched, event);
    }

private:
    ScreenKeeper m_keeper;
};

} // namespace

// The display is built the first time it is shown: until then it costs nothing.
void Tfrm_Main::openDisplay()
{
    if (m_display) {
        m_display->toggle();
        return;
    }
    InstallDisplayAccessibility();
    const auto view = [this] {
        const Legs &legs = m_match.legs();
        const PlayerNames names = shownNames();
        // Where the league allows telling a player what they need but not how, the display keeps
        // the routes to itself; the status bar still shows the operator's.
        const bool routes = valueOf(m_addedSettings.displayRoutes, DisplayRoutesSetting);
        const auto route = [this, routes](bool player1) { return routes ? adviceFor(player1).text() : QString(); };
        return MatchView {{{{names[0], Remaining1, legs.figures(true), route(true)},
                              {names[1], Remaining2, legs.figures(false), route(false)}}},
            Player1ToThrow, Player1Starts, CheckBox1->isChecked(), legs.firstTo(), legs.matchWinner(),
            legs.playsSets() ? legs.format().sets : 0, legs.format().allLegs && legs.firstTo() > 0, legs.matchDrawn(),
            valueOf(m_addedSettings.checkoutDarts, CheckoutDartsSetting)};
    };
    m_display = new SpectatorDisplay(m_match, DataSource1, {Tble1, Tbla1, Tble2, Tbla2}, view, this);
    m_display->setObjectName(QStringLiteral("Kijelzo"));
    m_display->setAccessibleName(m_display->windowTitle());
    for (QComboBox *box : {ComboBox1, ComboBox2})
        connect(box, &QComboBox::editTextChanged, m_display, &SpectatorDisplay::refreshLater);
    connect(CheckBox1, &QCheckBox::toggled, m_display, &SpectatorDisplay::refreshLater);
    // The tool bar's keys work while the display has the keyboard too, F11 excepted: there it
    // puts the display's own full screen on or off.
    for (QAction *action : ToolBar1->actions()) {
        if (action != aKijelzo && !action->isSeparator())
            m_display->addAction(action);
    }
    // What is typed in the display goes into the entry box as if typed there: the key itself, so
    // that Enter records and the keypad's "/" takes back as they do in the box.
    m_display->OnTyped = [this](const QKeyEvent &key) {
        EditEx1->setFocus(Qt::OtherFocusReason);
        QKeyEvent again(QEvent::KeyPress, key.key(), key.modifiers(), key.text(), key.isAutoRepeat(), key.count());
        QCoreApplication::sendEvent(EditEx1, &again);
    };
    new AwakeWhileShown(m_display);
    m_display->toggle();
}
