// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's part in the match beyond the game: it places the legs beside the names, the
// winner of the match in the status bar and the match's controls in the settings panel, and keeps
// them and the display up to date.
#include <QCheckBox>
#include <QComboBox>

#include "app/Main.h"
#include "app/MatchControls.h"
#include "controls/uEditEx.h"
#include "display/Display.h"

// The legs under the name boxes, between the average and the remaining-score figure.
void Tfrm_Main::createLegsLabels()
{
    m_legsLabels = {new LegsLabel(1, Panel2), new LegsLabel(2, Panel3)};
    m_legsLabels[0]->setGeometry(85, 40, 75, 17);
    m_legsLabels[1]->setGeometry(200, 40, 70, 17);
}

// What the settings panel holds beyond the scoreboard's own controls, made when it first shows so
// that start-up pays nothing for it: the match's controls under the caller's box, beside the start
// score. A further setting goes into the widget of its kind, or a widget of its own placed here.
void Tfrm_Main::createSettingsAdditions()
{
    QWidget *options = CheckBox1->parentWidget();
    createCallerControls(options);
    createAdviceLevelBox(options);
    m_matchControls = new MatchControls(m_match.legs(), options);
    m_matchControls->move(160, 35);
    m_matchControls->show();
    connect(m_matchControls, &MatchControls::legsChanged, this, &Tfrm_Main::showMatch);
    orderKeyboardFocus();
}

// "Útvonal a játékos szintjén", on the settings panel's last free row, under the start score.
void Tfrm_Main::createAdviceLevelBox(QWidget *settings)
{
    m_adviceLevelBox = new QCheckBox(QStringLiteral("Útvonal a játékos szintjén"), settings);
    m_adviceLevelBox->setObjectName(QStringLiteral("adviceLevelBox"));
    m_adviceLevelBox->setAccessibleDescription(
        QStringLiteral("A kiszálló útvonala a dobó játékos eddigi átlagához igazodik, kilenc nyíl után"));
    m_adviceLevelBox->setChecked(m_playerLevelRoutes.value_or(DefaultPlayerLevelRoutes));
    m_adviceLevelBox->adjustSize();
    m_adviceLevelBox->move(CheckBox1->x(), Edit1->geometry().bottom() - 1);
    m_adviceLevelBox->show();
    connect(m_adviceLevelBox, &QCheckBox::toggled, this, &Tfrm_Main::setAdviceAtPlayerLevel);
}

void Tfrm_Main::setAdviceAtPlayerLevel(bool on)
{
    m_playerLevelRoutes = on;
    showCheckoutRoute();
    if (m_display)
        m_display->refreshLater();
}

PlayerNames Tfrm_Main::shownNames() const
{
    return {PlayerName(ComboBox1->currentText(), 1), PlayerName(ComboBox2->currentText(), 2)};
}

// The legs as they stand, in the strip, the status bar, the correction boxes and the display.
void Tfrm_Main::showMatch()
{
    const Legs &legs = m_match.legs();
    for (LegsLabel *label : m_legsLabels)
        label->showLegs(legs);
    if (m_matchControls)
        m_matchControls->showLegs();
    m_matchWinner->showWinner(legs, shownNames());
    if (m_display)
        m_display->refreshLater();
}
