// tesvane-cli report and wage-table --pdf: the printed reports as PDF files without a display,
// and every way they refuse, leaving an older file and the databases as they were.

#include "support/data/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

// The program folder of a test gets the shipped layouts, as the build lays them out.
void placeLayouts(const TestEnvironment& env) {
    const QString from = QFINDTESTDATA(QStringLiteral("../../resources/report/PrintSalaryList.jfm"))
                             .section('/', 0, -2);
    const QStringList files = QDir(from).entryList({QStringLiteral("*.jfm")}, QDir::Files);
    if (files.size() < 4) // the four these reports use, and any others
        qFatal("the shipped layouts are not at %s", qPrintable(from));
    for (const QString& f : files)
        if (!QFile::copy(from + QLatin1Char('/') + f, env.appDir() + QStringLiteral("Report/") + f))
            qFatal("cannot copy %s", qPrintable(f));
}

QStringList report(const TestEnvironment& env, const QString& kind, const QString& pdf,
                   const QStringList& more = {}) {
    return QStringList{QStringLiteral("--data"),    env.appDir(),
                       QStringLiteral("report"),    kind,
                       QStringLiteral("--company"), QStringLiteral("1"),
                       QStringLiteral("--year"),    QStringLiteral("2023"),
                       QStringLiteral("--pdf"),     pdf} +
           more;
}

QString pdfText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QByteArray digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

class TestCliReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void groupReports() {
        TestEnvironment env;
        placeLayouts(env);
        const QByteArray data = digest(env.dataPath());
        const QString pdf = env.appDir() + QStringLiteral("wage.pdf");
        CliRun r = runCli(report(env, QStringLiteral("salary"), pdf,
                                 {QStringLiteral("--marks"), QStringLiteral("1-2"),
                                  QStringLiteral("--grades"), QStringLiteral("3-5")}));
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(r.out.startsWith(QStringLiteral("FILE,PAGES\n") + pdf + QLatin1Char(',')));
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(QStringLiteral("グループ別社員賃金レポート")));
        // (pdftotext reads the font's wave dash for the full-width tilde)
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("／ 主任 [～〜] 課長"))));
        const QStringList inside = env.rows(
            TDM::ACN2, QStringLiteral("SELECT SCOT FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023 AND "
                                      "MCO BETWEEN 1 AND 2 AND TOUKYU BETWEEN 3 AND 5"));
        const QStringList outside = env.rows(
            TDM::ACN2, QStringLiteral("SELECT SCOT FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023 AND "
                                      "(MCO > 2 OR TOUKYU NOT BETWEEN 3 AND 5)"));
        QVERIFY(!inside.isEmpty() && !outside.isEmpty());
        for (const QString& code : inside)
            QVERIFY2(text.contains(code), qPrintable(code));
        for (const QString& code : outside)
            QVERIFY2(!text.contains(code), qPrintable(code));

        r = runCli(report(env, QStringLiteral("raise"), env.appDir() + QStringLiteral("up.pdf")));
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(pdfText(env.appDir() + QStringLiteral("up.pdf"))
                    .contains(QStringLiteral("グループ別社員昇給レポート")));

        const QString table = env.appDir() + QStringLiteral("table.pdf");
        r = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("wage-table"),
                    QStringLiteral("--company"), QStringLiteral("1"), QStringLiteral("--year"),
                    QStringLiteral("2023"), QStringLiteral("--pdf"), table});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(pdfText(table).contains(QStringLiteral("2023年度 職能給表")));
        // Printing reads only; no work file is left in Report/.
        QCOMPARE(digest(env.dataPath()), data);
        QVERIFY(QDir(env.appDir() + QStringLiteral("Report")).entryList({"*.rdf"}).isEmpty());
    }

    // Employees no range can include (no mark, a grade outside 1-9) are counted on standard
    // error, whatever the ranges chosen; the others print as before, with status 0. With
    // nobody left to print, the count comes before the refusal.
    void leftOutEmployeesOnStandardError() {
        TestEnvironment env;
        placeLayouts(env);
        const QString pdf = env.appDir() + QStringLiteral("wage.pdf");
        const QStringList narrow = {QStringLiteral("--marks"), QStringLiteral("1-2")};
        CliRun r = runCli(report(env, QStringLiteral("salary"), pdf, narrow));
        QVERIFY2(r.status == 0 && r.err.isEmpty(), qPrintable(r.err));
        const QString before = pdfText(pdf);

        env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN1 SET MCO = 0 WHERE KCO = 1 AND "
                                           "NENDO = 2023 AND SCO IN (2, 3)"));
        env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN2 SET TOUKYU = 0 WHERE KCO = 1 AND "
                                           "NENDO = 2023 AND SCO IN (3, 4)"));
        const QString leftOut =
            QStringLiteral("対象外の社員が 3名あります（マークなし 2名、等級が範囲外 1名）。\n");
        r = runCli(report(env, QStringLiteral("salary"), pdf, narrow));
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, leftOut);
        // A0002 (mark 6), A0003 (mark 5) and A0004 (mark 3) were never on these pages.
        QCOMPARE(pdfText(pdf), before);

        env.exec(TDM::ACN2,
                 QStringLiteral("UPDATE MSYAIN1 SET MCO = 0 WHERE KCO = 1 AND NENDO = 2023"));
        r = runCli(report(env, QStringLiteral("raise"), pdf));
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral(
                            "対象外の社員が 60名あります（マークなし 60名、等級が範囲外 0名）。\n"
                            "tesvane-cli: 印刷対象データは有りません。\n"));
    }

    // Nothing to print, a broken or missing layout, a file that cannot be written: a message on
    // standard error, a non-zero status, and the file at the path left as it was.
    void refusals() {
        TestEnvironment env;
        placeLayouts(env);
        const QString pdf = env.appDir() + QStringLiteral("old.pdf");
        writeFile(pdf, "an older file");
        const QByteArray old = digest(pdf);

        CliRun r = runCli(report(env, QStringLiteral("salary"), pdf,
                                 {QStringLiteral("--grades"), QStringLiteral("9-9")}));
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("印刷対象データは有りません。")), qPrintable(r.err));

        const QString layout = env.appDir() + QStringLiteral("Report/PrintSyainUpList.jfm");
        writeFile(layout, "{ \"format\": \"tesvane-layout\", ");
        r = runCli(report(env, QStringLiteral("raise"), pdf));
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("帳票レイアウトに誤りがあります。\n") + layout),
                 qPrintable(r.err));
        QFile::remove(layout);
        r = runCli(report(env, QStringLiteral("raise"), pdf));
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("帳票レイアウトが見つかりません。\n") + layout),
                 qPrintable(r.err));

        env.exec(TDM::ACN2, QStringLiteral("DELETE FROM DCHINGIN2 WHERE KCO = 1"));
        r = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("wage-table"),
                    QStringLiteral("--company"), QStringLiteral("1"), QStringLiteral("--year"),
                    QStringLiteral("2023"), QStringLiteral("--pdf"), pdf});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("印刷対象データはありません。")));
        QCOMPARE(digest(pdf), old);

        const QString nowhere = env.appDir() + QStringLiteral("old.pdf/new.pdf");
        r = runCli(report(env, QStringLiteral("salary"), nowhere));
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("PDFファイルを作成できません。")),
                 qPrintable(r.err));
        QCOMPARE(digest(pdf), old);

        r = runCli(report(env, QStringLiteral("salary"), pdf,
                          {QStringLiteral("--company"), QStringLiteral("9")}));
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("企業マスターが存在しません。")));
        QCOMPARE(digest(pdf), old);

        for (const QStringList& wrong :
             {QStringList{QStringLiteral("--marks"), QStringLiteral("0-3")},
              QStringList{QStringLiteral("--marks"), QStringLiteral("3-1")},
              QStringList{QStringLiteral("--grades"), QStringLiteral("1-10")},
              QStringList{QStringLiteral("--grades"), QStringLiteral("1e3")},
              QStringList{QStringLiteral("--year")}}) {
            r = runCli(report(env, QStringLiteral("salary"), pdf, wrong));
            QVERIFY2(r.status == 2, qPrintable(wrong.join(' ')));
        }
        r = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("report"),
                    QStringLiteral("bonus"), QStringLiteral("--pdf"), pdf});
        QCOMPARE(r.status, 2);
        r = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("report"),
                    QStringLiteral("salary"), QStringLiteral("--company"), QStringLiteral("1"),
                    QStringLiteral("--year"), QStringLiteral("2023")});
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains(QStringLiteral("--pdf")));
        QCOMPARE(digest(pdf), old);
    }
};

QTEST_GUILESS_MAIN(TestCliReport)
#include "test_cli_report.moc"
