// The yearly cycle walked through tesvane-cli on a fresh copy of the sample: staff imported with
// marks, raises applied from a file, both reports printed, the year rolled over and the new year
// read back. The expected figures were worked out by hand from the sample's rows (quoted where
// they are used), so a fault at any hand-over between the commands shows here.

#include "support/data/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QStringList Year2023 = {"--company", "1", "--year", "2023"};
const QStringList Year2024 = {"--company", "1", "--year", "2024"};

void placeLayouts(const TestEnvironment& env) {
    const QString from = QFINDTESTDATA(QStringLiteral("../../resources/report/PrintSalaryList.jfm"))
                             .section('/', 0, -2);
    for (const QString& f : QDir(from).entryList({QStringLiteral("*.jfm")}, QDir::Files))
        if (!QFile::copy(from + QLatin1Char('/') + f, env.appDir() + QStringLiteral("Report/") + f))
            qFatal("cannot copy %s", qPrintable(f));
}

// The page text of a PDF, its lines with runs of blanks made one.
QStringList pdfLines(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(60000);
    QStringList lines;
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    for (QString l : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (!(l = l.replace(blanks, QStringLiteral(" ")).trimmed()).isEmpty())
            lines << l;
    return lines;
}

// The last line of a report that starts with `name` (the grand total comes last).
QString lastLine(const QStringList& lines, const QString& name) {
    for (qsizetype i = lines.size() - 1; i >= 0; --i)
        if (lines[i].startsWith(name))
            return lines[i];
    return {};
}

struct Cycle {
    TestEnvironment env;
    Cycle() { placeLayouts(env); }
    CliRun run(const QStringList& args) {
        return runCli(QStringList{QStringLiteral("--data"), env.appDir()} + args);
    }
    QString employee(const QString& columns, const QString& scot, int year) {
        return env
            .rows(TDM::ACN2, QStringLiteral("SELECT %1 FROM VSYAIN WHERE KCO = 1 AND NENDO = %2 "
                                            "AND SCOT = '%3'")
                                 .arg(columns)
                                 .arg(year)
                                 .arg(scot))
            .join(QLatin1Char('\n'));
    }
};

} // namespace

class TestCliCycle : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void walksTheYear() {
        Cycle c;

