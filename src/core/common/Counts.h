#pragma once

// How many of each numbered thing a company year has. Lists run 1..N as users see them on
// screen and as the columns are named (KKYU1..KKYU3, TEATE1..TEATE5); arrays indexed that way
// hold N + 1 entries with [0] unused.

constexpr int BasePayItemCount = 3;       // 基本給 items KKYU1..KKYU3, named KKNA1..KKNA3
constexpr int AllowanceCount = 5;         // 手当 TEATE1..TEATE5, named TNA1..TNA5
constexpr int MaxGrades = 9;              // 等級 1..9, named TK01..TK09
constexpr int MarkCount = 6;              // plot marks (マーク) 1..6 of MMARK
constexpr int EvaluationHistoryCount = 3; // 評価履歴 HCO1..HCO3, HNA1..HNA3
constexpr int EraCount = 3;               // eras REKI1..REKI3 of MSEIGYO

// The employee's link to the wage table (JISEKI): the base-pay item it fills, or 0 for none.
constexpr bool IsBasePayItem(int item) {
    return item >= 1 && item <= BasePayItemCount;
}
constexpr bool IsMark(int mark) {
    return mark >= 1 && mark <= MarkCount;
}
constexpr bool IsGrade(int grade) {
    return grade >= 1 && grade <= MaxGrades;
}
