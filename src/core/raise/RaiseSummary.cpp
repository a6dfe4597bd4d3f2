#include "core/raise/RaiseSummary.h"

#include "core/raise/RaiseComputation.h"

#include <QMap>

namespace {

void add(RaiseGroupSummary& g, const RaiseSummaryInput& e) {
    ++g.heads;
    const bool decided = RaiseDecided(e.scheduledAfter);
    if (!decided)
        ++g.undecided;
    g.current += e.scheduledBefore;
    g.next += decided ? e.scheduledAfter : e.scheduledBefore;
}

void finish(RaiseGroupSummary& g) {
    g.raise = g.next - g.current;
    g.rate = RaiseRate(g.current, g.next);
    g.annualCost = g.raise * 12;
}

} // namespace

RaiseSummary SummariseRaises(const QVector<RaiseSummaryInput>& employees, RaiseGrouping by) {
    QMap<int, RaiseGroupSummary> groups;
    RaiseSummary s;
    for (const RaiseSummaryInput& e : employees) {
        const int key = by == RaiseGrouping::Grade ? e.grade : e.mark;
        RaiseGroupSummary& g = groups[key];
        g.group = key;
        add(g, e);
        add(s.total, e);
    }
    for (RaiseGroupSummary& g : groups) {
        finish(g);
        s.groups << g;
    }
    finish(s.total);
    return s;
}
