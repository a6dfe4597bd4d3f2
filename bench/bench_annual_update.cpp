// The annual update of a company of 10,000 employees: every table copied into the next year,
// the employees rolled over and the new year's wage table generated, in one transaction.
// Prints the median; run by hand: build/bench/bench_annual_update [runs]
#include "core/common/AppState.h"
#include "data/company/CompanyStore.h"
#include "data/raise/AnnualUpdate.h"
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

// The sample's 60 employees copied under new codes until the company has `count`.
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
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    TestEnvironment env;
    env.setToday(QDate(2024, 3, 31));
    growSample(env, 10000);
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
                employees, median(ms), runs);
    return 0;
}
