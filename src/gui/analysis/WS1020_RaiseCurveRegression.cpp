#include "gui/analysis/WS1020_RaiseCurveRegression.h"

#include "core/common/NumberText.h"
#include "core/plot/AxisItems.h"
#include "data/analysis/AnalysisCharts.h"
#include "gui/common/Controls.h"
#include "gui/common/FieldExits.h"
#include "gui/plot/WS1010_WagePlot.h"
#include "gui/plot/WS1100_PlotWindow.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

AnalysisScreenKind TWS1020::Kind() {
    AnalysisScreenKind s = TWS1010::Kind();
    s.chartNo = RegressionChart;
    s.name = QStringLiteral("WS1020");
    s.caption = QStringLiteral("昇給カーブの回帰分析");
    s.size = QSize(580, 600);
    s.explanationName = QStringLiteral("txtBikou");
    s.rules = AnalysisChartRules(RegressionChart);
    return s;
}

TWS1020::TWS1020(QWidget* parent) : TWS1020(TWS1100::forWindow(parent), parent) {}

TWS1020::TWS1020(TWS1100* plotWindow, QWidget* parent)
    : TAnalysisScreen(Kind(), plotWindow, parent), txtBikou(explanation) {
    buildExtra();
}

void TWS1020::buildExtra() {
    const auto modified = [this] { setWindowModified(true); };
    auto* row = new QHBoxLayout;

    auto* order = new QGroupBox(QStringLiteral("近似式"), this);
    auto* ov = new QVBoxLayout(order);
    opt2Jisiki =
        Named(new QRadioButton(QStringLiteral("２次式"), order), QStringLiteral("opt2Jisiki"));
    opt3Jisiki =
        Named(new QRadioButton(QStringLiteral("３次式"), order), QStringLiteral("opt3Jisiki"));
    auto* group = new QButtonGroup(order);
    group->addButton(opt2Jisiki, 0);
    group->addButton(opt3Jisiki, 1);
    opt2Jisiki->setChecked(true);
    for (QRadioButton* b : {opt2Jisiki, opt3Jisiki}) {
        ov->addWidget(b);
        connect(b, &QRadioButton::clicked, this, modified);
    }
    row->addWidget(order);

    auto* levels = new QGroupBox(QStringLiteral("乖離水準"), this);
    auto* lv = new QHBoxLayout(levels);
    for (int j = 1; j <= 4; ++j) {
        lv->addWidget(new QLabel(QString::number(j), levels));
        QLineEdit* box = RightEdit(levels, QStringLiteral("txtLevel%1").arg(j), 9, 50);
        txtLevel[size_t(j)] = box;
        lv->addWidget(box);
        lv->addWidget(new QLabel(QStringLiteral("%"), levels));
        connect(box, &QLineEdit::textEdited, this, modified);
        exits()->add(box, [this, box] { return txtLevelExit(box); });
    }
    row->addWidget(levels, 1);

    auto* graph = new QGroupBox(QStringLiteral("グラフ表示"), this);
    auto* gv = new QVBoxLayout(graph);
    optGraph = Named(new QCheckBox(QStringLiteral("ON"), graph), QStringLiteral("optGraph"));
    gv->addWidget(optGraph);
    connect(optGraph, &QCheckBox::clicked, this, modified);
    row->addWidget(graph);

    extraLayout()->addLayout(row);
}

bool TWS1020::txtLevelExit(QLineEdit* box) {
    const FieldCheck c = CheckRateText(box->text());
    if (!c.ok())
        return exits()->refuse(box, c.message);
    box->setText(c.shown);
    return true;
}

void TWS1020::loadExtra(const ChartSettings& s) {
    (s.order == 1 ? opt3Jisiki : opt2Jisiki)->setChecked(true);
    optGraph->setChecked(s.curves == 1);
    for (int j = 1; j <= 4; ++j)
        txtLevel[size_t(j)]->setText(s.levels[size_t(j)].toString());
}

bool TWS1020::takeExtra(ChartSettings& s) {
    s.order = opt3Jisiki->isChecked() ? 1 : 0;
    s.curves = optGraph->isChecked() ? 1 : 0;
    for (int j = 1; j <= 4; ++j) {
        QLineEdit* box = txtLevel[size_t(j)];
        // Boxes are checked when left; one never left is checked here.
        if (!CheckRateText(box->text()).ok())
            return txtLevelExit(box);
        s.levels[size_t(j)] = NumberOfText(box->text());
    }
    return true;
}
