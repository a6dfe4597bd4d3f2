#pragma once

#include <QList>
#include <QtGlobal>
#include <array>

// The amounts of one grade of a 2nd-order wage table, steps start to end: the parabola through
// the start, middle and end key points, computed as the program computes its tables (key
// amounts times the rate rounded to the unit, coefficients rounded to five decimals, each step
// truncated and then rounded to the unit: 0 tens, 1 hundreds, 2 thousands). The sample's pay
// is taken from it, so the stored pay agrees with the table the program generates.
QList<qint64> SecondOrderAmounts(const std::array<int, 3>& steps,
                                 const std::array<qint64, 3>& amounts, double rate, int unit);
