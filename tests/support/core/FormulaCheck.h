#pragma once

#include "support/core/XlsxReader.h"

#include <QStringList>

// Recomputes the formulas of a read-back sheet from the values of the cells they name, as a
// spreadsheet program would: SUM, ROWS, AVERAGE, ROUND, TRUNC, + - * / and parentheses. A
// formula pointing at the wrong cells gives another value than the one written with it.
// Returns one line per formula whose written value differs (empty when all agree).
QStringList FormulaMismatches(const XlsxSheet& sheet);

// The value a formula computes on the sheet; NaN for what it cannot read.
double EvaluateFormula(const XlsxSheet& sheet, const QString& formula);
