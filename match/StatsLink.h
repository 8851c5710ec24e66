#pragma once

#include <functional>

#include "db/DataLink.h"
#include "match/MatchStats.h"

class TField;

// The turn table's fields the statistics read: each player's score and stored average.
struct TurnFields
{
    TField *e1 = nullptr;
    TField *a1 = nullptr;
    TField *e2 = nullptr;
    TField *a2 = nullptr;
};

// A bound view of the turn table that keeps the players' statistics: at every notification that
// finds the table at rest on its last row it hands that row to the statistics. Only attached
// while the statistics are shown; attaching reads every row once.
class MatchStatsLink final : public TDataLink
{
public:
    explicit MatchStatsLink(const TurnFields &fields);
    ~MatchStatsLink() override;

    const MatchStats &Stats() const { return m_stats; }

    // Follows the data source's dataset from now on, starting from all of its rows; nullptr
    // stops following and forgets the statistics.
    void attach(TDataSource *source);
    // Reads every row again when a notification found the statistics out of step with the
    // table; must not run while the table is notifying.
    void catchUp();

    // Called after every notification that may have changed the statistics.
    std::function<void()> OnChange;

protected:
    void DataEvent(TDataEvent event, qintptr info) override;

private:
    TurnRowHalves currentRow() const;
    bool atRestOnLastRow() const;
    void rebuild();

    const TurnFields m_fields;
    MatchStats m_stats;
    bool m_stale = false;
    bool m_rebuilding = false;
};
