#pragma once

#include "core/design/DesignCurves.h"
#include "core/plot/ChartExtension.h"

#include <memory>

// What chart 1050 adds to the plot window: the designed curves of its axis pair, read on
// 実行, their legends, design 1's explanation and the printed curve block.
class DesignChartExtension : public ChartExtension {
public:
    void load(const PlotModel& model) override;
    void drawCurves(ChartScene& scene, const AxisLayout& layout,
                    const PlotModel& model) const override;
    void addPrintBlocks(const PlotModel& model, PlotPage& page) const override;
    std::optional<QString> explanation() const override;
    // Counts, average raise and pitch as the regression chart shows them, every mark's curve
    // fitted to all the chart's points.
    bool analysis(const PlotModel& model, AnalysisPanel& panel) const override;

    const DesignCurves& curves() const { return m_curves; }

private:
    DesignCurves m_curves;
    std::array<bool, DesignCount + 1> m_stored{};
};

std::unique_ptr<ChartExtension> MakeDesignChartExtension();
