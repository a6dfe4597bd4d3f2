#include "data/plot/ChartBuilder.h"

#include "core/common/Counts.h"
#include "core/plot/AxisItems.h"
#include "core/plot/ChartExtension.h"
#include "data/analysis/AnalysisCharts.h"
#include "data/design/DesignChart.h"
#include "data/design/WageTableChart.h"
#include "data/plot/ChartStore.h"
#include "data/project/Project.h"

ChartBuildResult BuildChart(const CompanyYear& cy, const ChartSettings& settings,
                            const ProposalRules& rules,
                            const std::function<void(DataExtents&)>& widen) {
    ChartBuildResult r;
    QVector<PlotEmployee> employees;
    if (!LoadPlotEmployees(cy, employees, &settings)) {
        r.failed = true;
        return r;
    }
    for (const PlotEmployee& e : employees)
        r.leftOut.add(e.mark, e.grade);
    r.points = SelectPoints(employees, settings);
    std::optional<DataExtents> extents = ExtentsOf(r.points);
    if (!extents)
        return r;
    if (widen)
        widen(*extents);
    PlotRequest& q = r.request;
    q.chartNo = settings.chartNo;
    q.company = cy;
    q.title = settings.title;
    q.xItem = settings.xItem;
    q.yItem = settings.yItem;
    q.markLabelKind = settings.markLabelKind;
    q.meanX = MeanXOf(r.points);
    q.meanY = MeanYOf(r.points, rules.meanYDecimals);
    q.range = ProposeAxisRange(*extents, settings.xItem, rules);
    return r;
}

std::array<TMMARK, MarkCount + 1> CurrentMarks() {
    return Project::current()->marks();
}

bool LoadPlotModel(PlotModel& model) {
    const PlotRequest& q = model.request;
    if (std::optional<ChartSettings> s = LoadChartSettings(q.company, q.chartNo)) {
        model.header = *s;
    } else {
        model.header = ChartSettings();
        model.header.chartNo = q.chartNo;
        model.header.xItem = q.xItem;
        model.header.yItem = q.yItem;
        model.header.markLabelKind = q.markLabelKind;
        model.header.title = q.title;
    }
    model.styles = LoadStyleSlots(q.company);
    model.marks = CurrentMarks();
    bool failed = false;
    const QVector<ChartPoint> points = LoadChartPoints(0, &failed);
    SetModelPoints(model, points);
    return !failed;
}

PlotModel PlotModelOf(const PlotRequest& request, const ChartSettings& settings,
                      const QVector<ChartPoint>& points) {
    PlotModel model;
    model.request = request;
    model.header = settings;
    model.styles = LoadStyleSlots(request.company);
    model.marks = CurrentMarks();
    SetModelPoints(model, points);
    return model;
}

std::unique_ptr<ChartExtension> MakeChartExtension(int chartNo) {
    if (std::unique_ptr<ChartExtension> e = MakeAnalysisChart(chartNo))
        return e;
    if (chartNo == DesignChart)
        return MakeDesignChartExtension();
    if (chartNo == WageTableChart)
        return MakeWageTableChartExtension();
    return nullptr;
}
