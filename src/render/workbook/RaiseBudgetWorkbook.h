#pragma once

#include "core/raise/RaiseBudgetTable.h"
#include "render/workbook/Workbook.h"

// The raise budget as a workbook: a sheet per section (等級別, マーク別), each with the page
// header lines, the column headings (frozen, repeated on every printed page), a row per group
// and the total row as sums (the rate as the raise over the current pay) carrying their values.

namespace RaiseBudgetSheet {
constexpr int HeadingRow = 3; // column headings; the groups follow
}

Xlsx::Workbook ComposeRaiseBudgetWorkbook(const RaiseBudgetDocument& document);
