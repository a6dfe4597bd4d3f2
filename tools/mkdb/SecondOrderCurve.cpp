#include "mkdb/SecondOrderCurve.h"

#include "core/wage/WageTableGenerator.h"

QList<qint64> SecondOrderAmounts(const std::array<int, 3>& steps,
                                 const std::array<qint64, 3>& amounts, double rate, int unit) {
    WageTableDefinition d;
    d.head.gradeCount = 1;
    d.head.method = CurveMethod::SecondOrder;
    d.head.rounding = unit;
    d.second.rate = Currency::fromDouble(rate);
    for (size_t p = 0; p < 3; ++p)
        d.second.grades[1].points[p] = {steps[p], amounts[p]};
    QList<qint64> result;
    if (const std::optional<WageTable> table = GenerateWageTable(d))
        for (const WageTableRow& row : table->rows)
            result.append(row.amount[1]);
    return result;
}
