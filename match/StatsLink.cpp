// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading every turn row through a link of its own, as views read them.
#include "match/StatsLink.h"

#include <algorithm>

#include "db/DataLink.h"
#include "db/DataSet.h"
#include "db/Field.h"
#include "match/MatchStats.h"

namespace {

// A link whose window grows to hold every row for the time of the reading.
class RowReader final : public TDataLink
{
public:
    void read(const TurnFields &fields, MatchFollower &follower)
    {
        const TDataSet *dataSet = DataSet();
        if (!Active() || !dataSet)
            return;
        setWindowCapacity(std::max<qint32>(1, dataSet->RowCount()));
        for (int row = 0; row < RowCount(); ++row) {
            setActiveRow(row);
            tell(fields.e1, fields.a1, true, follower);
            tell(fields.e2, fields.a2, false, follower);
        }
    }

private:
    static void tell(const TField *score, const TField *average, bool player1, MatchFollower &follower)
    {
        if (score->IsEmptyValue())
            return;
        follower.turnRecorded(player1, score->AsInteger(),
            average->IsEmptyValue() ? std::nullopt : std::optional<qint32>(average->AsInteger()));
    }
};

} // namespace

void ReadTurnRows(TDataSource *source, const TurnFields &fields, MatchFollower &follower)
{
    RowReader reader;
    reader.setDataSource(source);
    reader.read(fields, follower);
    reader.setDataSource(nullptr);
}
