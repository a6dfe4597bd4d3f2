// tesvane-cli raise apply, raise summary and annual-update on a copy of the delivered files.
#include "core/common/SystemUser.h"
#include "core/masters/Cp932.h"
#include "support/data/TestSupport.h"

#include "data/company/CompanyStore.h"
#include "data/db/Transaction.h"

#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QtTest>
#include <optional>

namespace {

QStringList cli(const TestEnvironment& env, const QStringList& args) {
    return QStringList{QStringLiteral("--data"), env.appDir()} + args;
}

const QStringList Sample = {QStringLiteral("--company"), QStringLiteral("1"),
                            QStringLiteral("--year"), QStringLiteral("2023")};

QString writeFile(const TestEnvironment& env, const QString& text) {
    const QString path = env.appDir() + QStringLiteral("CSV/hyouka.csv");
    QByteArray bytes;
    Cp932::encode(text, bytes);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QString pay(const TestEnvironment& env, const QString& columns, const QString& scot) {
    return const_cast<TestEnvironment&>(env)
        .rows(TDM::ACN2, QStringLiteral("SELECT %1 FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023 AND "
                                        "SCOT = '%2'")
                             .arg(columns, scot))
        .join(QLatin1Char('\n'));
}

} // namespace

class TestCliRaise : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void applyStoresAllRowsOrNone() {
        TestEnvironment env;
        const QString before =
            env.rows(TDM::ACN2, "SELECT * FROM MSYAIN2 WHERE KCO = 1 ORDER BY SCO").join('\n');
        // One good line among faulty ones: nothing is stored, every fault has its line.
        const QString faulty = writeFile(env, QStringLiteral("社員番号,評価,新等級,新号俸\r\n"
                                                             "A0004,3\r\n"
                                                             "A0099,3\r\n"
                                                             "A0006,8\r\n"
                                                             "A0004,2\r\n"
                                                             "A0007,2,4,0\r\n"));
        CliRun r = runCli(cli(env, QStringList{"raise", "apply"} + Sample +
                                       QStringList{"--evaluations", faulty}));
        QCOMPARE(r.status, 1);
        for (const char* line : {"line 3:", "line 4:", "line 5:", "line 6:"})
            QVERIFY2(r.err.contains(QString::fromLatin1(line)), qPrintable(r.err));
        QVERIFY(!r.err.contains(QStringLiteral("line 2:")));
        QCOMPARE(env.rows(TDM::ACN2, "SELECT * FROM MSYAIN2 WHERE KCO = 1 ORDER BY SCO").join('\n'),
                 before);

