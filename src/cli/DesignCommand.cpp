#include "cli/DesignCommand.h"

#include "cli/CliOptions.h"
#include "cli/WorkbookOutput.h"
#include "core/common/MessageTexts.h"
#include "core/design/DesignPrint.h"
#include "core/plot/AxisItems.h"
#include "data/design/DesignStore.h"
#include "data/design/WageTableChart.h"
#include "data/plot/ChartStore.h"
#include "data/project/Project.h"
#include "render/workbook/DesignWorkbook.h"

#include <QTextStream>

std::optional<DesignArgs> ParseDesignArgs(const QStringList& options, QTextStream& err) {
    DesignArgs a;
    CliOptions table(QStringLiteral("design"), CliOptions::Layout::AllValued,
                     CliOptions::Wording::NotValid);
    table.companyYear(a.company, a.year, false);
    AxisItemOptions(table, a.xItem, a.yItem);
    table.file(QStringLiteral("--csv"), a.csv, true);
    table.file(QStringLiteral("--xlsx"), a.xlsx, true);
    if (!table.read(options, err))
        return std::nullopt;
    if (!table.companyYearGiven() || (a.csv.isEmpty() && a.xlsx.isEmpty())) {
        err << "tesvane-cli: design needs --company K, --year N and --csv FILE or --xlsx FILE\n";
        return std::nullopt;
    }
    return a;
}

int RunDesign(const DesignArgs& a, QTextStream& out, QTextStream& err) {
    Project project;
    const CompanyYear cy{a.company, a.year};
    if (!project.open(cy)) {
        err << "tesvane-cli: no company " << a.company << " in " << a.year << "\n";
        return 1;
    }
    const ChartSettings chart = LoadChartSettings(cy, DesignChart).value_or(ChartSettings());
    const int x = a.xItem.value_or(ValidAxisItem(chart.xItem));
    const int y = a.yItem.value_or(ValidAxisItem(chart.yItem));
    bool failed = false;
    const QVector<DesignRow> rows = ExpandStoredDesigns(cy, x, y, &failed);
    if (failed)
        return 1; // reported by the data module
    if (rows.isEmpty()) {
        err << MsgText::NoWageTableData() << "\n";
        return 1;
    }
    if (!a.csv.isEmpty()) {
        const DesignExport written = WriteDesignCsv(a.csv, chart.title, rows);
        if (written.status != DesignExport::Written) {
            // A write failure names the file itself; a character CP932 lacks does not.
            err << "tesvane-cli: "
                << (written.status == DesignExport::WriteFailed
                        ? QString(written.detail).replace(QLatin1Char('\r'), QLatin1Char('\n'))
                        : a.csv + QStringLiteral(": ") + written.detail)
                << "\n";
            return 1;
        }
    }
    if (a.xlsx.isEmpty())
        return 0;
    return WriteWorkbookFile(
        ComposeDesignWorkbook(DesignPrintHeaderOf(project, chart.title, x, y), rows), a.xlsx,
        rows.size(), out, err);
}

std::optional<ChartBuildResult> BuildChartOf(const CompanyYear& cy, const ChartSettings& settings) {
    if (settings.chartNo == WageTableChart) {
        bool failed = false;
        const QVector<GradeLine> lines = LoadWageTableLines(cy, &failed);
        if (failed)
            return std::nullopt;
        ChartBuildResult r;
        const std::optional<PlotRequest> q = WageTableChartRequest(cy, settings, lines);
        if (q)
            r.request = *q;
        return r;
    }
    std::function<void(DataExtents&)> widen;
    std::array<DesignPoints, DesignCount + 1> designs;
    if (settings.chartNo == DesignChart) {
        std::array<DesignCurve, DesignCount + 1> stored;
        if (!LoadDesigns(cy, settings.xItem, settings.yItem, stored))
            return std::nullopt;
        for (int d = 1; d <= DesignCount; ++d)
            designs[size_t(d)] = PointsOf(stored[size_t(d)]);
        widen = [&designs](DataExtents& e) { WidenByDesigns(e, designs); };
    }
    const ChartBuildResult r = BuildChart(cy, settings, ProposalRules{1, true}, widen);
    if (r.failed)
        return std::nullopt;
    return r;
}
