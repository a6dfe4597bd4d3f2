// Two people at once on the test cluster, their steps interleaved on purpose: this process holds
// a change open (or stops the roll-over between its reads) while tesvane-cli runs beside it,
// and lets go only once the command waits for it. Nothing either of them wrote is lost or mixed.
#include "core/wage/WageTableTexts.h"
#include "data/db/Transaction.h"
#include "data/raise/AnnualUpdate.h"
#include "data/wage/WageTableStore.h"
#include "support/data/TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QtTest>
#include <optional>

namespace {

const QStringList Sample = {"--company", "1", "--year", "2023"};

void startCli(QProcess& p, const TestEnvironment& env, const QStringList& args) {
    p.start(QStringLiteral(TESVANE_APPDIR) + QStringLiteral("/tesvane-cli"),
            QStringList{QStringLiteral("--data"), env.appDir()} + args);
    QVERIFY(p.waitForStarted());
}

// Waits until another connection to the test database waits for a lock this process holds
// (the command has reached the point the test stopped at), or the command has ended.
bool waitUntilWaiting(TestEnvironment& env, QProcess& p) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 60000) {
        if (p.state() == QProcess::NotRunning)
            return true;
        if (env.scalar(TDM::ACN2, "SELECT count(*) FROM pg_locks l JOIN pg_stat_activity a ON "
                                  "a.pid = l.pid WHERE NOT l.granted AND a.datname = "
                                  "current_database()")
                .toInt() > 0)
            return true;
        QThread::msleep(20);
    }
    return false;
}

struct Finished {
    int status = -1;
    QString err;
};
Finished finish(QProcess& p) {
    if (!p.waitForFinished(120000))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestTwoProcesses : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        if (TestClusterUrl().isEmpty())
            QSKIP("the interleavings are forced on the test cluster");
    }

    // raise apply reads the employees inside its transaction, their rows locked first: a save
    // of A0004 held open by another person is waited for and then built on, not written over.
    void raiseApplyBuildsOnASaveUnderWay() {
        TestEnvironment env;
        env.openDatabases();
        const QString allowance = env.scalar(
            TDM::ACN2,
            "SELECT TEATE1 + 1000 FROM MSYAIN2 WHERE KCO = 1 AND NENDO = 2023 AND SCO = 4");
        const QString file = WriteCp932File(env.appDir() + QStringLiteral("CSV/hyouka.csv"),
                                            QStringLiteral("社員番号,評価\r\nA0004,3\r\n"));
        std::optional<Transaction> held;
        held.emplace(TDM::Files::Data, env.dm);
        QVERIFY(
            env.dm.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN2 SET TEATE1 = TEATE1 + 1000 "
                                                  "WHERE KCO = 1 AND NENDO = 2023 AND SCO = 4")));
        QProcess apply;
        startCli(apply, env,
                 QStringList{"raise", "apply"} + Sample + QStringList{"--evaluations", file});
        QVERIFY(waitUntilWaiting(env, apply));
        QVERIFY(held->commit());
        held.reset();
        const Finished r = finish(apply);
        QCOMPARE(r.status, 0);
        // The allowance saved meanwhile stays, and the raise starts from it.
        QCOMPARE(env.rows(TDM::ACN2, "SELECT TEATE1, NTEATE1, NGOUHOU FROM MSYAIN2 WHERE KCO = 1 "
                                     "AND NENDO = 2023 AND SCO = 4"),
                 QStringList{allowance + QLatin1Char('|') + allowance + QStringLiteral("|43")});
        VERIFY_MESSAGES(env.messages);
    }

    // The roll-over reads year N in one snapshot, and an import --replace beside it waits for
    // it: stopped between reading the masters and reading the pay rows while the import runs,
    // 2024 still pairs every master with its own pay.
    void rollOverReadsOneMomentOfTheYear() {
        TestEnvironment env;
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
        const QString payBefore = env.scalar(
            TDM::ACN2, "SELECT NSYOTEI FROM MSYAIN2 WHERE KCO = 1 AND NENDO = 2023 AND SCO = 1");
        QString lines = QStringLiteral("社員番号,社員名\r\n");
        for (int i = 1; i <= 5; ++i)
            lines += QStringLiteral("R%1,入替%1\r\n").arg(i);
        const QString file =
            WriteCp932File(env.appDir() + QStringLiteral("CSV/replace.csv"), lines);
        QProcess import;
        const AnnualUpdateResult result =
            RunAnnualUpdate(1, 2023, 20240329, [&](int, const QString& table) {
                if (table != QStringLiteral("MSYAIN2"))
                    return;
                startCli(import, env,
                         QStringList{"employees", "import", file} + Sample +
                             QStringList{"--replace"});
                QVERIFY(waitUntilWaiting(env, import));
            });
        QCOMPARE(int(result.status), int(AnnualUpdateStatus::Done));
        QCOMPARE(result.employees, 60);
        const Finished r = finish(import);
        QCOMPARE(r.status, 0); // it went ahead once the roll-over was in
        QCOMPARE(
            env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2023"),
            QStringLiteral("5"));
        // 2024 is the year as it was before the import, each master with its own pay.
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN1 M JOIN MSYAIN2 P ON P.KCO = "
                                       "M.KCO AND P.NENDO = M.NENDO AND P.SCO = M.SCO WHERE "
                                       "M.KCO = 1 AND M.NENDO = 2024"),
                 QStringLiteral("60"));
        QCOMPARE(env.rows(TDM::ACN2, "SELECT SNA, SYOTEI FROM VSYAIN WHERE KCO = 1 AND NENDO = "
                                     "2024 AND SCO = 1"),
                 QStringList{QStringLiteral("中村　誠|") + payBefore});
        VERIFY_MESSAGES(env.messages);
    }

    // Two saves of one wage table at once: the later one waits for the earlier and is then
    // refused by name (the definition it loaded was changed), never a raw duplicate key.
    void twoWageTableSavesAtOnce() {
        TestEnvironment env;
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
        GradeNames names;
        for (int g = 1; g <= MaxGrades; ++g)
            names[size_t(g)] = env.project.settings().TK[size_t(g)];
        const std::optional<WageTableTexts> texts = OpenStoredWageTable(1, 2023, names);
        QVERIFY(texts);
        WageTableDefinition changed = DefinitionOfTexts(*texts);
        changed.head.title = QStringLiteral("2023年度 職能給表（改定）");
        std::optional<Transaction> held;
        held.emplace(TDM::Files::Data, env.dm);
        QCOMPARE(int(SaveWageTableWithin(1, 2023, changed, names).outcome),
                 int(SaveOutcome::Saved));
        QProcess generate;
        startCli(generate, env, QStringList{"wage-table"} + Sample + QStringList{"--generate"});
        QVERIFY(waitUntilWaiting(env, generate));
        QVERIFY(held->commit());
        held.reset();
        const Finished r = finish(generate);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("他の利用者が変更しました")), qPrintable(r.err));
        QVERIFY2(!r.err.contains(QStringLiteral("duplicate key")), qPrintable(r.err));
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT TITLE FROM MCHINGIN WHERE KCO = 1 AND NENDO = 2023"),
                 changed.head.title);
        // Asked again, with nobody else saving, it goes through.
        QCOMPARE(runCli(QStringList{"--data", env.appDir(), "wage-table"} + Sample +
                        QStringList{"--generate"})
                     .status,
                 0);
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_GUILESS_MAIN(TestTwoProcesses)
#include "test_two_processes.moc"
