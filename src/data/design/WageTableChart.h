#pragma once

#include "core/design/WageTableLines.h"
#include "core/plot/ChartExtension.h"

#include <memory>

// The grades' lines of the stored wage table: its head (MCHINGIN) and the chosen key-point
// set (DKSEN2 or DKSEN3). Empty without a head. failed is set when a read failed.
QVector<GradeLine> LoadWageTableLines(const CompanyYear& cy, bool* failed = nullptr);

// What chart 1060 draws: the lines, read on 実行.
class WageTableChartExtension : public ChartExtension {
public:
    void load(const PlotModel& model) override;
    void drawCurves(ChartScene& scene, const AxisLayout& layout,
                    const PlotModel& model) const override;

private:
    QVector<GradeLine> m_lines;
};

std::unique_ptr<ChartExtension> MakeWageTableChartExtension();
