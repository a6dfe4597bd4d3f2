#include "gui/analysis/WS1030_LivingCostComparison.h"

#include "core/plot/AxisItems.h"
#include "data/analysis/AnalysisCharts.h"
#include "gui/plot/WS1010_WagePlot.h"
#include "gui/plot/WS1100_PlotWindow.h"

AnalysisScreenKind TWS1030::Kind() {
    AnalysisScreenKind s = TWS1010::Kind();
    s.chartNo = LivingCostChart;
    s.name = QStringLiteral("WS1030");
    s.caption = QStringLiteral("生計費との比較");
    s.explanationName = QStringLiteral("txtBikou");
    s.labelNames = {QStringLiteral("optSeq"), QStringLiteral("optInput"), QStringLiteral("optZone"),
                    QStringLiteral("optNodsp")};
    s.xOffered = {true, false, false, false, false, false};
    s.yOffered = {false, true, true, false, false, false};
    s.defaultYItem = 1;
    s.rules = AnalysisChartRules(LivingCostChart);
    return s;
}

TWS1030::TWS1030(QWidget* parent) : TWS1030(TWS1100::forWindow(parent), parent) {}

TWS1030::TWS1030(TWS1100* plotWindow, QWidget* parent)
    : TAnalysisScreen(Kind(), plotWindow, parent) {}

void TWS1030::widenExtents(DataExtents& extents) {
    const ChartSettings s = settings();
    if (auto widen = ReferenceWidening(LivingCostChart, s.xItem, s.yItem))
        widen(extents);
}
