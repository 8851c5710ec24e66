// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's widgets for the match beyond the game: the legs won, the winner and the
// settings of the match. The window places them and tells them when the legs change.
#pragma once

#include <array>

#include <QLabel>
#include <QList>
#include <QWidget>

#include "match/Calls.h"

class Legs;
class QSpinBox;

// One player's legs under the name box, "Leg: 2", underlined once the player has won the match;
// read by a screen reader with whose legs they are.
class LegsLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LegsLabel)

public:
    // Player 1's stands on the left, player 2's on the right of its place.
    LegsLabel(int player, QWidget *parent = nullptr);
    ~LegsLabel() override;

    void showLegs(const Legs &legs);

private:
    const int m_player;
};

// The winner of the match, once it is decided: "Anna nyerte a meccset (3 – 1)"; empty until then.
class MatchWinnerLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MatchWinnerLabel)

public:
    explicit MatchWinnerLabel(QWidget *parent = nullptr);
    ~MatchWinnerLabel() override;

    // The names as the window shows them.
    void showWinner(const Legs &legs, const PlayerNames &names);
};

// The settings panel's part in the match: the legs that win it ("first to N legs", "nincs" for no
// limit) and the corrections of each player's legs, each a labelled field. Each change goes into
// the legs at once and is reported. A further setting of the match is one more field here.
class MatchControls final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MatchControls)

public:
    // Shows the legs as they stand; they must outlive the controls.
    explicit MatchControls(Legs &legs, QWidget *parent = nullptr);
    ~MatchControls() override;

    QSpinBox *firstToBox() const { return m_firstTo; }
    // Player 1's or player 2's legs.
    QSpinBox *legsBox(int player) const { return m_legsBoxes[player - 1]; }
    // The controls in the order Tab reaches them.
    QList<QWidget *> focusChain() const;

    // Shows the legs as they stand, reporting nothing.
    void showLegs();

signals:
    // The operator changed the limit or a player's legs: the legs hold the change.
    void legsChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // A label above its controls, from x.
    QLabel *addField(const QString &label, const QList<QWidget *> &controls, int x);
    void fitToFields();

    Legs &m_legs;
    QSpinBox *const m_firstTo;
    std::array<QSpinBox *, 2> m_legsBoxes;
    QList<QLabel *> m_labels;
};
