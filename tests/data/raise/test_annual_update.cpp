// The annual update on the delivered sample company: what year 2024 holds afterwards, and that
// a refused or failing update leaves no trace of it in either file.
#include "core/common/Dates.h"
#include "core/wage/WageTableGenerator.h"
#include "core/wage/WageTableTexts.h"
#include "data/raise/AnnualUpdate.h"
#include "data/wage/WageTableStore.h"
#include "support/data/TestSupport.h"

#include <QtTest>

namespace {

const QString SqlFailed = QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。");

// Company and year tables of each file, as the update writes them.
const char* const DataTables[] = {"MKIGYOU2", "MGRAPH",   "MHYOUKA",   "MMARK",   "MCHART",
                                  "DSPDRAW",  "MCHINGIN", "DSCALE",    "DKSEN2",  "DKSEN3",
                                  "MSYAIN1",  "MSYAIN2",  "DCHINGIN2", "DCHINGIN"};

struct Sample {
    TestEnvironment env;
    Sample() {
        env.setToday(QDate(2024, 3, 29));
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
    }
    QStringList columns(TDM::Conn conn, const QString& table) { return env.columns(conn, table); }
    // A year's rows of a table without the year (and `skip`), in a fixed order.
    QStringList yearRows(TDM::Conn conn, const QString& table, int year,
                         const QStringList& skip = {}) {
        QStringList cols = columns(conn, table);
        cols.removeAll(QStringLiteral("NENDO"));
        for (const QString& s : skip)
            cols.removeAll(s);
        const QString list = cols.join(QLatin1Char(','));
        return env.rows(conn, QStringLiteral("SELECT %1 FROM %2 WHERE KCO = 1 AND NENDO = %3 "
                                             "ORDER BY %1")
                                  .arg(list, table)
                                  .arg(year));
    }
    // How many rows of year 2024 the files hold, all tables together.
    int rowsOf2024() {
        int n = env.scalar(TDM::ACN1, "SELECT count(*) FROM MKIGYOU1 WHERE NENDO = 2024").toInt();
        for (const char* t : DataTables)
            n += env.scalar(TDM::ACN2, QStringLiteral("SELECT count(*) FROM %1 WHERE NENDO = 2024")
                                           .arg(QString::fromLatin1(t)))
                     .toInt();
        return n;
    }
    QString pay(const QString& columns, int sco, int year) {
        return env
            .rows(TDM::ACN2, QStringLiteral("SELECT %1 FROM MSYAIN2 WHERE KCO = 1 AND NENDO "
                                            "= %2 AND SCO = %3")
                                 .arg(columns)
                                 .arg(year)
                                 .arg(sco))
            .join(QLatin1Char('\n'));
    }
};

} // namespace

class TestAnnualUpdate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rollsTheSampleOver() {
        Sample s;
        // Texts with single quotes, an evaluation history and a code without a symbol.
        s.env.exec(TDM::ACN1, "UPDATE MKIGYOU1 SET KNA = 'O''Hara 商事' WHERE KCO = 1");
        s.env.exec(TDM::ACN2, "UPDATE MCHINGIN SET TITLE = '''24 table' WHERE KCO = 1");
        s.env.exec(TDM::ACN2, "UPDATE MSYAIN1 SET SNA = 'D''Arcy' WHERE KCO = 1 AND SCO = 5");
        s.env.exec(TDM::ACN2, "UPDATE MSYAIN2 SET HCO = 2, HCO1 = 3, HNA1 = 'B', HCO2 = 1, "
                              "HNA2 = 'S', HCO3 = 5, HNA3 = 'D' WHERE KCO = 1 AND SCO = 2");
        s.env.exec(TDM::ACN2, "UPDATE MSYAIN2 SET HCO = 9 WHERE KCO = 1 AND SCO = 3");
        const int livingCosts = s.env.scalar(TDM::ACN2, "SELECT count(*) FROM MSEIKEI").toInt();
        const QStringList stepsSeen = [&] {
            QStringList seen;
            const AnnualUpdateResult r =
                RunAnnualUpdate(1, 2023, 20240329, [&](int, const QString& t) { seen << t; });
            [&] {
                QCOMPARE(int(r.status), int(AnnualUpdateStatus::Done));
                QCOMPARE(r.employees, 60);
                QCOMPARE(r.undecided, 28);
            }();
            return seen;
        }();
        QCOMPARE(stepsSeen, AnnualUpdateSteps());
        VERIFY_MESSAGES(s.env.messages);

