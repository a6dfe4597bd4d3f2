#pragma once

#include "core/plot/ChartRecords.h"

#include <optional>

// The analysis screen behind a plot: "後" shows it again, "操作パネルに戻る" closes it, and it
// builds the chart again when the company's data change under an open plot.
class PlotOwner {
public:
    virtual ~PlotOwner() = default;
    // Shown modally with its choices unchanged; the plot window stays open behind it.
    virtual void showAgain() = 0;
    virtual void closeScreen() = 0;
    // Rebuilds the stored points from the current data with the screen's choices; nothing
    // when no employee is plotted any more (the points are then emptied).
    virtual std::optional<PlotRequest> rebuildChart() = 0;
    // The design screen: whether design k is its selected one, and that a picked curve was
    // imported so it reloads its designs.
    virtual int designSelected(int curve) const {
        (void)curve;
        return 0;
    }
    virtual void designsImported() {}
};
