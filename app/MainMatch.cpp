// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's part in the match beyond the game: the legs beside the names, the winner of
// the match in the status bar, the limit and the corrections in the settings panel.
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/Display.h"
#include "app/Main.h"
#include "app/MainAccessibility.h"

namespace {

QSpinBox *legsBox(QWidget *parent, const QRect &geometry)
{
    auto *box = new QSpinBox(parent);
    box->setRange(0, 99);
    box->setAlignment(Qt::AlignCenter);
    box->setGeometry(geometry);
    return box;
}

} // namespace

void Tfrm_Main::createMatchControls(QWidget *settings)
{
    for (int i = 0; i < 2; ++i) {
        // Between the average and the remaining-score figure, under the name box.
        auto *legs = new QLabel(i == 0 ? Panel2 : Panel3);
        legs->setGeometry(i == 0 ? QRect(85, 40, 75, 17) : QRect(200, 40, 70, 17));
        legs->setAlignment((i == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        legsLabels[i] = legs;
    }

    auto *limitLabel = new QLabel(QStringLiteral("Első ennyi nyert legig"), settings);
    limitLabel->move(160, 35);
    firstToBox = legsBox(settings, QRect(160, 55, 60, 25));
    firstToBox->setSpecialValueText(QStringLiteral("nincs"));
    limitLabel->setBuddy(firstToBox);
    auto *legsLabel = new QLabel(QStringLiteral("Nyert legek"), settings);
    legsLabel->move(320, 35);
    legsBoxes = {legsBox(settings, QRect(320, 55, 56, 25)), legsBox(settings, QRect(382, 55, 56, 25))};
    legsLabel->setBuddy(legsBoxes[0]);
    m_matchLabels = {limitLabel, legsLabel};

    connect(firstToBox, &QSpinBox::valueChanged, this, [this](int legs) {
        m_match.legs().setFirstTo(legs);
        showMatch();
    });
    for (int i = 0; i < 2; ++i) {
        connect(legsBoxes[i], &QSpinBox::valueChanged, this, [this, i](int legs) {
            m_match.legs().setLegsWon(i == 0, legs);
            showMatch();
        });
    }
}

// The legs as they stand, in the strip, the status bar, the correction boxes and the display.
void Tfrm_Main::showMatch()
{
    const Legs &legs = m_match.legs();
    const std::optional<bool> winner = legs.matchWinner();
    for (int i = 0; i < 2; ++i) {
        const bool player1 = i == 0;
        legsLabels[i]->setText(QStringLiteral("Leg: %1").arg(legs.legsWon(player1)));
        // The winner's legs underlined; the font changes only when that does.
        if (legsLabels[i]->font().underline() != (winner == player1)) {
            QFont font = legsLabels[i]->font();
            font.setUnderline(winner == player1);
            legsLabels[i]->setFont(font);
        }
        const QSignalBlocker quiet(legsBoxes[i]);
        legsBoxes[i]->setValue(legs.legsWon(player1));
    }
    QString decided;
    if (winner) {
        // In one pass: a name may hold "%2" itself.
        decided = QStringLiteral("%1 nyerte a meccset (%2 – %3)")
                      .arg(PlayerName((*winner ? ComboBox1 : ComboBox2)->currentText(), *winner ? 1 : 2),
                          QString::number(legs.legsWon(true)), QString::number(legs.legsWon(false)));
    }
    matchWinnerLabel->setText(decided);
    if (m_display)
        m_display->refreshLater();
}
