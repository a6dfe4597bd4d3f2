// Generating and storing a full wage table: 9 grades over 91 steps (-10 to 80), as the
// wage-table screen's save does (head, scale set, curve set and 91 table rows in one
// transaction), on a fresh copy of the delivered data. Also times the generation alone.
// Prints medians; run by hand: build/bench/bench_wage_table [runs]
#include "core/common/AppState.h"
#include "core/wage/WageTableGenerator.h"
#include "data/wage/WageTableStore.h"
#include "support/data/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

WageTableDefinition fullTable(CurveMethod method) {
    WageTableDefinition d;
    d.head.gradeCount = 9;
    d.head.method = method;
    d.head.rounding = 1;
    d.head.scaleCode = d.head.secondCode = d.head.thirdCode = 1;
    d.second.rate = d.third.rate = Currency::fromString(QStringLiteral("1.012"));
    for (int g = 1; g <= 9; ++g) {
        const qint64 base = 150000 + 30000 * g;
        d.scale[size_t(g)] = {Currency::fromInt(-20), Currency::fromInt(base),
                              Currency::fromInt(30), Currency::fromString(QStringLiteral("1.63")),
                              Currency::fromInt(base / 2)};
        d.second.grades[size_t(g)].points = {
            {{-10, base * 8 / 10}, {30 + g, base}, {80, base * 13 / 10}}};
        d.third.grades[size_t(g)].points = {
            {{-10, base * 8 / 10}, {20, base}, {50, base * 12 / 10}, {80, base * 13 / 10}}};
    }
    return d;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 25;
    TestEnvironment env;
    env.openDatabases();
    env.openCompany(1, 2023);
    GradeNames names;
    for (int g = 1; g <= 9; ++g)
        names[size_t(g)] = QStringLiteral("等級%1").arg(g);

    for (CurveMethod method : {CurveMethod::SecondOrder, CurveMethod::ThirdOrder}) {
        const WageTableDefinition d = fullTable(method);
        std::vector<double> generate, save;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer t;
            t.start();
            const std::optional<WageTable> table = GenerateWageTable(d);
            generate.push_back(double(t.nsecsElapsed()) / 1e6);
            if (!table || table->rows.size() != 91)
                return 1;
            t.restart();
            if (!SaveWageTable(1, 2023, d, names).saved())
                return 1;
            save.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        std::printf("%s, 9 grades x 91 steps: generate median %.3f ms; generate and store "
                    "median %.1f ms (min %.1f, max %.1f) over %d runs\n",
                    method == CurveMethod::ThirdOrder ? "3rd order" : "2nd order", median(generate),
                    median(save), *std::min_element(save.begin(), save.end()),
                    *std::max_element(save.begin(), save.end()), runs);
    }
    return 0;
}
