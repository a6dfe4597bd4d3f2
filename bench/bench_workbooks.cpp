// The employee workbook of a 10,000-employee company: read, composed and saved as the employee
// screen's "Excel保存" and `employees export --xlsx` do. Prints medians; run by hand:
// build/bench/bench_workbooks [runs]
#include "data/masters/EmployeeTransfer.h"
#include "data/report/ReportHeaders.h"
#include "render/workbook/EmployeeWorkbook.h"
#include "support/data/TestSupport.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

// Wall-clock milliseconds; the processor time of the process goes into `cpu`, which tells the
// work apart from waiting on a machine other work shares.
template <typename F> double timed(F&& f, double* cpu) {
    QElapsedTimer t;
    t.start();
    const std::clock_t c = std::clock();
    f();
    *cpu += double(std::clock() - c) * 1000.0 / CLOCKS_PER_SEC;
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    TestEnvironment env;
    env.setToday(QDate(2024, 4, 1));
    env.openDatabases();
    GrowSampleCompany(env, 10000);
    env.openCompany(1, 2023);
    const QString path = env.appDir() + QStringLiteral("社員一覧.xlsx");

    std::vector<double> load, compose, save, total, cpu;
    bool ok = true;
    for (int i = 0; i < runs; ++i) {
        std::optional<QVector<EmployeeSheetRow>> rows;
        Xlsx::Workbook book;
        double processor = 0;
        const double l = timed([&] { rows = LoadEmployeeSheet({1, 2023}); }, &processor);
        ok = ok && rows && rows->size() == 10000;
        const double c = timed(
            [&] {
                if (rows)
                    book = ComposeEmployeeWorkbook(EmployeeSheetHeaderOf(env.project), *rows);
            },
            &processor);
        QString error;
        const double s = timed([&] { ok = ok && book.save(path, &error); }, &processor);
        if (!error.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(error));
        load.push_back(l);
        compose.push_back(c);
        save.push_back(s);
        total.push_back(l + c + s);
        cpu.push_back(processor);
    }
    if (!ok) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    std::printf("employee workbook, 10,000 employees, median over %d runs:\n", runs);
    std::printf("  read from VSYAIN          %8.1f ms\n", Median(load));
    std::printf("  compose                   %8.1f ms\n", Median(compose));
    std::printf("  save .xlsx                %8.1f ms\n", Median(save));
    std::printf("  total                     %8.1f ms\n", Median(total));
    std::printf("  total processor time      %8.1f ms\n", Median(cpu));
    return 0;
}
