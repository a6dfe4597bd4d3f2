#pragma once

#include "core/plot/ChartBuild.h"
#include "core/plot/ChartExtension.h"

#include <functional>
#include <memory>

// The regression and comparison charts as the plot window, the screens and the command-line
// companion share them: how each proposes its chart and what its window draws.

// How charts 1020, 1030 and 1040 propose their range and means.
ProposalRules AnalysisChartRules(int chartNo);
// Whether the chart's screen offers the X and Y items (the comparisons offer fewer), and the
// Y item of a chart that has no stored settings yet.
bool AxisItemsOffered(int chartNo, int xItem, int yItem);
int DefaultYItem(int chartNo);
// What a command draws of a chart that has no stored settings: the items its screen starts
// from (the wage-table lines of 1060 pay step against 職能給) with every mark and grade.
ChartSettings UnsavedChartSettings(int chartNo);
// The widening of the data extents by the open company's reference curves (living costs of
// its SKCO, model wages of its MDCO on the axis items); nothing for other charts.
std::function<void(DataExtents&)> ReferenceWidening(int chartNo, int xItem, int yItem);
// The extension of charts 1020, 1030 and 1040; nothing for others.
std::unique_ptr<ChartExtension> MakeAnalysisChart(int chartNo);
