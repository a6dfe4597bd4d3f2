// The raise budget's store on the delivered sample company: the two settings (defaults, save,
// carried into the next year, a company file made before they were kept), and the raise input
// read with the wage-table amounts so that the split adds up against the database.
#include "data/raise/AnnualUpdate.h"
#include "data/raise/RaiseBudgetStore.h"
#include "support/data/TestSupport.h"

#include <QtTest>

namespace {

const CompanyYear Sample{1, 2023};

struct Opened {
    TestEnvironment env;
    Opened() {
        env.setToday(QDate(2024, 3, 29));
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
    }
    Currency sum(const QString& expression) {
        return NumberOfText(env.scalar(
            TDM::ACN2, QStringLiteral("SELECT COALESCE(SUM(%1), 0) FROM VSYAIN WHERE KCO = 1 AND "
                                      "NENDO = 2023 AND NSYOTEI <> 0")
                           .arg(expression)));
    }
};

} // namespace

class TestRaiseBudgetStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void settingsDefaultSaveAndCarryOver() {
        Opened o;
        RaiseBudgetSettings s;
        s.bonusMonths = Currency::fromInt(9); // overwritten by the load
        QCOMPARE(LoadRaiseBudgetSettings(Sample, s), LoadResult::Found);
        QCOMPARE(s.bonusMonths, Currency());
        QCOMPARE(s.onCostPercent, Currency::fromInt(15));
        QCOMPARE(LoadRaiseBudgetSettings({1, 2030}, s), LoadResult::Missing);
        o.env.messages.expect(QStringLiteral("企業マスターが存在しません。"));
        QCOMPARE(SaveRaiseBudgetSettings({1, 2030}, s).outcome, SaveOutcome::Failed);

        s.bonusMonths = NumberOfText(QStringLiteral("4.5"));
        s.onCostPercent = NumberOfText(QStringLiteral("16.25"));
        QCOMPARE(SaveRaiseBudgetSettings(Sample, s).outcome, SaveOutcome::Saved);
        QCOMPARE(o.env.rows(TDM::ACN2, "SELECT SYOUYOTSUKI, HUTANRITSU, KNA FROM MKIGYOU2 "
                                       "WHERE KCO = 1 AND NENDO = 2023"),
                 QStringList{QStringLiteral("4.5|16.25|サンプル企業")});
        RaiseBudgetSettings back;
        QCOMPARE(LoadRaiseBudgetSettings(Sample, back), LoadResult::Found);
        QCOMPARE(back.bonusMonths, s.bonusMonths);
        QCOMPARE(back.onCostPercent, s.onCostPercent);

        // The annual update carries both into the next year.
        QCOMPARE(RunAnnualUpdate(1, 2023, 20240329).status, AnnualUpdateStatus::Done);
        RaiseBudgetSettings next;
        QCOMPARE(LoadRaiseBudgetSettings({1, 2024}, next), LoadResult::Found);
        QCOMPARE(next.bonusMonths, s.bonusMonths);
        QCOMPARE(next.onCostPercent, s.onCostPercent);
        VERIFY_MESSAGES(o.env.messages);
    }

    void aFileFromAnEarlierVersionGetsTheColumnsOnOpen() {
        TestEnvironment env;
        if (env.onServer())
            QSKIP("a server database is made whole by server init");
        env.exec(TDM::ACN2, "ALTER TABLE MKIGYOU2 DROP COLUMN SYOUYOTSUKI");
        env.exec(TDM::ACN2, "ALTER TABLE MKIGYOU2 DROP COLUMN HUTANRITSU");
        const int years = env.scalar(TDM::ACN2, "SELECT COUNT(*) FROM MKIGYOU2").toInt();
        env.openDatabases();
        RaiseBudgetSettings s;
        QCOMPARE(LoadRaiseBudgetSettings(Sample, s), LoadResult::Found);
        QCOMPARE(s.bonusMonths, Currency());
        QCOMPARE(s.onCostPercent, Currency::fromInt(15));
        // The rows stay, and the settings can be saved there.
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT COUNT(*) FROM MKIGYOU2").toInt(), years);
        s.bonusMonths = Currency::fromInt(3);
        QCOMPARE(SaveRaiseBudgetSettings(Sample, s).outcome, SaveOutcome::Saved);
        RaiseBudgetSettings back;
        QCOMPARE(LoadRaiseBudgetSettings(Sample, back), LoadResult::Found);
        QCOMPARE(back.bonusMonths, Currency::fromInt(3));
        VERIFY_MESSAGES(env.messages);
    }

    void sampleBudgetAddsUpAgainstTheDatabase() {
        Opened o;
        QVector<RaiseRecord> employees;
        QVERIFY(LoadRaiseBudgetInput(Sample, employees));
        QCOMPARE(employees.size(), 60);
        RaiseBudgetSettings s;
        s.bonusMonths = Currency::fromInt(4);
        s.onCostPercent = Currency::fromInt(15);
        const RaiseBudget b = ComputeRaiseBudget(employees, s);

        // Every employee of the sample has base pay 2 on the table: 定昇 is the move along this
        // year's table, ベア the table under the current pay, the rest everything else.
        QCOMPARE(b.total.scheduled, o.sum(QStringLiteral("NKIN - KIN")));
        QCOMPARE(b.total.baseUp, o.sum(QStringLiteral("KIN - KKYU2")));
        QCOMPARE(b.total.scheduled + b.total.baseUp + b.total.other, b.total.raise);
        QCOMPARE(b.total.baseRaise, o.sum(QStringLiteral("NKKYU1 + NKKYU2 + NKKYU3 - KKYU1 - "
                                                         "KKYU2 - KKYU3")));
        QCOMPARE(b.total.bonusChange, b.total.baseRaise * 4);
        // A company year without employees reads none, without a message.
        QVERIFY(LoadRaiseBudgetInput({1, 2030}, employees));
        QVERIFY(employees.isEmpty());
        VERIFY_MESSAGES(o.env.messages);
    }
};

QTEST_GUILESS_MAIN(TestRaiseBudgetStore)
#include "test_raise_budget_store.moc"
