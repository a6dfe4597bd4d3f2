// The four workbooks of the sample company read back as a spreadsheet program reads them:
// every figure against the database, every formula recomputed from the cells it names.

#include "core/design/DesignExpansion.h"
#include "core/masters/Cp932.h"
#include "data/masters/EmployeeTransfer.h"
#include "data/report/GroupReportStore.h"
#include "data/report/ReportHeaders.h"
#include "data/wage/WageTableStore.h"
#include "render/workbook/DesignWorkbook.h"
#include "render/workbook/EmployeeWorkbook.h"
#include "render/workbook/GroupReportWorkbook.h"
#include "render/workbook/WageTableWorkbook.h"
#include "support/core/FormulaCheck.h"
#include "support/data/TestSupport.h"

#include <QtTest>

namespace {

using Xlsx::Sheet;

// Saves the workbook into the environment's folder and reads it back.
XlsxReader saved(const TestEnvironment& env, const Xlsx::Workbook& book, const QString& name) {
    const QString path = env.appDir() + name;
    QString error;
    if (!book.save(path, &error))
        qFatal("save failed: %s", qPrintable(error));
    XlsxReader r;
    if (!r.open(path))
        qFatal("unreadable: %s", qPrintable(r.error()));
    return r;
}

// The row (from 0) whose cell in the column holds the text; -1 when none.
int rowWith(const XlsxSheet& s, int col, const QString& text, int from = 0) {
    for (int r = from; r < 10000; ++r)
        if (s.text(Sheet::cellName(r, col)) == text)
            return r;
    return -1;
}

const QString Company = QStringLiteral(" FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023");

// Base pay with the wage-table link applied, as the employee screen shows it.
const QString BaseSql = QStringLiteral(
    "(CASE WHEN JISEKI = 1 THEN KIN ELSE KKYU1 END) + (CASE WHEN JISEKI = 2 THEN KIN ELSE "
    "KKYU2 END) + (CASE WHEN JISEKI = 3 THEN KIN ELSE KKYU3 END)");
const QString NewBaseSql = QStringLiteral(
    "(CASE WHEN JISEKI = 1 THEN NKIN ELSE NKKYU1 END) + (CASE WHEN JISEKI = 2 THEN NKIN ELSE "
    "NKKYU2 END) + (CASE WHEN JISEKI = 3 THEN NKIN ELSE NKKYU3 END)");
const QString Allowances = QStringLiteral("(TEATE1 + TEATE2 + TEATE3 + TEATE4 + TEATE5)");
const QString NewAllowances = QStringLiteral("(NTEATE1 + NTEATE2 + NTEATE3 + NTEATE4 + NTEATE5)");

} // namespace

class TestWorkbooks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void employeeList();
    void wageTableAndDefinition();
    void groupReports();
    void designs();
};

