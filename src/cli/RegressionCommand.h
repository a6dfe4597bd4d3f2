#pragma once

#include <QStringList>

class QTextStream;

// tesvane-cli regression --company K --year N --x ITEM --y ITEM --order 2|3 [--marks LIST]
//                        [--grades LIST]
// The raise curve of every plotted mark as the regression chart fits it, from the employees
// the screen would select (marks and grades default to the chart's stored choices). CSV:
// mark, count, the coefficients, average and pitch in yen. Writes nothing.
int RunRegressionCommand(const QStringList& options, QTextStream& out, QTextStream& err);
