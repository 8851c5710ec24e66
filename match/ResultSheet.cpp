// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The result sheet's figures, summed leg by leg from the recorded turns.
#include "match/ResultSheet.h"

#include <algorithm>

#include "match/ResultRecord.h"

namespace {

// The turns a first-nine average covers.
constexpr std::size_t FirstNineTurns = 3;

SheetFigures legFigures(const LegRecord &leg, bool player1)
{
    SheetFigures figures;
    const std::vector<RecordedTurn> &turns = leg.turnsOf(player1);
    for (std::size_t i = 0; i < turns.size(); ++i) {
        figures.totals.add(turns[i].score, +1);
        if (i < FirstNineTurns)
            figures.firstNine.add(turns[i].score, +1);
    }
    if (leg.winner == player1) {
        figures.legs = 1;
        figures.checkout = leg.checkout();
    }
    return figures;
}

} // namespace

ResultSheet::ResultSheet(const ResultRecord &record, int match)
    : m_record(record)
{
    for (std::size_t index = 0; index < record.legs().size(); ++index) {
        const LegRecord &leg = record.legs()[index];
        if (leg.match != match)
            continue;
        SheetLeg line {leg.number, leg.player1Started, leg.winner, leg.darts(), {}};
        for (const bool player1 : {true, false}) {
            SheetFigures &figures = line.players[player1 ? 0 : 1];
            figures = legFigures(leg, player1);
            SheetFigures &totals = m_totals[player1 ? 0 : 1];
            totals.legs += figures.legs;
            totals.totals += figures.totals;
            totals.firstNine += figures.firstNine;
            if (figures.checkout)
                totals.checkout = std::max(totals.checkout.value_or(*figures.checkout), *figures.checkout);
        }
        m_indexes.push_back(index);
        m_legs.push_back(line);
    }
}

int ResultSheet::lastMatch(const ResultRecord &record)
{
    return record.legs().empty() ? 0 : record.legs().back().match;
}

std::vector<qint32> ResultSheet::remainingScores(qsizetype leg, bool player1) const
{
    return RemainingScores(m_record.legs().at(m_indexes.at(std::size_t(leg))), player1);
}

std::vector<qint32> RemainingScores(const LegRecord &leg, bool player1)
{
    const std::vector<RecordedTurn> &first = leg.turnsOf(leg.player1Started);
    if (first.empty())
        return {};
    std::vector<qint32> scores {qint32(qint64(first.front().remaining) + first.front().score)};
    for (const RecordedTurn &turn : leg.turnsOf(player1))
        scores.push_back(turn.remaining);
    return scores;
}
