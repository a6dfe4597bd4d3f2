#pragma once

#include "gui/plot/AnalysisScreen.h"

// "モデル賃金との比較": pay against age, service or experience with the company's model wage
// series laid over the points (chart 1040).
class TWS1040 : public TAnalysisScreen {
    Q_OBJECT
public:
    explicit TWS1040(QWidget* parent);
    TWS1040(TWS1100* plotWindow, QWidget* parent);

    static AnalysisScreenKind Kind();

protected:
    void widenExtents(DataExtents& extents) override;
};
