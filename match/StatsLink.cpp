// The statistics' link to the turn table: the last row after every change, all rows on attaching.
#include "match/StatsLink.h"

#include "db/DataSet.h"
#include "db/Field.h"

namespace {

TurnHalf halfOf(const TField *score, const TField *average)
{
    TurnHalf half;
    if (!score->IsEmptyValue())
        half.score = score->AsInteger();
    if (!average->IsEmptyValue())
        half.average = average->AsInteger();
    return half;
}

} // namespace

MatchStatsLink::MatchStatsLink(const TurnFields &fields)
    : m_fields(fields)
{ }

MatchStatsLink::~MatchStatsLink() = default;

void MatchStatsLink::attach(TDataSource *source)
{
    setDataSource(source);
    m_stats.clear();
    m_stale = source != nullptr;
    catchUp();
}

void MatchStatsLink::catchUp()
{
    if (m_stale && atRestOnLastRow())
        rebuild();
}

void MatchStatsLink::DataEvent(TDataEvent event, qintptr info)
{
    TDataLink::DataEvent(event, info);
    if (m_rebuilding || !atRestOnLastRow())
        return;
    const qint32 rows = DataSet()->RowCount();
    if (!m_stale && !m_stats.followLastRow(rows, rows > 0 ? currentRow() : TurnRowHalves {}))
        m_stale = true;
    if (OnChange)
        OnChange();
}

TurnRowHalves MatchStatsLink::currentRow() const
{
    return {halfOf(m_fields.e1, m_fields.a1), halfOf(m_fields.e2, m_fields.a2)};
}

// Between operations the table is browsing, and every entry, undo and new game leaves the
// cursor on the last row; any other moment says nothing about the rows.
bool MatchStatsLink::atRestOnLastRow() const
{
    const TDataSet *dataSet = DataSet();
    if (!Active() || !dataSet || dataSet->State() != TDataSetState::dsBrowse)
        return false;
    const qint32 rows = dataSet->RowCount();
    return rows == 0 || dataSet->RowNumber() == rows;
}

// The window of this link grows to hold every row for the time of the reading, so that the rows
// are read as views read them, without moving the table's cursor.
void MatchStatsLink::rebuild()
{
    m_rebuilding = true;
    m_stats.clear();
    const qint32 rows = DataSet()->RowCount();
    setWindowCapacity(std::max<qint32>(1, rows));
    const int saved = ActiveRow();
    const int seen = RowCount();
    const qint32 first = rows - seen + 1;
    bool inStep = rows == 0 || first == 1;
    for (int row = 0; row < seen && inStep; ++row) {
        setActiveRow(row);
        inStep = m_stats.followLastRow(first + row, currentRow());
    }
    setActiveRow(saved);
    setWindowCapacity(1);
    m_stale = !inStep;
    m_rebuilding = false;
    if (OnChange)
        OnChange();
}
