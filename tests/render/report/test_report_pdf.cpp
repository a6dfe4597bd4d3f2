// The three reports of the sample company as PDF files, read back with pdftotext: company,
// titles, every employee and totals that match sums computed here from the database. Also
// what a PDF that cannot be written leaves behind.

#include "core/common/AppState.h"
#include "core/report/GroupReport.h"
#include "core/report/ReportCatalogue.h"
#include "core/report/WageTablePrint.h"
#include "data/report/GroupReportStore.h"
#include "data/report/ReportHeaders.h"
#include "data/wage/WageTableStore.h"
#include "render/report/ReportPainter.h"
#include "support/data/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString layouts() {
    return QFINDTESTDATA(QStringLiteral("../../../resources/report/PrintSalaryList.jfm"))
        .section(QLatin1Char('/'), 0, -2);
}

ReportDocument compose(ReportId id, const std::function<bool(ReportEngine&)>& run) {
    ReportEngine e;
    e.FormName(layouts() + QLatin1Char('/') + ReportFilesOf(id).layout);
    e.CharOverFlow(1);
    e.OutDevice(ReportEngine::Memory);
    e.DocName(ReportFilesOf(id).docName);
    if (!run(e))
        qFatal("composition failed: %s", qPrintable(e.error()));
    return e.document();
}

QString pdfText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        qFatal("pdftotext failed on %s", qPrintable(path));
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString grouped(qint64 v) {
    return ReportFormat::amount(v);
}

// The base-pay items with the employee's wage-table link applied, as SQL.
const QString BasePaySql = QStringLiteral(
    "(CASE WHEN JISEKI = 1 THEN KIN ELSE KKYU1 END + CASE WHEN JISEKI = 2 THEN KIN ELSE KKYU2 END"
    " + CASE WHEN JISEKI = 3 THEN KIN ELSE KKYU3 END)");
const QString NewBasePaySql = QStringLiteral(
    "(CASE WHEN JISEKI = 1 THEN NKIN ELSE NKKYU1 END + CASE WHEN JISEKI = 2 THEN NKIN ELSE "
    "NKKYU2 END + CASE WHEN JISEKI = 3 THEN NKIN ELSE NKKYU3 END)");

} // namespace

class TestReportPdf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sampleReports() {
        TestEnvironment env;
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
        const QString where = QStringLiteral(" FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023 AND "
                                             "MCO BETWEEN 1 AND 6 AND TOUKYU BETWEEN 1 AND 9");
        const QStringList codes = env.rows(TDM::ACN2, QStringLiteral("SELECT SCOT") + where);
        QVERIFY(codes.size() > 30);
        const std::optional<QVector<GroupReportEmployee>> employees =
            LoadGroupReportEmployees({1, 2023}, {1, 6}, {1, 9});
        QVERIFY(employees);
        QCOMPARE(employees->size(), codes.size());
        const GroupReportHeader header = GroupReportHeaderOf(env.project, QString(), QString());
        QTemporaryDir dir;

        // Wage report: the annual pay of everyone.
        const ReportDocument wage = compose(ReportId::GroupWage, [&](ReportEngine& e) {
            return ComposeGroupReport(e, GroupReportKind::Wage, header, *employees);
        });
        const QString wagePdf = dir.filePath(QStringLiteral("wage.pdf"));
        QString error;
        QVERIFY2(WriteReportPdf(wage, wagePdf, &error), qPrintable(error));
        const QString wageText = pdfText(wagePdf);
        const qint64 annual =
            env.scalar(TDM::ACN2, QStringLiteral("SELECT SUM((") + BasePaySql +
                                      QStringLiteral(" + TEATE1 + TEATE2 + TEATE3 + TEATE4 + "
                                                     "TEATE5) * 12 + SYOUYO + SYOUYO2)") +
                                      where)
                .toLongLong();
        QVERIFY(annual > 0);
        QVERIFY2(wageText.contains(grouped(annual)), qPrintable(grouped(annual)));
        QVERIFY(wageText.contains(QStringLiteral("グループ別社員賃金レポート")));
        QVERIFY(wageText.contains(QStringLiteral("サンプル企業")));
        QVERIFY(wageText.contains(QStringLiteral("職能給"))); // a column named by the company
        for (const QString& code : codes)
            QVERIFY2(wageText.contains(code), qPrintable(code));

