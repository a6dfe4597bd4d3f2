#pragma once

#include "core/raise/RaiseBudgetTable.h"
#include "core/report/ReportEngine.h"

// The printed raise budget: the grade section, then the mark section, each closed by the total,
// 30 lines a page, with the settings in the page header and how the split is made below.

namespace RaiseBudgetLines {
constexpr int Pitch = 508;
constexpr int PerPage = 30;
} // namespace RaiseBudgetLines

// Composes into the engine prepared by PrepareReport. False when the engine failed (its error()
// says why).
bool ComposeRaiseBudgetPrint(ReportEngine& JIVE, const RaiseBudgetDocument& document);
