#include "core/analysis/RegressionChart.h"

#include "core/common/ColorText.h"
#include "core/common/Counts.h"
#include "core/common/NumberText.h"
#include "core/plot/ChartScene.h"
#include "core/plot/PlotPage.h"

bool MarkHasCurve(const ChartSettings& settings, const MarkSeries& series, int mark) {
    return settings.curves == 1 && settings.marks[size_t(mark)] && !series.empty();
}

RegressionTexts MakeRegressionTexts(const PlotModel& model,
                                    const std::array<MarkSeries, MarkCount + 1>& series) {
    RegressionTexts t;
    if (model.stats.marksUsed() == 0)
        return t;
    for (int k = 1; k <= MarkCount; ++k) {
        const int n = model.stats.count[size_t(k)];
        if (n == 0)
            continue;
        const QString& symbol = model.marks[size_t(k)].MARK;
        t.counts += symbol + QLatin1Char(':') + QString::number(n) + QStringLiteral("  ");
        if (!MarkHasCurve(model.header, series[size_t(k)], k))
            continue;
        const MarkSeries& s = series[size_t(k)];
        const CurveStatisticsResult r =
            CurveStatistics(FitSeries(s, model.header.order), s.xLow, s.xHigh);
        const size_t line = k <= 3 ? 0 : 1;
        t.averages[line] +=
            symbol + QLatin1Char(':') + AmountText(Int128(r.average)) + QStringLiteral("円  ");
        t.pitches[line] +=
            symbol + QLatin1Char(':') + AmountText(Int128(r.pitch)) + QStringLiteral("円  ");
    }
    return t;
}

void RaiseCurveChart::load(const PlotModel& model) {
    for (int k = 1; k <= MarkCount; ++k)
        m_series[size_t(k)] = SeriesOf(model.points, k);
}

void RaiseCurveChart::drawCurves(ChartScene& scene, const AxisLayout& layout,
                                 const PlotModel& model) const {
    const ChartSettings& s = model.header;
    for (int k = 1; k <= MarkCount; ++k) {
        const MarkSeries& series = m_series[size_t(k)];
        if (!MarkHasCurve(s, series, k))
            continue;
        const TMMARK& mark = model.marks[size_t(k)];
        const LinePen pen{ColorOfText(mark.KCOLOR), mark.KSYURUI, mark.KHABA};
        DrawRaiseCurve(scene, layout, FitSeries(series, s.order), series.xLow, series.xHigh, pen);
        for (int j = 1; j <= 4; ++j) {
            const Currency level = s.levels[size_t(j)];
            if (!level.isZero())
                DrawRaiseCurve(scene, layout, FitSeries(series, s.order, level), series.xLow,
                               series.xHigh, pen);
        }
    }
}

bool RaiseCurveChart::analysis(const PlotModel& model, AnalysisPanel& panel) const {
    if (model.stats.marksUsed() == 0)
        return false;
    const RegressionTexts t = MakeRegressionTexts(model, m_series);
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

void RaiseCurveChart::addPrintBlocks(const PlotModel& model, PlotPage& page) const {
    const RegressionTexts t = MakeRegressionTexts(model, m_series);
    page.block(1400, QStringLiteral("平均賃金"), t.averages[0] + t.averages[1]);
    page.block(1500, QStringLiteral("平均昇給"), t.pitches[0] + t.pitches[1]);
}
