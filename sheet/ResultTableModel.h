// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <vector>

#include <QAbstractTableModel>
#include <QStringList>

#include "match/ResultSheet.h"

// The result sheet as a table: a row for each leg, then the match's totals. Its columns are the
// leg's number, starter, winner and darts (the darts only while they are shown), then for each
// player the average, first-nine average, 100+, 140+ and 180 turns and the checkout. Each player's
// column headers name the player ("Kovács: Átlag"), so that a screen reader reads every cell with
// what it is. It keeps a copy of the sheet's lines: the match may go on while it shows them.
class ResultTableModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultTableModel)

public:
    explicit ResultTableModel(QObject *parent = nullptr);
    ~ResultTableModel() override;

    // The sheet's lines and totals, and the players' names for the headers and the starters.
    void setSheet(const ResultSheet &sheet, const std::array<QString, 2> &names);
    void setDartsShown(bool shown);
    bool dartsShown() const { return m_dartsShown; }
    // The legs on the sheet; the totals' row comes after them.
    int legCount() const { return int(m_legs.size()); }
    // The columns before each player's figures: the leg, the starter, the winner and the darts.
    int legColumns() const { return m_dartsShown ? 4 : 3; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // A player's figures as the sheet writes them: average, first nine, 100+, 140+, 180, checkout;
    // "–" where there is none.
    static QStringList figureTexts(const SheetFigures &figures);
    // The headers of those figures.
    static QStringList figureHeaders();

private:
    QString text(int row, int column) const;

    std::vector<SheetLeg> m_legs;
    std::array<SheetFigures, 2> m_totals;
    std::array<QString, 2> m_names;
    bool m_dartsShown = false;
};

// The match's totals alone, a row for each player (named in the row's header): the legs won, then
// the figures of the sheet's totals row. What the spectator display shows across the room.
class ResultTotalsModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultTotalsModel)

public:
    explicit ResultTotalsModel(QObject *parent = nullptr);
    ~ResultTotalsModel() override;

    void setSheet(const ResultSheet &sheet, const std::array<QString, 2> &names);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::array<SheetFigures, 2> m_totals;
    std::array<QString, 2> m_names;
};
