// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The bull-off question: three buttons, the one that keeps the starter the default.
#include "app/BullOffDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

BullOffDialog::BullOffDialog(const QString &player1, const QString &player2, bool player1Starts, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Új meccs"));
    auto *layout = new QVBoxLayout(this);
    auto *question = new QLabel(tr("Ki nyerte a bull-offot?"), this);
    layout->addWidget(question);
    auto *buttons = new QDialogButtonBox(Qt::Horizontal, this);
    const auto add = [this, buttons](const QString &text, BullOff answer) {
        // Plain text: a name holding "&" must not make a mnemonic of the letter after it.
        auto *button
            = buttons->addButton(QString(text).replace(u'&', QStringLiteral("&&")), QDialogButtonBox::AcceptRole);
        connect(button, &QPushButton::clicked, this, [this, answer] { m_answer = answer; });
        return button;
    };
    add(player1, BullOff::Player1);
    add(player2, BullOff::Player2);
    QPushButton *keep = add(tr("Marad a kezdő (%1)").arg(player1Starts ? player1 : player2), BullOff::KeepStarter);
    keep->setDefault(true);
    keep->setAutoDefault(true);
    buttons->addButton(tr("Mégse"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    question->setBuddy(keep);
    keep->setFocus();
}

BullOffDialog::~BullOffDialog() = default;

std::optional<BullOff> BullOffDialog::ask(
    const QString &player1, const QString &player2, bool player1Starts, QWidget *parent)
{
    BullOffDialog dialog(player1, player2, player1Starts, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.answer();
}