        // Raise report: the total raise, counting 0 for whom no raise is entered yet.
        const ReportDocument raise = compose(ReportId::GroupRaise, [&](ReportEngine& e) {
            return ComposeGroupReport(e, GroupReportKind::Raise, header, *employees);
        });
        const QString raisePdf = dir.filePath(QStringLiteral("raise.pdf"));
        QVERIFY2(WriteReportPdf(raise, raisePdf, &error), qPrintable(error));
        const QString raiseText = pdfText(raisePdf);
        const qint64 raised =
            env.scalar(TDM::ACN2,
                       QStringLiteral("SELECT SUM(") + NewBasePaySql +
                           QStringLiteral(" + NTEATE1 + NTEATE2 + NTEATE3 + NTEATE4 + NTEATE5 - ") +
                           BasePaySql +
                           QStringLiteral(" - TEATE1 - TEATE2 - TEATE3 - TEATE4 - TEATE5)") +
                           where +
                           QStringLiteral(" AND NSYOTEI <> 0")) // no raise entered: a raise of 0
                .toLongLong();
        QVERIFY2(raiseText.contains(grouped(raised)), qPrintable(grouped(raised)));
        QVERIFY(raiseText.contains(QStringLiteral("グループ別社員昇給レポート")));
        QVERIFY(raiseText.contains(QStringLiteral("サンプル企業")));
        for (const QString& code : codes)
            QVERIFY2(raiseText.contains(code), qPrintable(code));
        // 昇号 as the raise input shows it: the stored steps, which the sample's decided raises
        // keep at 0, else the steps of the evaluation; "昇格" for a new grade.
        const QStringList raises = env.rows(
            TDM::ACN2,
            QStringLiteral("SELECT SCOT, HYOUKA, TOUKYU, GOUHOU, CASE WHEN NTOUKYU <> 0 AND "
                           "NTOUKYU <> TOUKYU THEN 0 ELSE 1 END, SGOUHOU, COALESCE((SELECT "
                           "MAX(H.SGOUSU) FROM MHYOUKA H WHERE H.KCO = V.KCO AND H.NENDO = "
                           "V.NENDO AND H.HCO = V.HCO), 0) FROM VSYAIN V WHERE V.KCO = 1 AND "
                           "V.NENDO = 2023 AND V.NSYOTEI <> 0"));
        QVERIFY(raises.size() > 30);
        int promotions = 0, fromEvaluation = 0;
        for (const QString& row : raises) {
            const QStringList c = row.split(QLatin1Char('|'));
            const bool promotion = c[4] == QStringLiteral("0");
            const QString steps = promotion                     ? QStringLiteral("昇格")
                                  : c[5] != QStringLiteral("0") ? c[5]
                                                                : c[6];
            promotions += promotion;
            fromEvaluation +=
                !promotion && c[5] == QStringLiteral("0") && c[6] != QStringLiteral("0");
            const QRegularExpression line(
                QStringLiteral("%1 .* %2 +%3 +%4 +%5 ").arg(c[0], c[1], c[2], c[3], steps));
            QVERIFY2(raiseText.contains(line), qPrintable(row + QStringLiteral(" ") + steps));
        }
        QVERIFY(promotions > 0 && fromEvaluation > 0);

        // Wage table: the average of grade 1 over its steps.
        const QVector<WageTableRow> rows = LoadStoredWageTable(1, 2023);
        QVERIFY(!rows.isEmpty());
        const ReportDocument table = compose(ReportId::WageTable, [&](ReportEngine& e) {
            return ComposeWageTablePrint(
                e, WageTablePrintHeaderOf(env.project, QStringLiteral("職能給表")), rows);
        });
        const QString tablePdf = dir.filePath(QStringLiteral("table.pdf"));
        QVERIFY2(WriteReportPdf(table, tablePdf, &error), qPrintable(error));
        const QString tableText = pdfText(tablePdf);
        const qint64 average = qRound64(
            env.scalar(TDM::ACN2, QStringLiteral("SELECT AVG(KIN1) FROM DCHINGIN2 WHERE KCO = 1 "
                                                 "AND NENDO = 2023 AND KIN1 <> 0"))
                .toDouble());
        QVERIFY2(tableText.contains(grouped(average)), qPrintable(grouped(average)));
        QVERIFY(tableText.contains(QStringLiteral("職能給表")));
        QVERIFY(tableText.contains(QStringLiteral("サンプル企業")));
        QVERIFY(tableText.contains(QStringLiteral("平均")));
        QVERIFY(tableText.contains(QStringLiteral("PAGE-1")));
    }

    // A PDF that cannot be written leaves the file that was there, and no partial file.
    void unwritablePdf() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.pdf"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the old file");
        old.close();
        QString error;
        QVERIFY(!WriteReportPdf(ReportDocument(), path, &error));
        QFile check(path);
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), QByteArray("the old file"));

        ReportDocument one;
        one.pages.resize(1);
        const QString nowhere = dir.filePath(QStringLiteral("old.pdf/inside.pdf"));
        QVERIFY(!WriteReportPdf(one, nowhere, &error));
        QVERIFY2(error.contains(nowhere), qPrintable(error));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.pdf")});
    }
};

QTEST_MAIN(TestReportPdf)
#include "test_report_pdf.moc"
