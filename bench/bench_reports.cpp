// The group wage report of a 10,000-employee company: read, composed into its work file and
// saved as PDF, as the report screen and its preview do. Prints medians; run by hand:
// build/bench/bench_reports [runs]
#include "core/common/AppState.h"
#include "core/report/GroupReport.h"
#include "core/report/ReportCatalogue.h"
#include "data/report/GroupReportStore.h"
#include "data/report/ReportHeaders.h"
#include "render/report/ReportPainter.h"
#include "support/data/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// Wall-clock milliseconds; the processor time of the process goes into `cpu`, which tells the
// work apart from waiting on a machine other work shares.
template <typename F> double timed(F&& f, double* cpu = nullptr) {
    QElapsedTimer t;
    t.start();
    const std::clock_t c = std::clock();
    f();
    if (cpu)
        *cpu += double(std::clock() - c) * 1000.0 / CLOCKS_PER_SEC;
    return double(t.nsecsElapsed()) / 1e6;
}

// Copies of the sample's employees under new codes until the company has `total` of them.
void growCompany(TestEnvironment& env, int total) {
    for (const char* table : {"MSYAIN1", "MSYAIN2"}) {
        QStringList columns;
        for (const QString& row :
             env.rows(TDM::ACN2, QStringLiteral("SELECT name FROM pragma_table_info('%1')")
                                     .arg(QLatin1String(table))))
            columns << row;
        QStringList values;
        for (const QString& c : columns)
            values << (c == QStringLiteral("SCO")    ? QStringLiteral("SCO + 100000 * n.i")
                       : c == QStringLiteral("SCOT") ? QStringLiteral("SCOT || '-' || n.i")
                                                     : c);
        env.exec(TDM::ACN2,
                 QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                "WHERE i < 400) INSERT INTO %1 (%2) SELECT %3 FROM %1, n WHERE "
                                "KCO = 1 AND NENDO = 2023 AND SCO < 100000 ORDER BY n.i, SCO "
                                "LIMIT %4")
                     .arg(QLatin1String(table), columns.join(QLatin1Char(',')),
                          values.join(QLatin1Char(',')))
                     .arg(total - 60));
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    TestEnvironment env;
    env.setToday(QDate(2024, 4, 1));
    env.openDatabases();
    const QString layouts = QStringLiteral(TESVANE_APPDIR) + QStringLiteral("/Report/");
    for (const QString& f : QDir(layouts).entryList({QStringLiteral("*.jfm")}, QDir::Files))
        QFile::copy(layouts + f, env.appDir() + QStringLiteral("Report/") + f);
    growCompany(env, 10000);
    env.openCompany(1, 2023);

    std::vector<double> load, compose, pdf, total, cpu;
    bool ok = true;
    int pages = 0;
    for (int i = 0; i < runs; ++i) {
        std::optional<QVector<GroupReportEmployee>> employees;
        ReportEngine e;
        double processor = 0;
        const double l = timed(
            [&] {
                employees = LoadGroupReportEmployees({1, 2023}, {1, 6}, {1, 9});
            },
            &processor);
        ok = ok && employees && employees->size() == 10000;
        const double c = timed(
            [&] {
                PrepareReport(e, ReportId::GroupWage, env.appDir());
                ok = ok && ComposeGroupReport(
                               e, GroupReportKind::Wage,
                               GroupReportHeaderOf(env.project, QString(), QString()), *employees);
            },
            &processor);
        QString error;
        const double p = timed(
            [&] {
                ok = ok &&
                     WriteReportPdf(e.document(), env.appDir() + QStringLiteral("r.pdf"), &error);
            },
            &processor);
        if (!error.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(error));
        pages = e.pageCount();
        load.push_back(l);
        compose.push_back(c);
        pdf.push_back(p);
        total.push_back(l + c + p);
        cpu.push_back(processor);
    }
    if (!ok) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    std::printf("group wage report, 10,000 employees, %d pages, median over %d runs:\n", pages,
                runs);
    std::printf("  read from VSYAIN          %8.1f ms\n", median(load));
    std::printf("  compose + work file       %8.1f ms\n", median(compose));
    std::printf("  save as PDF               %8.1f ms\n", median(pdf));
    std::printf("  total                     %8.1f ms\n", median(total));
    std::printf("  total processor time      %8.1f ms\n", median(cpu));
    return 0;
}