void TestWorkbooks::employeeList() {
    TestEnvironment env;
    env.openDatabases();
    QVERIFY(env.openCompany(1, 2023));
    // An employee without a birth date keeps an empty cell, not day 0 of the calendar.
    env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN1 SET SEIHI = 0 WHERE KCO = 1 AND NENDO = "
                                       "2023 AND SCOT = 'A0060'"));
    const std::optional<QVector<EmployeeSheetRow>> rows = LoadEmployeeSheet({1, 2023});
    QVERIFY(rows && rows->size() == 60);
    const XlsxReader r =
        saved(env, ComposeEmployeeWorkbook(EmployeeSheetHeaderOf(env.project), *rows), "e.xlsx");
    const XlsxSheet* s = r.sheet(QStringLiteral("社員一覧"));
    QVERIFY(s);
    QCOMPARE(s->frozenRows, EmployeeSheet::FirstRow);
    QCOMPARE(s->printTitles, QStringLiteral("$3:$3"));
    QCOMPARE(s->paperSize, 9);
    QVERIFY2(FormulaMismatches(*s).isEmpty(), qPrintable(FormulaMismatches(*s).join('\n')));

    using namespace EmployeeSheet;
    const QStringList expected =
        env.rows(TDM::ACN2, QStringLiteral("SELECT SCOT, SNA, TOUKYU, GOUHOU, ") + BaseSql +
                                QStringLiteral(", ") + Allowances + QStringLiteral(", ") + BaseSql +
                                QStringLiteral(" + ") + Allowances + Company +
                                QStringLiteral(" ORDER BY SCOT, SCO"));
    QStringList shown;
    for (int i = 0; i < expected.size(); ++i) {
        const int row = FirstRow + i;
        auto n = [&](int col) {
            return QString::number(qint64(s->number(Sheet::cellName(row, col))));
        };
        shown << QStringList{s->text(Sheet::cellName(row, Number)),
                             s->text(Sheet::cellName(row, Name)),
                             n(Grade),
                             n(Step),
                             n(BaseTotal),
                             n(AllowanceTotal),
                             n(Scheduled)}
                     .join('|');
    }
    QCOMPARE(shown, expected);

    const XlsxCell* pay = s->at(Sheet::cellName(FirstRow, Base2));
    QVERIFY(pay && pay->isNumber);
    QCOMPARE(pay->format, QStringLiteral("#,##0"));
    // A0001 was born on 1964-08-28: day 23617 of the spreadsheet calendar.
    const XlsxCell* birth = s->at(Sheet::cellName(FirstRow, Birth));
    QVERIFY(birth && birth->isNumber);
    QCOMPARE(birth->number, 23617.0);
    QCOMPARE(birth->format, QStringLiteral("yyyy/mm/dd"));
    const XlsxCell* none = s->at(Sheet::cellName(FirstRow + 59, Birth));
    QVERIFY(none && !none->isNumber && none->text.isEmpty());

    // The total line sums the whole column.
    const int total = FirstRow + 60;
    QCOMPARE(s->text(Sheet::cellName(total, Number)), QStringLiteral("合計"));
    QCOMPARE(s->at(Sheet::cellName(total, Scheduled))->formula, QStringLiteral("SUM(X4:X63)"));
    QCOMPARE(QString::number(qint64(s->number(Sheet::cellName(total, Scheduled)))),
             env.scalar(TDM::ACN2, QStringLiteral("SELECT SUM(") + BaseSql + QStringLiteral(" + ") +
                                       Allowances + QStringLiteral(")") + Company));
}

