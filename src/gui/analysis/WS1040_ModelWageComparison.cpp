#include "gui/analysis/WS1040_ModelWageComparison.h"

#include "core/plot/AxisItems.h"
#include "data/analysis/AnalysisCharts.h"
#include "gui/plot/WS1010_WagePlot.h"
#include "gui/plot/WS1100_PlotWindow.h"

AnalysisScreenKind TWS1040::Kind() {
    AnalysisScreenKind s = TWS1010::Kind();
    s.chartNo = ModelWageChart;
    s.name = QStringLiteral("WS1040");
    s.caption = QStringLiteral("モデル賃金との比較");
    s.explanationName = QStringLiteral("txtBikou");
    s.labelNames = {QStringLiteral("optMaskSeq"), QStringLiteral("optMaskInput"),
                    QStringLiteral("optMaskZone"), QStringLiteral("optMaskNodsp")};
    s.xOffered = {true, true, true, false, false, false};
    s.yOffered = {false, true, true, true, true, false};
    s.defaultYItem = 1;
    s.rules = AnalysisChartRules(ModelWageChart);
    return s;
}

TWS1040::TWS1040(QWidget* parent) : TWS1040(TWS1100::forWindow(parent), parent) {}

TWS1040::TWS1040(TWS1100* plotWindow, QWidget* parent)
    : TAnalysisScreen(Kind(), plotWindow, parent) {}

void TWS1040::widenExtents(DataExtents& extents) {
    const ChartSettings s = settings();
    if (auto widen = ReferenceWidening(ModelWageChart, s.xItem, s.yItem))
        widen(extents);
}
