#pragma once

#include <QList>
#include <QtGlobal>
#include <array>

// The amounts of one grade of a 2nd-order wage table, steps start to end, as the program's
// wage-table generator makes them (key amounts times the rate rounded to the unit, the fitted
// parabola's coefficients rounded to five decimals, each step truncated and then rounded to
// the unit: 0 tens, 1 hundreds, 2 thousands). Empty when no table can hold them.
QList<qint64> SecondOrderAmounts(const std::array<int, 3>& steps,
                                 const std::array<qint64, 3>& amounts, double rate, int unit);
