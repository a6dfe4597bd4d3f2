// The annual update of a company of 10,000 employees: every table copied into the next year,
// the employees rolled over and the new year's wage table generated, in one transaction.
// Prints the median; run by hand: build/bench/bench_annual_update [runs]
#include "BenchSupport.h"
#include "core/common/AppState.h"
#include "data/company/CompanyStore.h"
#include "data/raise/AnnualUpdate.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    TestEnvironment env;
    env.setToday(QDate(2024, 3, 31));
    GrowSampleCompany(env, 10000);
    env.openDatabases();
    const int employees =
        env.scalar(TDM::ACN2, QStringLiteral("SELECT count(*) FROM MSYAIN2 WHERE KCO = 1 AND "
                                             "NENDO = 2023"))
            .toInt();

    std::vector<double> ms;
    bool ok = true;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        const AnnualUpdateResult r = RunAnnualUpdate(1, 2023, 20240331);
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
        ok = ok && r.status == AnnualUpdateStatus::Done && r.employees == employees;
        ok = ok && DeleteCompany({1, 2024});
    }
    if (!ok) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    std::printf("annual update of %d employees (copy, roll-over, wage table): median %.1f ms over "
                "%d runs\n",
                employees, Median(ms), runs);
    return 0;
}
