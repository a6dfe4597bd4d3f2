#pragma once

#include "core/analysis/RaiseCurve.h"
#include "core/common/Counts.h"
#include "core/plot/AnalysisTexts.h"
#include "core/plot/ChartExtension.h"

// The raise curves of the regression chart: per plotted mark its fitted curve and the curves
// at the deviation levels, the average wage and pitch in the analysis window and on the page.

// What the analysis shows of the curves: count line 1 without totals, the pitch and average
// lines of marks 1..3 and 4..6. Marks without a curve (graph display off) show no average.
struct RegressionTexts {
    QString counts;
    std::array<QString, 2> averages;
    std::array<QString, 2> pitches;
};
RegressionTexts MakeRegressionTexts(const PlotModel& model,
                                    const std::array<MarkSeries, MarkCount + 1>& series);
// Whether mark k has a curve: graph display on, the mark plotted, points.
bool MarkHasCurve(const ChartSettings& settings, const MarkSeries& series, int mark);

class RaiseCurveChart : public ChartExtension {
public:
    void load(const PlotModel& model) override;
    void drawCurves(ChartScene& scene, const AxisLayout& layout,
                    const PlotModel& model) const override;
    bool analysis(const PlotModel& model, AnalysisPanel& panel) const override;
    void addPrintBlocks(const PlotModel& model, PlotPage& page) const override;

    const std::array<MarkSeries, MarkCount + 1>& series() const { return m_series; }

private:
    std::array<MarkSeries, MarkCount + 1> m_series; // [1..6], read on 実行
};
