#include "cli/RegressionCommand.h"

#include "cli/PlotCommand.h"
#include "core/analysis/RaiseCurve.h"
#include "core/plot/AxisItems.h"
#include "data/analysis/AnalysisCharts.h"
#include "data/plot/ChartBuilder.h"
#include "data/plot/ChartStore.h"
#include "data/project/Project.h"

#include <QTextStream>

namespace {

std::optional<QVector<int>> numberList(const QString& text, int lowest, int highest) {
    QVector<int> list;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int v = part.trimmed().toInt(&ok);
        if (!ok || v < lowest || v > highest)
            return std::nullopt;
        list << v;
    }
    return list;
}

} // namespace

int RunRegressionCommand(const QStringList& opts, QTextStream& out, QTextStream& err) {
    int company = 0, year = 0, order = 0;
    std::optional<int> xItem, yItem;
    std::optional<QVector<int>> marks, grades;
    for (int i = 0; i < opts.size(); ++i) {
        const QString& o = opts[i];
        if (i + 1 >= opts.size()) {
            err << "tesvane-cli: " << o << " needs a value\n";
            return 2;
        }
        const QString v = opts[++i];
        bool ok = true;
        if (o == QStringLiteral("--company")) {
            company = v.toInt(&ok);
        } else if (o == QStringLiteral("--year")) {
            year = v.toInt(&ok);
        } else if (o == QStringLiteral("--order")) {
            order = v.toInt(&ok);
            ok = ok && (order == 2 || order == 3);
        } else if (o == QStringLiteral("--x") || o == QStringLiteral("--y")) {
            const int item = v.toInt(&ok);
            ok = ok && item >= 0 && item < AxisItemCount;
            (o == QStringLiteral("--x") ? xItem : yItem) = item;
        } else if (o == QStringLiteral("--marks")) {
            marks = numberList(v, 1, 6);
            ok = marks.has_value();
        } else if (o == QStringLiteral("--grades")) {
            grades = numberList(v, 1, 9);
            ok = grades.has_value();
        } else {
            err << "tesvane-cli: unknown option for regression: " << o << "\n";
            return 2;
        }
        if (!ok) {
            err << "tesvane-cli: " << o << ": not a valid value: " << v << "\n";
            return 2;
        }
    }
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
        err << "グラフに表示するデータがありません。\n";
        return 1;
    }
    out << (order == 2 ? "mark,count,a,b,c,average,pitch\n" : "mark,count,a,b,c,d,average,pitch\n");
    int fitted = 0;
    for (int k = 1; k <= 6; ++k) {
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
