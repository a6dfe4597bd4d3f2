// Selecting and valuing the employees of a chart, the centre lines and the proposed axis range.

#include "core/plot/ChartBuild.h"

#include <QtTest>

namespace {

Currency yen(qint64 v) {
    return Currency::fromInt(v);
}

PlotEmployee employee(int sco, int mark, int grade) {
    PlotEmployee e;
    e.sco = sco;
    e.name = QStringLiteral("社員%1").arg(sco);
    e.mark = mark;
    e.grade = grade;
    return e;
}

ChartSettings allOn() {
    ChartSettings s;
    s.chartNo = 1010;
    s.marks.fill(true);
    s.grades.fill(true);
    return s;
}

DataExtents extents(int xMin, int xMax, const char* yMin, const char* yMax) {
    return {xMin, xMax, Currency::fromString(QString::fromLatin1(yMin)),
            Currency::fromString(QString::fromLatin1(yMax))};
}

QString range(const AxisRange& r) {
    return QStringLiteral("%1 %2 %3 %4").arg(r.xMin).arg(r.xMax).arg(r.yMin).arg(r.yMax);
}

} // namespace

class TestChartBuild : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void selectsByMarkAndGrade() {
        QVector<PlotEmployee> staff;
        int sco = 0;
        for (int mark = 0; mark <= 7; ++mark)
            for (int grade = 0; grade <= 10; ++grade)
                staff << employee(++sco, mark, grade);
        ChartSettings s;
        s.marks[1] = s.marks[3] = true;
        s.grades[2] = s.grades[5] = true;
        const QVector<ChartPoint> points = SelectPoints(staff, s);
        QCOMPARE(points.size(), 4);
        for (int i = 0; i < points.size(); ++i) {
            const PlotEmployee& e = staff[points[i].sco - 1];
            QVERIFY(e.mark == 1 || e.mark == 3);
            QVERIFY(e.grade == 2 || e.grade == 5);
            QCOMPARE(points[i].seqNo, i + 1); // numbered in the order given
            QCOMPARE(points[i].mark, e.mark);
        }
        QVERIFY(points[0].sco < points[1].sco);

        // Mark 0 or 7 and grade 0 or 10 never plot, whatever is ticked.
        const QVector<ChartPoint> all = SelectPoints(staff, allOn());
        QCOMPARE(all.size(), 6 * 9);
        for (const ChartPoint& p : all)
            QVERIFY(p.mark >= 1 && p.mark <= 6);
        QVERIFY(SelectPoints({}, allOn()).isEmpty());
    }

    void valuesPerItem() {
        PlotEmployee e = employee(17, 2, 3);
        e.evalSymbol = QStringLiteral("A");
        e.zone = 4;
        e.age = 35;
        e.service = 12;
        e.experience = 8;
        e.step = 41;
        e.achievement = Currency::fromString(QStringLiteral("87.9"));
        e.jobPoints = 63;
        e.baseItems = {yen(0), yen(100000), yen(150000), yen(30000)};
        e.tableAmount = yen(123456);
        e.scheduled = yen(312345);
        e.bonus1 = yen(400005);
        e.bonus2 = yen(350000);
        e.payRatio = Currency::fromString(QStringLiteral("2.345"));

        const QList<int> xs = {35, 12, 8, 41, 87, 63}; // the rate truncated
        for (int item = 0; item < 6; ++item)
            QCOMPARE(XValueOf(e, item), xs[item]);
        QCOMPARE(MarkLabelOf(e, 0), QStringLiteral("17"));
        QCOMPARE(MarkLabelOf(e, 1), QStringLiteral("A"));
        QCOMPARE(MarkLabelOf(e, 2), QStringLiteral("4"));
        QCOMPARE(MarkLabelOf(e, 3), QString());

        // No wage-table link: 職能給 is 0, base pay the three items.
        QCOMPARE(YValueOf(e, 0), Currency());
        QCOMPARE(YValueOf(e, 1).toString(), QStringLiteral("28"));
        // Linked to item 2: its amount is the wage table's (three decimals for 職能給).
        e.wageLink = 2;
        QCOMPARE(YValueOf(e, 0).toString(), QStringLiteral("12.346"));
        QCOMPARE(YValueOf(e, 1).toString(), QStringLiteral("25.35"));  // 253,456 yen
        QCOMPARE(YValueOf(e, 2).toString(), QStringLiteral("31.23"));  // 31.2345 half up
        QCOMPARE(YValueOf(e, 3).toString(), QStringLiteral("75"));     // 75.0005
        QCOMPARE(YValueOf(e, 4).toString(), QStringLiteral("449.81")); // 4,498,145 yen
        QCOMPARE(YValueOf(e, 5).toString(), QStringLiteral("2.35"));
        e.wageLink = 4; // outside 1..3: no link
        QCOMPARE(YValueOf(e, 0), Currency());
    }

    void centreLines() {
        QVector<ChartPoint> points(3);
        points[0].x = 20, points[0].y = Currency::fromString(QStringLiteral("20.04"));
        points[1].x = 21, points[1].y = Currency::fromString(QStringLiteral("20.05"));
        points[2].x = 21, points[2].y = Currency::fromString(QStringLiteral("20.06"));
        QCOMPARE(MeanXOf(points), 21); // 20.67
        QCOMPARE(MeanYOf(points, 1).toString(), QStringLiteral("20.1"));
        QCOMPARE(MeanYOf(points, 0).toString(), QStringLiteral("20"));
        points.resize(2);
        QCOMPARE(MeanXOf(points), 21); // 20.5 rounds away from zero
        QCOMPARE(MeanXOf({}), 0);
    }

    void proposedRange() {
        const ProposalRules wagePlot{1, true};
        QCOMPARE(range(ProposeAxisRange(extents(22, 61, "18.3", "45.7"), 0, wagePlot)),
                 QStringLiteral("20 65 15 50"));
        QCOMPARE(range(ProposeAxisRange(extents(25, 68, "20.0", "40.0"), 0, wagePlot)),
                 QStringLiteral("25 70 20 45"));
        // Job points: always 10 above, though the remainder 3 is below 5.
        QCOMPARE(ProposeAxisRange(extents(12, 83, "1", "2"), 5, wagePlot).xMax, 90);
        QCOMPARE(ProposeAxisRange(extents(12, 83, "1", "2"), 5, ProposalRules{0, false}).xMax, 85);
        QCOMPARE(ProposeAxisRange(extents(12, 83, "1", "2"), 4, wagePlot).xMax, 85);
        // Every point on one value still gives a range.
        QCOMPARE(range(ProposeAxisRange(extents(30, 30, "0", "0"), 0, wagePlot)),
                 QStringLiteral("30 35 0 5"));
        // Remainders exactly at the edges.
        QCOMPARE(range(ProposeAxisRange(extents(24, 25, "14.9999", "15"), 0, wagePlot)),
                 QStringLiteral("20 30 10 20"));

        QVERIFY(!ExtentsOf({}));
        QVector<ChartPoint> points(2);
        points[0].x = 40, points[0].y = Currency::fromInt(9);
        points[1].x = 22, points[1].y = Currency::fromInt(31);
        const DataExtents d = *ExtentsOf(points);
        QCOMPARE(QList<int>({d.xMin, d.xMax}), QList<int>({22, 40}));
        QCOMPARE(d.yMin, Currency::fromInt(9));
        QCOMPARE(d.yMax, Currency::fromInt(31));
    }
};

QTEST_GUILESS_MAIN(TestChartBuild)
#include "test_chart_build.moc"
