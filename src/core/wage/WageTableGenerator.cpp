#include "core/wage/WageTableGenerator.h"

#include "core/plot/LeastSquares.h"

#include <algorithm>

namespace {

constexpr Int128 RawScale = Currency::Scale;
// Largest key amount and rate taken in; far beyond any wage, small enough that no
// intermediate value leaves 128 bits.
constexpr qint64 MaxKeyAmount = 1000000000000LL;
constexpr qint64 MaxRateRaw = 10000000000LL;
// Largest amount stored: whole numbers above 2^53 no longer survive a REAL column.
constexpr Int128 MaxStoredAmount = 1000000000000000LL;

Int128 abs128(Int128 v) {
    return v < 0 ? -v : v;
}

// Whole yen of base × (1 + percent / 100), half away from zero.
qint64 percentOfBase(Currency base, Currency percent) {
    const Int128 factorRaw = Int128(percent.raw()) + 100 * RawScale; // (100 + percent) in raw
    return qint64(DivRoundHalfAway(Int128(base.raw()) * factorRaw, 100 * RawScale * RawScale));
}

bool withinLimits(const WageTableDefinition& d, GenerationFault& fault) {
    const int count = d.head.gradeCount;
    if (count < 1 || count > MaxGrades) {
        fault = {GenerationFault::Where::GradeCount, 0, 0};
        return false;
    }
    const CurveSet& set = d.chosenSet();
    if (std::abs(set.rate.raw()) > MaxRateRaw) {
        fault = {GenerationFault::Where::Rate, 0, 0};
        return false;
    }
    for (int g = 1; g <= count; ++g)
        for (int i = 0; i < d.keyPointCount(); ++i) {
            const KeyPoint& p = set.grades[size_t(g)].points[size_t(i)];
            if (p.step < LowestStep || p.step > HighestStep) {
                fault = {GenerationFault::Where::KeyStep, g, i};
                return false;
            }
            if (std::abs(p.amount) > MaxKeyAmount) {
                fault = {GenerationFault::Where::KeyAmount, g, i};
                return false;
            }
        }
    return true;
}

// One grade's amounts on the table's rows (0-based from the lowest step).
using Column = std::array<Int128, HighestStep - LowestStep + 1>;

void secondOrder(const CurveGrade& grade, Currency rate, int rounding, const StepRange& range,
                 Column& out) {
    std::array<FitPoint, 3> points;
    for (size_t i = 0; i < 3; ++i) {
        const KeyPoint& p = grade.points[i];
        points[i] = {p.step,
                     qint64(RoundWageUnitExact(Int128(p.amount) * rate.raw(), RawScale, rounding))};
    }
    const QuadraticFit fit = FitQuadratic(points);
    const int start = std::max(grade.points[0].step, range.lowest);
    const int end = std::min(grade.points[2].step, range.highest);
    for (int s = start; s <= end; ++s)
        out[size_t(s - range.lowest)] = RoundWageUnitExact(fit.truncatedValueAt(s), 1, rounding);
}

void thirdOrder(const CurveGrade& grade, Currency rate, int rounding, const StepRange& range,
                Column& out) {
    auto hasRow = [&](int step) { return step >= range.lowest && step <= range.highest; };
    auto row = [&](int step) { return size_t(step - range.lowest); };
    auto rated = [&](qint64 amount) -> Int128 {
        return amount == 0 ? 0
                           : RoundWageUnitExact(Int128(amount) * rate.raw(), RawScale, rounding);
    };
    const auto& p = grade.points;
    for (const KeyPoint& k : p)
        if (hasRow(k.step))
            out[row(k.step)] = rated(k.amount);
    for (size_t k = 1; k < 4; ++k) {
        const KeyPoint& from = p[k - 1];
        const KeyPoint& to = p[k];
        if (!hasRow(to.step))
            continue;
        const Int128 difference = DivTrunc(Int128(to.amount - from.amount) * rate.raw(), RawScale);
        const int d = to.step - from.step;
        const Int128 increment = d == 0 ? 0 : RoundWageUnitExact(difference, d, rounding);
        if (hasRow(from.step)) {
            for (int s = from.step + 1; s < to.step; ++s)
                out[row(s)] = out[row(s - 1)] + increment;
        } else {
            // The previous key point lies outside the table: climb from it as if its row were
            // there, so the rows inside still rise in equal steps toward this key point.
            const Int128 base = rated(from.amount);
            for (int s = std::max(from.step + 1, range.lowest); s < to.step; ++s)
                out[row(s)] = base + Int128(s - from.step) * increment;
        }
    }
    // Middle points placed beyond the start or end step do not widen the grade.
    for (int s = range.lowest; s <= range.highest; ++s)
        if (s < p[0].step || s > p[3].step)
            out[row(s)] = 0;
}

} // namespace

