#pragma once

#include "gui/plot/AnalysisScreen.h"

// "生計費との比較": base or scheduled pay against age with the company's standard living
// costs laid over the points (chart 1030).
class TWS1030 : public TAnalysisScreen {
    Q_OBJECT
public:
    explicit TWS1030(QWidget* parent);
    TWS1030(TWS1100* plotWindow, QWidget* parent);

    static AnalysisScreenKind Kind();

protected:
    void widenExtents(DataExtents& extents) override;
};
