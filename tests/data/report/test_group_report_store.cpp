// The employees of the group reports as read from VSYAIN: ranges, order and the columns the
// reports print.

#include "data/report/GroupReportStore.h"
#include "support/data/TestSupport.h"

#include <QtTest>

class TestGroupReportStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rangesAndOrder() {
        TestEnvironment env;
        env.openDatabases();
        const std::optional<QVector<GroupReportEmployee>> rows =
            LoadGroupReportEmployees({1, 2023}, {2, 3}, {3, 4});
        QVERIFY(rows);
        const QStringList expected = env.rows(
            TDM::ACN2, QStringLiteral("SELECT SCOT FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023 AND "
                                      "MCO IN (2, 3) AND TOUKYU IN (3, 4) ORDER BY MCO, SCO"));
        QVERIFY(expected.size() > 2);
        QStringList got;
        int lastMark = 0;
        for (const GroupReportEmployee& e : *rows) {
            got << e.SCOT;
            QVERIFY(e.MCO >= lastMark); // grouped by mark
            lastMark = e.MCO;
            QVERIFY(e.TOUKYU >= 3 && e.TOUKYU <= 4);
        }
        QCOMPARE(got, expected);
        QVERIFY(LoadGroupReportEmployees({1, 2023}, {4, 3}, {1, 9})->isEmpty());
        QVERIFY(LoadGroupReportEmployees({2, 2023}, {1, 6}, {1, 9})->isEmpty());
    }

    void columns() {
        TestEnvironment env;
        env.openDatabases();
        env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN2 SET KKYU1 = 123456, TEATE5 = 7, "
                                           "NTEATE5 = 8, SYOUYO2 = 99, SGOUHOU = 3 WHERE KCO = 1 "
                                           "AND NENDO = 2023 AND SCO = 1"));
        const QStringList view = env.rows(
            TDM::ACN2, QStringLiteral("SELECT SCOT, SNA, MCO, TOUKYU, JISEKI, KIN, NKIN, SEIHI, "
                                      "HYOUKA FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023 AND "
                                      "SCO = 1"));
        QCOMPARE(view.size(), 1);
        const QStringList v = view[0].split(QLatin1Char('|'));
        const auto rows = LoadGroupReportEmployees({1, 2023}, {1, 6}, {1, 9});
        QVERIFY(rows);
        const auto it = std::find_if(rows->cbegin(), rows->cend(),
                                     [&](const GroupReportEmployee& e) { return e.SCOT == v[0]; });
        QVERIFY(it != rows->cend());
        QCOMPARE(it->SNA, v[1]);
        QCOMPARE(it->MCO, v[2].toInt());
        QCOMPARE(it->TOUKYU, v[3].toInt());
        QCOMPARE(it->JISEKI, v[4].toInt());
        QCOMPARE(it->KIN, v[5].toLongLong());
        QCOMPARE(it->NKIN, v[6].toLongLong());
        QCOMPARE(it->SEIHI, v[7].toLongLong());
        QCOMPARE(it->HYOUKA, v[8]);
        QCOMPARE(it->KKYU[1], 123456);
        QCOMPARE(it->TEATE[5], 7);
        QCOMPARE(it->NTEATE[5], 8);
        QCOMPARE(it->SYOUYO2, 99);
        QCOMPARE(it->SGOUHOU, 3);
        QVERIFY(it->KIN > 0); // the sample's 職能給 follows the wage table
    }
};

QTEST_GUILESS_MAIN(TestGroupReportStore)
#include "test_group_report_store.moc"
