#include "support/TestSupport.h"

#include <QProcess>
#include <QtTest>

namespace {
struct Run {
    int status;
    QString out;
    QString err;
};

Run cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TESVANE_APPDIR) + QStringLiteral("/tesvane-cli"), args);
    if (!p.waitForFinished(60000))
        return {-1, {}, {}};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}
} // namespace

class TestCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsCompanies() {
        TestEnvironment env;
        env.exec(TDM::ACN1, QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO, KNA) VALUES (7, "
                                           "2024, 'O''Brien商事')"));
        Run r = cli({QStringLiteral("--data"), env.appDir(), QStringLiteral("companies")});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains(QStringLiteral("1\t2023\tサンプル企業\n")), qPrintable(r.out));
        QVERIFY(r.out.contains(QStringLiteral("7\t2024\tO'Brien商事\n")));
        r = cli({QStringLiteral("--data"), env.appDir(), QStringLiteral("companies"),
                 QStringLiteral("--year"), QStringLiteral("2024")});
        QCOMPARE(r.status, 0);
        QVERIFY(!r.out.contains(QStringLiteral("サンプル企業")));
        QVERIFY(r.out.contains(QStringLiteral("O'Brien商事")));
    }

    void failuresExitNonZero() {
        TestEnvironment env(false);
        Run r = cli({QStringLiteral("--data"), env.appDir(), QStringLiteral("companies")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("データベースのオープンでエラーが発生しました。")),
                 qPrintable(r.err));
        QVERIFY(r.err.contains(env.dataDir() + QStringLiteral("SEIGYO.db")));
        r = cli({QStringLiteral("frobnicate")});
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains(QStringLiteral("unknown command")));
        r = cli({QStringLiteral("--data")});
        QCOMPARE(r.status, 2);
        r = cli({QStringLiteral("--help")});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains(QStringLiteral("companies")));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
