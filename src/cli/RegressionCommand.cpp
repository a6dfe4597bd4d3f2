#include "cli/RegressionCommand.h"

#include "cli/CliOptions.h"
#include "cli/PlotCommand.h"
#include "core/analysis/RaiseCurve.h"
#include "core/common/Counts.h"
#include "core/common/MessageTexts.h"
#include "core/plot/AxisItems.h"
#include "data/analysis/AnalysisCharts.h"
#include "data/plot/ChartBuilder.h"
#include "data/plot/ChartStore.h"
#include "data/project/Project.h"

#include <QTextStream>

int RunRegressionCommand(const QStringList& opts, QTextStream& out, QTextStream& err) {
    int company = 0, year = 0, order = 0;
    std::optional<int> xItem, yItem;
    std::optional<QVector<int>> marks, grades;
    CliOptions table(QStringLiteral("regression"), CliOptions::Layout::AllValued,
                     CliOptions::Wording::NotValid);
    table.companyYear(company, year, false);
    table.value(QStringLiteral("--order"), QStringLiteral("2 or 3"), [&order](const QString& v) {
        bool ok = false;
        order = v.toInt(&ok);
        return ok && (order == 2 || order == 3);
    });
    AxisItemOptions(table, xItem, yItem);
    MarkAndGradeOptions(table, marks, grades);
    if (!table.read(opts, err))
        return 2;
    if (company == 0 || year == 0 || !xItem || !yItem || order == 0) {
        err << "tesvane-cli: regression needs --company K, --year N, --x ITEM, --y ITEM and "
               "--order 2|3\n";
        return 2;
    }
    Project project;
    const CompanyYear cy{company, year};
    if (!project.open(cy)) {
        err << "tesvane-cli: no company " << company << " in " << year << "\n";
        return 1;
    }
    const std::optional<ChartSettings> stored = LoadChartSettings(cy, RegressionChart);
    ChartSettings settings = stored.value_or(UnsavedChartSettings(RegressionChart));
    settings.chartNo = RegressionChart;
    settings.xItem = *xItem;
    settings.yItem = *yItem;
    settings.order = order == 2 ? 0 : 1;
    ChooseMarksAndGrades(settings, stored.has_value(), marks, grades);
    const ChartBuildResult r = BuildChart(cy, settings, AnalysisChartRules(RegressionChart));
    if (r.failed)
        return 1;
    if (const QString left = LeftOutMessage(r.leftOut); !left.isEmpty())
        err << left << "\n";
    if (r.points.isEmpty()) {
        err << MsgText::NoChartData() << "\n";
        return 1;
    }
    out << (order == 2 ? "mark,count,a,b,c,average,pitch\n" : "mark,count,a,b,c,d,average,pitch\n");
    int fitted = 0;
    for (int k = 1; k <= MarkCount; ++k) {
        QVector<FitPoint> points;
        for (const ChartPoint& p : r.points)
            if (p.mark == k)
                points.push_back({p.x, p.y.raw()});
        if (points.isEmpty())
            continue;
        // As fit refuses them: too few distinct X leave the curve open.
        if (const int distinct = DistinctXCount(points); distinct < DistinctXNeeded(order)) {
            err << "tesvane-cli: regression: mark " << k << " skipped: order " << order << " needs "
                << DistinctXNeeded(order) << " distinct x values; the mark has " << distinct
                << "\n";
            continue;
        }
        ++fitted;
        const MarkSeries series = SeriesOf(points);
        const RaiseCurve curve = FitSeries(series, settings.order);
        const CurveStatisticsResult s = CurveStatistics(curve, series.xLow, series.xHigh);
        out << k << ',' << points.size() << ',' << curve.coefficientsText() << ',' << s.average
            << ',' << s.pitch << '\n';
    }
    out.flush();
    return fitted > 0 ? 0 : 1;
}
