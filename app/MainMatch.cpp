// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's part in the match beyond the game: it places the legs beside the names, the
// winner of the match in the status bar and the match's controls in the settings panel, and keeps
// them and the display up to date.
#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>

#include "app/LanguageBox.h"
#include "app/Main.h"
#include "app/MatchControls.h"
#include "controls/uEditEx.h"
#include "display/Display.h"

// The legs under the name boxes, between the average and the remaining-score figure.
void Tfrm_Main::createLegsLabels()
{
    m_legsLabels = {new LegsLabel(1, Panel2), new LegsLabel(2, Panel3)};
    m_legsLabels[0]->setGeometry(85, 40, 110, 17);
    m_legsLabels[1]->setGeometry(160, 40, 110, 17);
}

void Tfrm_Main::setDoubleOut(bool on)
{
    if (on == m_doubleOut)
        return;
    m_doubleOut = on;
    changeSetting(m_addedSettings.doubleOut, DoubleOutSetting, on);
    if (m_doubleOutBox) {
        const QSignalBlocker quiet(m_doubleOutBox);
        m_doubleOutBox->setChecked(on);
    }
    if (on)
        CheckBox1->setChecked(true);
    // The advice follows the rule in force.
    showCheckoutRoute();
    if (m_display)
        m_display->refreshLater();
}

// The format the match plays, kept for the settings file once it differs from what it was.
void Tfrm_Main::rememberFormat()
{
    const MatchFormat &format = m_match.legs().format();
    changeSetting(m_addedSettings.legs, LegsSetting, format.legs);
    changeSetting(m_addedSettings.sets, SetsSetting, format.sets);
    changeSetting(m_addedSettings.twoClearLegs, TwoClearLegsSetting, format.twoClearLegs);
    changeSetting(m_addedSettings.allLegs, AllLegsSetting, format.allLegs);
}

// What the settings panel holds beyond the scoreboard's own controls, made when it first shows so
// that start-up pays nothing for it: the match's controls under the caller's box, beside the start
// score. A further setting goes into the widget of its kind, or a widget of its own placed here.
void Tfrm_Main::createSettingsAdditions()
{
    QWidget *options = CheckBox1->parentWidget();
    createCallerControls(options);
    m_doubleOutBox = new QCheckBox(tr("Dupla kiszálló"), options);
    m_doubleOutBox->setObjectName(QStringLiteral("doubleOut"));
    // Beside the exact checkout it includes, over the empty end of that box's row.
    m_doubleOutBox->move(175, 11);
    m_doubleOutBox->setChecked(m_doubleOut);
    m_doubleOutBox->adjustSize();
    m_doubleOutBox->show();
    connect(m_doubleOutBox, &QCheckBox::toggled, this, &Tfrm_Main::setDoubleOut);
    // Double out includes the exact checkout: clearing that clears double out. The operator
    // reaches that box only here, in the panel.
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool exact) {
        if (!exact)
            setDoubleOut(false);
    });
    createAdviceLevelBox(options);
    m_matchControls = new MatchControls(m_match.legs(), options);
    m_matchControls->move(160, 31);
    m_matchControls->show();
    connect(m_matchControls, &MatchControls::legsChanged, this, [this] {
        rememberFormat();
        showMatch();
    });
    // "Nyelv" on the panel's fifth row, after the row's two check boxes.
    m_languageBox = new LanguageBox(valueOf(m_addedSettings.language, LanguageSetting), options);
    m_languageBox->move(380, 104);
    m_languageBox->show();
    connect(m_languageBox, &LanguageBox::chosen, this,
        [this](LanguageChoice choice) { changeSetting(m_addedSettings.language, LanguageSetting, choice); });
    orderKeyboardFocus();
}

// "Útvonal a játékos szintjén", on the settings panel's last free row, under the start score.
void Tfrm_Main::createAdviceLevelBox(QWidget *settings)
{
    m_adviceLevelBox = new QCheckBox(tr("Útvonal a játékos szintjén"), settings);
    m_adviceLevelBox->setObjectName(QStringLiteral("adviceLevelBox"));
    m_adviceLevelBox->setAccessibleDescription(
        tr("A kiszálló útvonala a dobó játékos eddigi átlagához igazodik, kilenc nyíl után"));
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
