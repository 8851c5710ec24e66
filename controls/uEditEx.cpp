// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/uEditEx.h"

TEditEx::TEditEx(QWidget *parent)
    : QLineEdit(parent)
{
    QLineEdit::setAlignment(AlignmentToQt(m_alignment));
}

TEditEx::~TEditEx() = default;

// The line edit places its text anew without being rebuilt, so text, selection, caret and
// focus stay as they are.
void TEditEx::setAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    QLineEdit::setAlignment(AlignmentToQt(value));
}
