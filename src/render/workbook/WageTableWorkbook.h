#pragma once

#include "core/report/WageTablePrint.h"
#include "core/wage/StoredWageTable.h"
#include "render/workbook/Workbook.h"

// The wage table as a workbook: the nine grades side by side (amount and index per step, the
// averages below), and its definition (head, salary scale, curve set) on a second sheet.
namespace WageTableSheet {
constexpr int GradeRow = 2;   // "1等級　一般職Ⅰ" over each grade's two columns
constexpr int HeadingRow = 3; // 号俸, 金額, 格差 ...
constexpr int FirstRow = 4;   // the lowest step
inline int amountColumn(int grade) {
    return 1 + 2 * (grade - 1);
}
inline int indexColumn(int grade) {
    return 2 + 2 * (grade - 1);
}
} // namespace WageTableSheet

// The table's rows are not empty (callers report that there is nothing to save).
Xlsx::Workbook ComposeWageTableWorkbook(const WageTablePrintHeader& header,
                                        const StoredWageTable& table);
