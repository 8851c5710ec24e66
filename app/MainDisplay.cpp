// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MainDisplay.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QToolBar>

#include "app/Display.h"
#include "app/Main.h"
#include "app/MainAccessibility.h"
#include "controls/uEditEx.h"
#include "db/Field.h"

SpectatorDisplay *CreateSpectatorDisplay(Tfrm_Main &w)
{
    const auto view = [&w] {
        const Legs &legs = w.match().legs();
        return MatchView {{{{PlayerName(w.ComboBox1->currentText(), 1), w.Remaining1, legs.figures(true)},
                              {PlayerName(w.ComboBox2->currentText(), 2), w.Remaining2, legs.figures(false)}}},
            w.Player1ToThrow, w.Player1Starts, w.CheckBox1->isChecked(), legs.firstTo(), legs.matchWinner()};
    };
    auto *display = new SpectatorDisplay(w.match(), w.DataSource1, {w.Tble1, w.Tbla1, w.Tble2, w.Tbla2}, view, &w);
    display->setObjectName(QStringLiteral("Kijelzo"));
    display->setAccessibleName(QStringLiteral("Kijelző"));
    for (QComboBox *box : {w.ComboBox1, w.ComboBox2})
        QObject::connect(box, &QComboBox::editTextChanged, display, &SpectatorDisplay::refreshLater);
    QObject::connect(w.CheckBox1, &QCheckBox::toggled, display, &SpectatorDisplay::refreshLater);
    // The tool bar's keys work while the display has the keyboard too, F11 excepted: there it
    // puts the display's own full screen on or off.
    for (QAction *action : w.ToolBar1->actions()) {
        if (action != w.aKijelzo && !action->isSeparator())
            display->addAction(action);
    }
    // What is typed in the display goes into the entry box as if typed there: the key itself, so
    // that Enter records and the keypad's "/" takes back as they do in the box.
    display->OnTyped = [&w](const QKeyEvent &key) {
        w.EditEx1->setFocus(Qt::OtherFocusReason);
        QKeyEvent again(QEvent::KeyPress, key.key(), key.modifiers(), key.text(), key.isAutoRepeat(), key.count());
        QCoreApplication::sendEvent(w.EditEx1, &again);
    };
    return display;
}
