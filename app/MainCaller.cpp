// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's part in the caller: it places the caller's choice in the settings panel and
// the line saying why the caller is silent in the status bar, and has each change of the match
// called.
#include <QCheckBox>
#include <QComboBox>
#include <QStatusBar>

#include "app/CallerControls.h"
#include "app/Main.h"
#include "caller/Caller.h"

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

// On the exact-checkout box's row, above the legs: the panel keeps its width at the window's
// narrowest.
void Tfrm_Main::createCallerControls(QWidget *settings)
{
    m_callerBox = new CallerBox(m_callerSetting.value_or(CallerSetting::Off), settings);
    m_callerBox->move(320, 6);
    m_callerBox->show();
    connect(m_callerBox, &CallerBox::chosen, this, [this](CallerSetting setting) {
        m_callerSetting = setting;
        applyCallerSetting();
    });
}

// The caller follows the choice; it is made only when first switched on.
void Tfrm_Main::applyCallerSetting()
{
    if (m_callerBox)
        m_callerBox->showSetting(m_callerSetting.value_or(CallerSetting::Off));
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
    if (!m_callerStatus) {
        if (m_caller->silenceReason().isEmpty())
            return;
        m_callerStatus = new CallerStatus(statusBar());
        statusBar()->addPermanentWidget(m_callerStatus);
    }
    m_callerStatus->showState(*m_caller);
}

void Tfrm_Main::callEntry(qint32 recorded)
{
    if (m_caller)
        m_caller->callEntry(
            m_match, recorded, CheckBox1->isChecked(), {ComboBox1->currentText(), ComboBox2->currentText()});
}

void Tfrm_Main::callNewGame()
{
    if (m_caller)
        m_caller->callNewGame(m_match, CheckBox1->isChecked());
}

void Tfrm_Main::silenceCall()
{
    if (m_caller)
        m_caller->stop();
}
