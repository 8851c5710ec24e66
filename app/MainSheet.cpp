// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's part in the result sheet: the "Eredmény" window is made the first time it is
// asked for, so that start-up pays nothing for it, and is kept up to date while it shows.
#include <QComboBox>

#include "app/Main.h"
#include "sheet/ResultWindow.h"

void Tfrm_Main::aEredmenyExecute(QObject *Sender)
{
    Q_UNUSED(Sender);
    if (!m_sheet) {
        m_sheet = new ResultWindow(m_match, this);
        m_sheet->setObjectName(QStringLiteral("Eredmeny"));
        for (QComboBox *box : {ComboBox1, ComboBox2})
            connect(box, &QComboBox::editTextChanged, m_sheet, [this] { showSheetNames(); });
    }
    showSheetNames();
    m_sheet->setDartsShown(valueOf(m_addedSettings.checkoutDarts, CheckoutDartsSetting));
    m_sheet->refresh();
    m_sheet->show();
    m_sheet->raise();
    m_sheet->activateWindow();
}

void Tfrm_Main::showSheetNames()
{
    m_sheet->setPlayerNames(ComboBox1->currentText(), ComboBox2->currentText());
}

void Tfrm_Main::refreshResultSheet()
{
    if (m_sheet && m_sheet->isVisible())
        m_sheet->refresh();
}