void TestWorkbooks::wageTableAndDefinition() {
    TestEnvironment env;
    env.openDatabases();
    QVERIFY(env.openCompany(1, 2023));
    const StoredWageTable table = LoadWholeWageTable(1, 2023);
    QVERIFY(table.head && !table.rows.isEmpty());
    const XlsxReader r = saved(
        env,
        ComposeWageTableWorkbook(WageTablePrintHeaderOf(env.project, table.head->title), table),
        "w.xlsx");
    QCOMPARE(r.sheetNames(), QStringList({QStringLiteral("賃金表"), QStringLiteral("定義")}));
    const XlsxSheet* s = r.sheet(0);
    using namespace WageTableSheet;
    QCOMPARE(s->frozenRows, FirstRow);
    QCOMPARE(s->printTitles, QStringLiteral("$3:$4"));
    QCOMPARE(s->text(QStringLiteral("B3")), QStringLiteral("1等級　一般職Ⅰ"));
    QVERIFY(s->merges.contains(QStringLiteral("B3:C3")));
    QVERIFY2(FormulaMismatches(*s).isEmpty(), qPrintable(FormulaMismatches(*s).join('\n')));

    // Every step of every grade as stored; steps a grade does not reach are blank.
    QStringList columns = {QStringLiteral("GOUHOU")};
    for (int g = 1; g <= 9; ++g)
        columns << QStringLiteral("KIN%1").arg(g) << QStringLiteral("KS%1").arg(g);
    const QStringList expected = env.rows(
        TDM::ACN2, QStringLiteral("SELECT ") + columns.join(',') +
                       QStringLiteral(" FROM DCHINGIN2 WHERE KCO = 1 AND NENDO = 2023 ORDER BY "
                                      "GOUHOU"));
    QStringList shown;
    int blanks = 0;
    for (int i = 0; i < expected.size(); ++i) {
        QStringList line;
        for (int c = 0; c <= indexColumn(9); ++c) {
            const XlsxCell* cell = s->at(Sheet::cellName(FirstRow + i, c));
            line << QString::number(cell && cell->isNumber ? qint64(cell->number) : 0);
            blanks += cell && !cell->isNumber;
        }
        shown << line.join('|');
    }
    QCOMPARE(shown, expected);
    QVERIFY(blanks > 0); // grades 7 to 9 are not used by the sample

    // The average of grade 1 over its own steps, rounded half away from zero.
    const int avg = FirstRow + int(expected.size());
    QCOMPARE(s->text(Sheet::cellName(avg, 0)), QStringLiteral("平均"));
    const qint64 sum = env.scalar(TDM::ACN2, QStringLiteral("SELECT SUM(KIN1) FROM DCHINGIN2 "
                                                            "WHERE KCO = 1 AND NENDO = 2023"))
                           .toLongLong();
    const qint64 count = env.scalar(TDM::ACN2, QStringLiteral("SELECT COUNT(*) FROM DCHINGIN2 "
                                                              "WHERE KCO = 1 AND NENDO = 2023 "
                                                              "AND KIN1 <> 0"))
                             .toLongLong();
    QCOMPARE(s->number(Sheet::cellName(avg, amountColumn(1))),
             double((2 * sum + count) / (2 * count)));
    QVERIFY(!s->at(Sheet::cellName(avg, amountColumn(9)))->isNumber);

    // The definition: the salary scale as stored, with its lower and upper amounts.
    const XlsxSheet* d = r.sheet(1);
    const int head = rowWith(*d, 0, QStringLiteral("等級番号"));
    QVERIFY(head > 0);
    QCOMPARE(d->text(Sheet::cellName(head, 7)), QStringLiteral("スプレッド"));
    const QStringList scale = env.rows(
        TDM::ACN2, QStringLiteral("SELECT TKNO, TKNA, KKIN, KKIN * (100 + RITSU1) / 100, KKIN * "
                                  "(100 + RITSU2) / 100 FROM DSCALE WHERE KCO = 1 AND NENDO = "
                                  "2023 AND SKCO = %1 ORDER BY TKNO")
                       .arg(table.head->scaleCode));
    QStringList shownScale;
    for (int i = 0; i < scale.size(); ++i) {
        auto n = [&](int c) {
            return QString::number(qint64(d->number(Sheet::cellName(head + 1 + i, c))));
        };
        shownScale << QStringList{n(0), d->text(Sheet::cellName(head + 1 + i, 1)), n(3), n(5), n(6)}
                          .join('|');
    }
    QCOMPARE(shownScale, scale);
    QCOMPARE(d->at(Sheet::cellName(head + 1, 7))->format, QStringLiteral("#,##0.00"));
    // The curve set of the head's method, its rate shown to three places.
    const int curve = rowWith(*d, 0, QStringLiteral("掛　率"));
    QVERIFY(curve > head);
    QCOMPARE(d->at(Sheet::cellName(curve, 1))->format, QStringLiteral("#,##0.000"));
}

