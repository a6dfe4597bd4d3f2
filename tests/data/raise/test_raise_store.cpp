// The raise columns and evaluation codes as the store writes them.
#include "data/raise/RaiseStore.h"
#include "support/data/TestSupport.h"

#include <QtTest>

class TestRaiseStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savesTheRaiseOfOneEmployeeOfTheYear() {
        TestEnvironment env;
        env.openDatabases();
        // Another company with an employee of the same code, in the same year.
        env.exec(TDM::ACN2, "INSERT INTO MSYAIN1 (KCO, SCO, NENDO, SNA) VALUES (2, 7, 2023, 'x')");
        env.exec(TDM::ACN2, "INSERT INTO MSYAIN2 (KCO, SCO, NENDO, TOUKYU, GOUHOU) VALUES (2, 7, "
                            "2023, 1, 1)");
        const CompanyYear sample{1, 2023};
        RaiseRecord r;
        QCOMPARE(int(LoadRaiseRecord(sample, 7, r)), int(LoadResult::Found));
        RaiseItems items;
        for (size_t i = 1; i <= 3; ++i)
            items.baseBefore[i] = r.KKYU[i];
        items.baseUp[1] = Currency::fromInt(3000);
        for (size_t i = 1; i <= 5; ++i)
            items.allowanceBefore[i] = items.allowanceAfter[i] = r.TEATE[i];
        RaiseDecision d{r.TOUKYU, r.GOUHOU, 2, r.TOUKYU + 1, 5, 3, true};
        const RaiseEntry e = MakeRaiseEntry(7, d, items, r.SYOUYO, r.SYOUYO2);
        QCOMPARE(int(SaveRaise(sample, e).outcome), int(SaveOutcome::Saved));
        QCOMPARE(env.rows(TDM::ACN2, "SELECT HCO, NTOUKYU, SGOUHOU, NGOUHOU, FSKCHK, UPK, UPT FROM "
                                     "MSYAIN2 WHERE KCO = 1 AND NENDO = 2023 AND SCO = 7"),
                 QStringList{QStringLiteral("2|%1|5|3|1|3000|0").arg(r.TOUKYU + 1)});
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT NNENSYU - NSYOTEI * 12 - SYOUYO2 FROM MSYAIN2 AS "
                                       "P JOIN MSYAIN1 AS M USING (KCO, NENDO, SCO) WHERE KCO = 1 "
                                       "AND NENDO = 2023 AND SCO = 7"),
                 r.SYOUYO.toString());
        QCOMPARE(env.rows(TDM::ACN2, "SELECT TOUKYU, GOUHOU, NTOUKYU FROM MSYAIN2 WHERE KCO = 2"),
                 QStringList{QStringLiteral("1|1|0")});

        // A code no employee has is no save; a batch with one such entry saves nothing.
        RaiseEntry ghost = e;
        ghost.SCO = 999;
        // An employee deleted meanwhile: nothing written, and the store says so.
        env.messages.expect(QStringLiteral("社員マスターにデータが存在しません。"));
        const SaveResult gone = SaveRaise(sample, ghost);
        QCOMPARE(int(gone.outcome), int(SaveOutcome::Failed));
        QCOMPARE(gone.message, QStringLiteral("社員マスターにデータが存在しません。"));
        RaiseEntry other = e;
        other.SCO = 8;
        env.messages.expect(QStringLiteral("社員マスターにデータが存在しません。"));
        QCOMPARE(int(SaveRaises(sample, {other, ghost}).outcome), int(SaveOutcome::Failed));
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT FSKCHK FROM MSYAIN2 WHERE KCO = 1 AND NENDO = 2023 "
                                       "AND SCO = 8"),
                 QStringLiteral("0"));
        VERIFY_MESSAGES(env.messages);
    }

    void evaluationCodesAreReplacedTogether() {
        TestEnvironment env;
        env.openDatabases();
        const CompanyYear sample{1, 2023};
        QVERIFY(SaveEvaluationCodes(sample, {{1, QStringLiteral("Ｓ"), 5}, {7, "'", 1}}).saved());
        EvaluationCodes codes;
        QVERIFY(LoadEvaluationCodes(sample, codes));
        QCOMPARE(codes.size(), 2);
        QCOMPARE(codes[1].symbol, QStringLiteral("'"));
        // A save that fails keeps the codes it would have replaced.
        env.messages.expect(QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。"));
        QVERIFY(!SaveEvaluationCodes(sample, {{3, "B", 4}, {3, "C", 2}}).saved());
        QVERIFY(LoadEvaluationCodes(sample, codes));
        QCOMPARE(codes.size(), 2);
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_GUILESS_MAIN(TestRaiseStore)
#include "test_raise_store.moc"