        // The company master: copied, created today, its age base a year on.
        QCOMPARE(s.yearRows(TDM::ACN1, "MKIGYOU1", 2024, {"SDATE", "KDATE"}),
                 s.yearRows(TDM::ACN1, "MKIGYOU1", 2023, {"SDATE", "KDATE"}));
        QCOMPARE(s.env.rows(TDM::ACN1, "SELECT SDATE, KDATE FROM MKIGYOU1 WHERE NENDO = 2024"),
                 QStringList{QStringLiteral("20240329|20240401")});
        QCOMPARE(s.env.scalar(TDM::ACN1, "SELECT KNA FROM MKIGYOU1 WHERE NENDO = 2024"),
                 QStringLiteral("O'Hara 商事"));
        // Settings: the survey and raise dates a year on, the rest as it was.
        QCOMPARE(s.yearRows(TDM::ACN2, "MKIGYOU2", 2024, {"CYOUSAHI", "SYOUKYUHI"}),
                 s.yearRows(TDM::ACN2, "MKIGYOU2", 2023, {"CYOUSAHI", "SYOUKYUHI"}));
        QCOMPARE(s.env.rows(TDM::ACN2, "SELECT CYOUSAHI, SYOUKYUHI FROM MKIGYOU2 WHERE NENDO = "
                                       "2024"),
                 QStringList{QStringLiteral("20240630|20250401")});
        // Styles, codes, charts and the wage-table definition as they were; a title that does
        // not begin with the year stays as typed.
        for (const char* t : {"MGRAPH", "MHYOUKA", "MMARK", "MCHART", "DSPDRAW", "MCHINGIN",
                              "DSCALE", "DKSEN2", "DKSEN3"})
            QVERIFY2(s.yearRows(TDM::ACN2, t, 2024) == s.yearRows(TDM::ACN2, t, 2023), t);
        // The employee master as it was but the annual pay and the ages and service, counted
        // to the new age base (A0001, born 1964-08-28 and joined 1983-04-01: 58 and 40 in 2023,
        // 59 and 41 in 2024); the typed experience years stay.
        QCOMPARE(s.yearRows(TDM::ACN2, "MSYAIN1", 2024, {"NENSYU", "NENREI", "KINZOKU"}),
                 s.yearRows(TDM::ACN2, "MSYAIN1", 2023, {"NENSYU", "NENREI", "KINZOKU"}));
        const QStringList ages = s.env.rows(
            TDM::ACN2, "SELECT SEIHI, NYUHI, NENREI, KINZOKU, NENSU FROM MSYAIN1 WHERE NENDO = "
                       "2024 ORDER BY SCO");
        QCOMPARE(ages.size(), 60);
        for (const QString& row : ages) {
            const QStringList f = row.split(QLatin1Char('|'));
            QCOMPARE(f[2].toInt(), YearsToBase(f[0].toLongLong(), {0, 20240401}));
            QCOMPARE(f[3].toInt(), YearsToBase(f[1].toLongLong(), {0, 20240401}));
        }
        QCOMPARE(s.env.rows(TDM::ACN2, "SELECT N.NENREI - O.NENREI, N.NENSU - O.NENSU FROM "
                                       "MSYAIN1 N JOIN MSYAIN1 O ON O.SCO = N.SCO AND O.NENDO = "
                                       "2023 WHERE N.NENDO = 2024 AND N.SCO = 1"),
                 QStringList{QStringLiteral("1|0")});
        QCOMPARE(s.env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN1 AS N JOIN MSYAIN1 AS O ON "
                                         "O.KCO = N.KCO AND O.SCO = N.SCO AND O.NENDO = 2023 JOIN "
                                         "MSYAIN2 AS P ON P.KCO = O.KCO AND P.SCO = O.SCO AND "
                                         "P.NENDO = 2023 WHERE N.NENDO = 2024 AND N.NENSYU = "
                                         "CASE WHEN P.NSYOTEI <> 0 THEN P.NNENSYU ELSE O.NENSYU "
                                         "END"),
                 QStringLiteral("60"));

        // Pay records: the columns the roll-over leaves alone are as they were.
        const QStringList same = {"SCO",    "SEIBETSU", "SM1",     "SM2",  "GAKU",
                                  "SENKOU", "KSIKAKU",  "KEIKEN",  "THI",  "ZONEX",
                                  "TENSU",  "HCO",      "SYOUYO2", "SPATH"};
        auto plain = [&](int year) {
            return s.env.rows(TDM::ACN2, QStringLiteral("SELECT %1 FROM MSYAIN2 WHERE KCO = 1 AND "
                                                        "NENDO = %2 ORDER BY SCO")
                                             .arg(same.join(QLatin1Char(',')))
                                             .arg(year));
        };
        QCOMPARE(plain(2024), plain(2023));
        // A decided employee (1: grade 5, step 41 -> 44) is promoted, the results cleared.
        const QString cleared = "UPK,UPT,NSRITSU,NNENSYU,SGOUHOU,FSKCHK,NSYOTEI";
        QCOMPARE(s.pay("TOUKYU,GOUHOU,KKYU1,KKYU2,TEATE1,SYOTEI", 1, 2024),
                 s.pay("NTOUKYU,NGOUHOU,NKKYU1,NKKYU2,NTEATE1,NSYOTEI", 1, 2023));
        QCOMPARE(s.pay("NTOUKYU,NGOUHOU,NKKYU1,NKKYU2,NTEATE1", 1, 2024),
                 s.pay("NTOUKYU,NGOUHOU,NKKYU1,NKKYU2,NTEATE1", 1, 2023));
        QCOMPARE(s.pay(cleared, 1, 2024), QStringLiteral("0|0|0|0|0|0|0"));
        // An undecided one (4) keeps grade, step and pay, and starts the year decided on them.
        QCOMPARE(s.pay("TOUKYU,GOUHOU,KKYU1,KKYU2,TEATE1,TEATE3,SYOTEI", 4, 2024),
                 s.pay("TOUKYU,GOUHOU,KKYU1,KKYU2,TEATE1,TEATE3,SYOTEI", 4, 2023));
        QCOMPARE(s.pay("NTOUKYU,NGOUHOU,NKKYU1,NKKYU2,NTEATE1,NTEATE3", 4, 2024),
                 s.pay("TOUKYU,GOUHOU,KKYU1,KKYU2,TEATE1,TEATE3", 4, 2023));
        QCOMPARE(s.env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN2 WHERE NENDO = 2024 AND "
                                         "(TOUKYU = 0 OR SYOTEI = 0 OR NTOUKYU <> TOUKYU OR "
                                         "NGOUHOU <> GOUHOU OR NKKYU2 <> KKYU2 OR NTEATE1 <> "
                                         "TEATE1)"),
                 QStringLiteral("0"));
        // The evaluation history moves down with this year's symbol first.
        QCOMPARE(s.pay("HCO,HCO1,HNA1,HCO2,HNA2,HCO3,HNA3", 2, 2024),
                 QStringLiteral("2|2|A|3|B|1|S"));
        QCOMPARE(s.pay("HCO1,HNA1,HNA2", 3, 2024), QStringLiteral("9||") + s.pay("HNA1", 3, 2023));
        // A code without a symbol gives an empty symbol, not a missing one.
        QCOMPARE(s.pay("HNA1 IS NULL", 3, 2024), QStringLiteral("0"));
        QCOMPARE(s.env.scalar(TDM::ACN2, "SELECT SNA FROM MSYAIN1 WHERE NENDO = 2024 AND SCO = 5"),
                 QStringLiteral("D'Arcy"));

        // The new table is a fresh generation of the copied definition.
        GradeNames names;
        for (int g = 1; g <= MaxGrades; ++g)
            names[size_t(g)] = s.env.project.settings().TK[size_t(g)];
        const std::optional<WageTableTexts> texts = OpenStoredWageTable(1, 2024, names);
        QVERIFY(texts);
        QVERIFY(!CheckSavedFields(*texts));
        const std::optional<WageTable> fresh = GenerateWageTable(DefinitionOfTexts(*texts));
        QVERIFY(fresh);
        const QVector<WageTableRow> stored = LoadStoredWageTable(1, 2024);
        QCOMPARE(stored.size(), fresh->rows.size());
        for (qsizetype i = 0; i < stored.size(); ++i) {
            QCOMPARE(stored[i].step, fresh->rows[i].step);
            QVERIFY(stored[i].amount == fresh->rows[i].amount);
            QVERIFY(stored[i].index == fresh->rows[i].index);
        }
        QCOMPARE(s.yearRows(TDM::ACN2, "DCHINGIN2", 2024),
                 s.yearRows(TDM::ACN2, "DCHINGIN2", 2023));

        // Living costs keep one set of rows per code; the open project is untouched.
        QCOMPARE(s.env.scalar(TDM::ACN2, "SELECT count(*) FROM MSEIKEI").toInt(), livingCosts);
        QVERIFY(s.env.project.companyYear() == (CompanyYear{1, 2023}));
        QCOMPARE(s.env.project.settings().NENDO, QStringLiteral("2023"));
    }

    void runsOncePerYear() {
        Sample s;
        QCOMPARE(int(RunAnnualUpdate(1, 2023, 20240329).status), int(AnnualUpdateStatus::Done));
        const int before = s.rowsOf2024();
        s.env.setToday(QDate(2024, 4, 2));
        QCOMPARE(int(RunAnnualUpdate(1, 2023, 20240402).status),
                 int(AnnualUpdateStatus::TargetExists));
        QCOMPARE(s.rowsOf2024(), before);
        QCOMPARE(s.env.scalar(TDM::ACN1, "SELECT SDATE FROM MKIGYOU1 WHERE NENDO = 2024"),
                 QStringLiteral("20240329"));
        // A year the company does not have gives no new year made of nothing.
        QCOMPARE(int(RunAnnualUpdate(1, 2030, 20240402).status), int(AnnualUpdateStatus::NoSource));
        QCOMPARE(s.env.scalar(TDM::ACN2, "SELECT count(*) FROM DCHINGIN2 WHERE NENDO = 2031"),
                 QStringLiteral("0"));
        VERIFY_MESSAGES(s.env.messages);
    }

    // A statement failing in the middle of the copy, or at its very end, leaves year 2024 in
    // neither file; the failure is reported once.
    void failureLeavesNoTrace_data() {
        QTest::addColumn<QString>("table");
        QTest::newRow("employees") << QStringLiteral("MSYAIN2");
        QTest::newRow("wage table") << QStringLiteral("DCHINGIN2");
    }
    void failureLeavesNoTrace() {
        QFETCH(QString, table);
        Sample s;
        s.env.failWrites(QStringLiteral("fail_copy"), QStringLiteral("INSERT"), table,
                         QStringLiteral("NEW.NENDO = 2024"));
        s.env.messages.expect(SqlFailed);
        QCOMPARE(int(RunAnnualUpdate(1, 2023, 20240329).status), int(AnnualUpdateStatus::Failed));
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.rowsOf2024(), 0);
        // The files are usable afterwards: with the fault gone the update runs.
        s.env.allowWrites(QStringLiteral("fail_copy"), table);
        QCOMPARE(int(RunAnnualUpdate(1, 2023, 20240329).status), int(AnnualUpdateStatus::Done));
    }

    // The dates of the year move with it: February 29 to February 28, no date stays none; a
    // title that begins with the year (western or era, as the company shows years) names the
    // new one; with ages counted to today, the new year counts to today as well.
    void datesAndTitlesMoveWithTheYear() {
        Sample s;
        s.env.exec(TDM::ACN1, "UPDATE MKIGYOU1 SET KDATE = 20240229, FNK = 1 WHERE KCO = 1");
        s.env.exec(TDM::ACN2, "UPDATE MKIGYOU2 SET CYOUSAHI = 0 WHERE KCO = 1");
        s.env.exec(TDM::ACN2, "UPDATE MCHINGIN SET TITLE = '2023年度 職能給表' WHERE KCO = 1");
        const AnnualUpdateResult r = RunAnnualUpdate(1, 2023, 20240329);
        QCOMPARE(int(r.status), int(AnnualUpdateStatus::Done));
        QCOMPARE(s.env.scalar(TDM::ACN1, "SELECT KDATE FROM MKIGYOU1 WHERE NENDO = 2024"),
                 QStringLiteral("20250228"));
        QCOMPARE(s.env.rows(TDM::ACN2, "SELECT CYOUSAHI, SYOUKYUHI FROM MKIGYOU2 WHERE NENDO = "
                                       "2024"),
                 QStringList{QStringLiteral("0|20250401")});
        QCOMPARE(s.env.scalar(TDM::ACN2, "SELECT TITLE FROM MCHINGIN WHERE NENDO = 2024"),
                 QStringLiteral("2024年度 職能給表"));
        QCOMPARE(MovedDatesText(r.moved),
                 QStringLiteral("基準年月日 2024.02.29 → 2025.02.28\r調査日 なし → なし\r"
                                "昇給日 2024.04.01 → 2025.04.01"));
        // Counted to the day of the update (the test's today, 2024-03-29).
        for (const QString& row :
             s.env.rows(TDM::ACN2, "SELECT SEIHI, NENREI FROM MSYAIN1 WHERE NENDO = 2024"))
            QCOMPARE(row.section(QLatin1Char('|'), 1).toInt(),
                     YearsToBase(row.section(QLatin1Char('|'), 0, 0).toLongLong(), {0, 20240329}));

        VERIFY_MESSAGES(s.env.messages);
    }

    void eraTitlesMoveInEraMode() {
        Sample s;
        s.env.exec(TDM::ACN1, "UPDATE MKIGYOU1 SET REKI = 1 WHERE KCO = 1");
        s.env.exec(TDM::ACN2, "UPDATE MCHINGIN SET TITLE = '令和 05年度 職能給表' WHERE KCO = 1");
        QCOMPARE(int(RunAnnualUpdate(1, 2023, 20240329).status), int(AnnualUpdateStatus::Done));
        QCOMPARE(s.env.scalar(TDM::ACN2, "SELECT TITLE FROM MCHINGIN WHERE NENDO = 2024"),
                 QStringLiteral("令和 06年度 職能給表"));
        VERIFY_MESSAGES(s.env.messages);
    }

    void wageTableDefinitionDecidesTheNewTable() {
        Sample s;
        // A definition the wage-table screen would refuse stops the update whole.
        s.env.exec(TDM::ACN2, "UPDATE MCHINGIN SET TKSU = 12 WHERE KCO = 1");
        AnnualUpdateResult r = RunAnnualUpdate(1, 2023, 20240329);
        QCOMPARE(int(r.status), int(AnnualUpdateStatus::Refused));
        QVERIFY2(r.problem.startsWith(QStringLiteral("txtTokyusu: 入力範囲外です。")),
                 qPrintable(r.problem));
        QCOMPARE(s.rowsOf2024(), 0);
        // Without a definition in 2023 there is none in 2024 either, and no table.
        for (const char* t : {"MCHINGIN", "DSCALE", "DKSEN2", "DKSEN3", "DCHINGIN2"})
            s.env.exec(TDM::ACN2, QStringLiteral("DELETE FROM %1").arg(QString::fromLatin1(t)));
        r = RunAnnualUpdate(1, 2023, 20240329);
        QCOMPARE(int(r.status), int(AnnualUpdateStatus::Done));
        QCOMPARE(s.env.scalar(TDM::ACN2, "SELECT count(*) FROM MCHINGIN WHERE NENDO = 2024"),
                 QStringLiteral("0"));
        QCOMPARE(s.env.scalar(TDM::ACN2, "SELECT count(*) FROM DCHINGIN2 WHERE NENDO = 2024"),
                 QStringLiteral("0"));
        VERIFY_MESSAGES(s.env.messages);
    }
};

QTEST_GUILESS_MAIN(TestAnnualUpdate)
#include "test_annual_update.moc"
