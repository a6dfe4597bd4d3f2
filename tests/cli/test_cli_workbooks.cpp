// tesvane-cli --xlsx: the four workbooks written without a display, read back, the database
// untouched; and every way a workbook is refused, with nothing left behind.

#include "data/design/DesignStore.h"
#include "support/core/FormulaCheck.h"
#include "support/data/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

QByteArray digest(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

QStringList cli(const TestEnvironment& env, const QStringList& command, const QStringList& more) {
    return QStringList{QStringLiteral("--data"), env.appDir()} + command +
           QStringList{QStringLiteral("--company"), QStringLiteral("1"), QStringLiteral("--year"),
                       QStringLiteral("2023")} +
           more;
}

// "B3" for row 2, column 1.
QString cellName(int row, int col) {
    return QString(QChar('A' + col)) + QString::number(row + 1);
}

// The program folder of a test gets the shipped layouts, as the build lays them out.
void placeLayouts(const TestEnvironment& env) {
    const QString from = QFINDTESTDATA(QStringLiteral("../../resources/report/PrintSalaryList.jfm"))
                             .section('/', 0, -2);
    for (const QString& f : QDir(from).entryList({QStringLiteral("*.jfm")}, QDir::Files))
        if (!QFile::copy(from + QLatin1Char('/') + f, env.appDir() + QStringLiteral("Report/") + f))
            qFatal("cannot copy %s", qPrintable(f));
}

const XlsxSheet* firstSheet(XlsxReader& r, const QString& path) {
    if (!r.open(path))
        qFatal("unreadable workbook %s: %s", qPrintable(path), qPrintable(r.error()));
    return r.sheet(0);
}

} // namespace

class TestCliWorkbooks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyWorkbookLeavesTheDatabaseAlone();
    void refusalsLeaveNoFile();
};

void TestCliWorkbooks::everyWorkbookLeavesTheDatabaseAlone() {
    TestEnvironment env;
    env.openDatabases();
    QVERIFY(env.openCompany(1, 2023));
    std::array<DesignCurve, DesignCount + 1> designs;
    designs[2].curve = 2;
    designs[2].drawn = true;
    designs[2].x = {0, 20, 40, 0, 0, 0, 0};
    designs[2].amount[1] = Currency::fromInt(180000);
    designs[2].amount[2] = Currency::fromInt(300000);
    QVERIFY(SaveDesigns({1, 2023}, 0, 2, designs, QString(), CurveStyle()).saved());
    env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MCHART (CHCO, KCO, NENDO, KNO, TITLE, FX, "
                                       "FY) VALUES (1050, 1, 2023, 1, '年齢カーブ', 0, 2)"));
    placeLayouts(env);
    const QByteArray data = digest(env.dataPath());
    const QString dir = env.appDir();

    struct Case {
        QStringList command;
        QString file;
        QString sheet;
        int rows;
    };
    const QList<Case> cases = {
        {{QStringLiteral("employees"), QStringLiteral("export")},
         QStringLiteral("社員.xlsx"),
         QStringLiteral("社員一覧"),
         60},
        {{QStringLiteral("wage-table")}, QStringLiteral("table.xlsx"), QStringLiteral("賃金表"), 0},
        {{QStringLiteral("report"), QStringLiteral("raise")},
         QStringLiteral("raise.xlsx"),
         QStringLiteral("グループ別社員昇給レポート"),
         60},
        {{QStringLiteral("design")}, QStringLiteral("design.xlsx"), QStringLiteral("昇給設計"), 21},
    };
    for (const Case& c : cases) {
        const QString path = dir + c.file;
        const CliRun r = runCli(cli(env, c.command, {QStringLiteral("--xlsx"), path}));
        QVERIFY2(r.status == 0, qPrintable(c.command.join(' ') + ": " + r.err));
        QVERIFY2(r.out.startsWith(QStringLiteral("FILE,ROWS\n") + path + QLatin1Char(',')),
                 qPrintable(r.out));
        if (c.rows > 0)
            QCOMPARE(r.out.trimmed().section(',', -1).toInt(), c.rows);
        XlsxReader reader;
        const XlsxSheet* s = firstSheet(reader, path);
        QCOMPARE(s->name, c.sheet);
        QVERIFY2(FormulaMismatches(*s).isEmpty(), qPrintable(FormulaMismatches(*s).join('\n')));
    }
    // The design's title and axis captions come from chart 1050's stored settings.
    XlsxReader design;
    const XlsxSheet* d = firstSheet(design, dir + QStringLiteral("design.xlsx"));
    QCOMPARE(d->text(QStringLiteral("A1")), QStringLiteral("年齢カーブ"));
    QCOMPARE(d->text(QStringLiteral("D4")), QStringLiteral("年齢"));

    // The report takes the PDF's filters, and writes both files when both are asked for.
    const QString pdf = dir + QStringLiteral("wage.pdf"), xlsx = dir + QStringLiteral("wage.xlsx");
    const CliRun both = runCli(cli(env, {QStringLiteral("report"), QStringLiteral("salary")},
                                   {QStringLiteral("--marks"), QStringLiteral("2-3"),
                                    QStringLiteral("--pdf"), pdf, QStringLiteral("--xlsx"), xlsx}));
    QVERIFY2(both.status == 0, qPrintable(both.err));
    QVERIFY(QFile::exists(pdf));
    XlsxReader wage;
    const XlsxSheet* w = firstSheet(wage, xlsx);
    QStringList counts;
    for (int row = 0; row < 200; ++row)
        if (w->text(cellName(row, 1)) == QStringLiteral("小計"))
            counts << QString::number(qint64(w->number(cellName(row, 2))));
    QCOMPARE(counts, env.rows(TDM::ACN2, QStringLiteral("SELECT COUNT(*) FROM VSYAIN WHERE KCO = 1 "
                                                        "AND NENDO = 2023 AND MCO BETWEEN 2 AND 3 "
                                                        "GROUP BY MCO ORDER BY MCO")));
    QCOMPARE(digest(env.dataPath()), data);
}

