#pragma once

#include "core/analysis/RangeReport.h"
#include "core/report/ReportDocument.h"

// The printed range analysis, A4 landscape: the per-grade table with the definition of the
// range under the header on the first page, then from a new page the per-employee list and the
// employees listed apart, continued over as many pages as they need with headings repeated.
ReportDocument ComposeRangeAnalysisPrint(const RangeReport& report);

// File name of the work file under AppDir/Report/.
QString RangeAnalysisWorkFileName();
