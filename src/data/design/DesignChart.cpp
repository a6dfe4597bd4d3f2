#include "data/design/DesignChart.h"

#include "core/analysis/RegressionChart.h"
#include "core/common/Counts.h"
#include "core/plot/PlotModel.h"
#include "data/design/DesignStore.h"

void DesignChartExtension::load(const PlotModel& model) {
    LoadDesigns(model.request.company, model.header.xItem, model.header.yItem, m_curves);
    for (int k = 1; k <= DesignCount; ++k) {
        const DesignCurve& c = m_curves[size_t(k)];
        // A stored row has a style or points; an absent one loads as all zero.
        m_stored[size_t(k)] = !PointsOf(c).isEmpty() || !c.colour.isEmpty() || !c.legend.isEmpty();
    }
}

void DesignChartExtension::drawCurves(ChartScene& scene, const AxisLayout& layout,
                                      const PlotModel& model) const {
    (void)model;
    DrawDesignCurves(scene, layout, m_curves);
}

void DesignChartExtension::addPrintBlocks(const PlotModel& model, PlotPage& page) const {
    (void)model;
    AddDesignPrintBlocks(page, m_curves, m_stored);
}

std::optional<QString> DesignChartExtension::explanation() const {
    return m_curves[1].explanation;
}

std::unique_ptr<ChartExtension> MakeDesignChartExtension() {
    return std::make_unique<DesignChartExtension>();
}

bool DesignChartExtension::analysis(const PlotModel& model, AnalysisPanel& panel) const {
    if (model.stats.marksUsed() == 0)
        return false;
    std::array<MarkSeries, MarkCount + 1> series;
    for (int k = 1; k <= MarkCount; ++k)
        series[size_t(k)] = SeriesOf(model.points, 0);
    const RegressionTexts t = MakeRegressionTexts(model, series);
    panel.titles[1] = QStringLiteral("プロット数 :");
    panel.values[1] = t.counts;
    panel.titles[3] = QStringLiteral("平均昇給　 :");
    panel.titles[4] = QStringLiteral("ピッチ");
    panel.values[3] = t.pitches[0];
    panel.values[4] = t.pitches[1];
    panel.titles[6] = QStringLiteral("昇給カーブ :");
    panel.titles[7] = QStringLiteral("平均");
    panel.values[6] = t.averages[0];
    panel.values[7] = t.averages[1];
    return true;
}
