// The raise budget of a company of 10,000 employees: the raise input read with the wage-table
// amounts (the store) and the budget per grade, per mark and in total (the computation).
// Prints the median; run by hand: build/bench/bench_raise_budget [runs]
#include "data/raise/RaiseBudgetStore.h"
#include "support/data/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The sample's 60 employees copied under new codes until the company has about `count`.
void growSample(TestEnvironment& env, int count) {
    const QString copies = QStringLiteral(
        "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < %1) ");
    const int rounds = (count + 59) / 60 - 1;
    env.exec(TDM::ACN2,
             copies.arg(rounds) +
                 QStringLiteral("INSERT INTO MSYAIN1 SELECT KCO, HSCO, SCO + 100 * k, NENDO, "
                                "SCOT || '-' || k, SNA, SEIHI, NYUHI, YAKU, SKCO, TCO, NENREI, "
                                "KINZOKU, NENSU, SIKAKUGO, JISEKI, TRITSU, NENKYU, SYOKUKYU, "
                                "KIHONKYU, SYOTEIKYU, SRITSU, SYOUYO, NENSYU, MCO, MNA, NEWDAY1 "
                                "FROM MSYAIN1, n WHERE KCO = 1 AND NENDO = 2023"));
    env.exec(TDM::ACN2, copies.arg(rounds) +
                            QStringLiteral("INSERT INTO MSYAIN2 SELECT S.KCO, S.SCO + 100 * k, "
                                           "S.NENDO, SEIBETSU, TOUKYU, GOUHOU, SM1, SM2, GAKU, "
                                           "SENKOU, KSIKAKU, KEIKEN, THI, ZONEX, TENSU, HCO, UPK, "
                                           "UPT, KKYU1, KKYU2, KKYU3, TEATE1, TEATE2, TEATE3, "
                                           "TEATE4, TEATE5, NKKYU1, NKKYU2, NKKYU3, NTEATE1, "
                                           "NTEATE2, NTEATE3, NTEATE4, NTEATE5, NSRITSU, SYOUYO2, "
                                           "NNENSYU, NTOUKYU, SGOUHOU, NGOUHOU, FSKCHK, HCO1, "
                                           "HNA1, HCO2, HNA2, HCO3, HNA3, SYOTEI, NSYOTEI, SPATH "
                                           "FROM MSYAIN2 AS S, n WHERE S.KCO = 1 AND S.NENDO = "
                                           "2023"));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    TestEnvironment env;
    growSample(env, 10000);
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
    std::sort(ms.begin(), ms.end());
    std::printf("raise budget, %d employees (settings + raise input + budget): median %.1f ms "
                "over %d runs\n",
                employees, ms[ms.size() / 2], runs);
    return 0;
}
