// The range analysis read from the sample company, checked against figures worked by hand
// from its salary scale (set 1: grades 1-5 at -10 % / +20 %, grade 6 at -10 % / +15 %) and
// employees; links, grades and scale rows changed to reach every way an employee is placed.
// (Years without a wage table, a scale or employees: the command-line and screen tests.)

#include "data/analysis/RangeStore.h"
#include "support/data/TestSupport.h"

#include <QtTest>

namespace {

const CompanyYear Sample{1, 2023};

const RangeEmployeeResult* placed(const RangeReport& r, const QString& code) {
    for (const RangeEmployeeResult& e : r.analysis.employees)
        if (e.employee.code == code)
            return &e;
    return nullptr;
}

const RangeEmployee* apart(const RangeReport& r, const QString& code) {
    for (const RangeEmployee& e : r.analysis.unlinked)
        if (e.code == code)
            return &e;
    return nullptr;
}

void setPay(TestEnvironment& env, const char* scot, const QString& column, qint64 value) {
    env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN2 SET %1 = %2 WHERE KCO = 1 AND NENDO = "
                                       "2023 AND SCO = (SELECT SCO FROM MSYAIN1 WHERE KCO = 1 AND "
                                       "NENDO = 2023 AND SCOT = '%3')")
                            .arg(column)
                            .arg(value)
                            .arg(QLatin1String(scot)));
}

void setEmployee(TestEnvironment& env, const char* scot, const QString& assignment) {
    env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN1 SET %1 WHERE KCO = 1 AND NENDO = 2023 AND "
                                       "SCOT = '%2'")
                            .arg(assignment, QLatin1String(scot)));
}

} // namespace

class TestRangeStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sampleCompanyAgainstHandFigures() {
        TestEnvironment env;
        env.openDatabases();
        RangeReport r;
        QCOMPARE(LoadRangeReport(Sample, r), RangeLoad::Loaded);
        QCOMPARE(r.header.gradeCount, 6);
        QCOMPARE(r.header.scaleCode, 1);
        QCOMPARE(r.header.gradeNames[2], QStringLiteral("一般職Ⅱ"));
        QCOMPARE(r.analysis.grades.size(), 6);
        QCOMPARE(r.analysis.employees.size(), 60); // every sample employee follows the table
        QVERIFY(r.analysis.unlinked.isEmpty());

        // Grade 2: 135,000 − 10 % = 121,500, + 20 % = 162,000; spread 162,000 ÷ 121,500.
        const RangeGradeResult& g2 = r.analysis.grades[1];
        QCOMPARE(g2.figures.lowerAmount, 121500);
        QCOMPARE(g2.figures.upperAmount, 162000);
        QCOMPARE(g2.figures.range, 40500);
        QCOMPARE(g2.figures.spread, Currency::fromString(QStringLiteral("1.33")));
        QCOMPARE(g2.headCount, 9);
        QCOMPARE(g2.minimum, 121500); // an employee exactly at the lower amount ...
        QCOMPARE(g2.belowCount, 0);   // ... is inside the range
        // Grade 6: 270,000 + 15 % = 310,500.
        QCOMPARE(r.analysis.grades[5].figures.upperAmount, 310500);

        // A0001: grade 5, 職能給 264,700 against 207,000 / 230,000 / 276,000.
        const RangeEmployeeResult* a1 = placed(r, QStringLiteral("A0001"));
        QVERIFY(a1);
        QCOMPARE(a1->employee.grade, 5);
        QCOMPARE(a1->employee.basePay, 264700);
        QVERIFY(qFuzzyCompare(a1->compaRatio, 264700.0 / 230000.0));
        QVERIFY(qFuzzyCompare(a1->penetration, 57700.0 / 69000.0));

