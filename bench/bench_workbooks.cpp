// The employee workbook of a 10,000-employee company: read, composed and saved as the employee
// screen's "Excel保存" and `employees export --xlsx` do. Prints medians; run by hand:
// build/bench/bench_workbooks [runs]
#include "data/masters/EmployeeTransfer.h"
#include "data/report/ReportHeaders.h"
#include "render/workbook/EmployeeWorkbook.h"
#include "support/data/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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
template <typename F> double timed(F&& f, double* cpu) {
    QElapsedTimer t;
    t.start();
    const std::clock_t c = std::clock();
    f();
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
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    TestEnvironment env;
    env.setToday(QDate(2024, 4, 1));
    env.openDatabases();
    growCompany(env, 10000);
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
    std::printf("  read from VSYAIN          %8.1f ms\n", median(load));
    std::printf("  compose                   %8.1f ms\n", median(compose));
    std::printf("  save .xlsx                %8.1f ms\n", median(save));
    std::printf("  total                     %8.1f ms\n", median(total));
    std::printf("  total processor time      %8.1f ms\n", median(cpu));
    return 0;
}
