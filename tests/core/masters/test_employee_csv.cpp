#include "core/common/TextInput.h"
#include "core/masters/Cp932.h"
#include "core/masters/CsvLine.h"
#include "core/masters/EmployeeCsv.h"
#include "core/masters/EmployeeRecord.h"

#include <QtTest>

namespace {

QByteArray cp932(const QString& text) {
    QByteArray bytes;
    if (!Cp932::encode(text, bytes))
        qFatal("test text does not encode");
    return bytes;
}

// An import file as a spreadsheet program writes it: CP932, CR LF.
QByteArray file(const QStringList& lines) {
    return cp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

const QString Header = QStringLiteral("社員名,社員番号,性別,賃金等級,生年月日,入社日");

// A company counting ages to 2023-04-01, with the delivered marks.
ImportContext company(AgeBase base = {0, 20230401}) {
    ImportContext c;
    c.ageBase = base;
    const char* const marks[][2] = {{"■", "男子営業"}, {"□", "女子営業"}, {"●", "男子事務"},
                                    {"○", "女子事務"}, {"▲", "男子技術"}, {"△", "女子技術"}};
    for (int m = 1; m <= 6; ++m) {
        c.marks[size_t(m)].MKCO = m;
        c.marks[size_t(m)].MARK = QString::fromUtf8(marks[m - 1][0]);
        c.marks[size_t(m)].HANREI = QString::fromUtf8(marks[m - 1][1]);
    }
    return c;
}

} // namespace

class TestEmployeeCsv : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitsLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("plain") << "a,b,c" << QStringList{"a", "b", "c"};
        QTest::newRow("not trimmed") << " a , b" << QStringList{" a ", " b"};
        QTest::newRow("empty fields") << ",x,,y" << QStringList{"", "x", "", "y"};
        QTest::newRow("comma at the end opens nothing") << "a,b," << QStringList{"a", "b"};
        QTest::newRow("quoted comma") << "\"山田,太郎\",2" << QStringList{"山田,太郎", "2"};
        QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\",x" << QStringList{"say \"hi\"", "x"};
        QTest::newRow("quote then comma inside") << "\"x\"\",y\",z" << QStringList{"x\",y", "z"};
        QTest::newRow("only a quote") << "\"\"\"\"" << QStringList{"\""};
        QTest::newRow("empty quoted") << "\"\",a" << QStringList{"", "a"};
        QTest::newRow("unterminated quote") << "\"abc,def" << QStringList{"abc,def"};
        QTest::newRow("leading backslash dropped") << "\\abc,\\" << QStringList{"abc", ""};
        QTest::newRow("backslash inside kept") << "a\\b" << QStringList{"a\\b"};
        QTest::newRow("empty line") << "" << QStringList{};
    }
    void splitsLines() {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QCOMPARE(SplitCsvLine(line), fields);
    }

    void quotingRoundTrips() {
        for (const QString& text :
             {QStringLiteral("a,b"), QStringLiteral("\""), QStringLiteral("A \"B\", C"),
              QStringLiteral("O'Brien"), QStringLiteral("\\x"), QString()}) {
            const QStringList back = SplitCsvLine(QuoteCsvField(text) + QStringLiteral(",1"));
            QCOMPARE(back, (QStringList{text, QStringLiteral("1")}));
        }
    }

    void cp932KeepsTheTroublesomeCharacters() {
        // ソ 表 能 have 0x5C as second byte; ～ and ① are CP932's own codes.
        const QString text = QStringLiteral("ソ表能～①\\~ｶﾅ髙");
        QByteArray bytes;
        QVERIFY(Cp932::encode(text, bytes));
        QCOMPARE(bytes.left(6), QByteArray("\x83\x5C\x95\x5C\x94\x5C"));
        QString back;
        QVERIFY(Cp932::decode(bytes, back));
        QCOMPARE(back, text);
        // A line split after decoding keeps them whole.
        QString decoded;
        QVERIFY(DecodeTextFile(cp932(QStringLiteral("ソ表能,\"表,能\"")), decoded));
        QCOMPARE(SplitCsvLine(decoded), (QStringList{"ソ表能", "表,能"}));
    }

    void cp932RefusesWhatItCannotHold() {
        QByteArray bytes;
        qsizetype bad = -1;
        QVERIFY(!Cp932::encode(QStringLiteral("吉田𠮷子"), bytes, &bad));
        QCOMPARE(bad, 2);
        QCOMPARE(Cp932::characterAt(QStringLiteral("吉田𠮷子"), bad), QStringLiteral("𠮷"));
        // The wave dash would come back as the full-width tilde: refused, not changed.
        QVERIFY(!Cp932::encode(QStringLiteral("10〜20"), bytes, &bad));
        QCOMPARE(bad, 2);
        QVERIFY(!Cp932::encode(QStringLiteral("€"), bytes, &bad));
    }

    void decodesFilesByTheirMark() {
        QString text;
        int line = 0;
        QVERIFY(DecodeTextFile(QByteArray("\xEF\xBB\xBF") + QStringLiteral("社員名\r\nソ").toUtf8(),
                               text, &line));
        QCOMPARE(text, QStringLiteral("社員名\r\nソ"));
        // A file without the mark is CP932; UTF-8 bytes there are a fault with its line.
        QVERIFY(!DecodeTextFile(QByteArray("a\r\nb\r\n") + QStringLiteral("\xE2\x80\x8B").toUtf8() +
                                    QStringLiteral("€").toUtf8(),
                                text, &line));
        QCOMPARE(line, 3);
        QVERIFY(!DecodeTextFile(QByteArray("\xEF\xBB\xBF"
                                           "ok\n\xFF\xFE\n"),
                                text, &line));
        QCOMPARE(line, 2);
    }

    void mapsTheHeader() {
        ImportRead r = ReadImportFile(
            file({QStringLiteral("社員名,社員番号,備考"), QStringLiteral("山田,A1,メモ,余り")}));
        QCOMPARE(r.result, ImportRead::Ok);
        QCOMPARE(r.sheet.rows.size(), 1);
        QCOMPARE(r.sheet.rows[0][ImpName], QStringLiteral("山田"));
        QCOMPARE(r.sheet.rows[0][ImpNumber], QStringLiteral("A1"));
        QVERIFY(!r.sheet.rows[0].contains(QStringLiteral("メモ")));
        QVERIFY(!r.sheet.rows[0].contains(QStringLiteral("余り")));
        QCOMPARE(r.sheet.lines[0], 2);

        QCOMPARE(ReadImportFile(file({QStringLiteral("名前,番号")})).result,
                 ImportRead::NoKnownHeader);
        QCOMPARE(ReadImportFile(QByteArray()).result, ImportRead::Empty);
        QCOMPARE(ReadImportFile(QByteArray("\xEF\xBB\xBF")).result, ImportRead::Empty);
        // The status column is the program's own; a file cannot fill it.
        QCOMPARE(ReadImportFile(file({QStringLiteral("状態")})).result, ImportRead::NoKnownHeader);
        // A header alone is refused as an empty file: nothing to store, nothing to replace.
        ImportRead none = ReadImportFile(file({Header}));
        QCOMPARE(none.result, ImportRead::Empty);
        QCOMPARE(ImportReadProblem(none, QStringLiteral("a.csv")),
                 QStringLiteral("a.csv　にはデータが有りません。"));
    }

    void checksRows() {
        ImportRead r = ReadImportFile(file({
            Header,
            QStringLiteral("甲,1,1,3,1980/4/1,2001/04/01"), // fine
            QStringLiteral("乙,2,男性,10,,"),               // grade above 9
            QStringLiteral("丙,3,F,abc,,"),                 // grade not a number
            QStringLiteral("丁,4,0,,1980-04-01,"),          // not year/month/day
            QStringLiteral(""),                             // empty line
            QStringLiteral("戊,5,,0,0,0"),                  // exported "no date"
            QStringLiteral("己,6,TRUE,-1,1981/2/30,"),      // no such day, negative grade
            QStringLiteral("庚,7,,-3,,"),                   // negative grade alone
        }));
        QCOMPARE(r.result, ImportRead::Ok);
        QCOMPARE(CheckImportSheet(r.sheet, company()), 6);
        const QStringList status = [&] {
            QStringList s;
            for (const QStringList& row : r.sheet.rows)
                s << row[ImpStatus];
            return s;
        }();
        QCOMPARE(status,
                 (QStringList{"", "ERROR", "ERROR", "ERROR", "ERROR", "", "ERROR", "ERROR"}));
        QVERIFY(r.sheet.faults[1].join("").contains(QStringLiteral("賃金等級")));
        QCOMPARE(r.sheet.faults[6].size(), 2);
        QCOMPARE(r.sheet.faults[7],
                 QStringList{QStringLiteral("賃金等級「-3」が 0 より小さい値です")});
        QCOMPARE(r.sheet.faults[4].size(), 2); // neither name nor number
        QCOMPARE(r.sheet.lines[4], 6);

        QStringList sexes;
        for (const QStringList& row : r.sheet.rows)
            sexes << row[ImpSex];
        QCOMPARE(sexes, (QStringList{"男", "男", "女", "女", "女", "女", "男", "女"}));
    }

    void sexWordsAndIds_data() {
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QString>("normalised");
        for (const char* male : {"男", "男性", "True", "true", "TRUE", "1", "-1"})
            QTest::newRow(male) << QString::fromUtf8(male) << QStringLiteral("男");
        for (const char* female : {"女", "F", "0", "", "false", "male", "男 "})
            QTest::newRow(female) << QString::fromUtf8(female) << QStringLiteral("女");
    }
    void sexWordsAndIds() {
        QFETCH(QString, sex);
        QFETCH(QString, normalised);
        ImportSheet sheet;
        QStringList row;
        row.resize(ImportColumnCount);
        row[ImpName] = QStringLiteral("x");
        row[ImpNumber] = QStringLiteral("1");
        row[ImpSex] = sex;
        sheet.rows << row;
        CheckImportSheet(sheet, company());
        QCOMPARE(sheet.rows[0][ImpSex], normalised);
        QCOMPARE(ToImportedEmployee(sheet.rows[0], company()).SEIBETSU, normalised == "男" ? 0 : 1);
    }

    void officeAndJobIdsAreTestedOnly() {
        ImportRead r = ReadImportFile(
            file({QStringLiteral("社員名,社員番号,本支店ID,職務ID"), QStringLiteral("a,1,12,0"),
                  QStringLiteral("b,2,x,"), QStringLiteral("c,3,,1.5")}));
        QCOMPARE(CheckImportSheet(r.sheet, company()), 2);
        QCOMPARE(r.sheet.rows[0][ImpStatus], QString());
    }

    void convertsRowsForStoring() {
        ImportRead r = ReadImportFile(
            file({QStringLiteral("社員名,社員番号,社内身分,生年月日,入社日,賃金等級,公的資格,配属"),
                  QStringLiteral("甲,007,パート,1985/1/2,0,,簿記,営業"),
                  QStringLiteral("乙,8,派遣,,2010/12/31,4,,")}));
        CheckImportSheet(r.sheet, company());
        const ImportedEmployee a = ToImportedEmployee(r.sheet.rows[0], company());
        QCOMPARE(a.SCOT, QStringLiteral("007"));
        QCOMPARE(a.SM1, 3);
        QCOMPARE(a.SM2, QStringLiteral("パート"));
        QCOMPARE(a.SEIHI, 19850102);
        QCOMPARE(a.NYUHI, 0);
        QCOMPARE(a.TOUKYU, 0);
        QCOMPARE(a.KSIKAKU, QStringLiteral("簿記"));
        const ImportedEmployee b = ToImportedEmployee(r.sheet.rows[1], company());
        QCOMPARE(b.SM1, 0);
        QCOMPARE(b.SM2, QStringLiteral("派遣"));
        QCOMPARE(b.SEIHI, 0);
        QCOMPARE(b.NYUHI, 20101231);
        QCOMPARE(b.TOUKYU, 4);
    }

    // Ages and service are counted to the company's age base when the rows are taken; a date
    // after the base is a warning that does not stop the import.
    void agesAndLateDates() {
        ImportRead r = ReadImportFile(
            file({QStringLiteral("社員名,社員番号,生年月日,入社日,賃金等級"),
                  QStringLiteral("甲,1,1980/4/1,2001/4/2,3"), // 43, 21 on 2023-04-01
                  QStringLiteral("乙,2,1980/4/2,2023/4/1,3"), // 42, 0
                  QStringLiteral("丙,3,2030/1/1,2024/4/1,1"), // both after the base
                  QStringLiteral("丁,4,,2023/4/2,10")}));     // late and faulty: ERROR wins
        QCOMPARE(CheckImportSheet(r.sheet, company()), 1);
        const QVector<ImportedEmployee>& e = r.sheet.employees;
        QCOMPARE(QVector<int>({e[0].NENREI, e[0].KINZOKU, e[1].NENREI, e[1].KINZOKU}),
                 QVector<int>({43, 21, 42, 0}));
        QCOMPARE(QVector<int>({e[2].NENREI, e[2].KINZOKU}), QVector<int>({-7, -1}));
        QCOMPARE(r.sheet.rows[0][ImpStatus], QString());
        QCOMPARE(r.sheet.rows[1][ImpStatus], QString());
        QCOMPARE(r.sheet.rows[2][ImpStatus], ImportWarnStatus());
        QCOMPARE(r.sheet.warnings[2],
                 (QStringList{QStringLiteral("生年月日「2030/1/1」が基準年月日 2023.04.01 より後で"
                                             "す（年齢 -7）"),
                              QStringLiteral("入社日「2024/4/1」が基準年月日 2023.04.01 より後です"
                                             "（勤続 -1）")}));
        QCOMPARE(r.sheet.rows[3][ImpStatus], ImportErrorStatus());
        QCOMPARE(r.sheet.warnings[3].size(), 1);
        // No date is no age, never a negative one.
        QCOMPARE(e[3].NENREI, 0);

        // Counted to today when the company says so (2023-04-01 is in the past by then).
        ImportRead t =
            ReadImportFile(file({Header, QStringLiteral("甲,1,男,1,2000/1/1,2099/1/1")}));
        CheckImportSheet(t.sheet, company({1, 20230401}));
        QVERIFY(t.sheet.employees[0].NENREI >= 23);
        QVERIFY(t.sheet.warnings[0].join("").contains(QStringLiteral("本日 より後")));
    }

    // The twelfth column names the mark by code, symbol or legend; eleven columns give none.
    void markColumn() {
        ImportRead r = ReadImportFile(file({
            QStringLiteral("社員名,社員番号,マーク"),
            QStringLiteral("a,1,3"),
            QStringLiteral("b,2,女子技術"),
            QStringLiteral("c,3,□"),
            QStringLiteral("d,4,"),
            QStringLiteral("e,5,0"),
            QStringLiteral("f,6,7"),
            QStringLiteral("g,7,赤"),
            QStringLiteral("h,8,-1"),
        }));
        QCOMPARE(CheckImportSheet(r.sheet, company()), 3);
        QVector<int> codes;
        for (const ImportedEmployee& e : r.sheet.employees)
            codes << e.MCO;
        QCOMPARE(codes, (QVector<int>{3, 6, 2, 0, 0, 0, 0, 0}));
        QCOMPARE(r.sheet.faults[5],
                 QStringList{QStringLiteral("マーク「7」はマークのコード（1～6）でも名前でもありま"
                                            "せん")});
        // A company whose mark 2 has no legend does not match an empty cell to it.
        ImportContext bare = company();
        bare.marks[2].HANREI.clear();
        QCOMPARE(ImportedMarkCode(QString(), bare.marks), 0);
        QCOMPARE(ImportedMarkCode(QStringLiteral(" 男子営業 "), bare.marks), 1);

        ImportRead plain = ReadImportFile(file({Header, QStringLiteral("甲,1,男,1,,")}));
        QCOMPARE(CheckImportSheet(plain.sheet, company()), 0);
        QCOMPARE(plain.sheet.employees[0].MCO, 0);
    }

    // Texts the employee screen could not hold are refused with the field named, never cut:
    // control characters, more characters than the screen's field, a quote never closed.
    void refusesTextsTheScreenCannotHold() {
        QString nul = QStringLiteral("A");
        nul += QChar(0);
        nul += QStringLiteral("B");
        const QString twenty = QString(20, QChar(0x5C71)); // 山 × 20: fits
        const QString surrogates = QString(19, QChar(0x5C71)) + QStringLiteral("𠮷"); // 20 too
        ImportRead r = ReadImportFile(file({
            QStringLiteral("社員番号,社員名,賃金等級,役職"),
            QStringLiteral("Z0001,") + nul + QStringLiteral(",1,"),
            QStringLiteral("Z0002,") + twenty + QStringLiteral(",1,"),
            QStringLiteral("Z0003,\"名前,1"),
            QStringLiteral("Z0004,a,1,") + QString(21, QLatin1Char('x')),
            QStringLiteral("Z0005,b\tc,1,"),
            QString(100000, QLatin1Char('9')) + QStringLiteral(",d,1,"),
        }));
        // The CP932 file cannot hold 𠮷; the count by characters is tested on its own.
        QCOMPARE(CheckFieldText(surrogates, QStringLiteral("社員名"), 20), QString());
        QCOMPARE(r.result, ImportRead::Ok);
        QCOMPARE(CheckImportSheet(r.sheet, company()), 5);
        QCOMPARE(r.sheet.faults[0],
                 QStringList{QStringLiteral("社員名に制御文字（NUL）があります")});
        QCOMPARE(r.sheet.rows[1][ImpStatus], QString());
        QCOMPARE(r.sheet.employees[1].SNA, twenty);
        QCOMPARE(r.sheet.faults[2].first(), QStringLiteral("引用符（\"）が閉じていません"));
        QCOMPARE(r.sheet.faults[3],
                 QStringList{QStringLiteral("役職が 20 文字を超えています（21 文字）")});
        QCOMPARE(r.sheet.faults[4],
                 QStringList{QStringLiteral("社員名に制御文字（TAB）があります")});
        QCOMPARE(r.sheet.faults[5],
                 QStringList{QStringLiteral("社員番号が 10 文字を超えています（100000 文字）")});
    }

    void writesTheExportFile() {
        ExportRow a;
        a.SCO = 7;
        a.SCOT = QStringLiteral("A\"1");
        a.SNA = QStringLiteral("山田,ソ表能");
        a.SEIBETSU = 1;
        a.SM2 = QStringLiteral("正社員");
        a.SEIHI = 19800401;
        a.TOUKYU = 3;
        ExportRow b;
        b.SCO = 8;
        b.SNA = QStringLiteral("①～");
        const ExportEncoding e = EncodeEmployeeCsv({a, b});
        QVERIFY(e.ok);
        QString text;
        QVERIFY(Cp932::decode(e.bytes, text));
        QCOMPARE(
            text,
            QStringLiteral(
                "社員番号,社員名,役職,性別,学歴,専攻,職務経験,社内身分,生年月日,入社日,賃金等級\r\n"
                "\"A\"\"1\",\"山田,ソ表能\",\"\",\"女\",\"\",\"\",\"\",\"正社員\","
                "\"1980/04/01\",\"0\",3\r\n"
                "\"\",\"①～\",\"\",\"男\",\"\",\"\",\"\",\"\",\"0\",\"0\",0\r\n"));
    }

    // 社内身分 is written from the kind code the employee screen stores; the mark column only
    // when asked, and the file reads back into the same values.
    void exportKindAndMark() {
        QCOMPARE(ExportKindText(2, QString()), QStringLiteral("正社員"));
        QCOMPARE(ExportKindText(4, QStringLiteral("嘱託")), QStringLiteral("その他"));
        QCOMPARE(ExportKindText(0, QStringLiteral("嘱託")), QStringLiteral("嘱託"));
        QCOMPARE(ExportKindText(0, QString()), QString());
        ExportRow a;
        a.SCOT = QStringLiteral("A1");
        a.SNA = QStringLiteral("甲");
        a.SM1 = 1;
        a.MCO = 5;
        a.SEIHI = 19800401;
        const ExportEncoding e = EncodeEmployeeCsv({a}, true);
        QVERIFY(e.ok);
        QString text;
        QVERIFY(Cp932::decode(e.bytes, text));
        QCOMPARE(text, QStringLiteral("社員番号,社員名,役職,性別,学歴,専攻,職務経験,社内身分,"
                                      "生年月日,入社日,賃金等級,マーク\r\n"
                                      "\"A1\",\"甲\",\"\",\"男\",\"\",\"\",\"\",\"役員\","
                                      "\"1980/04/01\",\"0\",0,5\r\n"));
        ImportRead back = ReadImportFile(e.bytes);
        QCOMPARE(CheckImportSheet(back.sheet, company()), 0);
        const ImportedEmployee b = back.sheet.employees[0];
        QCOMPARE(QVector<int>({b.SM1, b.MCO, int(b.SEIHI), b.NENREI}),
                 QVector<int>({1, 5, 19800401, 43}));
    }

    void exportReportsWhatCp932CannotHold() {
        ExportRow a;
        a.SCO = 12;
        a.SNA = QStringLiteral("吉田");
        a.KEIKEN = QStringLiteral("営業〜企画");
        const ExportEncoding e = EncodeEmployeeCsv({a});
        QVERIFY(!e.ok);
        QVERIFY(e.bytes.isEmpty());
        QVERIFY2(e.problem.contains(QStringLiteral("社員コード 12")), qPrintable(e.problem));
        QVERIFY(e.problem.contains(QStringLiteral("吉田")));
        QVERIFY(e.problem.contains(QStringLiteral("「職務経験」")));
        QVERIFY(e.problem.contains(QStringLiteral("「〜」")));
    }

    void payFollowsTheBoxes() {
        EmployeeRecord e;
        e.KKYU = {Currency(), Currency::fromInt(100000), Currency::fromInt(50000),
                  Currency::fromInt(1000)};
        e.NKKYU = {Currency(), Currency::fromInt(102000), Currency::fromInt(50000), Currency()};
        e.TEATE[1] = Currency::fromInt(10000);
        e.TEATE[5] = Currency::fromInt(500);
        e.NTEATE[1] = Currency::fromInt(12000);
        e.SYOUYO = Currency::fromInt(300000);
        e.SYOUYO2 = Currency::fromInt(400000);
        const EmployeePay p = ComputeEmployeePay(e);
        QCOMPARE(p.baseBefore, Currency::fromInt(151000));
        QCOMPARE(p.allowanceBefore, Currency::fromInt(10500));
        QCOMPARE(p.scheduledBefore, Currency::fromInt(161500));
        QCOMPARE(p.scheduledAfter, Currency::fromInt(164000));
        // Both annual figures use the same two bonuses.
        QCOMPARE(p.annualBefore, Currency::fromInt(300000 + 161500 * 12 + 400000));
        QCOMPARE(p.annualAfter, Currency::fromInt(300000 + 164000 * 12 + 400000));
        QCOMPARE(p.baseRaise, Currency::fromInt(1000));
        QCOMPARE(p.allowanceRaise, Currency::fromInt(1500));
        QCOMPARE(MoneyBoxText(Currency::fromInt(1234567)), QStringLiteral("1,234,567"));
        QCOMPARE(MoneyBoxText(-Currency::fromInt(2000)), QStringLiteral("-2,000"));
        QCOMPARE(RetirementRateText(Currency::fromString(QStringLiteral("1234.5675"))),
                 QStringLiteral("1,234.568"));
        QCOMPARE(RetirementRateText(Currency::fromString(QStringLiteral("-0.25"))),
                 QStringLiteral("-0.250"));
    }
};

QTEST_GUILESS_MAIN(TestEmployeeCsv)
#include "test_employee_csv.moc"
