#pragma once

#include "core/common/ExactDivision.h"
#include "core/wage/WageTableDefinition.h"

#include <optional>

// Yen of the rounding unit: 10, 100 or 1,000 for the setting 0, 1 or anything else.
qint64 WageUnitYen(int rounding);
// num / den rounded half away from zero to a multiple of the rounding unit; exact, so an
// amount that is exactly halfway (205,450 to hundreds) always goes up.
Int128 RoundWageUnitExact(Int128 num, Int128 den, int rounding);

// Spread and range of one salary-scale row.
struct ScaleFigures {
    qint64 lowerAmount = 0; // base × (1 + lower / 100), to whole yen
    qint64 upperAmount = 0;
    Currency spread;  // upper / lower to two decimals; 0 when the lower amount is 0
    qint64 range = 0; // upper − lower
};
// With a base of 0 every figure is 0.
ScaleFigures ComputeScaleFigures(Currency lowerPercent, Currency base, Currency upperPercent);

// Key amounts taken from the salary scale in automatic mode: start and end are the scale's
// lower and upper amounts, the middle is the base.
struct AutomaticAmounts {
    qint64 start = 0;
    qint64 middle = 0;
    qint64 end = 0;
};
AutomaticAmounts AutomaticKeyAmounts(Currency lowerPercent, qint64 base, Currency upperPercent);

// The wage table of a definition: for each grade 1 to the grade count, the chosen method's
// curve through its key points, every amount rounded to the unit, and the index of every
// amount against the grade's start amount. Rows outside a grade's start and end steps are 0.
// Empty when the definition lies outside what a table can hold (grade count not 1 to 9, a key
// step outside -10 to 80, or amounts too large to store exactly).
// `fault`, when given, says where: the grade count, the rate, a key step or amount (grade and
// point from 0), or a grade whose curve gives amounts too large (its last key point).
struct GenerationFault {
    enum class Where { GradeCount, Rate, KeyStep, KeyAmount, Grade };
    Where where = Where::GradeCount;
    int grade = 0;
    int point = 0;
};
std::optional<WageTable> GenerateWageTable(const WageTableDefinition& definition,
                                           GenerationFault* fault = nullptr);
