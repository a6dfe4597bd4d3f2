// Two people working on the same company at once, each through their own data module: a save
// from what was loaded before the other person's save is refused and loses nothing of theirs;
// loaded again, it goes through.
#include "data/company/CompanyStore.h"
#include "data/db/RecordGuard.h"
#include "data/design/DesignStore.h"
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
        QVERIFY(ChangeCompany(*theirs));

        env.dm.makeCurrent();
        mine->name = QStringLiteral("後から'商事");
        env.messages.expect(ChangedByOtherText(QStringLiteral("企業データ 1 後から'商事 ")));
        QVERIFY(!ChangeCompany(*mine));
        QVERIFY(LastSaveFoundRecordChanged());
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
        QVERIFY(ChangeCompany(*mine));
        QVERIFY(!LastSaveFoundRecordChanged());
        QCOMPARE(env.scalar(TDM::ACN2, QStringLiteral("SELECT KNA || '/' || BEARITSU FROM "
                                                      "MKIGYOU2 WHERE KCO = 1 AND NENDO = 2023")),
                 QStringLiteral("後から'商事/2.5"));
        QCOMPARE(env.scalar(TDM::ACN1, QStringLiteral("SELECT KNA FROM MKIGYOU1 WHERE KCO = 1 AND "
                                                      "NENDO = 2023")),
                 QStringLiteral("後から'商事"));
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
        QVERIFY(SaveDesigns(Sample, 0, 0, theirs, QStringLiteral("先の案"), CurveStyle()));
        std::array<DesignCurve, DesignCount + 1> otherPair;
        QVERIFY(LoadDesigns(Sample, 1, 2, otherPair));
        QVERIFY(RememberLoadedDesigns(Sample, 1, 2));

        env.dm.makeCurrent();
        designs[2] = curve(2, 30, 250000);
        env.messages.expect(ChangedByOtherText(QStringLiteral("昇給カーブの設計")));
        QVERIFY(!SaveDesigns(Sample, 0, 0, designs, QStringLiteral("後の案"), CurveStyle()));
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
        QVERIFY(SaveDesigns(Sample, 1, 2, otherPair, QString(), CurveStyle()));
        env.dm.makeCurrent();
        designs[2] = curve(2, 30, 250000);
        QVERIFY(SaveDesigns(Sample, 0, 0, designs, QStringLiteral("後の案"), CurveStyle()));
        QCOMPARE(env.rows(TDM::ACN2, stored), (QStringList{QStringLiteral("1|25|210000|後の案"),
                                                           QStringLiteral("2|30|250000|後の案")}));
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_GUILESS_MAIN(TestConcurrentSaves)
#include "test_concurrent_saves.moc"
