// tesvane-cli wage-table: the stored table as CSV, and regeneration from the stored definition
// through the screen's checks and save.

#include "support/data/TestSupport.h"

#include <QtTest>

namespace {

QStringList wageTable(const TestEnvironment& env, const QStringList& more = {}) {
    return QStringList{QStringLiteral("--data"),     env.appDir(),
                       QStringLiteral("wage-table"), QStringLiteral("--company"),
                       QStringLiteral("1"),          QStringLiteral("--year"),
                       QStringLiteral("2023")} +
           more;
}

const QString Where = QStringLiteral(" WHERE KCO = 1 AND NENDO = 2023");

} // namespace

class TestCliWageTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printsStoredTable() {
        TestEnvironment env;
        env.exec(TDM::ACN2, QStringLiteral("DELETE FROM DCHINGIN2") + Where);
        env.exec(TDM::ACN2, QStringLiteral("INSERT INTO DCHINGIN2 (KCO, NENDO, GOUHOU, KIN1, KS1, "
                                           "KIN9, KS9) VALUES (1, 2023, -2, 205450, 103, 1000, "
                                           "100)"));
        const CliRun r = runCli(wageTable(env));
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("GOUHOU,KIN1,KS1,KIN2,KS2,KIN3,KS3,KIN4,KS4,KIN5,KS5,KIN6,"
                                       "KS6,KIN7,KS7,KIN8,KS8,KIN9,KS9\n"
                                       "-2,205450,103,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1000,100\n"));
    }

    void regeneratesFromStoredDefinition() {
        TestEnvironment env;
        // A base-up of 1 % on the stored 2nd-order set, and a stale table.
        env.exec(TDM::ACN2, QStringLiteral("UPDATE DKSEN2 SET KRITSU = 1.01") + Where);
        env.exec(TDM::ACN2, QStringLiteral("UPDATE DCHINGIN2 SET KIN1 = 1") + Where);
        const CliRun r = runCli(wageTable(env, {QStringLiteral("--generate")}));
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 61);
        // Grade 1 starts at 99,000 × 1.01 = 99,990 → 100,000 (hundreds), index 100.
        QVERIFY2(lines[1].startsWith(QStringLiteral("1,100000,100,")), qPrintable(lines[1]));
        QCOMPARE(env.rows(TDM::ACN2, QStringLiteral("SELECT GOUHOU, KIN1, KS1 FROM DCHINGIN2") +
                                         Where + QStringLiteral(" AND GOUHOU = 1")),
                 QStringList{QStringLiteral("1|100000|100")});
        // The rate is stored back as the screen shows it, with three decimals.
        QCOMPARE(env.scalar(TDM::ACN2, QStringLiteral("SELECT MAX(KRITSU) FROM DKSEN2") + Where),
                 QStringLiteral("1.01"));
        QVERIFY(r.err.isEmpty());
    }

    void refusals() {
        TestEnvironment env;
        const QStringList before =
            env.rows(TDM::ACN2, QStringLiteral("SELECT * FROM DCHINGIN2") + Where);
        env.exec(TDM::ACN2, QStringLiteral("UPDATE MCHINGIN SET TKSU = 12") + Where);
        CliRun r = runCli(wageTable(env, {QStringLiteral("--generate")}));
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(
                     QStringLiteral("txtTokyusu: 入力範囲外です。1 ～ 9 の値を入力して下さい。")),
                 qPrintable(r.err));
        QCOMPARE(env.rows(TDM::ACN2, QStringLiteral("SELECT * FROM DCHINGIN2") + Where), before);

        env.exec(TDM::ACN2, QStringLiteral("DELETE FROM MCHINGIN") + Where);
        r = runCli(wageTable(env, {QStringLiteral("--generate")}));
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("no wage-table definition")));

        r = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("wage-table"),
                    QStringLiteral("--company"), QStringLiteral("4"), QStringLiteral("--year"),
                    QStringLiteral("2023")});
        QCOMPARE(r.status, 1);
        r = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("wage-table"),
                    QStringLiteral("--company"), QStringLiteral("1")});
        QCOMPARE(r.status, 2);
        r = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("wage-table"),
                    QStringLiteral("--year"), QStringLiteral("x")});
        QCOMPARE(r.status, 2);
    }
};

QTEST_GUILESS_MAIN(TestCliWageTable)
#include "test_cli_wage_table.moc"
