#include "core/common/AppState.h"
#include "core/masters/Cp932.h"
#include "data/db/RecordGuard.h"
#include "data/masters/EmployeeStore.h"
#include "data/masters/EmployeeTransfer.h"
#include "support/data/TestSupport.h"

#include <QFile>
#include <QtTest>

namespace {

const QString SqlError = QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。");
const CompanyYear Sample{1, 2023};

struct Fixture {
    TestEnvironment env;
    Fixture() {
        env.setToday(QDate(2024, 5, 20));
        env.openDatabases();
        env.openCompany(1, 2023);
    }
    QString employees(const QString& columns, int sco = -1) {
        return env
            .rows(TDM::ACN2,
                  QStringLiteral("SELECT %1 FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023%2 "
                                 "ORDER BY SCO")
                      .arg(columns, sco < 0 ? QString() : QStringLiteral(" AND SCO = %1").arg(sco)))
            .join(QLatin1Char('\n'));
    }
    int count(const char* table) {
        return env
            .scalar(TDM::ACN2,
                    QStringLiteral("SELECT count(*) FROM %1 WHERE KCO = 1 AND NENDO = 2023")
                        .arg(QString::fromLatin1(table)))
            .toInt();
    }
    // Any write of the statement kind on the table fails from now on.
    void breakTable(const char* table, const char* kind) {
        env.failWrites(QStringLiteral("broken_%1_%2")
                           .arg(QString::fromLatin1(table), QString::fromLatin1(kind)),
                       QString::fromLatin1(kind), QString::fromLatin1(table));
    }
    QByteArray readFile(const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return f.readAll();
    }
};

EmployeeRecord sampleRecord(int sco) {
    EmployeeRecord e;
    e.SCO = sco;
    e.SCOT = QStringLiteral("Z%1").arg(sco);
    e.SNA = QStringLiteral("O'Brien 花子");
    e.SEIBETSU = 1;
    e.SEIHI = 19900515;
    e.TOUKYU = 3;
    e.GOUHOU = 12;
    e.HCO = 2;
    e.MCO = 4;
    e.JISEKI = 2;
    e.TRITSU = Currency::fromString(QStringLiteral("95.5"));
    e.SRITSU = Currency::fromString(QStringLiteral("1.25"));
    e.KKYU[1] = Currency::fromInt(120000);
    e.KKYU[2] = Currency::fromInt(80000);
    e.NKKYU[1] = Currency::fromInt(123000);
    e.NKKYU[2] = Currency::fromInt(81000);
    e.TEATE[2] = Currency::fromInt(15000);
    e.NTEATE[2] = Currency::fromInt(15500);
    e.SYOUYO = Currency::fromInt(400000);
    e.SYOUYO2 = Currency::fromInt(450000);
    e.SPATH = QStringLiteral("sub\\face.jpg");
    e.HNA1 = QStringLiteral("A");
    e.NENREI = 33;
    return e;
}

// Texts that have broken CSV files before: separators, quotes, 0x5C second bytes, CP932's
// own tilde and circled digits, SQL's quote.
const QStringList Awkward = {QStringLiteral("山田,太郎"),  QStringLiteral("\"愛称\" 花子"),
                             QStringLiteral("A \"B\", C"), QStringLiteral("ソ表能"),
                             QStringLiteral("10～20"),     QStringLiteral("①②"),
                             QStringLiteral("O'Brien"),    QStringLiteral("\\円")};

} // namespace

class TestEmployeeStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void insertWritesEveryColumnOfBothRows() {
        Fixture f;
        QVERIFY(InsertEmployee(Sample, sampleRecord(500), QStringLiteral("2024/05/20 9:30:00")));
        QCOMPARE(f.employees("SCOT, SNA, SEIHI, TCO, TOUKYU, GOUHOU, HCO, MCO, JISEKI, TRITSU, "
                             "SRITSU, SYOUYO, SYOUYO2, NENREI, HSCO, NEWDAY1",
                             500),
                 QStringLiteral("Z500|O'Brien 花子|19900515|3|3|12|2|4|2|95.5|1.25|400000|450000|"
                                "33|0|2024/05/20 9:30:00"));
        // Sums: base 200000 -> 204000, allowances 15000 -> 15500.
        QCOMPARE(f.employees("UPK, UPT, SYOTEI, NSYOTEI, NENSYU, NNENSYU, SPATH, HNA1", 500),
                 QStringLiteral("4000|500|215000|219500|3430000|3484000|sub\\face.jpg|A"));
        QCOMPARE(f.employees("NTOUKYU, SGOUHOU, NGOUHOU, FSKCHK, NSRITSU, HCO1, SM2, MNA", 500),
                 QStringLiteral("0|0|0|0|0|0||"));
        VERIFY_MESSAGES(f.env.messages);
    }

    void updateLeavesTheRaiseColumnsAlone() {
        Fixture f;
        QVERIFY(InsertEmployee(Sample, sampleRecord(501), QStringLiteral("x")));
        f.env.exec(TDM::ACN2, "UPDATE MSYAIN2 SET NTOUKYU = 4, SGOUHOU = 12, NGOUHOU = 14, "
                              "FSKCHK = 1, NSRITSU = 2, HCO1 = 3, SM2 = 'パート' WHERE SCO = 501");
        f.env.exec(TDM::ACN2, "UPDATE MSYAIN1 SET MNA = 'm', SKCO = 5 WHERE SCO = 501");
        EmployeeRecord e = sampleRecord(501);
        e.SRITSU = Currency::fromInt(3);
        e.SYOUYO = Currency::fromInt(1);
        e.SNA = QStringLiteral("改名");
        QVERIFY(UpdateEmployee(Sample, e).saved());
        QCOMPARE(f.employees("SNA, SRITSU, SYOUYO, NTOUKYU, SGOUHOU, NGOUHOU, FSKCHK, NSRITSU, "
                             "HCO1, SM2, MNA, SKCO, NEWDAY1",
                             501),
                 QStringLiteral("改名|3|1|4|12|14|1|2|3|||5|x"));
        VERIFY_MESSAGES(f.env.messages);
    }

    void loadsWhatWasSaved() {
        Fixture f;
        QVERIFY(InsertEmployee(Sample, sampleRecord(502), QStringLiteral("x")));
        EmployeeRecord e;
        QCOMPARE(LoadEmployee(Sample, 502, e), LoadResult::Found);
        QCOMPARE(e.SNA, QStringLiteral("O'Brien 花子"));
        QCOMPARE(e.KKYU[2], Currency::fromInt(80000));
        QCOMPARE(e.TRITSU, Currency::fromString(QStringLiteral("95.5")));
        QCOMPARE(e.JISEKI, 2);
        QCOMPARE(LoadEmployee(Sample, 99999, e), LoadResult::Missing);
        f.env.exec(TDM::ACN2, "UPDATE MSYAIN1 SET JISEKI = 7 WHERE SCO = 502");
        QCOMPARE(LoadEmployee(Sample, 502, e), LoadResult::Found);
        QCOMPARE(e.JISEKI, 0);
    }

    // Both rows of an employee are written together or not at all.
    void insertIsAllOrNothing() {
        Fixture f;
        f.breakTable("MSYAIN2", "INSERT");
        f.env.messages.expect(SqlError);
        QVERIFY(!InsertEmployee(Sample, sampleRecord(503), QStringLiteral("x")));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN1 WHERE SCO = 503"),
                 QStringLiteral("0"));
    }

    void updateIsAllOrNothing() {
        Fixture f;
        const QString before = f.employees("SNA, KKYU1", 1);
        f.breakTable("MSYAIN2", "UPDATE");
        EmployeeRecord e = sampleRecord(1);
        f.env.messages.expect(SqlError);
        QVERIFY(!UpdateEmployee(Sample, e).saved());
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.employees("SNA, KKYU1", 1), before);
    }

    // Two people save the same employee: the one who saves second, from what was stored before
    // the first saved, is refused and loses nothing of the first one's change.
    void aSaveOverAnotherPersonsChangeIsRefused() {
        Fixture f;
        TDM other;
        QVERIFY(other.OpenConnection(TDM::ACN1, f.env.seigyoPath()));
        QVERIFY(other.OpenConnection(TDM::ACN2, f.env.dataPath()));
        EmployeeRecord mine, theirs;
        f.env.dm.makeCurrent();
        QCOMPARE(LoadEmployee(Sample, 1, mine), LoadResult::Found);
        other.makeCurrent();
        QCOMPARE(LoadEmployee(Sample, 1, theirs), LoadResult::Found);
        theirs.SNA = QStringLiteral("先に登録");
        QVERIFY(UpdateEmployee(Sample, theirs).saved());
        // Their own next save needs no reload: what they saved is what they loaded now.
        theirs.KKYU[1] = Currency::fromInt(250000);
        QVERIFY(UpdateEmployee(Sample, theirs).saved());

        f.env.dm.makeCurrent();
        mine.SNA = QStringLiteral("後から登録");
        f.env.messages.expect(ChangedByOtherText(QStringLiteral("社員 1 後から登録 ")));
        QVERIFY(UpdateEmployee(Sample, mine).changedByOther());
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.employees("SNA, KKYU1", 1), QStringLiteral("先に登録|250000"));
        // Loaded again, the save goes through.
        QCOMPARE(LoadEmployee(Sample, 1, mine), LoadResult::Found);
        mine.SNA = QStringLiteral("後から登録");
        QVERIFY(UpdateEmployee(Sample, mine).saved());
        QCOMPARE(f.employees("SNA, KKYU1", 1), QStringLiteral("後から登録|250000"));

        // An employee the other person deleted is not brought back half-way.
        other.makeCurrent();
        QVERIFY(DeleteEmployee(Sample, 1));
        f.env.dm.makeCurrent();
        f.env.messages.expect(ChangedByOtherText(QStringLiteral("社員 1 後から登録 ")));
        QVERIFY(!UpdateEmployee(Sample, mine).saved());
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.count("MSYAIN1") + 1, f.count("MSYAIN2") + 1);
        QCOMPARE(f.employees("SNA", 1), QString());
    }

    void deleteIsAllOrNothing() {
        Fixture f;
        f.breakTable("MSYAIN2", "DELETE");
        f.env.messages.expect(SqlError);
        QVERIFY(!DeleteEmployee(Sample, 1));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.count("MSYAIN1"), 60);
        QCOMPARE(f.count("MSYAIN2"), 60);
    }

    void deleteRemovesBothRows() {
        Fixture f;
        QVERIFY(DeleteEmployee(Sample, 2));
        QCOMPARE(f.count("MSYAIN1"), 59);
        QCOMPARE(f.count("MSYAIN2"), 59);
        bool failed = true;
        QVERIFY(!EmployeeExists(Sample, 2, &failed));
        QVERIFY(!failed);
        QVERIFY(EmployeeExists(Sample, 3, &failed));
    }

    void listsByGrade() {
        Fixture f;
        QVector<EmployeeListRow> rows;
        QVERIFY(LoadEmployeeList(Sample, 0, rows));
        QCOMPARE(rows.size(), 60);
        QVERIFY(std::is_sorted(rows.begin(), rows.end(),
                               [](const auto& a, const auto& b) { return a.SCO < b.SCO; }));
        QVERIFY(LoadEmployeeList(Sample, 3, rows));
        QCOMPARE(rows.size(), f.env
                                  .scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN2 WHERE "
                                                     "TOUKYU = 3 AND KCO = 1 AND NENDO = 2023")
                                  .toInt());
        QVERIFY(!rows.isEmpty());
        for (const EmployeeListRow& r : rows)
            QCOMPARE(r.TOUKYU, 3);
        QVERIFY(LoadEmployeeList({1, 2022}, 0, rows));
        QVERIFY(rows.isEmpty());
    }

    void importAddsAfterTheHighestCode() {
        Fixture f;
        f.env.exec(TDM::ACN2,
                   "INSERT INTO MSYAIN1 (KCO, NENDO, SCO, SNA) VALUES (1, 2023, 120, 'x')");
        f.env.exec(TDM::ACN2, "INSERT INTO MSYAIN2 (KCO, NENDO, SCO) VALUES (1, 2023, 120)");
        ImportRead r =
            ReadImportFile(QStringLiteral("社員名,社員番号,性別,社内身分,賃金等級,生年月日\r\n"
                                          "新人一,N1,男,正社員,2,1999/1/5\r\n新人二,N2,女,,,\r\n")
                               .toUtf8()
                               .prepend("\xEF\xBB\xBF"));
        QCOMPARE(CheckImportSheet(r.sheet, *LoadImportContext(Sample)), 0);
        int first = 0;
        QVERIFY(StoreImportedEmployees(Sample, r.sheet.employees, ImportMode::Add,
                                       QDate(2024, 5, 20), &first));
        QCOMPARE(first, 121);
        QCOMPARE(f.count("MSYAIN1"), 63);
        QCOMPARE(f.employees("SCO, SNA, SCOT, SEIBETSU, SM1, SM2, TCO, TOUKYU, SEIHI, NEWDAY1, "
                             "HSCO, KKYU1",
                             121),
                 QStringLiteral("121|新人一|N1|0|2|正社員|2|2|19990105|2024/05/20|0|0"));
        QCOMPARE(f.employees("SNA, SEIBETSU, SM1, TOUKYU, SEIHI", 122),
                 QStringLiteral("新人二|1|0|0|0"));
    }

    void importReplaceStartsAtOne() {
        Fixture f;
        f.env.exec(TDM::ACN2,
                   "INSERT INTO MSYAIN1 (KCO, NENDO, SCO, SNA) VALUES (1, 2022, 5, '前年')");
        ImportRead r = ReadImportFile(QStringLiteral("社員番号,社員名\r\nR1,甲\r\nR2,乙\r\n")
                                          .toUtf8()
                                          .prepend("\xEF\xBB\xBF"));
        QCOMPARE(CheckImportSheet(r.sheet, *LoadImportContext(Sample)), 0);
        int first = 0;
        QVERIFY(StoreImportedEmployees(Sample, r.sheet.employees, ImportMode::Replace,
                                       QDate(2024, 5, 20), &first));
        QCOMPARE(first, 1);
        QCOMPARE(f.employees("SCO, SNA"), QStringLiteral("1|甲\n2|乙"));
        QCOMPARE(f.count("MSYAIN2"), 2);
        // Other years are not touched.
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT SNA FROM MSYAIN1 WHERE NENDO = 2022 AND SCO = 5"),
                 QStringLiteral("前年"));
    }

    // An import stores all rows or none; replacing keeps the old employees when it fails.
    void failedReplaceKeepsTheOldEmployees() {
        Fixture f;
        QStringList lines{QStringLiteral("社員名,社員番号")};
        for (int i = 0; i < 600; ++i)
            lines << QStringLiteral("名%1,%1").arg(i);
        ImportRead r = ReadImportFile(lines.join("\r\n").toUtf8().prepend("\xEF\xBB\xBF"));
        QCOMPARE(CheckImportSheet(r.sheet, *LoadImportContext(Sample)), 0);
        // The third batch fails: the first two must not stay either.
        f.env.failWrites(QStringLiteral("late"), QStringLiteral("INSERT"),
                         QStringLiteral("MSYAIN2"), QStringLiteral("NEW.SCO = 555"));
        const QString before = f.employees("SCO, SNA, KKYU1");
        f.env.messages.expect(SqlError);
        QVERIFY(!StoreImportedEmployees(Sample, r.sheet.employees, ImportMode::Replace,
                                        QDate(2024, 5, 20)));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.employees("SCO, SNA, KKYU1"), before);
        f.env.messages.expect(SqlError);
        QVERIFY(!StoreImportedEmployees(Sample, r.sheet.employees, ImportMode::Add,
                                        QDate(2024, 5, 20)));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.count("MSYAIN1"), 60);
        QCOMPARE(f.count("MSYAIN2"), 60);
    }

    void exportWritesByEmployeeNumber() {
        Fixture f;
        const QString path = f.env.appDir() + QStringLiteral("CSV/out.csv");
        f.env.exec(TDM::ACN2, "UPDATE MSYAIN1 SET SCOT = 'ZZZ' WHERE SCO = 1");
        f.env.exec(TDM::ACN2, "UPDATE MSYAIN1 SET SEIHI = 0 WHERE SCO = 2");
        const ExportOutcome out = ExportEmployees(Sample, path);
        QCOMPARE(out.status, ExportOutcome::Written);
        QCOMPARE(out.count, 60);
        QString text;
        QVERIFY(Cp932::decode(f.readFile(path), text));
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 62); // header, 60 rows, nothing after the last CR LF
        QVERIFY(lines.last().isEmpty());
        QVERIFY(lines[1].startsWith(QStringLiteral("\"A0002\",")));
        QVERIFY(lines[1].contains(QStringLiteral(",\"0\",\""))); // no birth date
        QVERIFY(lines[60].startsWith(QStringLiteral("\"ZZZ\",")));
        QVERIFY(!text.contains(QLatin1Char('\n') + QStringLiteral("\n")));
    }

    void exportStopsAtACharacterCp932CannotHold() {
        Fixture f;
        const QString path = f.env.appDir() + QStringLiteral("CSV/out.csv");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("previous");
        old.close();
        f.env.exec(TDM::ACN2, "UPDATE MSYAIN1 SET SNA = '髙𠮷' WHERE SCO = 5");
        const ExportOutcome out = ExportEmployees(Sample, path);
        QCOMPARE(out.status, ExportOutcome::Unencodable);
        QVERIFY(out.detail.contains(QStringLiteral("社員コード 5")));
        QVERIFY(out.detail.contains(QStringLiteral("「社員名」")));
        QVERIFY(out.detail.contains(QStringLiteral("「𠮷」")));
        QCOMPARE(f.readFile(path), QByteArray("previous"));
    }

    void exportWithoutEmployees() {
        Fixture f;
        QCOMPARE(ExportEmployees({1, 2022}, f.env.appDir() + "CSV/x.csv").status,
                 ExportOutcome::NoEmployees);
        QVERIFY(!QFile::exists(f.env.appDir() + "CSV/x.csv"));
        // The folder is made when it is missing.
        const QString nested = f.env.appDir() + QStringLiteral("elsewhere/deep/x.csv");
        QCOMPARE(ExportEmployees(Sample, nested).status, ExportOutcome::Written);
        QVERIFY(QFile::exists(nested));
    }

    // A file the program exported imports again and exports to the same bytes.
    void exportImportExportGivesTheSameBytes() {
        Fixture f;
        for (int i = 0; i < Awkward.size(); ++i) {
            const QString text = Awkward[i];
            const QString quoted = QString(text).replace(QLatin1Char('\''), QStringLiteral("''"));
            f.env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN1 SET SNA = '%1', YAKU = '%1' "
                                                 "WHERE SCO = %2")
                                      .arg(quoted)
                                      .arg(i + 1));
            f.env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN2 SET GAKU = '%1', SENKOU = '%1', "
                                                 "KEIKEN = '%1', SM2 = '%1' WHERE SCO = %2")
                                      .arg(quoted)
                                      .arg(i + 1));
        }
        f.env.exec(TDM::ACN2, "UPDATE MSYAIN1 SET SEIHI = 0, NYUHI = 0 WHERE SCO = 10");
        f.env.exec(TDM::ACN2, "UPDATE MSYAIN1 SET SCOT = '\"q\",1' WHERE SCO = 11");
        const QString first = f.env.appDir() + QStringLiteral("CSV/first.csv");
        const QString second = f.env.appDir() + QStringLiteral("CSV/second.csv");
        QCOMPARE(ExportEmployees(Sample, first).status, ExportOutcome::Written);

        ImportRead r = ReadImportPath(first);
        QCOMPARE(r.result, ImportRead::Ok);
        QCOMPARE(CheckImportSheet(r.sheet, *LoadImportContext(Sample)), 0);
        QVERIFY(StoreImportedEmployees(Sample, r.sheet.employees, ImportMode::Replace,
                                       QDate(2024, 5, 20)));
        QCOMPARE(ExportEmployees(Sample, second).status, ExportOutcome::Written);
        const QByteArray a = f.readFile(first);
        QCOMPARE(f.readFile(second), a);
        QVERIFY(a.contains(Cp932Bytes()));
    }

    // Export then import with replace gives back every field the file carries, for the sample
    // and for an employee entered on the screen (kind code only, no kind text); the mark comes
    // back when it is exported, and ages and service are counted on the way in.
    void exportImportKeepsEveryCarriedField() {
        Fixture f;
        f.env.exec(TDM::ACN2, "UPDATE MSYAIN2 SET SM2 = '' WHERE KCO = 1");
        f.env.exec(TDM::ACN2, "UPDATE MSYAIN2 SET SM1 = 3, SM2 = '' WHERE SCO = 7");
        f.env.exec(TDM::ACN2, "UPDATE MSYAIN2 SET SM1 = 0, SM2 = '嘱託' WHERE SCO = 8");
        f.env.exec(TDM::ACN2, "UPDATE MSYAIN1 SET MCO = 0 WHERE SCO = 9");
        const QString carried = QStringLiteral(
            "SCOT, SNA, YAKU, SEIBETSU, GAKU, SENKOU, KEIKEN, SM1, SEIHI, NYUHI, TOUKYU, TCO, MCO, "
            "NENREI, KINZOKU");
        auto all = [&] {
            return f.env.rows(TDM::ACN2, QStringLiteral("SELECT %1 FROM VSYAIN WHERE KCO = 1 AND "
                                                        "NENDO = 2023 ORDER BY SCOT")
                                             .arg(carried));
        };
        const QStringList before = all();
        const QString path = f.env.appDir() + QStringLiteral("CSV/marks.csv");
        QCOMPARE(ExportEmployees(Sample, path, true).status, ExportOutcome::Written);
        ImportRead r = ReadImportPath(path);
        QCOMPARE(r.result, ImportRead::Ok);
        QCOMPARE(CheckImportSheet(r.sheet, *LoadImportContext(Sample)), 0);
        QCOMPARE(CountWithoutMark(r.sheet.employees), 1);
        QVERIFY(StoreImportedEmployees(Sample, r.sheet.employees, ImportMode::Replace,
                                       QDate(2024, 5, 20)));
        QCOMPARE(all(), before);
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT SM2 FROM MSYAIN2 WHERE SCO = 8"),
                 QStringLiteral("嘱託"));

        // Without the mark column the file has eleven columns and the marks are not carried.
        QCOMPARE(ExportEmployees(Sample, path).status, ExportOutcome::Written);
        QString text;
        QVERIFY(Cp932::decode(f.readFile(path), text));
        QCOMPARE(text.section(QStringLiteral("\r\n"), 0, 0).count(QLatin1Char(',')), 10);
        ImportRead plain = ReadImportPath(path);
        QCOMPARE(CheckImportSheet(plain.sheet, *LoadImportContext(Sample)), 0);
        QCOMPARE(CountWithoutMark(plain.sheet.employees), 60);
    }

    // The import counts ages and service to the company's age base; the plots read them.
    void importStoresAgesAndService() {
        Fixture f;
        f.env.exec(TDM::ACN1, "UPDATE MKIGYOU1 SET KDATE = 20230401, FNK = 0 WHERE KCO = 1");
        ImportRead r = ReadImportFile(QStringLiteral("社員名,社員番号,生年月日,入社日,マーク\r\n"
                                                     "甲,N1,1990/4/2,2015/4/1,男子営業\r\n"
                                                     "乙,N2,2001/1/1,2024/4/1,\r\n")
                                          .toUtf8()
                                          .prepend("\xEF\xBB\xBF"));
        QCOMPARE(CheckImportSheet(r.sheet, *LoadImportContext(Sample)), 0);
        QCOMPARE(r.sheet.rows[1][ImpStatus], ImportWarnStatus());
        QVERIFY(StoreImportedEmployees(Sample, r.sheet.employees, ImportMode::Replace,
                                       QDate(2024, 5, 20)));
        QCOMPARE(f.employees("SNA, NENREI, KINZOKU, MCO"), QStringLiteral("甲|32|8|1\n乙|22|-1|0"));
    }

private:
    static QByteArray Cp932Bytes() {
        QByteArray b;
        Cp932::encode(QStringLiteral("\"ソ表能\""), b);
        return b;
    }
};

QTEST_GUILESS_MAIN(TestEmployeeStore)
#include "test_employee_store.moc"