void TestWorkbooks::groupReports() {
    TestEnvironment env;
    env.setToday(QDate(2024, 4, 1));
    env.openDatabases();
    QVERIFY(env.openCompany(1, 2023));
    const std::optional<QVector<GroupReportEmployee>> all =
        LoadGroupReportEmployees({1, 2023}, {1, 6}, {1, 9});
    QVERIFY(all && all->size() == 60);
    const QStringList perMark =
        env.rows(TDM::ACN2, QStringLiteral("SELECT COUNT(*)") + Company +
                                QStringLiteral(" GROUP BY MCO ORDER BY MCO"));

    {
        const XlsxReader r =
            saved(env,
                  ComposeGroupReportWorkbook(GroupReportKind::Wage,
                                             GroupReportHeaderOf(env.project, QString(), QString()),
                                             *all),
                  "wage.xlsx");
        const XlsxSheet* s = r.sheet(QStringLiteral("グループ別社員賃金レポート"));
        QVERIFY(s);
        QVERIFY2(FormulaMismatches(*s).isEmpty(), qPrintable(FormulaMismatches(*s).join('\n')));
        QCOMPARE(s->frozenRows, GroupReportSheet::FirstRow);
        QCOMPARE(s->printTitles, QStringLiteral("$4:$4"));
        // One subtotal per mark with its head count under 年齢, as printed.
        QStringList counts;
        for (int row = rowWith(*s, 1, QStringLiteral("小計")); row > 0;
             row = rowWith(*s, 1, QStringLiteral("小計"), row + 1))
            counts << QString::number(qint64(s->number(Sheet::cellName(row, 2))));
        QCOMPARE(counts, perMark);
        const int total = rowWith(*s, 1, QStringLiteral("合計"));
        QVERIFY(total > 0);
        QCOMPARE(s->number(Sheet::cellName(total, 2)), 60.0);
        QVERIFY(s->at(Sheet::cellName(total, 4))->formula.startsWith(QStringLiteral("SUM(")));
        QCOMPARE(QString::number(qint64(s->number(Sheet::cellName(total, 9)))),
                 env.scalar(TDM::ACN2, QStringLiteral("SELECT SUM(") + BaseSql +
                                           QStringLiteral(" + ") + Allowances +
                                           QStringLiteral(")") + Company));
        // The average line truncates each item to whole yen and adds those, as the print does
        // (333,734, not the 333,735 of the total divided); ages go to one decimal.
        QCOMPARE(s->at(Sheet::cellName(total + 1, 2))->format, QStringLiteral("#,##0.0"));
        QCOMPARE(s->number(Sheet::cellName(total + 1, 4)),
                 std::trunc(s->number(Sheet::cellName(total, 4)) / 60));
        QCOMPARE(s->number(Sheet::cellName(total + 1, 9)), 333734.0);
    }
    {
        const std::optional<QVector<GroupReportEmployee>> some =
            LoadGroupReportEmployees({1, 2023}, {1, 6}, {3, 5});
        QVERIFY(some && !some->isEmpty());
        const XlsxReader r = saved(
            env,
            ComposeGroupReportWorkbook(
                GroupReportKind::Raise,
                GroupReportHeaderOf(env.project, QStringLiteral("主任"), QStringLiteral("課長")),
                *some),
            "raise.xlsx");
        const XlsxSheet* s = r.sheet(0);
        QCOMPARE(s->name, QStringLiteral("グループ別社員昇給レポート"));
        QVERIFY2(FormulaMismatches(*s).isEmpty(), qPrintable(FormulaMismatches(*s).join('\n')));
        QVERIFY(s->text(QStringLiteral("A3")).contains(QStringLiteral("主任 ～ 課長")));
        const int total = rowWith(*s, 1, QStringLiteral("合計"));
        QCOMPARE(s->number(Sheet::cellName(total, 2)), double(some->size()));
        // The raise of the range: undecided raises count as none, not as a cut to zero.
        const QString range = QStringLiteral(" AND TOUKYU BETWEEN 3 AND 5");
        QCOMPARE(QString::number(qint64(s->number(Sheet::cellName(total, 12)))),
                 env.scalar(TDM::ACN2, QStringLiteral("SELECT SUM(CASE WHEN NSYOTEI = 0 THEN 0 "
                                                      "ELSE ") +
                                           NewBaseSql + QStringLiteral(" + ") + NewAllowances +
                                           QStringLiteral(" - (") + BaseSql +
                                           QStringLiteral(" + ") + Allowances +
                                           QStringLiteral(") END)") + Company + range));
        const int first = GroupReportSheet::FirstRow + 1;
        const XlsxCell* rate = s->at(Sheet::cellName(first, 13));
        QVERIFY(rate && rate->isNumber);
        QCOMPARE(rate->format, QStringLiteral("0.00%"));
        QCOMPARE(rate->formula, QStringLiteral("M6/L6"));
    }
}

