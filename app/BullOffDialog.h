// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include <QDialog>

class QPushButton;

// Who won the bull-off, as the operator answers before a new match.
enum class BullOff { Player1, Player2, KeepStarter };

// The question "Új meccs" asks: who won the bull-off, player 1, player 2, or nobody new, which
// keeps the current starter. Enter keeps the starter; Esc, or closing it, starts no match.
class BullOffDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BullOffDialog)

public:
    // The players' names as shown (never empty); `player1Starts` names the current starter.
    BullOffDialog(const QString &player1, const QString &player2, bool player1Starts, QWidget *parent = nullptr);
    ~BullOffDialog() override;

    // The answer once accepted.
    BullOff answer() const { return m_answer; }

    // Asks modally; none when the operator cancelled.
    static std::optional<BullOff> ask(
        const QString &player1, const QString &player2, bool player1Starts, QWidget *parent);

private:
    BullOff m_answer = BullOff::KeepStarter;
};
