#include "data/design/DesignChart.h"

#include "core/plot/PlotModel.h"
#include "data/design/DesignStore.h"

void DesignChartExtension::load(const PlotModel& model) {
    LoadDesigns(model.request.company, model.header.xItem, model.header.yItem, m_curves);
    for (int k = 1; k <= DesignCount; ++k) {
        const DesignCurve& c = m_curves[size_t(k)];
        // A stored row has a style or points; an absent one loads as all zero.
        m_stored[size_t(k)] = !PointsOf(c).isEmpty() || !c.colour.isEmpty() || !c.legend.isEmpty();
    }
}

void DesignChartExtension::drawCurves(ChartScene& scene, const AxisLayout& layout,
                                      const PlotModel& model) const {
    (void)model;
    DrawDesignCurves(scene, layout, m_curves);
}

void DesignChartExtension::addPrintBlocks(const PlotModel& model, PlotPage& page) const {
    (void)model;
    AddDesignPrintBlocks(page, m_curves, m_stored);
}

std::optional<QString> DesignChartExtension::explanation() const {
    return m_curves[1].explanation;
}

std::unique_ptr<ChartExtension> MakeDesignChartExtension() {
    return std::make_unique<DesignChartExtension>();
}