StepRange WageTableDefinition::steps() const {
    StepRange r;
    for (int g = 1; g <= std::min(head.gradeCount, MaxGrades); ++g) {
        r.lowest = std::min(r.lowest, startStep(g));
        r.highest = std::max(r.highest, endStep(g));
    }
    return r;
}

qint64 WageUnitYen(int rounding) {
    return rounding == 0 ? 10 : rounding == 1 ? 100 : 1000;
}

Int128 RoundWageUnitExact(Int128 num, Int128 den, int rounding) {
    const qint64 unit = WageUnitYen(rounding);
    return DivRoundHalfAway(num, den * unit) * unit;
}

ScaleFigures ComputeScaleFigures(Currency lowerPercent, Currency base, Currency upperPercent) {
    ScaleFigures f;
    if (base.isZero())
        return f;
    f.lowerAmount = percentOfBase(base, lowerPercent);
    f.upperAmount = percentOfBase(base, upperPercent);
    // A lower limit of -100 % leaves no lower amount to divide by; the spread then shows 0.
    if (f.lowerAmount != 0)
        f.spread = Currency::fromRaw(qint64(
            DivRoundHalfAway(Int128(f.upperAmount) * 100, f.lowerAmount) * (RawScale / 100)));
    f.range = f.upperAmount - f.lowerAmount;
    return f;
}

AutomaticAmounts AutomaticKeyAmounts(Currency lowerPercent, qint64 base, Currency upperPercent) {
    const Currency k = Currency::fromInt(base);
    return {percentOfBase(k, lowerPercent), base, percentOfBase(k, upperPercent)};
}

std::optional<WageTable> GenerateWageTable(const WageTableDefinition& definition,
                                           GenerationFault* fault) {
    GenerationFault where;
    if (!withinLimits(definition, where)) {
        if (fault)
            *fault = where;
        return std::nullopt;
    }
    const WageTableHead& head = definition.head;
    const CurveSet& set = definition.chosenSet();
    const int n = definition.keyPointCount();

    WageTable table;
    table.steps = definition.steps();
    const int rows = table.steps.rowCount();
    table.rows.resize(rows);
    for (int r = 0; r < rows; ++r)
        table.rows[r].step = table.steps.lowest + r;

    for (int g = 1; g <= head.gradeCount; ++g) {
        const CurveGrade& grade = set.grades[size_t(g)];
        qint64 sum = 0;
        for (int i = 0; i < n; ++i)
            sum += grade.points[size_t(i)].step + grade.points[size_t(i)].amount;
        if (sum == 0)
            continue; // a grade left empty keeps its column at 0

        Column column{};
        if (head.method == CurveMethod::ThirdOrder)
            thirdOrder(grade, set.rate, head.rounding, table.steps, column);
        else
            secondOrder(grade, set.rate, head.rounding, table.steps, column);

        const int start = grade.points[0].step;
        const int end = grade.points[size_t(n - 1)].step;
        const Int128 startAmount = start >= table.steps.lowest && start <= table.steps.highest
                                       ? column[size_t(start - table.steps.lowest)]
                                       : 0;
        for (int r = 0; r < rows; ++r) {
            const Int128 amount = column[size_t(r)];
            if (abs128(amount) > MaxStoredAmount) {
                if (fault)
                    *fault = {GenerationFault::Where::Grade, g, n - 1};
                return std::nullopt;
            }
            WageTableRow& row = table.rows[r];
            row.amount[size_t(g)] = qint64(amount);
            if (row.step >= start && row.step <= end && startAmount != 0)
                row.index[size_t(g)] = qint64(DivRoundHalfAway(amount * 100, startAmount));
        }
    }
    return table;
}
