// The range analysis of a 10,000-employee company: the store's reads and the analysis, as the
// range screen and tesvane-cli range do; also the workbook composed and saved. Prints medians;
// run by hand: build/bench/bench_range [runs]
#include "data/analysis/RangeStore.h"
#include "render/workbook/RangeWorkbook.h"
#include "support/data/TestSupport.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

template <typename F> double timed(F&& f) {
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    TestEnvironment env;
    env.openDatabases();
    GrowSampleCompany(env, 10000);

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
                Median(analyse), runs);
    std::printf("range workbook, 10,000 employees (compose + save): median %.1f ms\n",
                Median(workbook));
    return 0;
}
