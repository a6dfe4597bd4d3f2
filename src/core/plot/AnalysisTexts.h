#pragma once

#include "core/common/AppState.h"
#include "core/common/Counts.h"
#include "core/plot/PlotModel.h"

#include <array>

// Counts and means of the plotted marks, as the analysis window shows them and the printed
// page repeats them. Lines are numbered from 0: counts[0] is count line 1.
struct AnalysisTexts {
    std::array<QString, 2> counts;
    std::array<QString, 3> xMeans;
    std::array<QString, 3> yMeans;
};

// Per mark with points, its symbol, ":" and the value; the totals after "全体:" when more than
// one mark has points, on the line the number of marks leaves room on.
AnalysisTexts MakeAnalysisTexts(const MarkStatistics& stats,
                                const std::array<TMMARK, MarkCount + 1>& marks, int yItem);

// The analysis window's titles [1..7] and values [1..8]; empty ones are not shown.
struct AnalysisPanel {
    std::array<QString, 8> titles;
    std::array<QString, 9> values;
};

// The wage plot's analysis: counts, X means and Y means.
AnalysisPanel WagePlotAnalysis(const AnalysisTexts& texts);
