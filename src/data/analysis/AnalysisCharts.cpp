#include "data/analysis/AnalysisCharts.h"

#include "core/analysis/RegressionChart.h"
#include "core/plot/AxisItems.h"
#include "core/plot/PlotModel.h"
#include "data/analysis/ReferenceStore.h"
#include "data/project/Project.h"

namespace {

int livingCostCode() {
    return Project::current() ? Project::current()->settings().SKCO : 0;
}

int modelCode() {
    return Project::current() ? Project::current()->settings().MDCO : 0;
}

ModelSeries loadModelSeries(int xItem, int yItem) {
    const int model = modelCode();
    QVector<ModelWageRow> rows;
    for (int s = 1; s <= 3 && model != 0; ++s)
        rows += LoadModelWages(model, s);
    return ModelSeriesOf(rows, xItem, yItem);
}

// The reference rows are read on 実行 and kept for repaints and the page.
class LivingCostChartOfCompany : public LivingCostComparison {
public:
    void load(const PlotModel&) override {
        const int code = livingCostCode();
        setRows(code != 0 ? LoadLivingCostTable(code) : QVector<LivingCostRow>());
    }
};

class ModelWageChartOfCompany : public ModelWageComparison {
public:
    void load(const PlotModel& model) override {
        const int code = modelCode();
        setModel(loadModelSeries(model.header.xItem, model.header.yItem),
                 code != 0 ? LoadModelData(code) : std::nullopt);
    }
};

} // namespace

ProposalRules AnalysisChartRules(int chartNo) {
    if (chartNo == LivingCostChart || chartNo == ModelWageChart)
        return ProposalRules{0, false};
    if (chartNo == RegressionChart)
        return ProposalRules{1, false};
    return ProposalRules{1, true};
}

bool AxisItemsOffered(int chartNo, int xItem, int yItem) {
    if (chartNo == WageTableChart) // steps of the wage table and their amounts
        return xItem == 3 && yItem == 0;
    if (chartNo == LivingCostChart)
        return xItem == 0 && (yItem == 1 || yItem == 2);
    if (chartNo == ModelWageChart)
        return xItem >= 0 && xItem <= 2 && yItem >= 1 && yItem <= 4;
    return xItem >= 0 && xItem < AxisItemCount && yItem >= 0 && yItem < AxisItemCount;
}

int DefaultYItem(int chartNo) {
    return chartNo == LivingCostChart || chartNo == ModelWageChart ? 1 : 0;
}

ChartSettings UnsavedChartSettings(int chartNo) {
    ChartSettings s;
    s.chartNo = chartNo;
    s.xItem = chartNo == WageTableChart ? 3 : 0;
    s.yItem = DefaultYItem(chartNo);
    s.marks.fill(true);
    s.grades.fill(true);
    s.marks[0] = false;
    s.grades[0] = false;
    return s;
}

std::function<void(DataExtents&)> ReferenceWidening(int chartNo, int xItem, int yItem) {
    if (chartNo == LivingCostChart)
        return [](DataExtents& e) {
            const int code = livingCostCode();
            if (code != 0)
                WidenByLivingCosts(e, LoadLivingCostTable(code));
        };
    if (chartNo == ModelWageChart)
        return
            [xItem, yItem](DataExtents& e) { WidenByModelWages(e, loadModelSeries(xItem, yItem)); };
    return {};
}

std::unique_ptr<ChartExtension> MakeAnalysisChart(int chartNo) {
    if (chartNo == RegressionChart)
        return std::make_unique<RaiseCurveChart>();
    if (chartNo == LivingCostChart)
        return std::make_unique<LivingCostChartOfCompany>();
    if (chartNo == ModelWageChart)
        return std::make_unique<ModelWageChartOfCompany>();
    return nullptr;
}
