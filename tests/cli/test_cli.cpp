#include "support/data/TestSupport.h"

#include <QtTest>

class TestCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsCompanies() {
        TestEnvironment env;
        env.exec(TDM::ACN1, QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO, KNA) VALUES (7, "
                                           "2024, 'O''Brien商事')"));
        CliRun r = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("companies")});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.startsWith(QStringLiteral("KCO,NENDO,KNA\n")), qPrintable(r.out));
        QVERIFY2(r.out.contains(QStringLiteral("1,2023,サンプル企業\n")), qPrintable(r.out));
        QVERIFY(r.out.contains(QStringLiteral("7,2024,O'Brien商事\n")));
        r = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("companies"),
                    QStringLiteral("--year"), QStringLiteral("2024")});
        QCOMPARE(r.status, 0);
        QVERIFY(!r.out.contains(QStringLiteral("サンプル企業")));
        QVERIFY(r.out.contains(QStringLiteral("O'Brien商事")));
    }

    void failuresExitNonZero() {
        TestEnvironment env(false);
        CliRun r = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("companies")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("データベースのオープンでエラーが発生しました。")),
                 qPrintable(r.err));
        QVERIFY(r.err.contains(env.dataDir() + QStringLiteral("SEIGYO.db")));
        r = runCli({QStringLiteral("frobnicate")});
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains(QStringLiteral("unknown command")));
        r = runCli({QStringLiteral("--data")});
        QCOMPARE(r.status, 2);
        r = runCli({QStringLiteral("--help")});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains(QStringLiteral("companies")));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
