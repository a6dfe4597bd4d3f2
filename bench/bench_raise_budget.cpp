// The raise budget of a company of 10,000 employees: the raise input read with the wage-table
// amounts (the store) and the budget per grade, per mark and in total (the computation).
// Prints the median; run by hand: build/bench/bench_raise_budget [runs]
#include "BenchSupport.h"
#include "data/raise/RaiseBudgetStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    TestEnvironment env;
    GrowSampleCompany(env, 10000);
    env.openDatabases();

    const CompanyYear cy{1, 2023};
    std::vector<double> ms;
    int employees = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        RaiseBudgetSettings settings;
        QVector<RaiseRecord> input;
        if (LoadRaiseBudgetSettings(cy, settings) != LoadResult::Found ||
            !LoadRaiseBudgetInput(cy, input)) {
            std::fprintf(stderr, "bench_raise_budget: the store failed\n");
            return 1;
        }
        const RaiseBudget b = ComputeRaiseBudget(input, settings);
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
        employees = b.total.heads;
    }
    std::printf("raise budget, %d employees (settings + raise input + budget): median %.1f ms "
                "over %d runs\n",
                employees, Median(ms), runs);
    return 0;
}