        // 1. Three new people: two with a mark (by legend and by code), one without.
        const QString staff = WriteCp932File(
            c.env.appDir() + QStringLiteral("CSV/new-staff.csv"),
            QStringLiteral("社員番号,社員名,性別,社内身分,生年月日,入社日,賃金等級,マーク\r\n"
                           "N0001,新井　一,男,正社員,1999/04/02,2022/04/01,2,男子営業\r\n"
                           "N0002,新田　二葉,女,正社員,2000/04/01,2023/04/01,1,2\r\n"
                           "N0003,大野　三郎,男,パート,1985/12/31,2010/10/01,4,\r\n"));
        CliRun r =
            c.run(QStringList{"employees", "import", staff} + Year2023 + QStringList{"--add"});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains(QStringLiteral("3 employees imported (codes 61-63)")),
                 qPrintable(r.out + r.err));
        QVERIFY2(r.err.contains(QStringLiteral("うち 1 名はマークがありません。")),
                 qPrintable(r.err));
        // Counted to 2023-04-01: 1999-04-02 is 23 (24 the next day), 2000-04-01 is 23 that
        // very day; 1985-12-31 is 37; service 1, 0 and 12.
        QCOMPARE(c.employee("NENREI, KINZOKU, MCO, SM1", "N0001", 2023),
                 QStringLiteral("23|1|1|2"));
        QCOMPARE(c.employee("NENREI, KINZOKU, MCO, SM1", "N0002", 2023),
                 QStringLiteral("23|0|2|2"));
        QCOMPARE(c.employee("NENREI, KINZOKU, MCO, SM1", "N0003", 2023),
                 QStringLiteral("37|12|0|3"));

        // 2. Raises from a file: A0004 (grade 5, step 39, undecided) earns B, 4 steps; the new
        // N0001 earns A, 5 steps from step 0.
        const QString evaluations =
            WriteCp932File(c.env.appDir() + QStringLiteral("CSV/hyouka.csv"),
                           QStringLiteral("社員番号,評価\r\nA0004,3\r\nN0001,2\r\n"));
        r = c.run(QStringList{"raise", "apply"} + Year2023 +
                  QStringList{"--evaluations", evaluations});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.startsWith(QStringLiteral("2 raises stored")), qPrintable(r.out + r.err));
        QCOMPARE(c.employee("NTOUKYU, NGOUHOU, NKKYU2 = NKIN", "A0004", 2023),
                 QStringLiteral("5|43|1"));
        QCOMPARE(c.employee("NTOUKYU, NGOUHOU", "N0001", 2023), QStringLiteral("2|5"));

        // 3. Both reports: the employee without a mark is named as left out, not dropped
        // without a word.
        const QString wage2023 = c.env.appDir() + QStringLiteral("wage2023.pdf");
        r = c.run(QStringList{"report", "salary"} + Year2023 + QStringList{"--pdf", wage2023});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.contains(QStringLiteral(
                     "対象外の社員が 1名あります（マークなし 1名、等級が範囲外 0名）。")),
                 qPrintable(r.err));
        const QStringList wage = pdfLines(wage2023);
        QVERIFY(wage.join(QLatin1Char('\n'))
                    .contains(QStringLiteral("年齢・勤続は2023年04月01日現在")));
        // (pdftotext lays the full-width blank of a name out as blanks.)
        QCOMPARE(lastLine(wage, QStringLiteral("N0001")),
                 QStringLiteral("N0001 新井 一 23 1 0 0 0 0 0 0 0 0 0"));
        QVERIFY(lastLine(wage, QStringLiteral("N0003")).isEmpty());
        // Sums of the 62 marked employees' pay items (SQL over the sample by hand, the new
        // staff with 0): scheduled pay 20,024,100, annual pay 20,024,100 x 12 + both bonuses.
        QCOMPARE(lastLine(wage, QStringLiteral("合計")),
                 QStringLiteral("合計 62 6,789,500 11,050,600 0 17,840,100 2,184,000 20,024,100 "
                                "35,673,000 39,244,000 315,206,200"));
        QVERIFY(
            lastLine(wage, QStringLiteral("平均")).startsWith(QStringLiteral("平均 39.9 16.8 ")));

        const QString raise2023 = c.env.appDir() + QStringLiteral("raise2023.pdf");
        r = c.run(QStringList{"report", "raise"} + Year2023 + QStringList{"--pdf", raise2023});
        QCOMPARE(r.status, 0);
        const QStringList raise = pdfLines(raise2023);
        // 昇号 as the raise input shows it: A0004 B, 4 steps from 39; A0001's C (3 steps, 41 to
        // 44) decided in the sample; the new N0001 A, 5 steps from 0.
        QVERIFY2(lastLine(raise, QStringLiteral("A0004")).contains(QStringLiteral(" B 5 39 4 ")),
                 qPrintable(lastLine(raise, QStringLiteral("A0004"))));
        QVERIFY(lastLine(raise, QStringLiteral("A0001")).contains(QStringLiteral(" C 5 41 3 ")));
        QVERIFY(lastLine(raise, QStringLiteral("N0001")).contains(QStringLiteral(" A 2 0 5 ")));
        // New base pay and allowances of the 33 decided raises, the current pay of the others:
        // 20,282,600 after against 20,024,100 before, 258,500 more.
        QCOMPARE(lastLine(raise, QStringLiteral("合計")),
                 QStringLiteral("合計 62 18,033,600 193,500 2,249,000 65,000 20,282,600 "
                                "20,024,100 258,500"));

        // 4. The roll-over, and what it says moved.
        r = c.run(QStringList{"annual-update"} + Year2023 + QStringList{"--yes"});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains(QStringLiteral("63 employees")), qPrintable(r.out));
        QVERIFY(r.out.contains(QStringLiteral("基準年月日 2023.04.01 → 2024.04.01")));

        // 5. Year 2024: everyone a year older, the imported staff too; pay as decided.
        QCOMPARE(c.employee("NENREI, KINZOKU", "A0001", 2024), QStringLiteral("59|41"));
        QCOMPARE(c.employee("NENREI, KINZOKU, TOUKYU, GOUHOU", "N0001", 2024),
                 QStringLiteral("24|2|2|5"));
        QCOMPARE(c.employee("NENREI, KINZOKU", "N0002", 2024), QStringLiteral("24|1"));
        QCOMPARE(c.employee("NENREI, KINZOKU", "N0003", 2024), QStringLiteral("38|13"));
        QCOMPARE(c.employee("TOUKYU, GOUHOU, KKYU2 = KIN, KIN > 0", "A0004", 2024),
                 QStringLiteral("5|43|1|1"));

        const QString wage2024 = c.env.appDir() + QStringLiteral("wage2024.pdf");
        r = c.run(QStringList{"report", "salary"} + Year2024 + QStringList{"--pdf", wage2024});
        QCOMPARE(r.status, 0);
        const QStringList next = pdfLines(wage2024);
        QVERIFY(next.join(QLatin1Char('\n'))
                    .contains(QStringLiteral("年齢・勤続は2024年04月01日現在")));
        // The 2024 wage report is the raise report's "after": the same 62, their pay as decided,
        // each a year older and a year longer in service.
        QCOMPARE(lastLine(next, QStringLiteral("合計")),
                 QStringLiteral("合計 62 6,808,500 11,225,100 0 18,033,600 2,249,000 20,282,600 "
                                "35,673,000 39,244,000 318,308,200"));
        QVERIFY(
            lastLine(next, QStringLiteral("平均")).startsWith(QStringLiteral("平均 40.9 17.8 ")));

        // The wage table of 2024 is titled for its year.
        const QString table2024 = c.env.appDir() + QStringLiteral("table2024.pdf");
        r = c.run(QStringList{"wage-table"} + Year2024 + QStringList{"--pdf", table2024});
        QCOMPARE(r.status, 0);
        QVERIFY(pdfLines(table2024)
                    .join(QLatin1Char('\n'))
                    .contains(QStringLiteral("2024年度 職能給表")));
    }
};

QTEST_GUILESS_MAIN(TestCliCycle)
#include "test_cli_cycle.moc"
