#pragma once

#include "core/plot/PlotModel.h"

class ChartExtension;

// The axis layout of the model's frame and current range.
AxisLayout LayoutOf(const PlotModel& model);

// Axes, scale, grid, centre lines, axis numbers and titles, legend, point labels, the chart's
// curves, the picked points and the marks, in the order the window draws them.
ChartScene BuildChartScene(const PlotModel& model, const AxisLayout& layout,
                           const ChartExtension* extension = nullptr);

// The legend's entries: symbol, two blanks and legend text of every mark listed, with its
// colour; one per MCHART row whose mark is plotted.
struct LegendEntry {
    int mark = 0;
    QString text;
    ColorValue colour = 0;
};
QVector<LegendEntry> LegendOf(const PlotModel& model);
