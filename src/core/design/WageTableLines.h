#pragma once

#include "core/common/Currency.h"
#include "core/plot/ChartBuild.h"
#include "core/plot/ChartScene.h"
#include "core/plot/PlotGeometry.h"

#include <QVector>

// The stored wage table seen as a graph (chart 1060): per grade its key points, each amount
// multiplied by the set's rate, joined by the 2nd-order parabola or the 3rd-order broken line.

struct GradeLine {
    int grade = 0;
    bool stored = false;     // the set has a row for the grade
    bool thirdOrder = false; // 4 key points joined by straight lines; else 3 and a parabola
    QVector<int> steps;
    QVector<Currency> amounts; // yen x rate, to three decimals
};

// The rated amount: amount x rate rounded half away from zero to three decimals.
Currency RatedAmount(Currency amount, Currency rate);

// Every grade takes its 3 or 4 places; a grade without a row contributes points at (0, 0).
struct WageKeyPoint {
    int x = 0;
    Currency yen;
};
QVector<WageKeyPoint> KeyPointsOf(const QVector<GradeLine>& lines);

// The chart's request from the key points: axis range and centre lines as the analysis
// screens propose them from employees, Y in 万円. Nothing without key points.
std::optional<PlotRequest> WageTableChartRequest(const CompanyYear& cy,
                                                 const ChartSettings& settings,
                                                 const QVector<GradeLine>& lines);

// The lines with the grade's numeral at the last vertex, in the scale's pen; numerals in
// the given colour. Grades without a row are not drawn.
void DrawWageTableLines(ChartScene& scene, const AxisLayout& layout,
                        const QVector<GradeLine>& lines, ColorValue textColour);
