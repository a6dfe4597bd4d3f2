#include "gui/plot/AnalysisScreen.h"

#include "core/common/ColorText.h"
#include "core/common/Counts.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "data/plot/ChartBuilder.h"
#include "data/plot/ChartStore.h"
#include "data/project/Project.h"
#include "gui/common/Controls.h"
#include "gui/common/FieldExits.h"
#include "gui/common/RemarksEdit.h"
#include "gui/plot/WS1100_PlotWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char* const XCaptions[] = {"年　　齢", "勤　　続", "経　　験",
                                 "号　　俸", "達 成 率", "職務評価"};
const char* const YCaptions[] = {"職 能 給", "基 本 給", "所 定 給",
                                 "賞　　与", "年　　収", "支 給 率"};
const char* const LabelCaptions[] = {"シーケンス Ｎｏ", "人事評価 記号", "ゾーン", "表示しない"};
const char* const MarkCaptions[] = {
    "", "　■　男子営業", "　□　女子営業", "　●　男子事務", "　○　女子事務", "", ""};

CompanyYear openCompany() {
    return Project::current()->companyYear();
}

} // namespace

TAnalysisScreen::TAnalysisScreen(const AnalysisScreenKind& kind, TWS1100* plotWindow,
                                 QWidget* parent)
    : QDialog(parent), m_kind(kind), m_plot(plotWindow), m_exits(new FieldExits(this)) {
    setObjectName(kind.name);
    // Enter moves on to the next control, or presses the button that has the focus.
    m_exits->setEnterClicksButtons(true);
    setWindowTitle(kind.caption + QStringLiteral("[*]"));
    setModal(true);
    build();
    setFixedSize(kind.size);
}

TAnalysisScreen::~TAnalysisScreen() {
    m_exits->detach();
}

void TAnalysisScreen::build() {
    auto* lay = new QVBoxLayout(this);
    lay->setSpacing(6);

    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("タイトル"), this), 0, 0);
    txtTitle = TextEdit(this, QStringLiteral("txtTitle"), 40);
    top->addWidget(txtTitle, 0, 1);
    top->addWidget(new QLabel(QStringLiteral("解　説"), this), 1, 0, Qt::AlignTop);
    explanation = Named(new RemarksEdit(this), m_kind.explanationName);
    explanation->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    explanation->setFixedHeight(70);
    top->addWidget(explanation, 1, 1);
    lay->addLayout(top);
    const auto modified = [this] { setWindowModified(true); };
    connect(txtTitle, &QLineEdit::textEdited, this, modified);
    connect(explanation, &QPlainTextEdit::textChanged, this, modified);
    m_exits->add(txtTitle);

    auto radioGroup = [this, modified](const QString& title, const char* const* captions,
                                       const QString* names, int n, QRadioButton** out) {
        auto* box = new QGroupBox(title, this);
        auto* v = new QVBoxLayout(box);
        auto* group = new QButtonGroup(box);
        for (int i = 0; i < n; ++i) {
            out[i] = Named(new QRadioButton(QString::fromUtf8(captions[i]), box), names[i]);
            group->addButton(out[i], i);
            v->addWidget(out[i]);
            connect(out[i], &QRadioButton::clicked, this, modified);
        }
        v->addStretch(1);
        return box;
    };
    auto* options = new QHBoxLayout;
    options->addWidget(
        radioGroup(QStringLiteral("X軸　項目"), XCaptions, m_kind.xNames.data(), 6, optX.data()));
    options->addWidget(
        radioGroup(QStringLiteral("Y軸　項目"), YCaptions, m_kind.yNames.data(), 6, optY.data()));
    options->addWidget(radioGroup(QStringLiteral("マークラベル"), LabelCaptions,
                                  m_kind.labelNames.data(), 4, optMarkLabel.data()));
    lay->addLayout(options);
    for (int i = 0; i < AxisItemCount; ++i) {
        optX[size_t(i)]->setEnabled(m_kind.xOffered[size_t(i)]);
        optY[size_t(i)]->setEnabled(m_kind.yOffered[size_t(i)]);
    }

    auto* picks = new QHBoxLayout;
    auto* marks = new QGroupBox(QStringLiteral("プロットマーク"), this);
    auto* mv = new QVBoxLayout(marks);
    for (int k = 1; k <= MarkCount; ++k) {
        optPlot[size_t(k)] = Named(new QCheckBox(QString::fromUtf8(MarkCaptions[k]), marks),
                                   QStringLiteral("optPlot%1").arg(k));
        mv->addWidget(optPlot[size_t(k)]);
        connect(optPlot[size_t(k)], &QCheckBox::clicked, this, modified);
    }
    btnPlotAll = CommandButton(marks, QStringLiteral("btnPlotAll"), QStringLiteral("ﾌﾟﾛｯﾄ全"));
    btnPlotNothing =
        CommandButton(marks, QStringLiteral("btnPlotNothing"), QStringLiteral("ﾌﾟﾛｯﾄ無"));
    auto* mb = new QHBoxLayout;
    mb->addWidget(btnPlotAll);
    mb->addWidget(btnPlotNothing);
    mv->addStretch(1);
    mv->addLayout(mb);
    picks->addWidget(marks, 1);

    auto* grades = new QGroupBox(QStringLiteral("等級選択"), this);
    auto* gg = new QGridLayout(grades);
    gg->setVerticalSpacing(2);
    for (int g = 1; g <= MaxGrades; ++g) {
        optTokyu[size_t(g)] =
            Named(new QCheckBox(QString::number(g), grades), QStringLiteral("optTokyu%1").arg(g));
        txtTokyu[size_t(g)] = TextEdit(grades, QStringLiteral("txtTokyu%1").arg(g));
        txtTokyu[size_t(g)]->setReadOnly(true);
        txtTokyu[size_t(g)]->setFocusPolicy(Qt::NoFocus);
        gg->addWidget(optTokyu[size_t(g)], g - 1, 0);
        gg->addWidget(txtTokyu[size_t(g)], g - 1, 1);
        connect(optTokyu[size_t(g)], &QCheckBox::clicked, this, modified);
    }
    btnTokyuAll = CommandButton(grades, QStringLiteral("btnTokyuAll"), QStringLiteral("等級全"));
    btnTokyuNothing =
        CommandButton(grades, QStringLiteral("btnTokyuNothing"), QStringLiteral("等級無"));
    auto* gb = new QHBoxLayout;
    gb->addWidget(btnTokyuAll);
    gb->addWidget(btnTokyuNothing);
    gg->addLayout(gb, 9, 0, 1, 2);
    picks->addWidget(grades, 1);
    lay->addLayout(picks, 1);

    m_extra = new QVBoxLayout;
    lay->addLayout(m_extra);

    btnAnalize = CommandButton(this, QStringLiteral("btnAnalize"), QStringLiteral("分　析"));
    btnClose = CommandButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {btnAnalize, btnClose}) {
        b->setFixedSize(100, 30);
        buttons->addWidget(b);
    }
    lay->addLayout(buttons);

    connect(btnAnalize, &QPushButton::clicked, this, &TAnalysisScreen::btnAnalizeClick);
    connect(btnClose, &QPushButton::clicked, this, &TAnalysisScreen::btnCloseClick);
    connect(btnPlotAll, &QPushButton::clicked, this, &TAnalysisScreen::btnPlotAllClick);
    connect(btnPlotNothing, &QPushButton::clicked, this, &TAnalysisScreen::btnPlotNothingClick);
    connect(btnTokyuAll, &QPushButton::clicked, this, &TAnalysisScreen::btnTokyuAllClick);
    connect(btnTokyuNothing, &QPushButton::clicked, this, &TAnalysisScreen::btnTokyuNothingClick);
}

