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

ResultSheet::ResultSheet(const ResultRecord &record, int match, bool matchDecided)
    : m_record(record)
{
    const std::size_t filed = record.legs().size();
    const bool withLegInPlay = !record.currentLeg().isEmpty() && record.matchInPlay(matchDecided) == match;
    for (std::size_t index = 0; index < filed + (withLegInPlay ? 1 : 0); ++index) {
        const LegRecord &leg = index < filed ? record.legs()[index] : record.currentLeg();
        if (index < filed && leg.match != match)
            continue;
        // The leg in play is numbered as a new game would file it.
        const int number = index < filed ? leg.number : (m_legs.empty() ? 1 : m_legs.back().number + 1);
        SheetLeg line {number, leg.player1Started, leg.winner, leg.darts(), {}};
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

int ResultSheet::lastMatch(const ResultRecord &record, bool matchDecided)
{
    if (!record.currentLeg().isEmpty())
        return record.matchInPlay(matchDecided);
    return record.legs().empty() ? 0 : record.legs().back().match;
}

std::vector<qint32> ResultSheet::remainingScores(qsizetype leg, bool player1) const
{
    const std::size_t index = m_indexes.at(std::size_t(leg));
    return RemainingScores(index < m_record.legs().size() ? m_record.legs()[index] : m_record.currentLeg(), player1);
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
