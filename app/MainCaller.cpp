// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's part in the caller: the choice in the settings panel, the call for each
// change of the match, and the status bar's line when the caller cannot speak.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QStatusBar>

#include "app/Caller.h"
#include "app/Main.h"

namespace {

std::optional<CallLanguage> languageOf(std::optional<CallerSetting> setting)
{
    switch (setting.value_or(CallerSetting::Off)) {
    case CallerSetting::Hungarian:
        return CallLanguage::Hungarian;
    case CallerSetting::English:
        return CallLanguage::English;
    case CallerSetting::Off:
        break;
    }
    return std::nullopt;
}

} // namespace

// Made when the settings panel first shows, so that a caller left off costs nothing at start.
void Tfrm_Main::createCallerControls(QWidget *settings)
{
    // On the exact-checkout box's row, above the legs: the panel keeps its width at the window's
    // narrowest.
    m_callerLabel = new QLabel(QStringLiteral("Bemondó"), settings);
    m_callerLabel->move(320, 11);
    callerBox = new QComboBox(settings);
    callerBox->addItems({QStringLiteral("ki"), QStringLiteral("magyar"), QStringLiteral("angol")});
    callerBox->setCurrentIndex(int(m_callerSetting.value_or(CallerSetting::Off)));
    callerBox->setGeometry(382, 6, 118, 25);
    callerBox->setAccessibleName(m_callerLabel->text());
    callerBox->setAccessibleDescription(QStringLiteral("A pontszámok bemondása: ki, magyarul vagy angolul"));
    m_callerLabel->setBuddy(callerBox);
    // Reached with Tab right after the exact-checkout box beside it.
    QWidget::setTabOrder(CheckBox1, callerBox);
    for (QWidget *control : {static_cast<QWidget *>(m_callerLabel), static_cast<QWidget *>(callerBox)})
        control->show();
    connect(callerBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_callerSetting = CallerSetting(index);
        applyCallerSetting();
    });
}

// The caller follows the choice; it is made only when first switched on.
void Tfrm_Main::applyCallerSetting()
{
    if (callerBox) {
        const QSignalBlocker quiet(callerBox);
        callerBox->setCurrentIndex(int(m_callerSetting.value_or(CallerSetting::Off)));
    }
    const std::optional<CallLanguage> language = languageOf(m_callerSetting);
    if (!m_caller) {
        if (!language)
            return;
        m_caller = new Caller(this);
        connect(m_caller, &Caller::stateChanged, this, &Tfrm_Main::showCallerState);
    }
    m_caller->setLanguage(language);
}

// Why the caller is silent, once, in the status bar; nothing while it speaks or is off.
void Tfrm_Main::showCallerState()
{
    const QString reason = m_caller->silenceReason();
    if (!m_callerStatus) {
        if (reason.isEmpty())
            return;
        m_callerStatus = new QLabel(statusBar());
        m_callerStatus->setAccessibleName(QStringLiteral("Bemondó"));
        statusBar()->addPermanentWidget(m_callerStatus);
    }
    m_callerStatus->setText(reason);
    m_callerStatus->setVisible(!reason.isEmpty());
}

void Tfrm_Main::callEntry(qint32 recorded)
{
    if (!m_caller || !m_caller->language())
        return;
    m_caller->say(callAfterEntry(m_match, recorded, CheckBox1->isChecked(),
        {ComboBox1->currentText(), ComboBox2->currentText()}, *m_caller->language()));
}

void Tfrm_Main::callNewGame()
{
    if (!m_caller || !m_caller->language())
        return;
    m_caller->say(callAfterNewGame(m_match, CheckBox1->isChecked(), *m_caller->language()));
}

void Tfrm_Main::silenceCall()
{
    if (m_caller)
        m_caller->stop();
}
