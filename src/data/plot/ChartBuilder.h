#pragma once

#include "core/common/Counts.h"
#include "core/common/LeftOutEmployees.h"
#include "core/plot/ChartBuild.h"
#include "core/plot/PlotModel.h"

#include <functional>

class ChartExtension;

// Building a chart from the employees of a company year, as the analysis screens do on
// "分　析", and loading what the plot window keeps.

struct ChartBuildResult {
    bool failed = false; // the employees could not be read (reported by the data module)
    QVector<ChartPoint> points;
    PlotRequest request;      // set when there are points
    LeftOutEmployees leftOut; // of the year, whom no choice of marks and grades includes
};

// Selects and values the employees by the settings, works out the means and proposes the
// axis range; `widen` lets a screen of the family widen the data extents by its curves.
// Writes nothing.
ChartBuildResult BuildChart(const CompanyYear& cy, const ChartSettings& settings,
                            const ProposalRules& rules,
                            const std::function<void(DataExtents&)>& widen = {});

// The open company's marks.
std::array<TMMARK, MarkCount + 1> CurrentMarks();

// What 実行 reads for the model's request: the chart's rows, its stored points, the company's
// styles and marks. False when a read failed (reported).
bool LoadPlotModel(PlotModel& model);
// The same model from a chart built in memory; DCHART is not read.
PlotModel PlotModelOf(const PlotRequest& request, const ChartSettings& settings,
                      const QVector<ChartPoint>& points);

// The extension of a chart number: what its window draws beyond the points. The wage plot
// has none; the charts of the regression, comparison and design screens register theirs.
std::unique_ptr<ChartExtension> MakeChartExtension(int chartNo);
