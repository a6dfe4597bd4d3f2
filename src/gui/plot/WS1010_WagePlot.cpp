#include "gui/plot/WS1010_WagePlot.h"

#include "core/plot/AxisItems.h"
#include "gui/plot/WS1100_PlotWindow.h"

AnalysisScreenKind TWS1010::Kind() {
    AnalysisScreenKind s;
    s.chartNo = WagePlotChart;
    s.name = QStringLiteral("WS1010");
    s.caption = QStringLiteral("賃金プロット");
    s.size = QSize(500, 600);
    s.explanationName = QStringLiteral("Memo1");
    s.xNames = {QStringLiteral("optXNenrei"), QStringLiteral("optXKinzoku"),
                QStringLiteral("optXKeiken"), QStringLiteral("optXGouhou"),
                QStringLiteral("optXTassei"), QStringLiteral("optXSyokumuHyouka")};
    s.yNames = {QStringLiteral("optYSyokuno"), QStringLiteral("optYKihon"),
                QStringLiteral("optYSyotei"),  QStringLiteral("optYSyoyo"),
                QStringLiteral("optYNensyu"),  QStringLiteral("optYSikyuritsu")};
    s.labelNames = {QStringLiteral("optMarkSeq"), QStringLiteral("optMarkInp"),
                    QStringLiteral("optMarkZone"), QStringLiteral("optMarkNodsp")};
    s.defaultYItem = 0;
    s.rules = ProposalRules{1, true};
    return s;
}

TWS1010::TWS1010(QWidget* parent) : TWS1010(TWS1100::forWindow(parent), parent) {}

TWS1010::TWS1010(TWS1100* plotWindow, QWidget* parent)
    : TAnalysisScreen(Kind(), plotWindow, parent), Memo1(explanation), optXNenrei(optX[0]),
      optXKinzoku(optX[1]), optXKeiken(optX[2]), optXGouhou(optX[3]), optXTassei(optX[4]),
      optXSyokumuHyouka(optX[5]), optYSyokuno(optY[0]), optYKihon(optY[1]), optYSyotei(optY[2]),
      optYSyoyo(optY[3]), optYNensyu(optY[4]), optYSikyuritsu(optY[5]), optMarkSeq(optMarkLabel[0]),
      optMarkInp(optMarkLabel[1]), optMarkZone(optMarkLabel[2]), optMarkNodsp(optMarkLabel[3]) {}
