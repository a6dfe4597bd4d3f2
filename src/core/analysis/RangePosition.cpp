#include "core/analysis/RangePosition.h"

RangeAnalysis AnalyseRanges(const QVector<std::optional<ScaleGrade>>& scale,
                            const QVector<RangeEmployee>& employees) {
    RangeAnalysis result;
    const int gradeCount = int(scale.size());
    result.grades.resize(gradeCount);
    QVector<double> compaSum(gradeCount, 0);
    QVector<int> compaCount(gradeCount, 0);
    QVector<qint64> paySum(gradeCount, 0);
    for (int k = 0; k < gradeCount; ++k) {
        RangeGradeResult& g = result.grades[k];
        g.grade = k + 1;
        if (scale[k]) {
            g.figures =
                ComputeScaleFigures(scale[k]->lowerPercent, scale[k]->base, scale[k]->upperPercent);
            g.base = scale[k]->base.truncated();
            // A zero base gives a zero range: nothing to place an employee in.
            g.hasScale = g.figures.lowerAmount > 0;
        }
    }
    for (const RangeEmployee& e : employees) {
        if (!e.linked || e.grade < 1 || e.grade > gradeCount) {
            result.unlinked.append(e);
            continue;
        }
        RangeGradeResult& g = result.grades[e.grade - 1];
        RangeEmployeeResult r;
        r.employee = e;
        r.hasScale = g.hasScale;
        if (g.headCount == 0 || e.basePay < g.minimum)
            g.minimum = e.basePay;
        if (g.headCount == 0 || e.basePay > g.maximum)
            g.maximum = e.basePay;
        ++g.headCount;
        paySum[e.grade - 1] += e.basePay;
        if (g.hasScale) {
            const qint64 lower = g.figures.lowerAmount;
            const qint64 upper = g.figures.upperAmount;
            r.compaRatio = g.base > 0 ? double(e.basePay) / double(g.base) : 0;
            r.penetration = upper > lower ? double(e.basePay - lower) / double(upper - lower) : 0;
            r.below = e.basePay < lower;
            r.above = e.basePay > upper;
            g.belowCount += r.below;
            g.aboveCount += r.above;
            compaSum[e.grade - 1] += r.compaRatio;
            ++compaCount[e.grade - 1];
        }
        result.employees.append(r);
    }
    for (int k = 0; k < gradeCount; ++k) {
        RangeGradeResult& g = result.grades[k];
        if (g.headCount > 0) {
            const qint64 n = g.headCount;
            const qint64 s = paySum[k];
            g.average = (s >= 0 ? s + n / 2 : s - n / 2) / n;
        }
        if (compaCount[k] > 0)
            g.averageCompaRatio = compaSum[k] / compaCount[k];
    }
    return result;
}
