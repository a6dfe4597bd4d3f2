#include "data/design/WageTableChart.h"

#include "core/plot/PlotModel.h"
#include "data/wage/WageTableStore.h"

QVector<GradeLine> LoadWageTableLines(const CompanyYear& cy, bool* failed) {
    if (failed)
        *failed = false;
    QVector<GradeLine> lines;
    const std::optional<StoredHead> head = LoadWageTableHead(cy.kco, cy.nendo);
    if (!head)
        return lines;
    const bool third = head->method != 0;
    const QVector<StoredCurveRow> rows =
        third ? LoadThirdOrderSet(cy.kco, cy.nendo, head->thirdCode)
              : LoadSecondOrderSet(cy.kco, cy.nendo, head->secondCode);
    const int places = third ? 4 : 3;
    for (int t = 1; t <= head->gradeCount; ++t) {
        GradeLine g;
        g.grade = t;
        g.thirdOrder = third;
        for (const StoredCurveRow& r : rows) {
            if (r.grade != t)
                continue;
            g.stored = true;
            for (int i = 0; i < places; ++i) {
                g.steps.push_back(r.steps[size_t(i)]);
                g.amounts.push_back(RatedAmount(r.amounts[size_t(i)], r.rate));
            }
            break;
        }
        lines.push_back(g);
    }
    return lines;
}

void WageTableChartExtension::load(const PlotModel& model) {
    m_lines = LoadWageTableLines(model.request.company);
}

void WageTableChartExtension::drawCurves(ChartScene& scene, const AxisLayout& layout,
                                         const PlotModel& model) const {
    DrawWageTableLines(scene, layout, m_lines, model.styles[2].colour);
}

std::unique_ptr<ChartExtension> MakeWageTableChartExtension() {
    return std::make_unique<WageTableChartExtension>();
}
