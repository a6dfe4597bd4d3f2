#include "gui/design/WS1060_RaiseCurveSettings.h"

#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/plot/AxisItems.h"
#include "data/design/WageTableChart.h"
#include "data/plot/ChartStore.h"
#include "data/project/Project.h"
#include "gui/design/WS1050_RaiseCurveDesign.h"
#include "gui/plot/WS1100_PlotWindow.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

AnalysisScreenKind TWS1060::Kind() {
    // The design screen's axes; its own chart, size and choices of the text beside a point.
    AnalysisScreenKind s = TWS1050::Kind();
    s.chartNo = WageTableChart;
    s.name = QStringLiteral("WS1060");
    s.caption = QStringLiteral("昇給曲線の設定");
    s.size = QSize(500, 200);
    s.labelNames = {QStringLiteral("optPlotFalse"), QStringLiteral("optPlotTrue"),
                    QStringLiteral("optLabel2"), QStringLiteral("optLabel3")};
    return s;
}

TWS1060::TWS1060(QWidget* parent) : TWS1060(TWS1100::forWindow(parent), parent) {}

TWS1060::TWS1060(TWS1100* plotWindow, QWidget* parent)
    : TAnalysisScreen(Kind(), plotWindow, parent) {
    // The family's groups carry the stored choices and are never shown.
    for (QGroupBox* group : findChildren<QGroupBox*>())
        group->setVisible(false);
    disconnect(btnAnalize, nullptr, this, nullptr);
    disconnect(btnClose, nullptr, this, nullptr);
    connect(btnAnalize, &QPushButton::clicked, this, &TWS1060::btnAnalizeSettingsClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS1060::btnCloseSettingsClick);
}

void TWS1060::start() {
    PrepareSettingsScreen();
    setAttribute(Qt::WA_Moved, false);
    exec();
}

void TWS1060::PrepareSettingsScreen() {
    const CompanyYear cy = Project::current()->companyYear();
    bool failed = false;
    // A new chart: pay step against 職能給, every mark and grade on.
    if (!ChartSettingsExist(cy, WageTableChart, &failed) && !failed) {
        ChartSettings defaults;
        defaults.chartNo = WageTableChart;
        defaults.xItem = 3;
        defaults.yItem = 0;
        defaults.marks.fill(true);
        defaults.grades.fill(true);
        CreateChartSettings(cy, defaults);
    }
    PrepareScreen();
}

std::optional<PlotRequest> TWS1060::rebuildChart() {
    bool failed = false;
    const QVector<GradeLine> lines = LoadWageTableLines(Project::current()->companyYear(), &failed);
    if (failed)
        return std::nullopt;
    return WageTableChartRequest(Project::current()->companyYear(), settings(), lines);
}

void TWS1060::btnAnalizeSettingsClick() {
    if (plotWindow()->markCount() != 0)
        plotWindow()->DestroyMarks();
    const std::optional<PlotRequest> request = rebuildChart();
    if (!request) {
        Msg::info(MsgText::NoChartData());
        txtTitle->setFocus();
        return;
    }
    if (!SaveChartSettings())
        return; // reported by the data module
    plotWindow()->ShowPlot(*request, this);
    QDialog::accept();
}

void TWS1060::btnCloseSettingsClick() {
    SaveChartSettings();
    if (plotWindow()->markCount() != 0)
        plotWindow()->DestroyMarks();
    if (plotWindow()->chartNo() == WageTableChart)
        plotWindow()->close();
    QDialog::reject();
}

void TWS1060::reject() {
    btnCloseSettingsClick();
}
