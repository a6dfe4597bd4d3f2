#pragma once

#include "core/report/GroupReport.h"
#include "render/workbook/Workbook.h"

// The group reports as workbooks: the groups of the print one under the other, each closed by
// its subtotal and average lines, the whole list by its total and average lines. Sums and
// averages are formulas that carry the printed figures.
namespace GroupReportSheet {
constexpr int HeadingRow = 3;
constexpr int FirstRow = 4;
} // namespace GroupReportSheet

// Employees in the print's order (by mark, then code), not empty.
Xlsx::Workbook ComposeGroupReportWorkbook(GroupReportKind kind, const GroupReportHeader& header,
                                          const QVector<GroupReportEmployee>& employees);
