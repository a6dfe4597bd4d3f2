// Two people working on the same company at once, each through their own data module: a save
// from what was loaded before the other person's save is refused and loses nothing of theirs;
// loaded again, it goes through. (The employee screen's own case is with the employee store.)
#include "data/analysis/ReferenceStore.h"
#include "data/company/BasicSettingsStore.h"
#include "data/company/CompanyStore.h"
#include "data/db/RecordGuard.h"
#include "data/design/DesignStore.h"
#include "data/masters/EmployeeStore.h"
#include "data/raise/RaiseStore.h"
#include "support/data/TestSupport.h"

#include <QtTest>

namespace {

const CompanyYear Sample{1, 2023};

DesignCurve curve(int d, int x, qint64 amount) {
    DesignCurve c;
    c.curve = d;
    c.drawn = true;
    c.x[1] = x;
    c.amount[1] = Currency::fromInt(amount);
    return c;
}

// A second person's data module on the same files or server database.
struct OtherPerson {
    TDM dm;
    explicit OtherPerson(const TestEnvironment& env) {
        QVERIFY(dm.OpenConnection(TDM::ACN1, env.seigyoPath()));
        QVERIFY(dm.OpenConnection(TDM::ACN2, env.dataPath()));
    }
};

} // namespace

class TestConcurrentSaves : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void companyData() {
        TestEnvironment env;
        env.openDatabases();
        OtherPerson other(env);

        env.dm.makeCurrent();
        std::optional<CompanyRecord> mine = LoadCompanyRecord(Sample);
        QVERIFY(mine);
        other.dm.makeCurrent();
        std::optional<CompanyRecord> theirs = LoadCompanyRecord(Sample);
        QVERIFY(theirs);
        theirs->baseUp = Currency::fromString(QStringLiteral("2.5"));
        QVERIFY(ChangeCompany(*theirs).saved());

        env.dm.makeCurrent();
        mine->name = QStringLiteral("後から'商事");
        env.messages.expect(ChangedByOtherText(QStringLiteral("企業データ 1 後から'商事 ")));
        QVERIFY(ChangeCompany(*mine).changedByOther());
        VERIFY_MESSAGES(env.messages);
        QCOMPARE(env.scalar(TDM::ACN1, QStringLiteral("SELECT KNA FROM MKIGYOU1 WHERE KCO = 1 AND "
                                                      "NENDO = 2023")),
                 theirs->name);
        QCOMPARE(env.scalar(TDM::ACN2, QStringLiteral("SELECT BEARITSU FROM MKIGYOU2 WHERE KCO = "
                                                      "1 AND NENDO = 2023")),
                 QStringLiteral("2.5"));

