#include "core/common/Counts.h"
#include "support/data/TestSupport.h"

#include <QtTest>

namespace {
void addEmployee(TestEnvironment& env, int kco, int sco, int grade, int step, int hco,
                 int newGrade = 0, int newStep = 0) {
    env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MSYAIN1 (KCO, SCO, NENDO, SCOT, SNA, TCO, "
                                       "NEWDAY1) VALUES (%1, %2, 2030, 'E%2', '社員%2', %3, "
                                       "'2030/04/01 09:00:%2')")
                            .arg(kco)
                            .arg(sco)
                            .arg(grade));
    env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MSYAIN2 (KCO, SCO, NENDO, TOUKYU, GOUHOU, HCO, "
                                       "NTOUKYU, NGOUHOU, KKYU1) VALUES (%1, %2, 2030, %3, %4, %5, "
                                       "%6, %7, 1000)")
                            .arg(kco)
                            .arg(sco)
                            .arg(grade)
                            .arg(step)
                            .arg(hco)
                            .arg(newGrade)
                            .arg(newStep));
}
} // namespace

class TestSchema : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The numbered columns the program reads with "%1" up to a count are there, and no more of
    // them: a count and the files never disagree.
    void numberedColumnsMatchTheCounts() {
        TestEnvironment env;
        env.openDatabases();
        const auto numbered = [&env](TDM::Conn conn, const QString& table, const QString& prefix) {
            const QRegularExpression name(QStringLiteral("^%1\\d+$").arg(prefix));
            int n = 0;
            for (const QString& column : env.columns(conn, table))
                n += name.match(column).hasMatch() ? 1 : 0;
            return n;
        };
        QCOMPARE(numbered(TDM::ACN2, QStringLiteral("MKIGYOU2"), QStringLiteral("KKNA")),
                 BasePayItemCount);
        QCOMPARE(numbered(TDM::ACN2, QStringLiteral("MKIGYOU2"), QStringLiteral("TNA")),
                 AllowanceCount);
        QCOMPARE(numbered(TDM::ACN2, QStringLiteral("MKIGYOU2"), QStringLiteral("TK")), MaxGrades);
        QCOMPARE(numbered(TDM::ACN2, QStringLiteral("MSYAIN2"), QStringLiteral("KKYU")),
                 BasePayItemCount);
        QCOMPARE(numbered(TDM::ACN2, QStringLiteral("MSYAIN2"), QStringLiteral("NKKYU")),
                 BasePayItemCount);
        QCOMPARE(numbered(TDM::ACN2, QStringLiteral("MSYAIN2"), QStringLiteral("TEATE")),
                 AllowanceCount);
        QCOMPARE(numbered(TDM::ACN2, QStringLiteral("MSYAIN2"), QStringLiteral("NTEATE")),
                 AllowanceCount);
        QCOMPARE(numbered(TDM::ACN2, QStringLiteral("MSYAIN2"), QStringLiteral("HCO")),
                 EvaluationHistoryCount);
        QCOMPARE(numbered(TDM::ACN2, QStringLiteral("MSYAIN2"), QStringLiteral("HNA")),
                 EvaluationHistoryCount);
        QCOMPARE(numbered(TDM::ACN1, QStringLiteral("MSEIGYO"), QStringLiteral("REKI")), EraCount);
        QCOMPARE(numbered(TDM::ACN2, QStringLiteral("DCHINGIN2"), QStringLiteral("KIN")),
                 MaxGrades);
        // A new company copies its marks from the template, one row a mark.
        QCOMPARE(env.scalar(TDM::ACN1, QStringLiteral("SELECT COUNT(DISTINCT MKCO) FROM MMMARK "
                                                      "WHERE MKCO BETWEEN 1 AND 99")),
                 QString::number(MarkCount));
    }

    void employeeViewAddsEvaluationAndWageTableAmounts() {
        TestEnvironment env;
        env.openDatabases();
        env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MHYOUKA VALUES (70, 2030, 2, 'A', 5)"));
        env.exec(TDM::ACN2, QStringLiteral("INSERT INTO DCHINGIN2 (KCO, NENDO, GOUHOU, KIN1, KIN2) "
                                           "VALUES (70, 2030, 3, 201000, 251000), (70, 2030, 8, "
                                           "215000, 265500)"));
        // The same table rows of another company must never leak into this one.
        env.exec(TDM::ACN2, QStringLiteral("INSERT INTO DCHINGIN2 (KCO, NENDO, GOUHOU, KIN1) "
                                           "VALUES (71, 2030, 4, 999999.7)"));
        env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MHYOUKA VALUES (71, 2030, 0, 'X', 1)"));
        addEmployee(env, 70, 1, 1, 3, 2, 2, 8); // table rows for both
        addEmployee(env, 70, 2, 2, 4, 0);       // no row at step 4, no evaluation
        addEmployee(env, 71, 1, 1, 4, 0);       // same code, other company
        addEmployee(env, 70, 3, 0, 3, 9);       // grade 0, unknown evaluation code

        const QStringList r = env.rows(
            TDM::ACN2, QStringLiteral("SELECT SCO, SNA, KKYU1, HYOUKA, KIN, NKIN FROM VSYAIN WHERE "
                                      "KCO = 70 AND NENDO = 2030 ORDER BY SCO"));
        QCOMPARE(r, QStringList({QStringLiteral("1|社員1|1000|A|201000|265500"),
                                 QStringLiteral("2|社員2|1000||0|0"),
                                 QStringLiteral("3|社員3|1000||0|0")}));
        QCOMPARE(env.rows(TDM::ACN2, QStringLiteral("SELECT HYOUKA, KIN FROM VSYAIN WHERE KCO = 71 "
                                                    "AND NENDO = 2030")),
                 QStringList({QStringLiteral("|999999")}));
        // The aggregates and orders the screens use work on the view.
        QCOMPARE(env.rows(TDM::ACN2,
                          QStringLiteral("SELECT TOUKYU, AVG(KKYU1) as AVGKKYU1 FROM VSYAIN WHERE "
                                         "KCO = 70 AND NENDO = 2030 GROUP BY TOUKYU ORDER BY "
                                         "TOUKYU")),
                 QStringList({QStringLiteral("0|1000"), QStringLiteral("1|1000"),
                              QStringLiteral("2|1000")}));
        QCOMPARE(env.rows(TDM::ACN2, QStringLiteral("SELECT SCO FROM VSYAIN WHERE KCO = 70 AND "
                                                    "NENDO = 2030 ORDER BY KCO,NEWDAY1 DESC"))
                     .join(QLatin1Char(',')),
                 QStringLiteral("3,2,1"));
    }

    void everyEmployeeColumnIsInTheView() {
        TestEnvironment env;
        QStringList columns;
        for (const char* table : {"MSYAIN1", "MSYAIN2"})
            columns << env.columns(TDM::ACN2, QString::fromLatin1(table));
        const QStringList view = env.columns(TDM::ACN2, QStringLiteral("VSYAIN"));
        for (const QString& c : columns)
            QVERIFY2(view.contains(c), qPrintable(c));
        for (const char* extra : {"HYOUKA", "KIN", "NKIN"})
            QVERIFY(view.contains(QString::fromLatin1(extra)));
        columns.removeDuplicates();
        QCOMPARE(view.size(), columns.size() + 3);
    }

    void insertsWithoutColumnListsKeepTheirColumnOrder() {
        TestEnvironment env;
        env.openDatabases();
        // Points and expanded designs are inserted without column lists.
        QVERIFY(env.dm.exec(TDM::ACN2,
                            QStringLiteral("INSERT INTO DCHART VALUES (5,'山田','','5',0,0,0,0,0,"
                                           "30,25.5,1,2,0,0)")));
        QCOMPARE(env.rows(TDM::ACN2, QStringLiteral("SELECT SCO, X, Y, SEQNO, MKCO FROM DCHART")),
                 QStringList({QStringLiteral("5|30|25.5|1|2")}));
        QVERIFY(
            env.dm.exec(TDM::ACN2, QStringLiteral("INSERT INTO DCHINGIN VALUES (1,2030,1,0,0,1,22,"
                                                  "200000,5000,2.5,100)")));
        QCOMPARE(
            env.rows(TDM::ACN2, QStringLiteral("SELECT NO, SNENREI, SKIN, KAKUSA FROM DCHINGIN")),
            QStringList({QStringLiteral("1|22|200000|100")}));
        // The curve-style window leaves X and Y unset.
        QVERIFY(env.dm.exec(TDM::ACN2,
                            QStringLiteral("INSERT INTO DSPDRAW (KCO, NENDO, SDCO, HANREI) VALUES "
                                           "(1, 2030, 2, '設計')")));
        QCOMPARE(
            env.rows(TDM::ACN2, QStringLiteral("SELECT X, Y, SKIN1 FROM DSPDRAW WHERE SDCO = 2")),
            QStringList({QStringLiteral("0|0|0")}));
        VERIFY_MESSAGES(env.messages);
    }

    void keysRefuseDuplicates() {
        TestEnvironment env;
        env.openDatabases();
        const QString u = QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。");
        QVERIFY(env.dm.exec(TDM::ACN2,
                            QStringLiteral("INSERT INTO MCHINGIN (KCO, NENDO, CGCO) VALUES (1, "
                                           "2031, 1)")));
        env.messages.expect(u);
        QVERIFY(!env.dm.exec(TDM::ACN2,
                             QStringLiteral("INSERT INTO MCHINGIN (KCO, NENDO, CGCO) VALUES (1, "
                                            "2031, 1)")));
        // Same employee code in another company is a different employee.
        addEmployee(env, 60, 1, 1, 1, 0);
        addEmployee(env, 61, 1, 1, 1, 0);
        env.messages.expect(u);
        QVERIFY(!env.dm.exec(TDM::ACN2,
                             QStringLiteral("INSERT INTO MSYAIN1 (KCO, SCO, NENDO) VALUES (60, "
                                            "1, 2030)")));
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_MAIN(TestSchema)
#include "test_schema.moc"