ChartSettings TAnalysisScreen::settings() const {
    ChartSettings s = m_loaded;
    s.chartNo = m_kind.chartNo;
    s.title = txtTitle->text();
    s.explanation = explanation->toPlainText();
    for (int i = 0; i < AxisItemCount; ++i) {
        if (optX[size_t(i)]->isChecked())
            s.xItem = i;
        if (optY[size_t(i)]->isChecked())
            s.yItem = i;
    }
    for (int i = 0; i < 4; ++i)
        if (optMarkLabel[size_t(i)]->isChecked())
            s.markLabelKind = i;
    for (int k = 1; k <= MarkCount; ++k)
        s.marks[size_t(k)] = optPlot[size_t(k)]->isChecked();
    for (int g = 1; g <= MaxGrades; ++g)
        s.grades[size_t(g)] = optTokyu[size_t(g)]->isChecked();
    return s;
}

void TAnalysisScreen::start() {
    PrepareScreen();
    setAttribute(Qt::WA_Moved, false); // centred over the main window
    exec();
}

void TAnalysisScreen::PrepareScreen() {
    // The family's size, grown where a member's extra controls need more room than it leaves
    // (the grade list would otherwise be squeezed until its boxes overlap).
    setFixedSize(m_kind.size.expandedTo(sizeHint()));
    m_plotOpened = false;
    LoadChartSettings();
    setWindowModified(false);
}

void TAnalysisScreen::LoadChartSettings() {
    const TMKIGYOU2& company = Project::current()->settings();
    for (int g = 1; g <= MaxGrades; ++g)
        txtTokyu[size_t(g)]->setText(company.TK[size_t(g)]);
    const CompanyYear cy = openCompany();
    ChartSettings defaults;
    defaults.chartNo = m_kind.chartNo;
    defaults.yItem = m_kind.defaultYItem;
    bool failed = false;
    if (!ChartSettingsExist(cy, m_kind.chartNo, &failed) && !failed)
        CreateChartSettings(cy, defaults);
    const std::optional<ChartSettings> stored = ::LoadChartSettings(cy, m_kind.chartNo);
    m_loaded = stored.value_or(defaults);
    showSettings(m_loaded);
    setMarkCaptions();
}

