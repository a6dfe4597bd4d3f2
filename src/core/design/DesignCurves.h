#pragma once

#include "core/design/DesignExpansion.h"
#include "core/plot/ChartScene.h"
#include "core/plot/PlotGeometry.h"
#include "core/plot/PlotPage.h"

using DesignCurves = std::array<DesignCurve, DesignCount + 1>; // [1..5]

// The points a design curve is drawn through: those with an X value, in stored order, Y in
// 万円 to one decimal.
struct CurvePoint {
    int x = 0;
    Currency y;
};
QVector<CurvePoint> CurvePointsOf(const DesignCurve& curve);
LinePen CurvePenOf(const DesignCurve& curve);

// The drawn designs of chart 1050 with "＋" on each point, their number at the last point and
// their legend beside the chart; a curve of fewer than two points is not drawn.
void DrawDesignCurves(ChartScene& scene, const AxisLayout& layout, const DesignCurves& curves);

// The printed page's curve block: legends and descriptions of the stored designs.
void AddDesignPrintBlocks(PlotPage& page, const DesignCurves& curves,
                          const std::array<bool, DesignCount + 1>& stored);
