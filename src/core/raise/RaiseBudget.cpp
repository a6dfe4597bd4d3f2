#include "core/raise/RaiseBudget.h"

#include "core/common/Counts.h"

#include <QMap>

RaiseBudgetShare ShareOfRaise(const RaiseRecord& r) {
    RaiseBudgetShare s;
    s.decided = RaiseDecided(r.NSYOTEI);
    s.current = r.SYOTEI;
    // An undecided employee counts with a raise of 0.
    s.next = s.decided ? r.NSYOTEI : r.SYOTEI;
    if (!s.decided)
        return s;
    const Currency raise = s.next - s.current;
    for (int i = 1; i <= BasePayItemCount; ++i)
        s.baseRaise += r.NKKYU[i] - r.KKYU[i];
    const int link = IsBasePayItem(r.JISEKI) ? r.JISEKI : 0;
    if (link != 0 && r.KIN != 0 && r.NKIN != 0) {
        const Currency linked = r.NKKYU[link] - r.KKYU[link];
        s.scheduled = Currency::fromInt(r.NKIN - r.KIN);
        // Equal to this year's table at the current step less the current amount when the new
        // amount follows the table; a hand-set amount leaves its difference here so that the
        // two parts always make up the item's raise.
        s.baseUp = linked - s.scheduled;
        s.other = raise - linked;
    } else {
        s.other = raise;
    }
    return s;
}

namespace {

void add(RaiseBudgetGroup& g, const RaiseBudgetShare& s) {
    ++g.heads;
    if (!s.decided)
        ++g.undecided;
    g.current += s.current;
    g.next += s.next;
    g.scheduled += s.scheduled;
    g.baseUp += s.baseUp;
    g.other += s.other;
    g.baseRaise += s.baseRaise;
}

void finish(RaiseBudgetGroup& g, const RaiseBudgetSettings& st) {
    g.raise = g.next - g.current;
    g.rate = RaiseRate(g.current, g.next);
    g.annualRaise = g.raise * 12;
    g.bonusChange = g.baseRaise * st.bonusMonths;
    g.onCost = (g.annualRaise + g.bonusChange) * st.onCostPercent / Currency::fromInt(100);
    g.annualCost = g.annualRaise + g.bonusChange + g.onCost;
}

} // namespace

RaiseBudget ComputeRaiseBudget(const QVector<RaiseRecord>& employees,
                               const RaiseBudgetSettings& settings) {
    QMap<int, RaiseBudgetGroup> grades, marks;
    RaiseBudget b;
    for (const RaiseRecord& r : employees) {
        const RaiseBudgetShare s = ShareOfRaise(r);
        RaiseBudgetGroup& g = grades[r.TOUKYU];
        g.group = r.TOUKYU;
        add(g, s);
        RaiseBudgetGroup& m = marks[r.MCO];
        m.group = r.MCO;
        add(m, s);
        add(b.total, s);
    }
    for (RaiseBudgetGroup& g : grades) {
        finish(g, settings);
        b.byGrade << g;
    }
    for (RaiseBudgetGroup& m : marks) {
        finish(m, settings);
        b.byMark << m;
    }
    finish(b.total, settings);
    return b;
}
