// tesvane-cli range: the per-employee CSV of the sample company, the workbook, and the years
// that lack a wage table or its salary scale; the command never writes the database.

#include "support/core/XlsxReader.h"
#include "support/data/TestSupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QtTest>

namespace {

QStringList range(const TestEnvironment& env, const QStringList& more = {}) {
    return QStringList{QStringLiteral("--data"),    env.appDir(),        QStringLiteral("range"),
                       QStringLiteral("--company"), QStringLiteral("1"), QStringLiteral("--year"),
                       QStringLiteral("2023")} +
           more;
}

QByteArray digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestCliRange : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void csvOfTheSampleCompany() {
        TestEnvironment env;
        env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN1 SET JISEKI = 0 WHERE KCO = 1 AND "
                                           "SCOT = 'A0060'"));
        const QByteArray before = digest(env.dataPath());
        const CliRun run = runCli(range(env));
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QVERIFY(run.err.isEmpty());
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 61);
        QCOMPARE(lines[0],
                 QStringLiteral(
                     "SCOT,SNA,TOUKYU,PAY,LOWER,BASE,UPPER,COMPA_RATIO,PENETRATION,POSITION"));
        // 264,700 in grade 5 (207,000 / 230,000 / 276,000): 1.1509 and 0.8362.
        QCOMPARE(lines[1], QStringLiteral("\"A0001\",\"中村　誠\",5,264700,207000,230000,276000,"
                                          "1.1509,0.8362,in"));
        QVERIFY(lines.last().startsWith(QStringLiteral("\"A0060\",")));
        QVERIFY(lines.last().endsWith(QStringLiteral(",,,,,,,unlinked")));
        QCOMPARE(digest(env.dataPath()), before);
    }

    void workbookInsteadOfCsv() {
        TestEnvironment env;
        const QString path = env.appDir() + QStringLiteral("range.xlsx");
        const CliRun run = runCli(range(env, {QStringLiteral("--xlsx"), path}));
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.isEmpty());
        XlsxReader book; // what it holds: test_range_workbook
        QVERIFY2(book.open(path), qPrintable(book.error()));
        const CliRun bad = runCli(
            range(env, {QStringLiteral("--xlsx"), env.appDir() + QStringLiteral("none/x.xlsx")}));
        QCOMPARE(bad.status, 1);
        QVERIFY(!bad.err.isEmpty());
    }

    void refusals() {
        TestEnvironment env;
        CliRun run = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("range"),
                             QStringLiteral("--company"), QStringLiteral("1")});
        QCOMPARE(run.status, 2);
        run = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("range"),
                      QStringLiteral("--company"), QStringLiteral("1"), QStringLiteral("--year"),
                      QStringLiteral("2022")});
        QCOMPARE(run.status, 1);
        QVERIFY(run.out.isEmpty());

        env.exec(TDM::ACN2, QStringLiteral("UPDATE MCHINGIN SET SKCO = 5 WHERE KCO = 1"));
        run = runCli(range(env));
        QCOMPARE(run.status, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(QStringLiteral("no salary scale (code 5)")), qPrintable(run.err));

        env.exec(TDM::ACN2, QStringLiteral("DELETE FROM MCHINGIN WHERE KCO = 1"));
        run = runCli(range(env));
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(QStringLiteral("has no wage table in 2023")),
                 qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(TestCliRange)
#include "test_cli_range.moc"
