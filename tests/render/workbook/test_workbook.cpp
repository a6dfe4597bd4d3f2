// The workbook writer read back as a spreadsheet program reads it: values stay numbers with
// their formats, formulas carry their values, print settings survive, and a failed save
// leaves whatever was at the path untouched.
// Not on the server: it writes workbooks and opens no database.

#include "core/common/Currency.h"
#include "render/workbook/Workbook.h"
#include "support/core/XlsxReader.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

class TestWorkbook : public QObject {
    Q_OBJECT
private slots:
    void valuesFormatsAndLayoutReadBack();
    void sheetNamesAreMadeAcceptable();
    void failedSaveLeavesTheOldFile();
    void cellNames();
    void columnsAreAsWideAsTheirWidestShownValue();
};

void TestWorkbook::valuesFormatsAndLayoutReadBack() {
    QTemporaryDir dir;
    Xlsx::Workbook book;
    Xlsx::Sheet& s = book.addSheet(QStringLiteral("社員一覧"));
    s.merge(0, 0, 3, QStringLiteral("サンプル企業　2023年度"), Xlsx::titleStyle());
    s.text(1, 0, QStringLiteral("氏名"), Xlsx::headerStyle());
    s.text(1, 1, QStringLiteral("基本給"), Xlsx::headerStyle());
    s.text(1, 2, QStringLiteral("率"), Xlsx::headerStyle());
    s.text(2, 0, QStringLiteral("中村　誠"));
    s.money(2, 1, Currency::fromDouble(387700));
    s.number(2, 2, 0.0254, Xlsx::percentStyle());
    s.text(3, 0, QStringLiteral("O'Brien & <Co>"));
    s.number(3, 1, 1234567);
    s.formula(4, 1, QStringLiteral("SUM(B3:B4)"), 1622267, Xlsx::amountStyle(true));
    s.freeze(2);
    s.repeatRows(0, 1);
    book.addSheet(QStringLiteral("定義"));

    const QString path = dir.filePath(QStringLiteral("一覧.xlsx"));
    QString error;
    QVERIFY2(book.save(path, &error), qPrintable(error));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size() == 1); // no temp left

    XlsxReader r;
    QVERIFY2(r.open(path), qPrintable(r.error()));
    QCOMPARE(r.sheetNames(), QStringList({QStringLiteral("社員一覧"), QStringLiteral("定義")}));
    const XlsxSheet* sh = r.sheet(0);
    QCOMPARE(sh->text(QStringLiteral("A1")), QStringLiteral("サンプル企業　2023年度"));
    QVERIFY(sh->merges.contains(QStringLiteral("A1:D1")));
    QCOMPARE(sh->text(QStringLiteral("A3")), QStringLiteral("中村　誠"));
    QCOMPARE(sh->text(QStringLiteral("A4")), QStringLiteral("O'Brien & <Co>"));
    const XlsxCell* pay = sh->at(QStringLiteral("B3"));
    QVERIFY(pay && pay->isNumber);
    QCOMPARE(pay->number, 387700.0);
    QCOMPARE(pay->format, QStringLiteral("#,##0"));
    QCOMPARE(sh->at(QStringLiteral("C3"))->format, QStringLiteral("0.0%"));
    QCOMPARE(sh->number(QStringLiteral("C3")), 0.0254);
    const XlsxCell* sum = sh->at(QStringLiteral("B5"));
    QCOMPARE(sum->formula, QStringLiteral("SUM(B3:B4)"));
    QCOMPARE(sum->number, 1622267.0);
    QVERIFY(sum->bold);
    QVERIFY(sh->at(QStringLiteral("A2"))->bold);
    QCOMPARE(sh->frozenRows, 2);
    QCOMPARE(sh->printTitles, QStringLiteral("$1:$2"));
    QCOMPARE(sh->paperSize, 9);
    // The name column is wide enough for the longest name, counted in full-width characters.
    QVERIFY(sh->columnWidths.value(0) >= Xlsx::TextWidth(QStringLiteral("O'Brien & <Co>")));
    QVERIFY(sh->columnWidths.value(1) >= QStringLiteral("1,234,567").size());
}

