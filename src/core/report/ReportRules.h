#pragma once

#include "core/report/ReportDocument.h"

// The rules of a page as few strokes: a table of 10,000 employees draws every cell's edges,
// so most rules continue or repeat one drawn beside them. Solid horizontal and vertical rules
// of one width that touch or overlap on one line become one rule; dashed, dotted and slanted
// rules stay as they are (a joined dash pattern would start elsewhere). The rules come out
// grouped by width and style, which is how they are drawn.
QVector<ReportLine> JoinRules(const QVector<ReportLine>& lines);
