#pragma once

#include "core/analysis/RangeReport.h"
#include "render/workbook/Workbook.h"

// The range analysis as a workbook: the per-grade sheet (with the definition of the range and
// a 合計 line whose counts are formulas), the per-employee sheet, and the employees listed
// apart on a third sheet when there are any. Amounts in yen, ratios as "0.0%".
Xlsx::Workbook ComposeRangeWorkbook(const RangeReport& report);
