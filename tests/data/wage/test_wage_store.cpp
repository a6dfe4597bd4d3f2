// Saving and loading the wage table: one transaction for head, sets and table, the sets left
// alone, the code lists, the base amounts, and the sample company's delivered table.

#include "core/common/AppState.h"
#include "core/wage/WageTableGenerator.h"
#include "data/db/RecordGuard.h"
#include "data/project/Project.h"
#include "data/wage/WageTableStore.h"
#include "support/data/TestSupport.h"

#include <QtTest>

namespace {

const QString Where = QStringLiteral(" WHERE KCO = 1 AND NENDO = 2023");
const QString SqlFailure = QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。");

GradeNames names() {
    GradeNames n;
    for (int g = 1; g <= MaxGrades; ++g)
        n[size_t(g)] = Project::current()->settings().TK[size_t(g)];
    return n;
}

// A definition of three grades under new codes, 2nd order unless told otherwise.
WageTableDefinition definition(CurveMethod method = CurveMethod::SecondOrder) {
    WageTableDefinition d;
    d.head.gradeCount = 3;
    d.head.method = method;
    d.head.rounding = 1;
    d.head.title = QStringLiteral("O'Neil 賃金表");
    d.head.scaleCode = 7;
    d.head.secondCode = 8;
    d.head.thirdCode = 9;
    for (int g = 1; g <= 3; ++g) {
        d.scale[size_t(g)] = {Currency::fromInt(-10), Currency::fromInt(100000 * g),
                              Currency::fromInt(20), Currency::fromString(QStringLiteral("1.33")),
                              Currency::fromInt(30000 * g)};
        d.second.grades[size_t(g)].points = {
            {{g, 90000 * g}, {10 + g, 100000 * g}, {20 + g, 120000 * g}}};
        d.third.grades[size_t(g)].points = {
            {{-g, 90000 * g}, {5, 95000 * g}, {10, 100000 * g}, {20 + g, 120000 * g}}};
    }
    // Grades beyond the count are not saved, whatever they hold.
    d.second.grades[5].points = {{{-10, 1}, {0, 2}, {80, 3}}};
    return d;
}

QStringList table(TestEnvironment& env) {
    return env.rows(TDM::ACN2, QStringLiteral("SELECT * FROM DCHINGIN2") + Where +
                                   QStringLiteral(" ORDER BY GOUHOU"));
}

QStringList everything(TestEnvironment& env) {
    QStringList all;
    for (const char* t : {"MCHINGIN", "DSCALE", "DKSEN2", "DKSEN3", "DCHINGIN2"})
        all += env.rows(TDM::ACN2, QStringLiteral("SELECT * FROM %1").arg(QLatin1String(t)) +
                                       Where + QStringLiteral(" ORDER BY 3, 4"));
    return all;
}

struct Fixture {
    TestEnvironment env;
    Fixture() {
        env.openDatabases();
        if (!env.openCompany(1, 2023))
            qFatal("the sample company is missing");
    }
};

} // namespace

class TestWageStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The delivered sample: its table is what the generator makes of its stored definition,
    // and its employees' 職能給 follows that table.
    void deliveredSampleTable() {
        Fixture f;
        const std::optional<WageTableTexts> texts = OpenStoredWageTable(1, 2023, names());
        QVERIFY(texts);
        QVERIFY(!CheckSavedFields(*texts));
        const std::optional<WageTable> expected = GenerateWageTable(DefinitionOfTexts(*texts));
        QVERIFY(expected);
        const QVector<WageTableRow> stored = LoadStoredWageTable(1, 2023);
        QCOMPARE(stored.size(), expected->rows.size());
        QVERIFY(!stored.isEmpty());
        for (int r = 0; r < stored.size(); ++r) {
            QCOMPARE(stored[r].step, expected->rows[r].step);
            QCOMPARE(stored[r].amount, expected->rows[r].amount);
            QCOMPARE(stored[r].index, expected->rows[r].index);
        }
        QCOMPARE(f.env.scalar(TDM::ACN2, QStringLiteral("SELECT COUNT(*) FROM VSYAIN") + Where +
                                             QStringLiteral(" AND KIN <> KKYU2")),
                 QStringLiteral("0"));
    }

    void savesHeadSetsAndTable() {
        Fixture f;
        const QStringList secondBefore =
            f.env.rows(TDM::ACN2, QStringLiteral("SELECT * FROM DKSEN2") + Where);
        WageTableDefinition d = definition(CurveMethod::ThirdOrder);
        QCOMPARE(SaveWageTable(1, 2023, d, names()).outcome, SaveOutcome::Saved);
        VERIFY_MESSAGES(f.env.messages);

        QCOMPARE(f.env.rows(TDM::ACN2, QStringLiteral("SELECT TKSU, GOUSU, KSENTAKUF, UKAKIF, "
                                                      "MARUMEF, TITLE, SKCO, K2CO, K3CO, GOUHOU1, "
                                                      "GOUHOU2 FROM MCHINGIN") +
                                           Where),
                 QStringList{QStringLiteral("3|0|1|0|1|O'Neil 賃金表|7|8|9|-3|23")});
        QCOMPARE(f.env.rows(TDM::ACN2, QStringLiteral("SELECT TKNO, TKNA, RITSU1, KKIN, RITSU2, "
                                                      "SPKIN, RNKIN FROM DSCALE") +
                                           Where + QStringLiteral(" AND SKCO = 7 ORDER BY TKNO")),
                 (QStringList{QStringLiteral("1|一般職Ⅰ|-10|100000|20|1.33|30000"),
                              QStringLiteral("2|一般職Ⅱ|-10|200000|20|1.33|60000"),
                              QStringLiteral("3|主任|-10|300000|20|1.33|90000")}));
        QCOMPARE(f.env.rows(TDM::ACN2, QStringLiteral("SELECT TKNO, SGOUSU, SKIN, C1GOUSU, C1KIN, "
                                                      "C2GOUSU, C2KIN, EGOUSU, EKIN, KRITSU FROM "
                                                      "DKSEN3") +
                                           Where + QStringLiteral(" AND K3CO = 9 AND TKNO = 2")),
                 QStringList{QStringLiteral("2|-2|180000|5|190000|10|200000|22|240000|1")});
        // The 2nd-order sets stay as stored; no 2nd-order set is made under code 8.
        QCOMPARE(f.env.rows(TDM::ACN2, QStringLiteral("SELECT * FROM DKSEN2") + Where),
                 secondBefore);
        const QStringList rows = table(f.env);
        QCOMPARE(rows.size(), 27);
        QVERIFY2(
            rows.first().startsWith(QStringLiteral("1|2023|-3|0|0|270000|0|0|0|0|0|0|0|0|100|")),
            qPrintable(rows.first()));

        // Saving again under the same codes replaces, never adds.
        d.head.gradeCount = 2;
        d.head.method = CurveMethod::SecondOrder;
        QCOMPARE(SaveWageTable(1, 2023, d, names()).outcome, SaveOutcome::Saved);
        QCOMPARE(f.env.scalar(TDM::ACN2, QStringLiteral("SELECT COUNT(*) FROM DSCALE") + Where +
                                             QStringLiteral(" AND SKCO = 7")),
                 QStringLiteral("2"));
        QCOMPARE(f.env.scalar(TDM::ACN2, QStringLiteral("SELECT COUNT(*) FROM DKSEN2") + Where +
                                             QStringLiteral(" AND K2CO = 8")),
                 QStringLiteral("2"));
        QCOMPARE(f.env.scalar(TDM::ACN2, QStringLiteral("SELECT COUNT(*) FROM DKSEN3") + Where +
                                             QStringLiteral(" AND K3CO = 9")),
                 QStringLiteral("3"));
        QCOMPARE(f.env.scalar(TDM::ACN2, QStringLiteral("SELECT GOUHOU1 || ',' || GOUHOU2 FROM "
                                                        "MCHINGIN") +
                                             Where),
                 QStringLiteral("1,22"));
        QCOMPARE(table(f.env).size(), 22);

        QCOMPARE(LoadScaleCodes(1, 2023), (QVector<int>{1, 7}));
        QCOMPARE(LoadSecondOrderCodes(1, 2023), (QVector<int>{1, 8}));
        QCOMPARE(LoadThirdOrderCodes(1, 2023), (QVector<int>{9}));
    }

    // Two people on the wage-table screen: the later save from the older definition is refused
    // and the first one's definition stays whole.
    void aSaveOverAnotherPersonsDefinitionIsRefused() {
        Fixture f;
        TDM other;
        QVERIFY(other.OpenConnection(TDM::ACN1, f.env.seigyoPath()));
        QVERIFY(other.OpenConnection(TDM::ACN2, f.env.dataPath()));
        f.env.dm.makeCurrent();
        QVERIFY(RememberLoadedWageTable(1, 2023));
        other.makeCurrent();
        QVERIFY(RememberLoadedWageTable(1, 2023));
        QCOMPARE(SaveWageTable(1, 2023, definition(), names()).outcome, SaveOutcome::Saved);
        const QStringList theirs = everything(f.env);

        f.env.dm.makeCurrent();
        WageTableDefinition mine = definition(CurveMethod::ThirdOrder);
        mine.head.title = QStringLiteral("後から");
        f.env.messages.expect(ChangedByOtherText(QStringLiteral("2023年度の賃金表の定義")));
        QCOMPARE(SaveWageTable(1, 2023, mine, names()).outcome, SaveOutcome::ChangedByOther);
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(everything(f.env), theirs);
        // Loaded again, it saves.
        QVERIFY(RememberLoadedWageTable(1, 2023));
        QCOMPARE(SaveWageTable(1, 2023, mine, names()).outcome, SaveOutcome::Saved);
    }

    // A statement failing anywhere leaves everything as it was: never a head without its
    // table, never an old table deleted without the new one.
    void allOrNothing() {
        Fixture f;
        const QStringList before = everything(f.env);
        const QStringList failing[] = {{"INSERT", "DCHINGIN2", "NEW.GOUHOU = 15"},
                                       {"INSERT", "DCHINGIN2", ""},
                                       {"INSERT", "DKSEN2", ""},
                                       {"DELETE", "DCHINGIN2", ""},
                                       {"INSERT", "MCHINGIN", ""}};
        for (const QStringList& fail : failing) {
            f.env.failWrites(QStringLiteral("Fail"), fail[0], fail[1], fail[2]);
            f.env.messages.expect(SqlFailure);
            QCOMPARE(SaveWageTable(1, 2023, definition(), names()).outcome, SaveOutcome::Failed);
            VERIFY_MESSAGES(f.env.messages);
            QCOMPARE(everything(f.env), before);
            f.env.allowWrites(QStringLiteral("Fail"), fail[1]);
        }
        // A definition beyond what a table holds writes nothing either.
        WageTableDefinition d = definition();
        d.second.rate = Currency::fromInt(99999999);
        QCOMPARE(SaveWageTable(1, 2023, d, names()).outcome, SaveOutcome::OutOfRange);
        QCOMPARE(everything(f.env), before);
        VERIFY_MESSAGES(f.env.messages);
    }

    void scaleWithoutCode() {
        Fixture f;
        WageTableDefinition d = definition();
        d.head.scaleCode = 0;
        QCOMPARE(SaveWageTable(1, 2023, d, names()).outcome, SaveOutcome::Saved);
        QCOMPARE(LoadScaleCodes(1, 2023), (QVector<int>{0, 1}));
        QCOMPARE(LoadScaleSet(1, 2023, 0).size(), 3);
        QVERIFY(LoadScaleSet(1, 2023, 5).isEmpty());
    }

    void baseAmounts() {
        Fixture f;
        f.env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MKIGYOU2 (KCO, NENDO, KNA, FRSTKYU) "
                                             "VALUES (9, 2023, '基準', 0)"));
        QCOMPARE(LoadBaseAmounts(9, 2023), (std::array<qint64, 10>{}));
        // Grade 0 counts under grade 1; grade 3 averages 200,000.5 and 200,001 ... rounded.
        const int employees[][4] = {{1, 0, 10000, 0},  {2, 1, 200000, 0}, {3, 1, 210000, 0},
                                    {4, 3, 200000, 0}, {5, 3, 200001, 0}, {6, 9, 300000, 0},
                                    {7, 12, 50000, 0}};
        for (const auto& e : employees) {
            f.env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MSYAIN1 (KCO, SCO, NENDO) VALUES "
                                                 "(9, %1, 2023)")
                                      .arg(e[0]));
            f.env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MSYAIN2 (KCO, SCO, NENDO, TOUKYU, "
                                                 "GOUHOU, KKYU1) VALUES (9, %1, 2023, %2, 3, %3)")
                                      .arg(e[0])
                                      .arg(e[1])
                                      .arg(e[2]));
        }
        f.env.exec(TDM::ACN2, QStringLiteral("INSERT INTO DCHINGIN2 (KCO, NENDO, GOUHOU, KIN1, "
                                             "KIN3, KIN9) VALUES (9, 2023, 3, 150000, 250000, "
                                             "350000)"));
        // The saved option 0 reads KKYU1.
        std::array<qint64, 10> expected{};
        expected[1] = 10000 + 205000 + 50000;
        expected[3] = 200001; // 200,000.5 rounded half away from zero
        expected[9] = 300000;
        QCOMPARE(LoadBaseAmounts(9, 2023), expected);

        // Linked to the wage table (1 to 3): the table's amount of each employee's grade; an
        // employee the table gives no amount (grade 0, grade 12) counts with the linked item.
        f.env.exec(TDM::ACN2, QStringLiteral("UPDATE MKIGYOU2 SET FRSTKYU = 3 WHERE KCO = 9"));
        expected = {};
        expected[1] = 10000 + 150000 + 50000;
        expected[3] = 250000;
        expected[9] = 350000;
        QCOMPARE(LoadBaseAmounts(9, 2023), expected);
        VERIFY_MESSAGES(f.env.messages);
    }

    void baseAmountsBeforeTheFirstTable() {
        Fixture f;
        // A new company: salary option 3, no wage table, the linked item typed by hand.
        f.env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MKIGYOU2 (KCO, NENDO, KNA, FRSTKYU) "
                                             "VALUES (9, 2023, '新規', 3)"));
        // code, grade, link, KKYU1, KKYU2, KKYU3
        const int employees[][6] = {{1, 1, 2, 90000, 180000, 5},
                                    {2, 1, 2, 91000, 190001, 5},
                                    {3, 2, 3, 80000, 0, 230000},
                                    {4, 2, 0, 250000, 7, 7},
                                    {5, 4, 1, 300000, 9, 9}};
        for (const auto& e : employees) {
            f.env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MSYAIN1 (KCO, SCO, NENDO, JISEKI) "
                                                 "VALUES (9, %1, 2023, %2)")
                                      .arg(e[0])
                                      .arg(e[2]));
            f.env.exec(
                TDM::ACN2,
                QStringLiteral("INSERT INTO MSYAIN2 (KCO, SCO, NENDO, TOUKYU, GOUHOU, KKYU1, "
                               "KKYU2, KKYU3) VALUES (9, %1, 2023, %2, 4, %3, %4, %5)")
                    .arg(e[0])
                    .arg(e[1])
                    .arg(e[3])
                    .arg(e[4])
                    .arg(e[5]));
        }
        std::array<qint64, 10> expected{};
        expected[1] = 185001; // (180,000 + 190,001) / 2 rounded half away from zero
        expected[2] = 240000; // KKYU3 of the link 3, KKYU1 of the employee without a link
        expected[4] = 300000;
        QCOMPARE(LoadBaseAmounts(9, 2023), expected);

        // Once the table gives an amount for a grade and step, that amount counts.
        f.env.exec(TDM::ACN2, QStringLiteral("INSERT INTO DCHINGIN2 (KCO, NENDO, GOUHOU, KIN1, "
                                             "KIN2) VALUES (9, 2023, 4, 170000, 0)"));
        expected[1] = 170000;
        QCOMPARE(LoadBaseAmounts(9, 2023), expected);
        VERIFY_MESSAGES(f.env.messages);
    }
};

QTEST_GUILESS_MAIN(TestWageStore)
#include "test_wage_store.moc"