        // Loaded again, the change lands over theirs, both files alike.
        mine = LoadCompanyRecord(Sample);
        QVERIFY(mine);
        QCOMPARE(mine->baseUp.toString(), QStringLiteral("2.5"));
        mine->name = QStringLiteral("後から'商事");
        QVERIFY(ChangeCompany(*mine).saved());
        QCOMPARE(env.scalar(TDM::ACN2, QStringLiteral("SELECT KNA || '/' || BEARITSU FROM "
                                                      "MKIGYOU2 WHERE KCO = 1 AND NENDO = 2023")),
                 QStringLiteral("後から'商事/2.5"));
        QCOMPARE(env.scalar(TDM::ACN1, QStringLiteral("SELECT KNA FROM MKIGYOU1 WHERE KCO = 1 AND "
                                                      "NENDO = 2023")),
                 QStringLiteral("後から'商事"));
        VERIFY_MESSAGES(env.messages);
    }

    // The raise input writes the employee's current pay too: a raise entered over another
    // person's change of the employee would undo it, so it is refused; the person's own
    // employee-screen save in between is no conflict.
    void raiseInputOverAnEmployeeChange() {
        TestEnvironment env;
        env.openDatabases();
        OtherPerson other(env);
        const auto entryOf = [](const RaiseRecord& r) {
            RaiseItems items;
            for (size_t i = 1; i <= 3; ++i)
                items.baseBefore[i] = r.KKYU[i];
            items.baseUp[1] = Currency::fromInt(3000);
            for (size_t i = 1; i <= 5; ++i)
                items.allowanceBefore[i] = items.allowanceAfter[i] = r.TEATE[i];
            const RaiseDecision d{r.TOUKYU, r.GOUHOU, 2, r.TOUKYU, r.GOUHOU + 2, 2, false};
            return MakeRaiseEntry(r.SCO, d, items, r.SYOUYO, r.SYOUYO2);
        };
        const QString pay =
            QStringLiteral("SELECT SNA || '/' || KKYU1 || '/' || HCO || '/' || UPK FROM VSYAIN "
                           "WHERE KCO = 1 AND NENDO = 2023 AND SCO = 7");

        env.dm.makeCurrent();
        RaiseRecord mine;
        QCOMPARE(LoadRaiseRecord(Sample, 7, mine, true), LoadResult::Found);
        other.dm.makeCurrent();
        EmployeeRecord theirs;
        QCOMPARE(LoadEmployee(Sample, 7, theirs), LoadResult::Found);
        theirs.SNA = QStringLiteral("改名");
        theirs.KKYU[1] = Currency::fromInt(123456);
        QVERIFY(UpdateEmployee(Sample, theirs).saved());
        const QString theirPay = env.scalar(TDM::ACN2, pay);
        QVERIFY(theirPay.startsWith(QStringLiteral("改名/123456/")));

        env.dm.makeCurrent();
        env.messages.expect(ChangedByOtherText(QStringLiteral("社員 7 改名 ")));
        QCOMPARE(SaveRaise(Sample, entryOf(mine)).outcome, SaveOutcome::ChangedByOther);
        VERIFY_MESSAGES(env.messages);
        QCOMPARE(env.scalar(TDM::ACN2, pay), theirPay);

        // Loaded again, the raise lands on their pay; so it does after my own employee save.
        QCOMPARE(LoadRaiseRecord(Sample, 7, mine, true), LoadResult::Found);
        EmployeeRecord e;
        QCOMPARE(LoadEmployee(Sample, 7, e), LoadResult::Found);
        e.SNA = QStringLiteral("改名'二");
        QVERIFY(UpdateEmployee(Sample, e).saved());
        QCOMPARE(SaveRaise(Sample, entryOf(mine)).outcome, SaveOutcome::Saved);
        QCOMPARE(env.scalar(TDM::ACN2, pay), QStringLiteral("改名'二/123456/2/3000"));
        VERIFY_MESSAGES(env.messages);
    }

    // The basic settings are saved area by area: another person's save of one area refuses
    // mine of that area only.
    void basicSettingsByArea() {
        TestEnvironment env;
        env.openDatabases();
        OtherPerson other(env);
        BasicSettings mine, theirs;
        env.dm.makeCurrent();
        LoadBasicSettings(Sample, &mine);
        QVERIFY(RememberLoadedBasicSettings(Sample));
        other.dm.makeCurrent();
        LoadBasicSettings(Sample, &theirs);
        QVERIFY(RememberLoadedBasicSettings(Sample));
        theirs.marks[0].legend = QStringLiteral("先の凡例");
        theirs.eras[2].name = QStringLiteral("令和'");
        QVERIFY(SaveBasicSettings(Sample, theirs,
                                  int(SettingsArea::Marks) | int(SettingsArea::EraTable))
                    .saved());

        env.dm.makeCurrent();
        const QString legends = QStringLiteral("SELECT HANREI FROM MMARK WHERE KCO = 1 AND NENDO "
                                               "= 2023 AND MKCO IN (1, 2) ORDER BY MKCO");
        const QStringList theirLegends = env.rows(TDM::ACN2, legends);
        mine.marks[1].legend = QStringLiteral("後の凡例");
        env.messages.expect(ChangedByOtherText(QStringLiteral("マーク設定")));
        QVERIFY(SaveBasicSettings(Sample, mine, int(SettingsArea::Marks)).changedByOther());
        VERIFY_MESSAGES(env.messages);
        QCOMPARE(env.rows(TDM::ACN2, legends), theirLegends);
        // The graph lines were not touched by them: that save goes through.
        mine.graphLines[0].lineWidth = 3;
        QVERIFY(SaveBasicSettings(Sample, mine, int(SettingsArea::Graph)).saved());
        QCOMPARE(env.scalar(TDM::ACN2, QStringLiteral("SELECT CHABA FROM MGRAPH WHERE KCO = 1 "
                                                      "AND NENDO = 2023 AND GSCO = 1")),
                 QStringLiteral("3"));
        QCOMPARE(env.scalar(TDM::ACN1, QStringLiteral("SELECT REKI3 FROM MSEIGYO WHERE CO = 0")),
                 QStringLiteral("令和'"));
        VERIFY_MESSAGES(env.messages);
    }

    void evaluationCodes() {
        TestEnvironment env;
        env.openDatabases();
        OtherPerson other(env);
        EvaluationCodes mine, theirs;
        env.dm.makeCurrent();
        QVERIFY(LoadEvaluationCodes(Sample, mine, true));
        other.dm.makeCurrent();
        QVERIFY(LoadEvaluationCodes(Sample, theirs, true));
        theirs[0].steps = 9;
        QVERIFY(SaveEvaluationCodes(Sample, theirs).saved());

        env.dm.makeCurrent();
        const QString table = QStringLiteral("SELECT HCO, HKIGOU, SGOUSU FROM MHYOUKA WHERE KCO = "
                                             "1 AND NENDO = 2023 ORDER BY HCO");
        const QStringList stored = env.rows(TDM::ACN2, table);
        mine.removeLast();
        env.messages.expect(ChangedByOtherText(QStringLiteral("評価の変換")));
        QVERIFY(!SaveEvaluationCodes(Sample, mine).saved());
        VERIFY_MESSAGES(env.messages);
        QCOMPARE(env.rows(TDM::ACN2, table), stored);
        QVERIFY(LoadEvaluationCodes(Sample, mine, true));
        QCOMPARE(mine[0].steps, 9);
        mine.removeLast();
        QVERIFY(SaveEvaluationCodes(Sample, mine).saved());
        QCOMPARE(env.rows(TDM::ACN2, table).size(), stored.size() - 1);
        // Their next save from their old load is now refused in turn.
        other.dm.makeCurrent();
        env.messages.expect(ChangedByOtherText(QStringLiteral("評価の変換")));
        QVERIFY(!SaveEvaluationCodes(Sample, theirs).saved());
        VERIFY_MESSAGES(env.messages);
    }

    // The shared reference masters, one code at a time: living costs, a model's description
    // and one of its wages; a code another person created meanwhile counts too.
    void referenceMasters() {
        TestEnvironment env;
        env.openDatabases();
        OtherPerson other(env);

        env.dm.makeCurrent();
        QVector<LivingCostRow> living = LoadLivingCostTable(1);
        QVERIFY(!living.isEmpty());
        QVERIFY(RememberLoadedLivingCost(1));
        std::optional<ModelDataRecord> model = LoadModelData(1);
        QVERIFY(model);
        QVERIFY(RememberLoadedModelData(1));
        QVERIFY(RememberLoadedModelData(77)); // typed as a new code
        std::optional<ModelWageRow> wage = LoadModelWage(1, 1);
        QVERIFY(wage);
        QVERIFY(RememberLoadedModelWage(1, 1));

        other.dm.makeCurrent();
        QVector<LivingCostRow> theirLiving = LoadLivingCostTable(1);
        QVERIFY(RememberLoadedLivingCost(1));
        theirLiving[0].cost = Currency::fromInt(999);
        QVERIFY(SaveLivingCostTable(1, theirLiving, Sample).saved());
        QVERIFY(RememberLoadedModelData(1));
        ModelDataRecord theirModel = *model;
        theirModel.name = QStringLiteral("先のモデル");
        QVERIFY(SaveModelData(theirModel, true).saved());
        QVERIFY(RememberLoadedModelData(77));
        ModelDataRecord created;
        created.code = 77;
        created.name = QStringLiteral("先に作成");
        QVERIFY(SaveModelData(created, false).saved());
        QVERIFY(RememberLoadedModelWage(1, 1));
        ModelWageRow theirWage = *wage;
        theirWage.basic = Currency::fromInt(123456);
        QVERIFY(SaveModelWage(1, theirWage, true).saved());

        env.dm.makeCurrent();
        const QString stored = QStringLiteral(
            "SELECT (SELECT SEIKEIHI FROM MSEIKEI WHERE SKCO = 1 ORDER BY SNIN, SNENREI LIMIT 1) "
            "|| '/' || (SELECT count(*) FROM MSEIKEI WHERE SKCO = 1)");
        const QString before = env.scalar(TDM::ACN2, stored);
        living.removeLast();
        env.messages.expect(ChangedByOtherText(QStringLiteral("生計費コード 1 ")));
        QVERIFY(!SaveLivingCostTable(1, living, Sample).saved());
        QCOMPARE(env.scalar(TDM::ACN2, stored), before);
        model->name = QStringLiteral("後のモデル");
        env.messages.expect(ChangedByOtherText(QStringLiteral("モデルコード 1 ")));
        QVERIFY(!SaveModelData(*model, true).saved());
        ModelDataRecord mine77;
        mine77.code = 77;
        mine77.name = QStringLiteral("後から作成");
        env.messages.expect(ChangedByOtherText(QStringLiteral("モデルコード 77 ")));
        QVERIFY(!SaveModelData(mine77, false).saved());
        wage->basic = Currency::fromInt(1);
        env.messages.expect(ChangedByOtherText(QStringLiteral("モデル 1 の賃金コード 1 ")));
        QVERIFY(!SaveModelWage(1, *wage, true).saved());
        VERIFY_MESSAGES(env.messages);
        QCOMPARE(env.rows(TDM::ACN1, QStringLiteral("SELECT MDNA FROM MDEL WHERE MDCO IN (1, 77) "
                                                    "ORDER BY MDCO")),
                 (QStringList{QStringLiteral("先のモデル"), QStringLiteral("先に作成")}));
        QCOMPARE(env.scalar(TDM::ACN1, QStringLiteral("SELECT KKIN FROM MDCHINGIN WHERE MDCO = 1 "
                                                      "AND MCCO = 1")),
                 QStringLiteral("123456"));

        // Loaded again, each goes through.
        living = LoadLivingCostTable(1);
        QVERIFY(RememberLoadedLivingCost(1));
        living.removeLast();
        QVERIFY(SaveLivingCostTable(1, living, Sample).saved());
        QCOMPARE(env.scalar(TDM::ACN2, stored),
                 QStringLiteral("999/%1").arg(before.section(QLatin1Char('/'), 1).toInt() - 1));
        QVERIFY(RememberLoadedModelWage(1, 1));
        QVERIFY(SaveModelWage(1, *wage, true).saved());
        VERIFY_MESSAGES(env.messages);
    }

    // Designs are one record per axis pair: a save on another pair is no conflict.
    void designsOfOneAxisPair() {
        TestEnvironment env;
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
        OtherPerson other(env);
        std::array<DesignCurve, DesignCount + 1> designs;

        env.dm.makeCurrent();
        QVERIFY(LoadDesigns(Sample, 0, 0, designs));
        QVERIFY(RememberLoadedDesigns(Sample, 0, 0));
        other.dm.makeCurrent();
        std::array<DesignCurve, DesignCount + 1> theirs;
        QVERIFY(LoadDesigns(Sample, 0, 0, theirs));
        QVERIFY(RememberLoadedDesigns(Sample, 0, 0));
        theirs[1] = curve(1, 25, 210000);
        QVERIFY(SaveDesigns(Sample, 0, 0, theirs, QStringLiteral("先の案"), CurveStyle()).saved());
        std::array<DesignCurve, DesignCount + 1> otherPair;
        QVERIFY(LoadDesigns(Sample, 1, 2, otherPair));
        QVERIFY(RememberLoadedDesigns(Sample, 1, 2));

        env.dm.makeCurrent();
        designs[2] = curve(2, 30, 250000);
        env.messages.expect(ChangedByOtherText(QStringLiteral("昇給カーブの設計")));
        QVERIFY(
            !SaveDesigns(Sample, 0, 0, designs, QStringLiteral("後の案"), CurveStyle()).saved());
        VERIFY_MESSAGES(env.messages);
        const QString stored = QStringLiteral(
            "SELECT SDCO, SNENREI1, SKIN1, KAISETSU FROM DSPDRAW WHERE KCO = 1 AND NENDO = 2023 "
            "AND X = 0 AND Y = 0 AND SDCO BETWEEN 1 AND 5 ORDER BY SDCO");
        QCOMPARE(env.rows(TDM::ACN2, stored), QStringList{QStringLiteral("1|25|210000|先の案")});

        // Loaded again, my save goes through, their later save on another pair not counting.
        QVERIFY(LoadDesigns(Sample, 0, 0, designs));
        QVERIFY(RememberLoadedDesigns(Sample, 0, 0));
        other.dm.makeCurrent();
        otherPair[3] = curve(3, 40, 300000);
        QVERIFY(SaveDesigns(Sample, 1, 2, otherPair, QString(), CurveStyle()).saved());
        env.dm.makeCurrent();
        designs[2] = curve(2, 30, 250000);
        QVERIFY(SaveDesigns(Sample, 0, 0, designs, QStringLiteral("後の案"), CurveStyle()).saved());
        QCOMPARE(env.rows(TDM::ACN2, stored), (QStringList{QStringLiteral("1|25|210000|後の案"),
                                                           QStringLiteral("2|30|250000|後の案")}));
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_GUILESS_MAIN(TestConcurrentSaves)
#include "test_concurrent_saves.moc"
