#include "core/common/AppState.h"
#include "data/project/CompanySettingsCache.h"
#include "support/data/TestSupport.h"

#include <QtTest>

class TestSettingsCache : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadsTheCompanyRow() {
        TestEnvironment env;
        env.openDatabases();
        env.exec(
            TDM::ACN2,
            QStringLiteral("INSERT INTO MKIGYOU2 (KCO, NENDO, KNA, CYOUSAHI, BEARITSU, TAIKEI, "
                           "KKNA1, KKNA2, KKNA3, TNA1, TNA5, MCCO, MDCO, TK01, TK09, FRSTKYU, "
                           "SKCO, SYOUKYUHI, FRSTKYUM) VALUES (99, 2030, 'O''Brien商事', "
                           "20300630, 2.5, '職能', 'a', 'b', 'c', 't1', 't5', 2, 2, 'g1', "
                           "'g9', 1, 3, 20310401, 2)"));
        TMKIGYOU2 s;
        s.TK[4] = QStringLiteral("left over");
        QVERIFY(LoadCompanySettings({99, 2030}, s));
        QCOMPARE(s.KNA, QStringLiteral("O'Brien商事"));
        QCOMPARE(s.CYOUSAHI, 20300630);
        QCOMPARE(s.BEARITSU, 2.5);
        QCOMPARE(s.KKNA[3], QStringLiteral("c"));
        QCOMPARE(s.TNA[5], QStringLiteral("t5"));
        QCOMPARE(s.TK[1], QStringLiteral("g1"));
        QCOMPARE(s.TK[4], QString()); // cleared before reading
        QCOMPARE(s.TK[9], QStringLiteral("g9"));
        QCOMPARE(s.FRSTKYU, 1);
        QCOMPARE(s.SKCO, 3);
        QCOMPARE(s.SYOUKYUHI, 20310401);
        QCOMPARE(s.FRSTKYUM, 2);
        QCOMPARE(s.KCO, QStringLiteral("99"));
        VERIFY_MESSAGES(env.messages);
    }

    void missingRowAndNulls() {
        TestEnvironment env;
        env.openDatabases();
        TMKIGYOU2 s;
        s.KNA = QStringLiteral("stale");
        s.FRSTKYU = 0;
        QVERIFY(!LoadCompanySettings({98, 2030}, s));
        QCOMPARE(s.KNA, QString());
        QCOMPARE(s.FRSTKYU, 3);
        QCOMPARE(s.FRSTKYUM, 3);
        env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MKIGYOU2 (KCO, NENDO, KNA, CYOUSAHI, "
                                           "BEARITSU, FRSTKYU) VALUES (98, 2030, NULL, NULL, "
                                           "NULL, NULL)"));
        QVERIFY(LoadCompanySettings({98, 2030}, s));
        QCOMPARE(s.KNA, QString());
        QCOMPARE(s.CYOUSAHI, 0);
        QCOMPARE(s.BEARITSU, 0.0);
        QCOMPARE(s.FRSTKYU, 0);
        VERIFY_MESSAGES(env.messages);
    }

    void marksByNumberInAnyOrder() {
        TestEnvironment env;
        env.openDatabases();
        for (int k : {7, 3, 1, 6})
            env.exec(TDM::ACN2,
                     QStringLiteral("INSERT INTO MMARK VALUES (97, 2030, %1, 'M%1', 'L%1', "
                                    "'clRed', 12, 'clBlue', 2, 3)")
                         .arg(k));
        std::array<TMMARK, 7> marks;
        QVERIFY(LoadMarks({97, 2030}, marks));
        QCOMPARE(marks[1].MARK, QStringLiteral("M1"));
        QCOMPARE(marks[3].HANREI, QStringLiteral("L3"));
        QCOMPARE(marks[6].KSYURUI, 2);
        QCOMPARE(marks[6].KHABA, 3);
        QCOMPARE(marks[2].MKCO, 0); // not loaded
        QCOMPARE(marks[2].MKCOLOR, QStringLiteral("0"));
        for (const TMMARK& m : marks)
            QVERIFY(m.MARK != QStringLiteral("M7"));
        QVERIFY(!LoadMarks({96, 2030}, marks));
        QCOMPARE(marks[1].MARK, QString());
        VERIFY_MESSAGES(env.messages);
    }

    void wageTableAmount() {
        TestEnvironment env;
        env.openDatabases();
        env.exec(TDM::ACN2, QStringLiteral("INSERT INTO DCHINGIN2 (KCO, NENDO, GOUHOU, KIN1, KIN3, "
                                           "KIN9) VALUES (95, 2030, 5, 200000, 250500, 99000)"));
        const CompanyYear cy{95, 2030};
        QCOMPARE(WageTableAmount(cy, QStringLiteral("1"), QStringLiteral("5")), 200000);
        QCOMPARE(WageTableAmount(cy, QStringLiteral("3"), QStringLiteral("5")), 250500);
        QCOMPARE(WageTableAmount(cy, QStringLiteral("9"), QStringLiteral("5")), 99000);
        QCOMPARE(WageTableAmount(cy, QStringLiteral("2"), QStringLiteral("5")), 0);
        QCOMPARE(WageTableAmount(cy, QStringLiteral("0"), QStringLiteral("5")), 0);
        QCOMPARE(WageTableAmount(cy, QStringLiteral("10"), QStringLiteral("5")), 0);
        QCOMPARE(WageTableAmount(cy, QStringLiteral("x"), QStringLiteral("5")), 0);
        QCOMPARE(WageTableAmount(cy, QStringLiteral("1"), QStringLiteral("6")), 0);
        QCOMPARE(WageTableAmount(cy, QStringLiteral("1"), QStringLiteral("5 OR 1=1")), 0);
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_MAIN(TestSettingsCache)
#include "test_settings_cache.moc"