void TestWorkbooks::designs() {
    TestEnvironment env;
    env.setToday(QDate(2024, 4, 1));
    env.openDatabases();
    QVERIFY(env.openCompany(1, 2023));
    std::array<DesignPoints, DesignCount + 1> points{};
    points[1].x = {0, 22, 30, 40, 0, 0, 0};
    points[1].amount = {0, 200000, 260000, 330000, 0, 0, 0};
    points[3].x = {0, 25, 0, 28, 0, 0, 0}; // an empty point between two
    points[3].amount = {0, 210000, 0, 222000, 0, 0, 0};
    const QVector<DesignRow> rows = ExpandDesigns(points);
    QVERIFY(!rows.isEmpty());
    DesignPrintHeader header;
    header.nendoText = QStringLiteral("2023");
    header.companyName = QStringLiteral("サンプル企業");
    header.title = QStringLiteral("設計案");
    header.today = QDate(2024, 4, 1);
    const XlsxReader r = saved(env, ComposeDesignWorkbook(header, rows), "d.xlsx");
    const XlsxSheet* s = r.sheet(QStringLiteral("昇給設計"));
    QVERIFY(s);
    QVERIFY2(FormulaMismatches(*s).isEmpty(), qPrintable(FormulaMismatches(*s).join('\n')));
    using namespace DesignSheet;
    QCOMPARE(s->text(Sheet::cellName(CaptionRow, xColumn(3))), QStringLiteral("設計３"));
    // Every X value of a design in its own row, the points' amounts where they were set.
    QCOMPARE(s->number(Sheet::cellName(FirstRow, amountColumn(1))), 200000.0);
    QCOMPARE(s->number(Sheet::cellName(FirstRow + 8, xColumn(1))), 30.0);
    QCOMPARE(s->number(Sheet::cellName(FirstRow + 8, amountColumn(1))), 260000.0);
    QCOMPARE(s->number(Sheet::cellName(FirstRow + 18, amountColumn(1))), 330000.0);
    QCOMPARE(s->number(Sheet::cellName(FirstRow + 3, amountColumn(3))), 222000.0);
    QVERIFY(!s->at(Sheet::cellName(FirstRow + 4, amountColumn(3)))->isNumber);

    // The averages agree with the CSV file's average line.
    const DesignCsvEncoding csv = EncodeDesignCsv(header.title, rows);
    QString text;
    QVERIFY(Cp932::decode(csv.bytes, text));
    const QStringList last = text.trimmed().split(QStringLiteral("\r\n")).last().split(',');
    const int avg = FirstRow + 19;
    QCOMPARE(s->text(Sheet::cellName(avg, xColumn(1))), QStringLiteral("平均"));
    QCOMPARE(QString::number(qint64(s->number(Sheet::cellName(avg, amountColumn(1))))), last[1]);
    QCOMPARE(QString::number(qint64(s->number(Sheet::cellName(avg, indexColumn(1))))), last[2]);
    QCOMPARE(QString::number(qint64(s->number(Sheet::cellName(avg, amountColumn(3))))), last[7]);

    const XlsxSheet* all = r.sheet(QStringLiteral("展開"));
    QVERIFY(all);
    QCOMPARE(all->number(Sheet::cellName(1 + int(rows.size()), 1)), 4.0); // design 3's last No
    QCOMPARE(all->at(QStringLiteral("F3"))->format, QStringLiteral("0.0%"));
}

QTEST_MAIN(TestWorkbooks)
#include "test_workbooks.moc"
