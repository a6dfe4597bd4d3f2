#pragma once

#include "gui/plot/AnalysisScreen.h"

// "昇給曲線の設定": the stored wage table as a graph (chart 1060), one line per grade, pay step
// across and amount up. The screen holds only the chart's title and explanation; the
// family's choices are kept as stored and never shown.
class TWS1060 : public TAnalysisScreen {
    Q_OBJECT
public:
    explicit TWS1060(QWidget* parent);
    TWS1060(TWS1100* plotWindow, QWidget* parent);

    static AnalysisScreenKind Kind();

    void start();
    void PrepareSettingsScreen();

    // PlotOwner
    std::optional<PlotRequest> rebuildChart() override;

public Q_SLOTS:
    void btnAnalizeSettingsClick();
    void btnCloseSettingsClick();
    void reject() override;
};
