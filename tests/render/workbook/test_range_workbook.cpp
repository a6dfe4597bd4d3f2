// The range workbook read back as a spreadsheet program reads it: the sample company's figures
// as numbers with their formats, the 合計 line's formulas with their values, the employees'
// linked pay as the database holds it, and the sheet of employees listed apart.

#include "data/analysis/RangeStore.h"
#include "render/workbook/RangeWorkbook.h"
#include "support/core/XlsxReader.h"
#include "support/data/TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

XlsxReader saved(const RangeReport& report, const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("range.xlsx"));
    QString error;
    if (!ComposeRangeWorkbook(report).save(path, &error))
        qFatal("not saved: %s", qPrintable(error));
    XlsxReader r;
    if (!r.open(path))
        qFatal("not read: %s", qPrintable(r.error()));
    return r;
}

} // namespace

class TestRangeWorkbook : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sampleCompanyReadsBack() {
        TestEnvironment env;
        env.openDatabases();
        RangeReport report;
        QCOMPARE(LoadRangeReport(CompanyYear{1, 2023}, report), RangeLoad::Loaded);
        QTemporaryDir dir;
        const XlsxReader book = saved(report, dir);
        QCOMPARE(book.sheetNames(),
                 QStringList({QStringLiteral("等級別"), QStringLiteral("社員別")}));

        // Per grade: headings on row 6 (title, table and three lines of definition above).
        const XlsxSheet* g = book.sheet(0);
        QCOMPARE(g->text(QStringLiteral("C6")), QStringLiteral("下限額"));
        QVERIFY(
            g->text(QStringLiteral("A4")).startsWith(QStringLiteral("スプレッド＝上限額÷下限額")));
        QCOMPARE(g->frozenRows, 6);
        QCOMPARE(g->printTitles, QStringLiteral("$6:$6"));
        QCOMPARE(g->paperSize, 9);
        const XlsxCell* lower2 = g->at(QStringLiteral("C8"));
        QVERIFY(lower2 && lower2->isNumber);
        QCOMPARE(lower2->number, 121500.0);
        QCOMPARE(lower2->format, QStringLiteral("#,##0"));
        QCOMPARE(g->number(QStringLiteral("F12")), 1.28); // grade 6's spread
        QCOMPARE(g->at(QStringLiteral("F12"))->format, QStringLiteral("#,##0.00"));
        const XlsxCell* compa = g->at(QStringLiteral("L7"));
        QCOMPARE(compa->format, QStringLiteral("0.0%"));
        QCOMPARE(compa->number, report.analysis.grades[0].averageCompaRatio);
        // 合計: counts as sums over the grade lines, carrying their values.
        const XlsxCell* heads = g->at(QStringLiteral("H13"));
        QCOMPARE(heads->formula, QStringLiteral("SUM(H7:H12)"));
        QCOMPARE(heads->number,
                 env.scalar(TDM::ACN2, QStringLiteral("SELECT COUNT(*) FROM MSYAIN2 WHERE KCO = 1 "
                                                      "AND NENDO = 2023"))
                     .toDouble());
        QCOMPARE(g->at(QStringLiteral("I13"))->formula, QStringLiteral("MIN(I7:I12)"));
        QCOMPARE(g->number(QStringLiteral("I13")),
                 env.scalar(TDM::ACN2, QStringLiteral("SELECT MIN(KKYU2) FROM MSYAIN2 WHERE KCO "
                                                      "= 1 AND NENDO = 2023"))
                     .toDouble());
        QVERIFY(g->at(QStringLiteral("H13"))->bold);

        // Per employee: every linked pay as the database holds it.
        const XlsxSheet* e = book.sheet(1);
        QCOMPARE(e->frozenRows, 2);
        const QStringList pays = env.rows(
            TDM::ACN2, QStringLiteral("SELECT S1.SCOT, S2.KKYU2 FROM MSYAIN1 S1 JOIN MSYAIN2 S2 ON "
                                      "S2.KCO = S1.KCO AND S2.NENDO = S1.NENDO AND S2.SCO = S1.SCO "
                                      "WHERE S1.KCO = 1 AND S1.NENDO = 2023 ORDER BY S1.SCO"));
        QCOMPARE(pays.size(), 60);
        for (int i = 0; i < pays.size(); ++i) {
            const QStringList f = pays[i].split(QLatin1Char('|'));
            const QString row = QString::number(i + 3);
            QCOMPARE(e->text(QStringLiteral("A") + row), f[0]);
            QCOMPARE(e->number(QStringLiteral("E") + row), f[1].toDouble());
        }
        QCOMPARE(e->at(QStringLiteral("I3"))->format, QStringLiteral("0.0%"));
        QVERIFY(qFuzzyCompare(e->number(QStringLiteral("I3")), 264700.0 / 230000.0));
        QCOMPARE(e->at(QStringLiteral("J3"))->format, QStringLiteral("0.0%"));
    }

    void apartSheetAndMissingScale() {
        TestEnvironment env;
        env.openDatabases();
        env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN1 SET JISEKI = 0 WHERE KCO = 1 AND "
                                           "SCOT = 'A0002'"));
        env.exec(TDM::ACN2, QStringLiteral("DELETE FROM DSCALE WHERE KCO = 1 AND TKNO = 1"));
        RangeReport report;
        QCOMPARE(LoadRangeReport(CompanyYear{1, 2023}, report), RangeLoad::Loaded);
        QTemporaryDir dir;
        const XlsxReader book = saved(report, dir);
        QCOMPARE(book.sheetNames().size(), 3);
        const XlsxSheet* apart = book.sheet(QStringLiteral("対象外"));
        QVERIFY(apart);
        QCOMPARE(apart->text(QStringLiteral("A3")), QStringLiteral("A0002"));
        QCOMPARE(apart->text(QStringLiteral("D3")), QStringLiteral("賃金表とのリンクなし"));
        const XlsxSheet* g = book.sheet(0);
        QCOMPARE(g->text(QStringLiteral("C7")), QStringLiteral("スケールなし"));
        QVERIFY(!g->at(QStringLiteral("M7")) || !g->at(QStringLiteral("M7"))->isNumber);
        QCOMPARE(g->number(QStringLiteral("H13")), 59.0);
    }
};

QTEST_GUILESS_MAIN(TestRangeWorkbook)
#include "test_range_workbook.moc"
