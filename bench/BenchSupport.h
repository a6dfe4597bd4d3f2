#pragma once
// What the benchmarks share: a sample company grown to a given size, and the median.
#include "support/data/TestSupport.h"

#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <vector>

inline double Median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// A heavy path beside its floor measured in the same run: one line a person reads and
// bench/check parses ("[key] ... ratio R").
inline void PrintAgainstFloor(const char* key, const char* what, std::vector<double> path,
                              std::vector<double> floor, const char* floorIs) {
    const double m = Median(std::move(path)), f = Median(std::move(floor));
    std::printf("[%s] %s: median %.1f ms; floor %.1f ms (%s); ratio %.2f\n", key, what, m, f,
                floorIs, f > 0 ? m / f : 0.0);
}

// Copies of the sample's employees under new codes until the company has `total` of them.
inline void GrowSampleCompany(TestEnvironment& env, int total) {
    for (const char* table : {"MSYAIN1", "MSYAIN2"}) {
        // Read by name from either engine, so that the server benchmarks grow it alike.
        const QStringList columns = env.columns(TDM::ACN2, QString::fromLatin1(table));
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