void TAnalysisScreen::showSettings(const ChartSettings& s) {
    txtTitle->setText(s.title);
    explanation->setPlainText(s.explanation);
    const int x = ValidAxisItem(s.xItem);
    const int y = ValidAxisItem(s.yItem);
    const int label = s.markLabelKind >= 0 && s.markLabelKind <= 3 ? s.markLabelKind : 0;
    optX[size_t(x)]->setChecked(true);
    optY[size_t(y)]->setChecked(true);
    optMarkLabel[size_t(label)]->setChecked(true);
    for (int k = 1; k <= MarkCount; ++k)
        optPlot[size_t(k)]->setChecked(s.marks[size_t(k)]);
    for (int g = 1; g <= MaxGrades; ++g)
        optTokyu[size_t(g)]->setChecked(s.grades[size_t(g)]);
    loadExtra(s);
}

void TAnalysisScreen::setMarkCaptions() {
    const std::array<TMMARK, MarkCount + 1> marks = CurrentMarks();
    for (int k = 1; k <= MarkCount; ++k) {
        QCheckBox* box = optPlot[size_t(k)];
        const TMMARK& m = marks[size_t(k)];
        QPalette pal = box->palette();
        if (m.MKCO != 0) {
            box->setText(m.MARK + QLatin1Char(' ') + m.HANREI);
            const ColorValue c = ColorOfText(m.MKCOLOR);
            pal.setColor(QPalette::WindowText, QColor(ColorRed(c), ColorGreen(c), ColorBlue(c)));
        } else {
            box->setText(QString::fromUtf8(MarkCaptions[k]));
            pal.setColor(QPalette::WindowText, palette().color(QPalette::WindowText));
        }
        box->setPalette(pal);
    }
}

bool TAnalysisScreen::BuildChartRows() {
    ChartSettings s = settings();
    if (!takeExtra(s))
        return false;
    const ChartBuildResult r =
        BuildChart(openCompany(), s, m_kind.rules, [this](DataExtents& e) { widenExtents(e); });
    if (r.failed)
        return false;
    // Before the plot opens, and before saying that nothing is left to plot.
    if (const QString left = LeftOutMessage(r.leftOut); !left.isEmpty())
        Msg::info(left);
    if (r.points.isEmpty()) {
        Msg::info(MsgText::NoChartData());
        return false;
    }
    if (!RebuildChartPoints(r.points))
        return false;
    m_request = r.request;
    return true;
}

bool TAnalysisScreen::SaveChartSettings() {
    if (!isWindowModified())
        return true;
    ChartSettings s = settings();
    if (!takeExtra(s))
        return false;
    if (!::SaveChartSettings(openCompany(), s))
        return false;
    m_loaded = s;
    setWindowModified(false);
    return true;
}

void TAnalysisScreen::btnAnalizeClick() {
    // A field of a member of the family checked first (the regression's level boxes).
    if (!m_exits->checkFocused())
        return;
    if (m_plot->markCount() != 0)
        m_plot->DestroyMarks();
    const bool built = BuildChartRows();
    SaveChartSettings();
    if (!built) {
        txtTitle->setFocus();
        return;
    }
    m_plotOpened = true;
    m_plot->ShowPlot(m_request, this);
    QDialog::accept();
}

void TAnalysisScreen::btnCloseClick() {
    SaveChartSettings();
    if (m_plot->markCount() != 0)
        m_plot->DestroyMarks();
    if (m_plotOpened && m_plot->chartNo() == m_kind.chartNo)
        m_plot->close();
    m_plotOpened = false;
    QDialog::reject();
}

void TAnalysisScreen::reject() {
    btnCloseClick();
}

void TAnalysisScreen::btnPlotAllClick() {
    for (int k = 1; k <= MarkCount; ++k)
        optPlot[size_t(k)]->setChecked(true);
    setWindowModified(true);
}

void TAnalysisScreen::btnPlotNothingClick() {
    for (int k = 1; k <= MarkCount; ++k)
        optPlot[size_t(k)]->setChecked(false);
    setWindowModified(true);
}

void TAnalysisScreen::btnTokyuAllClick() {
    for (int g = 1; g <= MaxGrades; ++g)
        optTokyu[size_t(g)]->setChecked(true);
    setWindowModified(true);
}

void TAnalysisScreen::btnTokyuNothingClick() {
    for (int g = 1; g <= MaxGrades; ++g)
        optTokyu[size_t(g)]->setChecked(false);
    setWindowModified(true);
}

void TAnalysisScreen::showAgain() {
    if (!isVisible())
        exec();
}

void TAnalysisScreen::closeScreen() {
    if (isVisible())
        QDialog::reject();
}

std::optional<PlotRequest> TAnalysisScreen::rebuildChart() {
    ChartSettings s = settings();
    const ChartBuildResult r =
        BuildChart(openCompany(), s, m_kind.rules, [this](DataExtents& e) { widenExtents(e); });
    if (r.failed || !RebuildChartPoints(r.points) || r.points.isEmpty())
        return std::nullopt;
    return r.request;
}
