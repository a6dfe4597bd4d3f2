// The raise budget: the split of the linked base pay into the move along the table and the
// move of the table, the undecided and off-table employees, the totals and the annual cost.
#include "core/raise/RaiseBudget.h"
#include "core/raise/RaiseSummary.h"

#include <QtTest>

namespace {

Currency yen(qint64 v) {
    return Currency::fromInt(v);
}

// Base pay 1 follows the table; one allowance of 10,000.
RaiseRecord employee(int grade, int mark, qint64 current, qint64 kin, qint64 nkin, qint64 next,
                     qint64 allowanceUp = 0) {
    RaiseRecord r;
    r.TOUKYU = grade;
    r.MCO = mark;
    r.JISEKI = 1;
    r.KKYU[1] = yen(current);
    r.NKKYU[1] = yen(next);
    r.TEATE[1] = yen(10000);
    r.NTEATE[1] = yen(10000 + allowanceUp);
    r.KIN = kin;
    r.NKIN = nkin;
    r.SYOTEI = yen(current + 10000);
    r.NSYOTEI = yen(next + 10000 + allowanceUp);
    return r;
}

void checkAddsUp(const RaiseRecord& r) {
    const RaiseBudgetShare s = ShareOfRaise(r);
    QCOMPARE(s.scheduled + s.baseUp + s.other, s.next - s.current);
}

} // namespace

class TestRaiseBudget : public QObject {
    Q_OBJECT
private slots:
    void splitsTheLinkedItem() {
        // Table 1 % higher, no step move: all of it is ベア.
        RaiseRecord bear = employee(3, 1, 200000, 202000, 202000, 202000);
        RaiseBudgetShare s = ShareOfRaise(bear);
        QCOMPARE(s.scheduled, yen(0));
        QCOMPARE(s.baseUp, yen(2000));
        QCOMPARE(s.other, yen(0));
        // Four steps on an unchanged table: all of it is 定昇.
        RaiseRecord steps = employee(3, 1, 200000, 200000, 206000, 206000);
        s = ShareOfRaise(steps);
        QCOMPARE(s.scheduled, yen(6000));
        QCOMPARE(s.baseUp, yen(0));
        // Promotion on a moved table with an allowance raise: both parts and the rest.
        RaiseRecord promoted = employee(3, 2, 200000, 201000, 230000, 230000, 3000);
        s = ShareOfRaise(promoted);
        QCOMPARE(s.scheduled, yen(29000));
        QCOMPARE(s.baseUp, yen(1000));
        QCOMPARE(s.other, yen(3000));
        for (const RaiseRecord& r : {bear, steps, promoted})
            checkAddsUp(r);
    }

    void undecidedAndOffTable() {
        RaiseRecord undecided = employee(2, 1, 180000, 181000, 185000, 185000);
        undecided.NSYOTEI = {};
        RaiseBudgetShare s = ShareOfRaise(undecided);
        QVERIFY(!s.decided);
        QCOMPARE(s.next, s.current);
        QCOMPARE(s.scheduled + s.baseUp + s.other, yen(0));
        // Not on the table: no split, the raise is the rest.
        RaiseRecord off = employee(2, 1, 180000, 0, 0, 184000);
        s = ShareOfRaise(off);
        QCOMPARE(s.scheduled, yen(0));
        QCOMPARE(s.baseUp, yen(0));
        QCOMPARE(s.other, yen(4000));
        // A hand-set amount off the table's: the parts still make up the item's raise.
        RaiseRecord hand = employee(2, 1, 180000, 181000, 185000, 186500);
        checkAddsUp(hand);
        QCOMPARE(ShareOfRaise(hand).scheduled, yen(4000));
    }

    void totalsAndCost() {
        const QVector<RaiseRecord> all{employee(3, 1, 200000, 202000, 202000, 202000),
                                       employee(3, 2, 200000, 200000, 206000, 206000),
                                       employee(1, 2, 150000, 0, 0, 150000)};
        RaiseBudgetSettings none;
        none.onCostPercent = {};
        const RaiseBudget b = ComputeRaiseBudget(all, none);
        QCOMPARE(b.byGrade.size(), 2);
        QCOMPARE(b.byMark.size(), 2);
        QCOMPARE(b.total.heads, 3);
        QCOMPARE(b.total.raise, yen(8000));
        QCOMPARE(b.total.scheduled + b.total.baseUp + b.total.other, b.total.raise);

        // With no bonus months and no on-costs the budget is the raise summary.
        QVector<RaiseSummaryInput> in;
        for (const RaiseRecord& r : all)
            in << RaiseSummaryInput{r.TOUKYU, r.MCO, r.SYOTEI, r.NSYOTEI};
        const RaiseSummary sum = SummariseRaises(in, RaiseGrouping::Grade);
        QCOMPARE(b.total.current, sum.total.current);
        QCOMPARE(b.total.next, sum.total.next);
        QCOMPARE(b.total.annualCost, sum.total.annualCost);
        QCOMPARE(b.total.rate, sum.total.rate);

        // 4.5 months of bonuses on the base-pay raise, 15 % on-costs on the whole.
        RaiseBudgetSettings st;
        st.bonusMonths = Currency::fromString(QStringLiteral("4.5"));
        const RaiseBudget c = ComputeRaiseBudget(all, st);
        QCOMPARE(c.total.annualRaise, yen(96000));
        QCOMPARE(c.total.bonusChange, yen(36000));
        QCOMPARE(c.total.onCost, yen(19800));
        QCOMPARE(c.total.annualCost, yen(151800));
    }
};

QTEST_GUILESS_MAIN(TestRaiseBudget)
#include "test_raise_budget.moc"