// Numbers are measured as a reader shows them in their format (sign, decimals, per cent, the
// date's fixed width), the widest of either sign, and whole general numbers by their digits.
void TestWorkbook::columnsAreAsWideAsTheirWidestShownValue() {
    QTemporaryDir dir;
    Xlsx::Workbook book;
    Xlsx::Sheet& s = book.addSheet(QStringLiteral("幅"));
    for (double v : {99.94, -9.99, 5.5})
        s.number(s.rowCount(), 0, v, Xlsx::decimalStyle(1)); // "-10.0"
    for (double v : {0.1, 123456.789, -42.0})
        s.number(s.rowCount(), 1, v, Xlsx::textStyle()); // "123456.789"
    for (double v : {9999999.0, -12345678.4, 3.0})
        s.number(s.rowCount(), 2, v); // "-12345678"
    for (double v : {0.5, -1.25})
        s.number(s.rowCount(), 3, v, Xlsx::percentStyle()); // "-125.0%"
    s.date(s.rowCount(), 4, QDate(2024, 4, 1));
    s.text(s.rowCount(), 4, QStringLiteral("全角テキスト"));  // twelve units
    s.formula(s.rowCount(), 5, QStringLiteral("1E12"), 1e12); // "1000000000000"
    s.number(s.rowCount(), 6, 7);                             // narrow: the least width
    const QString path = dir.filePath(QStringLiteral("w.xlsx"));
    QString error;
    QVERIFY2(book.save(path, &error), qPrintable(error));
    XlsxReader r;
    QVERIFY2(r.open(path), qPrintable(r.error()));
    // The writer stores a width of w characters as Excel does: (7w + 5) / 7 in 1/256 steps.
    const auto stored = [](double w) { return std::floor((w * 7 + 5) / 7.0 * 256) / 256; };
    const QList<double> shown = {5, 10, 9, 7, 12, 13, 4};
    for (int c = 0; c < shown.size(); ++c)
        QCOMPARE(r.sheet(0)->columnWidths.value(c), stored(std::max(shown[c] + 2, 6.0)));
}

void TestWorkbook::sheetNamesAreMadeAcceptable() {
    Xlsx::Workbook book;
    book.addSheet(QStringLiteral("等級[1]/2:3*?"));
    book.addSheet(QStringLiteral("a").repeated(40));
    book.addSheet(QStringLiteral("A").repeated(40));
    book.addSheet(QString());
    QCOMPARE(book.sheets()[0].name(), QStringLiteral("等級_1__2_3__"));
    QCOMPARE(book.sheets()[1].name().size(), 31);
    QVERIFY(book.sheets()[2].name().endsWith(QStringLiteral("(2)")));
    QCOMPARE(book.sheets()[2].name().size(), 31);
    QVERIFY(!book.sheets()[3].name().isEmpty());
    QTemporaryDir dir;
    QString error;
    QVERIFY2(book.save(dir.filePath(QStringLiteral("n.xlsx")), &error), qPrintable(error));
}

void TestWorkbook::failedSaveLeavesTheOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.xlsx"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("previous workbook");
    }
    Xlsx::Workbook book;
    // A cell text beyond what a sheet may hold makes the writer fail half-way.
    book.addSheet(QStringLiteral("s")).text(0, 0, QString(40000, QLatin1Char('x')));
    QString error;
    QVERIFY(!book.save(path, &error));
    QVERIFY(error.startsWith(QStringLiteral("Excelファイルを書き込めません。")));
    QVERIFY(error.contains(path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("previous workbook"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    QVERIFY(!Xlsx::Workbook().save(dir.filePath(QStringLiteral("missing/x.xlsx")), &error));
    QVERIFY(error.startsWith(QStringLiteral("Excelファイルを作成できません。")));
}

void TestWorkbook::cellNames() {
    QCOMPARE(Xlsx::Sheet::cellName(0, 0), QStringLiteral("A1"));
    QCOMPARE(Xlsx::Sheet::cellName(9, 25), QStringLiteral("Z10"));
    QCOMPARE(Xlsx::Sheet::cellName(0, 26), QStringLiteral("AA1"));
    QCOMPARE(Xlsx::Sheet::cellName(0, 701), QStringLiteral("ZZ1"));
    QCOMPARE(Xlsx::Sheet::cellName(0, 702), QStringLiteral("AAA1"));
    QCOMPARE(Xlsx::Sheet::rangeName(2, 1, 8, 1), QStringLiteral("B3:B9"));
}

QTEST_GUILESS_MAIN(TestWorkbook)
#include "test_workbook.moc"
