#pragma once

#include "core/design/DesignPrint.h"
#include "render/workbook/Workbook.h"

// The expanded raise-curve designs as a workbook: the five designs side by side as printed
// (X value, amount, index per row number, the averages below), and every expanded row with
// its increase and rate on a second sheet.
namespace DesignSheet {
constexpr int CaptionRow = 2; // 設計１ ... over each design's three columns
constexpr int HeadingRow = 3; // 年齢, 職能給, 格差 ...
constexpr int FirstRow = 4;   // row number 1
inline int xColumn(int design) {
    return 3 * (design - 1);
}
inline int amountColumn(int design) {
    return 3 * (design - 1) + 1;
}
inline int indexColumn(int design) {
    return 3 * (design - 1) + 2;
}
} // namespace DesignSheet

// The rows are not empty (callers report that there is nothing to save).
Xlsx::Workbook ComposeDesignWorkbook(const DesignPrintHeader& header,
                                     const QVector<DesignRow>& rows);
