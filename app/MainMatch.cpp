// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's part in the match beyond the game: it places the legs beside the names, the
// winner of the match in the status bar and the match's controls in the settings panel, and keeps
// them and the display up to date.
#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>
#include <QToolButton>

#include "app/LanguageBox.h"
#include "app/Main.h"
#include "app/MatchControls.h"
#include "controls/uEditEx.h"
#include "display/Display.h"
#include "match/CheckoutDarts.h"
#include "sheet/ResultWindow.h"

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
    createRecordBoxes(options);
    m_matchControls = new MatchControls(m_match.legs(), options);
    m_matchControls->move(160, 31);
    m_matchControls->show();
    connect(m_matchControls, &MatchControls::legsChanged, this, [this] {
        rememberFormat();
        showMatch();
    });
    // "Nyelv" on the panel's fifth row, after the row's two check boxes.
    m_languageBox = new LanguageBox(valueOf(m_addedSettings.language, LanguageSetting), options);
    m_languageBox->move(380, 100);
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
    refreshResultSheet();
}

// The settings panel's last row: what the night's record counts and what the display shows.
void Tfrm_Main::createRecordBoxes(QWidget *settings)
{
    const int top = CheckBox1->y() + 88;
    m_checkoutDartsBox = new QCheckBox(tr("Kiszálló nyilai"), settings);
    m_checkoutDartsBox->setObjectName(QStringLiteral("checkoutDartsBox"));
    m_checkoutDartsBox->setAccessibleDescription(
        tr("Kiszálláskor a beviteli mező megkérdezi, hány nyíl kellett hozzá, és az eredménylap "
           "megmutatja a legek nyilait"));
    m_checkoutDartsBox->setChecked(valueOf(m_addedSettings.checkoutDarts, CheckoutDartsSetting));
    m_checkoutDartsBox->adjustSize();
    m_checkoutDartsBox->move(CheckBox1->x(), top);
    m_checkoutDartsBox->show();
    connect(m_checkoutDartsBox, &QCheckBox::toggled, this, [this](bool on) {
        changeSetting(m_addedSettings.checkoutDarts, CheckoutDartsSetting, on);
        if (!on && m_askingDarts) {
            stopAskingDarts();
            showNotice(QString());
        }
        if (m_display)
            m_display->refreshLater();
        if (m_sheet)
            m_sheet->setDartsShown(on);
    });
    m_displayRoutesBox = new QCheckBox(tr("Útvonal a kijelzőn"), settings);
    m_displayRoutesBox->setObjectName(QStringLiteral("displayRoutesBox"));
    m_displayRoutesBox->setAccessibleDescription(
        tr("A kijelző mutatja a kiszálló útvonalát; az állapotsor mindig mutatja"));
    m_displayRoutesBox->setChecked(valueOf(m_addedSettings.displayRoutes, DisplayRoutesSetting));
    m_displayRoutesBox->adjustSize();
    m_displayRoutesBox->move(200, top);
    m_displayRoutesBox->show();
    connect(m_displayRoutesBox, &QCheckBox::toggled, this, [this](bool on) {
        changeSetting(m_addedSettings.displayRoutes, DisplayRoutesSetting, on);
        if (m_display)
            m_display->refreshLater();
    });
}

namespace {

QString dartsQuestion()
{
    return Tfrm_Main::tr("Hány nyíllal szállt ki? 1, 2 vagy 3 (Enter: 3)");
}

} // namespace

// Asked in the entry box itself, so that the keypad answers as it enters scores.
void Tfrm_Main::askCheckoutDarts()
{
    if (!valueOf(m_addedSettings.checkoutDarts, CheckoutDartsSetting))
        return;
    m_askingDarts = true;
    // Under the box, where the operator's eyes are: the box itself, centred and focused, shows no
    // placeholder.
    SpeedButton2->setText(tr("Nyíl? 1–3"));
    EditEx1->setAccessibleDescription(dartsQuestion());
    showNotice(dartsQuestion());
    tellNotice();
}

// 1, 2 or 3, or nothing for 3; a count that cannot have made the checkout is refused as a score
// is, the question standing.
void Tfrm_Main::answerCheckoutDarts()
{
    const QString typed = EditEx1->text().trimmed();
    const FinishRule rule = m_doubleOut ? FinishRule::DoubleOut : FinishRule::StraightOut;
    const bool oneDigit = typed.size() == 1 && typed.front() >= u'1' && typed.front() <= u'3';
    const int darts = typed.isEmpty() ? 3 : oneDigit ? typed.front().digitValue() : 0;
    if (darts == 0 || !m_match.record().setCheckoutDarts(darts, rule)) {
        setEntryBoxColor(true);
        EditEx1->selectAll();
        // Junk is not repeated back: it may be any length.
        showNotice(oneDigit ? tr("%1 nyíllal nem lehet. %2").arg(typed, dartsQuestion())
                            : tr("Elutasítva. %1").arg(dartsQuestion()));
        tellNotice();
        return;
    }
    stopAskingDarts();
    EditEx1->setText(QString());
    setEntryBoxColor(false);
    showNotice(tr("A leg: %n nyíl", nullptr, m_match.record().currentLeg().darts().value_or(0)));
    tellNotice();
    if (m_display)
        m_display->refreshLater();
    refreshResultSheet();
}

void Tfrm_Main::stopAskingDarts()
{
    if (!m_askingDarts)
        return;
    m_askingDarts = false;
    SpeedButton2->setText(QStringLiteral("OK"));
    describeScoreboard();
}
