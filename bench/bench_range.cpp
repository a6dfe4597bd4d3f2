// The range analysis of a 10,000-employee company: the store's reads and the analysis, as the
// range screen and tesvane-cli range do; also the workbook composed and saved. Prints medians;
// run by hand: build/bench/bench_range [runs]
#include "data/analysis/RangeStore.h"
#include "render/workbook/RangeWorkbook.h"
#include "support/data/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

template <typename F> double timed(F&& f) {
    QElapsedTimer t;
    t.start();
    f();
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
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    TestEnvironment env;
    env.openDatabases();
    growCompany(env, 10000);

    std::vector<double> analyse, workbook;
    bool ok = true;
    for (int i = 0; i < runs; ++i) {
        RangeReport report;
        analyse.push_back(timed([&] {
            ok = ok && LoadRangeReport(CompanyYear{1, 2023}, report) == RangeLoad::Loaded;
        }));
        ok = ok && report.analysis.employees.size() == 10000;
        const QString path = env.appDir() + QStringLiteral("range.xlsx");
        workbook.push_back(timed([&] {
            QString error;
            ok = ok && ComposeRangeWorkbook(report).save(path, &error);
        }));
    }
    if (!ok) {
        std::fprintf(stderr, "bench_range: the analysis or the workbook failed\n");
        return 1;
    }
    std::printf("range analysis, 10,000 employees (store + analysis): median %.1f ms over %d "
                "runs\n",
                median(analyse), runs);
    std::printf("range workbook, 10,000 employees (compose + save): median %.1f ms\n",
                median(workbook));
    return 0;
}
