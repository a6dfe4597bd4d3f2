#pragma once

#include <QStringList>

class QTextStream;

// tesvane-cli fit --order 2|3 [--points FILE]
// Reads lines "x,y" (x a whole number, y in 万円) from FILE or standard input and prints the
// coefficients as the raise-curve fit rounds them, then "average,pitch" in whole yen over the
// points' X range. Blank lines are skipped; a bad line is refused with its number.
int RunFitCommand(const QStringList& options, QTextStream& out, QTextStream& err);