        // Per grade the figures are those of the linked item (KKYU2) read straight from the file.
        for (const RangeGradeResult& g : r.analysis.grades) {
            const QStringList sql = env.rows(
                TDM::ACN2, QStringLiteral("SELECT COUNT(*), MIN(KKYU2), MAX(KKYU2), SUM(KKYU2) "
                                          "FROM MSYAIN2 WHERE KCO = 1 AND NENDO = 2023 AND "
                                          "TOUKYU = %1")
                               .arg(g.grade));
            const QStringList f = sql.first().split(QLatin1Char('|'));
            QCOMPARE(g.headCount, f[0].toInt());
            QCOMPARE(g.minimum, f[1].toLongLong());
            QCOMPARE(g.maximum, f[2].toLongLong());
            QCOMPARE(g.average, qint64(std::llround(f[3].toDouble() / f[0].toDouble())));
        }
    }

    void linksGradesAndScaleRowsPlaceEmployees() {
        TestEnvironment env;
        env.openDatabases();
        setEmployee(env, "A0002", QStringLiteral("JISEKI = 0"));
        setEmployee(env, "A0004", QStringLiteral("JISEKI = 1")); // follows the first item instead
        setPay(env, "A0004", QStringLiteral("KKYU1"), 300000);
        env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN2 SET TOUKYU = 0 WHERE KCO = 1 AND NENDO "
                                           "= 2023 AND SCO = (SELECT SCO FROM MSYAIN1 WHERE SCOT "
                                           "= 'A0005' AND KCO = 1 AND NENDO = 2023)"));
        env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN2 SET TOUKYU = 8 WHERE KCO = 1 AND NENDO "
                                           "= 2023 AND SCO = (SELECT SCO FROM MSYAIN1 WHERE SCOT "
                                           "= 'A0006' AND KCO = 1 AND NENDO = 2023)"));
        setPay(env, "A0001", QStringLiteral("KKYU2"), 276000); // exactly the upper amount
        setPay(env, "A0003", QStringLiteral("KKYU2"), 148499); // a yen under grade 3's lower
        env.exec(TDM::ACN2, QStringLiteral("DELETE FROM DSCALE WHERE KCO = 1 AND NENDO = 2023 "
                                           "AND TKNO = 4"));

        RangeReport r;
        QCOMPARE(LoadRangeReport(Sample, r), RangeLoad::Loaded);
        QCOMPARE(r.analysis.unlinked.size(), 3);
        QCOMPARE(ApartReasonOf(*apart(r, QStringLiteral("A0002"))), RangeApart::Unlinked);
        QCOMPARE(ApartReasonOf(*apart(r, QStringLiteral("A0005"))), RangeApart::NoGrade);
        QCOMPARE(ApartReasonOf(*apart(r, QStringLiteral("A0006"))), RangeApart::GradeOutsideTable);

        const RangeEmployeeResult* a4 = placed(r, QStringLiteral("A0004"));
        QCOMPARE(a4->employee.basePay, 300000);
        QVERIFY(a4->above);
        const RangeEmployeeResult* a1 = placed(r, QStringLiteral("A0001"));
        QVERIFY(!a1->above);
        QCOMPARE(a1->penetration, 1.0);
        QVERIFY(placed(r, QStringLiteral("A0003"))->below);
        QCOMPARE(r.analysis.grades[4].aboveCount, 1);
        QCOMPARE(r.analysis.grades[2].belowCount, 1);

        // Grade 4 lost its scale row: its employees are counted but not placed.
        const RangeGradeResult& g4 = r.analysis.grades[3];
        QVERIFY(!g4.hasScale);
        QCOMPARE(g4.headCount, 17);
        for (const RangeEmployeeResult& e : r.analysis.employees)
            if (e.employee.grade == 4)
                QVERIFY(!e.hasScale && !e.below && !e.above);
        const RangeTotals t = TotalsOf(r.analysis);
        QCOMPARE(t.headCount, 57);
        QCOMPARE(t.belowCount, 1);
        QCOMPARE(t.aboveCount, 1);
    }
};

QTEST_GUILESS_MAIN(TestRangeStore)
#include "test_range_store.moc"
