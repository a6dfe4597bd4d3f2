// Range position: employees exactly at the lower and upper amounts, a grade without a scale
// row, unlinked employees and empty grades.

#include "core/analysis/RangePosition.h"

#include <QtTest>

namespace {

ScaleGrade row(qint64 lowerPct, qint64 base, qint64 upperPct) {
    ScaleGrade g;
    g.lowerPercent = Currency::fromInt(lowerPct);
    g.base = Currency::fromInt(base);
    g.upperPercent = Currency::fromInt(upperPct);
    return g;
}

RangeEmployee emp(const char* code, int grade, qint64 pay, bool linked = true) {
    return RangeEmployee{QString::fromLatin1(code), QString(), grade, pay, linked};
}

} // namespace

class TestRangePosition : public QObject {
    Q_OBJECT
private slots:
    void boundariesAndFlags() {
        // Grade 1: 200,000 ± 20 % → 160,000 to 240,000.
        const auto a =
            AnalyseRanges({row(-20, 200000, 20)}, {emp("1", 1, 160000), emp("2", 1, 240000),
                                                   emp("3", 1, 159999), emp("4", 1, 240001)});
        const RangeGradeResult& g = a.grades[0];
        QCOMPARE(g.figures.lowerAmount, 160000);
        QCOMPARE(g.figures.upperAmount, 240000);
        QVERIFY(!a.employees[0].below && !a.employees[0].above);
        QCOMPARE(a.employees[0].penetration, 0.0);
        QVERIFY(!a.employees[1].below && !a.employees[1].above);
        QCOMPARE(a.employees[1].penetration, 1.0);
        QVERIFY(a.employees[2].below);
        QVERIFY(a.employees[3].above);
        QCOMPARE(g.belowCount, 1);
        QCOMPARE(g.aboveCount, 1);
        QCOMPARE(g.headCount, 4);
        QCOMPARE(g.minimum, 159999);
        QCOMPARE(g.maximum, 240001);
        QCOMPARE(g.average, 200000);
        QCOMPARE(a.employees[0].compaRatio, 0.8);
        QCOMPARE(g.averageCompaRatio, 1.0);
    }
    void missingScaleUnlinkedAndEmpty() {
        const auto a = AnalyseRanges({row(-10, 100000, 10), std::nullopt, row(-10, 0, 10)},
                                     {emp("1", 2, 150000), emp("2", 3, 90000),
                                      emp("3", 1, 100000, false), emp("4", 0, 1), emp("5", 9, 1)});
        QCOMPARE(a.grades.size(), 3);
        QCOMPARE(a.grades[0].headCount, 0); // its only employee is unlinked
        QCOMPARE(a.grades[0].averageCompaRatio, 0.0);
        QVERIFY(!a.grades[1].hasScale);
        QCOMPARE(a.grades[1].headCount, 1);
        QCOMPARE(a.grades[1].average, 150000);
        QVERIFY(!a.employees[0].below && !a.employees[0].above);
        QVERIFY(!a.grades[2].hasScale); // zero base
        QCOMPARE(a.grades[2].belowCount, 0);
        QCOMPARE(a.unlinked.size(), 3);
    }
};

QTEST_APPLESS_MAIN(TestRangePosition)
#include "test_range_position.moc"
