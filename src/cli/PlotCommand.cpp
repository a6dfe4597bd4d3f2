#include "cli/PlotCommand.h"

#include "cli/CliOptions.h"
#include "cli/DesignCommand.h"
#include "core/common/MessageTexts.h"
#include "core/plot/ChartExtension.h"

#include "core/common/FileWrite.h"
#include "core/common/SystemErrorText.h"
#include "core/plot/AxisItems.h"
#include "core/plot/ChartExtension.h"
#include "core/plot/ChartSceneBuilder.h"
#include "data/analysis/AnalysisCharts.h"
#include "data/plot/ChartBuilder.h"
#include "data/plot/ChartStore.h"
#include "data/plot/PlotPrintData.h"
#include "data/project/Project.h"
#include "render/plot/ChartPainter.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextStream>

void ChooseMarksAndGrades(ChartSettings& settings, bool stored,
                          const std::optional<QVector<int>>& marks,
                          const std::optional<QVector<int>>& grades) {
    if (marks || grades || !stored) {
        settings.marks.fill(!marks);
        settings.grades.fill(!grades);
    }
    settings.marks[0] = false;
    settings.grades[0] = false;
    for (int k : marks.value_or(QVector<int>()))
        settings.marks[size_t(k)] = true;
    for (int g : grades.value_or(QVector<int>()))
        settings.grades[size_t(g)] = true;
}

std::optional<PlotArgs> ParsePlotArgs(const QStringList& options, QTextStream& err) {
    PlotArgs a;
    bool chart = false;
    CliOptions table(QStringLiteral("plot"), CliOptions::Layout::AllValued,
                     CliOptions::Wording::NotValid);
    table.companyYear(a.company, a.year, false);
    table.number(QStringLiteral("--chart"), a.chart, &chart);
    AxisItemOptions(table, a.xItem, a.yItem);
    MarkAndGradeOptions(table, a.marks, a.grades);
    table.file(QStringLiteral("--png"), a.png, false);
    table.file(QStringLiteral("--pdf"), a.pdf, false);
    table.value(QStringLiteral("--size"), QStringLiteral("WxH"), [&a](const QString& v) {
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("^(\\d{2,5})x(\\d{2,5})$")).match(v);
        if (m.hasMatch())
            a.size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
        return m.hasMatch() && a.size.width() >= 200 && a.size.height() >= 150 &&
               a.size.width() <= 10000 && a.size.height() <= 10000;
    });
    if (!table.read(options, err))
        return std::nullopt;
    if (!table.companyYearGiven() || !chart) {
        err << "tesvane-cli: plot needs --company K, --year N and --chart C\n";
        return std::nullopt;
    }
    if (a.chart != WagePlotChart && a.chart != RegressionChart && a.chart != LivingCostChart &&
        a.chart != ModelWageChart && a.chart != DesignChart && a.chart != WageTableChart) {
        err << "tesvane-cli: chart " << a.chart << " cannot be drawn yet (1010 to 1060)\n";
        return std::nullopt;
    }
    if (a.png.isEmpty() && a.pdf.isEmpty()) {
        err << "tesvane-cli: plot needs --png FILE or --pdf FILE\n";
        return std::nullopt;
    }
    return a;
}

namespace {

// The printed page as PDF bytes; empty when it could not be drawn.
QByteArray pdfPage(const PlotModel& model, const ChartExtension* extension) {
    const PlotPage page = MakePlotPage(model, extension);
    const PlotModel onPage = ModelForAspect(model, page.picture.width(), page.picture.height());
    const ChartScene scene = BuildChartScene(onPage, LayoutOf(onPage), extension);
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&bytes);
    pdf.setTitle(QStringLiteral("ﾌﾟﾛｯﾄ"));
    pdf.setResolution(600);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&pdf))
        return {};
    PaintPlotPage(painter, page, scene, onPage.frame);
    if (!painter.end())
        return {};
    return bytes.data();
}

// Writes the file whole or leaves it as it was; false, said on err, on failure.
bool writeOut(const QString& file, const QByteArray& bytes, QTextStream& err) {
    FileWriteError failed;
    if (!bytes.isEmpty() && WriteWholeFile(file, bytes, &failed))
        return true;
    err << "tesvane-cli: cannot write " << file;
    if (failed.code != 0)
        err << ": " << SystemErrorText(failed.code);
    err << "\n";
    return false;
}

} // namespace

int RunPlot(const PlotArgs& a, QTextStream& err) {
    Project project;
    const CompanyYear cy{a.company, a.year};
    if (!project.open(cy)) {
        err << "tesvane-cli: no company " << a.company << " in " << a.year << "\n";
        return 1;
    }
    const std::optional<ChartSettings> stored = LoadChartSettings(cy, a.chart);
    ChartSettings settings = stored.value_or(UnsavedChartSettings(a.chart));
    settings.chartNo = a.chart;
    if (a.chart == WageTableChart) { // its screen shows no items to choose from
        settings.xItem = UnsavedChartSettings(a.chart).xItem;
        settings.yItem = UnsavedChartSettings(a.chart).yItem;
    }
    if (a.xItem)
        settings.xItem = *a.xItem;
    if (a.yItem)
        settings.yItem = *a.yItem;
    settings.xItem = ValidAxisItem(settings.xItem);
    settings.yItem = ValidAxisItem(settings.yItem);
    if (!AxisItemsOffered(a.chart, settings.xItem, settings.yItem)) {
        err << "tesvane-cli: chart " << a.chart << " does not offer X item " << settings.xItem
            << " with Y item " << settings.yItem << "\n";
        return 2;
    }
    ChooseMarksAndGrades(settings, stored.has_value(), a.marks, a.grades);
    std::optional<ChartBuildResult> r;
    if (a.chart == DesignChart || a.chart == WageTableChart) {
        r = BuildChartOf(cy, settings);
    } else {
        const ChartBuildResult built =
            BuildChart(cy, settings, AnalysisChartRules(a.chart),
                       ReferenceWidening(a.chart, settings.xItem, settings.yItem));
        if (!built.failed)
            r = built;
    }
    if (!r)
        return 1;
    if (const QString left = LeftOutMessage(r->leftOut); !left.isEmpty())
        err << left << "\n";
    if (r->request.chartNo == 0) { // no employee plotted, or no key point
        err << MsgText::NoChartData() << "\n";
        return 1;
    }
    PlotModel model = PlotModelOf(r->request, settings, r->points);
    model.frame = FrameForPicture(a.size.width(), a.size.height());
    PlacePoints(model, LayoutOf(model));
    const std::unique_ptr<ChartExtension> extension = MakeChartExtension(a.chart);
    if (extension)
        extension->load(model);

    if (!a.png.isEmpty()) {
        const QImage image = RenderChartPicture(
            BuildChartScene(model, LayoutOf(model), extension.get()), model.frame);
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        image.save(&png, "PNG");
        if (!writeOut(a.png, png.data(), err))
            return 1;
    }
    if (!a.pdf.isEmpty() && !writeOut(a.pdf, pdfPage(model, extension.get()), err))
        return 1;
    return 0;
}
