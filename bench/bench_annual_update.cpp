// The annual update of a company of 10,000 employees: every table copied into the next year,
// the employees rolled over and the new year's wage table generated, in one transaction.
// Prints the median beside its floor: both employee tables copied into the next year by one
// INSERT ... SELECT each through SQLite's C API, in one transaction.
// build/bench/bench_annual_update [runs] (bench/check runs it too).
#include "BenchSupport.h"
#include "SqliteFloor.h"
#include "core/common/AppState.h"
#include "data/company/CompanyStore.h"
#include "data/raise/AnnualUpdate.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
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
    std::vector<double> floorMs;
    if (!env.onServer()) {
        SqliteFloor floor(env.dataPath());
        QStringList copy, undo;
        for (const char* table : {"MSYAIN1", "MSYAIN2"}) {
            QStringList columns = env.columns(TDM::ACN2, QString::fromLatin1(table));
            const QString list = columns.join(QLatin1Char(','));
            columns.replaceInStrings(QRegularExpression(QStringLiteral("^NENDO$")),
                                     QStringLiteral("NENDO + 1"));
            copy << QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %1 WHERE KCO = 1 AND "
                                   "NENDO = 2023")
                        .arg(QLatin1String(table), list, columns.join(QLatin1Char(',')));
            undo << QStringLiteral("DELETE FROM %1 WHERE KCO = 1 AND NENDO = 2024")
                        .arg(QLatin1String(table));
        }
        for (int i = 0; i < runs; ++i)
            floorMs.push_back(floor.timedTransaction(copy, undo));
        PrintAgainstFloor("annual-update",
                          qPrintable(QStringLiteral("annual update of %1 employees (copy, "
                                                    "roll-over, wage table)")
                                         .arg(employees)),
                          ms, floorMs, "both employee tables copied by SQLite's C API");
    } else {
        std::printf("annual update of %d employees (copy, roll-over, wage table): median %.1f ms "
                    "over %d runs\n",
                    employees, Median(ms), runs);
    }
    return 0;
}