void TestCliWorkbooks::refusalsLeaveNoFile() {
    TestEnvironment env;
    env.openDatabases();
    const QString dir = env.appDir();

    // A folder that is not there: the save's message, exit 1, nothing written.
    const QString missing = dir + QStringLiteral("nofolder/list.xlsx");
    CliRun r = runCli(cli(env, {QStringLiteral("employees"), QStringLiteral("export")},
                          {QStringLiteral("--xlsx"), missing}));
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("Excelファイルを作成できません。\n") + missing),
             qPrintable(r.err));
    QVERIFY(!QFileInfo::exists(dir + QStringLiteral("nofolder")));

    // A failing save leaves an older workbook of the same name as it was.
    const QString old = dir + QStringLiteral("old.xlsx");
    {
        QFile f(old);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("older");
    }
    env.exec(TDM::ACN2, QStringLiteral("DELETE FROM DCHINGIN2 WHERE KCO = 1"));
    r = runCli(cli(env, {QStringLiteral("wage-table")}, {QStringLiteral("--xlsx"), old}));
    QCOMPARE(r.status, 1);
    QVERIFY(r.err.contains(QStringLiteral("印刷対象データはありません。")));
    QCOMPARE(digest(old), QCryptographicHash::hash("older", QCryptographicHash::Sha256));

    env.exec(TDM::ACN2, QStringLiteral("DELETE FROM MSYAIN2 WHERE KCO = 1 AND NENDO = 2023"));
    env.exec(TDM::ACN2, QStringLiteral("DELETE FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2023"));
    r = runCli(cli(env, {QStringLiteral("employees"), QStringLiteral("export")},
                   {QStringLiteral("--xlsx"), old}));
    QCOMPARE(r.status, 1);
    QVERIFY(r.err.contains(QStringLiteral("社員マスタは有りません。")));
    r = runCli(cli(env, {QStringLiteral("report"), QStringLiteral("salary")},
                   {QStringLiteral("--xlsx"), old}));
    QCOMPARE(r.status, 1);
    QVERIFY(r.err.contains(QStringLiteral("印刷対象データは有りません。")));
    r = runCli(cli(env, {QStringLiteral("design")}, {QStringLiteral("--xlsx"), old}));
    QCOMPARE(r.status, 1);
    QCOMPARE(digest(old), QCryptographicHash::hash("older", QCryptographicHash::Sha256));

    // Options that make no command.
    r = runCli(cli(env, {QStringLiteral("employees"), QStringLiteral("export")},
                   {QStringLiteral("--xlsx"), old, QStringLiteral("--out"), old}));
    QCOMPARE(r.status, 2);
    r = runCli(cli(env, {QStringLiteral("wage-table")}, {QStringLiteral("--xlsx")}));
    QCOMPARE(r.status, 2);
    r = runCli(cli(env, {QStringLiteral("report"), QStringLiteral("raise")}, {}));
    QCOMPARE(r.status, 2);
    QVERIFY(r.err.contains(QStringLiteral("--pdf FILE or --xlsx FILE")));
    QStringList files = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    files.removeAll(QStringLiteral("server.ini")); // the folder's server, on the test cluster
    QCOMPARE(files, QStringList{QStringLiteral("old.xlsx")});
}

QTEST_GUILESS_MAIN(TestCliWorkbooks)
#include "test_cli_workbooks.moc"