        // Employee 4 (grade 5, step 39, undecided) gets B: 4 steps; employee 6 is promoted.
        const QString good = writeFile(env, QStringLiteral("社員番号,評価,新等級,新号俸\r\n"
                                                           "A0004,3\r\n"
                                                           "A0006,1,6,2\r\n"));
        r = runCli(
            cli(env, QStringList{"raise", "apply"} + Sample + QStringList{"--evaluations", good}));
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.startsWith(QStringLiteral("2 raises stored")), qPrintable(r.out));
        QCOMPARE(pay(env,
                     "HCO || '|' || SGOUHOU || '|' || NTOUKYU || '|' || NGOUHOU || '|' || "
                     "FSKCHK",
                     "A0004"),
                 QStringLiteral("3|4|5|43|0"));
        // The linked item after the raise is the table's; the others start from the current pay.
        QCOMPARE(
            pay(env, "NKKYU2 = NKIN AND NKKYU1 = KKYU1 AND NTEATE1 = TEATE1 AND NKIN > 0", "A0004"),
            QStringLiteral("1"));
        QCOMPARE(pay(env, "NNENSYU = NSYOTEI * 12 + SYOUYO + SYOUYO2", "A0004"),
                 QStringLiteral("1"));
        QCOMPARE(pay(env,
                     "NTOUKYU || '|' || NGOUHOU || '|' || FSKCHK || '|' || CASE WHEN NKKYU2 = NKIN "
                     "THEN 1 ELSE 0 END",
                     "A0006"),
                 QStringLiteral("6|2|1|1"));
    }

    void summaryCountsTheRaises() {
        TestEnvironment env;
        CliRun r = runCli(cli(env, QStringList{"raise", "summary"} + Sample));
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.first(),
                 QStringLiteral("TOUKYU,HEADS,UNDECIDED,SYOTEI,NSYOTEI,RAISE,RATE,ANNUAL_COST"));
        QVERIFY(lines.last().startsWith(QStringLiteral("TOTAL,60,28,")));
        // The total raise is that of the 32 decided employees only.
        const QStringList total = lines.last().split(',');
        QCOMPARE(total[5], env.scalar(TDM::ACN2, "SELECT SUM(NSYOTEI - SYOTEI) FROM MSYAIN2 WHERE "
                                                 "KCO = 1 AND NENDO = 2023 AND NSYOTEI <> 0"));
        QCOMPARE(total[7].toLongLong(), total[5].toLongLong() * 12);
        r = runCli(
            cli(env, QStringList{"raise", "summary"} + Sample + QStringList{"--by", "mark"}));
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("MCO,")));
        r = runCli(cli(env, QStringList{"raise", "summary", "--by", "age"} + Sample));
        QCOMPARE(r.status, 2);
    }

    void annualUpdateRunsOnceAndOnlyWhenAsked() {
        TestEnvironment env;
        const QStringList update = QStringList{"annual-update"} + Sample;
        CliRun r = runCli(cli(env, update));
        QCOMPARE(r.status, 2);
        QCOMPARE(env.scalar(TDM::ACN1, "SELECT count(*) FROM MKIGYOU1 WHERE NENDO = 2024"),
                 QStringLiteral("0"));
        r = runCli(cli(env, update + QStringList{"--yes"}));
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains(QStringLiteral("60 employees, 28 without a decided raise")),
                 qPrintable(r.out));
        QVERIFY2(r.out.contains(QStringLiteral("基準年月日 2023.04.01 → 2024.04.01\n"
                                               "調査日 2023.06.30 → 2024.06.30\n"
                                               "昇給日 2024.04.01 → 2025.04.01\n")),
                 qPrintable(r.out));
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN2 WHERE NENDO = 2024"),
                 QStringLiteral("60"));
        r = runCli(cli(env, update + QStringList{"--yes"}));
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("既にデータが存在します。")));
        r = runCli(
            cli(env, QStringList{"annual-update", "--company", "1", "--year", "2030", "--yes"}));
        QCOMPARE(r.status, 1);
    }

    // A raise stored after the next year was made is stored as asked, with a warning that the
    // next year does not have it.
    void raiseAfterTheRollOverIsStoredWithAWarning() {
        TestEnvironment env;
        QCOMPARE(
            runCli(cli(env, QStringList{"annual-update"} + Sample + QStringList{"--yes"})).status,
            0);
        const QString file = writeFile(env, QStringLiteral("社員番号,評価\r\nA0004,3\r\n"));
        const CliRun r = runCli(
            cli(env, QStringList{"raise", "apply"} + Sample + QStringList{"--evaluations", file}));
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("1 raises stored")));
        QVERIFY2(r.err.contains(QStringLiteral("warning: 2024年度は、この昇給の登録より前に年次更新"
                                               "で作られています。")),
                 qPrintable(r.err));
        QCOMPARE(pay(env, "NGOUHOU", "A0004"), QStringLiteral("43"));
        // Without a next year there is nothing to warn of.
        TestEnvironment fresh;
        const CliRun plain = runCli(
            cli(fresh,
                QStringList{"raise", "apply"} + Sample +
                    QStringList{"--evaluations",
                                writeFile(fresh, QStringLiteral("社員番号,評価\r\nA0004,3\r\n"))}));
        QCOMPARE(plain.status, 0);
        QVERIFY2(plain.err.isEmpty(), qPrintable(plain.err));
    }

    // Updates of one company started at the same moment by three people: exactly one year 2024
    // results, and the others are told why they did nothing.
    void racingUpdatesGiveOneNewYear() {
        TestEnvironment env;
        const QStringList update = QStringList{"annual-update"} + Sample + QStringList{"--yes"};
        QProcess runs[3];
        for (QProcess& p : runs)
            p.start(QStringLiteral(TESVANE_APPDIR) + QStringLiteral("/tesvane-cli"),
                    cli(env, update));
        int done = 0;
        for (QProcess& p : runs) {
            QVERIFY(p.waitForFinished(120000));
            const QString err = QString::fromUtf8(p.readAllStandardError());
            if (p.exitCode() == 0) {
                ++done;
                continue;
            }
            QCOMPARE(p.exitCode(), 1);
            QVERIFY2(err.contains(QStringLiteral("既にデータが存在します。")) ||
                         err.contains(QStringLiteral(
                             "が処理をしています（年次更新、削除、社員の取込・昇給の登録）。")),
                     qPrintable(err));
        }
        QCOMPARE(done, 1);
        QCOMPARE(env.scalar(TDM::ACN1, "SELECT count(*) FROM MKIGYOU1 WHERE NENDO = 2024"),
                 QStringLiteral("1"));
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN2 WHERE NENDO = 2024"),
                 QStringLiteral("60"));

        // While someone holds the company, an update is refused naming them.
        if (!env.onServer())
            return; // on the files the holder's write lock makes the others wait instead
        env.openDatabases();
        std::optional<Transaction> held;
        held.emplace(TDM::Files::Both, env.dm);
        QString holder;
        QVERIFY(env.dm.tryLockCompany(1, &holder));
        const CliRun r = runCli(
            cli(env, QStringList{"annual-update", "--company", "1", "--year", "2024", "--yes"}));
        QCOMPARE(r.status, 1);
        QVERIFY2(
            r.err.contains(
                QStringLiteral("@") + QSysInfo::machineHostName() +
                QStringLiteral(" が処理をしています（年次更新、削除、社員の取込・昇給の登録）。")),
            qPrintable(r.err));

        // So is another person's deletion of the company, which then deletes nothing; once the
        // holder is done it goes through.
        TDM other;
        QVERIFY(other.OpenConnection(TDM::ACN1, env.seigyoPath()));
        QVERIFY(other.OpenConnection(TDM::ACN2, env.dataPath()));
        other.makeCurrent();
        const QString me =
            (SystemUserName() + QLatin1Char('@') + QSysInfo::machineHostName()).left(60 - 8);
        env.messages.expect(CompanyLockedText(me));
        QVERIFY(!DeleteCompany({1, 2024}));
        VERIFY_MESSAGES(env.messages);
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN2 WHERE NENDO = 2024"),
                 QStringLiteral("60"));
        env.dm.makeCurrent();
        held.reset(); // rolled back
        other.makeCurrent();
        QVERIFY(DeleteCompany({1, 2024}));
        env.dm.makeCurrent();
        QCOMPARE(env.scalar(TDM::ACN1, "SELECT count(*) FROM MKIGYOU1 WHERE NENDO = 2024"),
                 QStringLiteral("0"));
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN2 WHERE NENDO = 2024"),
                 QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(TestCliRaise)
#include "test_cli_raise.moc"
