#include "gui/design/WS1050_RaiseCurveDesign.h"

#include "core/common/AppState.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/common/NumberText.h"
#include "core/design/DesignPrint.h"
#include "core/plot/AxisItems.h"
#include "core/report/ReportCatalogue.h"
#include "data/db/RecordGuard.h"
#include "data/plot/ChartStore.h"
#include "data/project/Project.h"
#include "gui/common/Controls.h"
#include "gui/common/FieldExits.h"
#include "gui/common/Hourglass.h"
#include "gui/common/WorkbookSave.h"
#include "gui/design/WS1051_CurveStyle.h"
#include "gui/plot/WS1100_PlotWindow.h"
#include "gui/report/PrintPreview_ReportPreview.h"
#include "render/workbook/DesignWorkbook.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const char* const FullWidthDigits[] = {"", "１", "２", "３", "４", "５"};

CompanyYear openCompany() {
    return Project::current()->companyYear();
}

} // namespace

AnalysisScreenKind TWS1050::Kind() {
    AnalysisScreenKind s;
    s.chartNo = DesignChart;
    s.name = QStringLiteral("WS1050");
    s.caption = QStringLiteral("昇給カーブの設計");
    s.size = QSize(820, 900);
    s.explanationName = QStringLiteral("txtBikou");
    s.xNames = {QStringLiteral("optXNenrei"), QStringLiteral("optXKinzoku"),
                QStringLiteral("optXKeiken"), QStringLiteral("optXGouhou"),
                QStringLiteral("optXTassei"), QStringLiteral("optXSyokumu")};
    s.yNames = {QStringLiteral("optYSyokunou"), QStringLiteral("optYKihon"),
                QStringLiteral("optYSyotei"),   QStringLiteral("optYSyoyo"),
                QStringLiteral("optYNensyu"),   QStringLiteral("optYSikyuritsu")};
    s.labelNames = {QStringLiteral("optMaskSeq"), QStringLiteral("optMaskInput"),
                    QStringLiteral("optMaskZone"), QStringLiteral("optMaskNodsp")};
    s.defaultYItem = 0;
    s.rules = ProposalRules{1, true};
    return s;
}

TWS1050::TWS1050(QWidget* parent) : TWS1050(TWS1100::forWindow(parent), parent) {}

TWS1050::TWS1050(TWS1100* plotWindow, QWidget* parent)
    : TAnalysisScreen(Kind(), plotWindow, parent), txtBikou(explanation) {
    // 実　行 and 閉じる of this screen first ask for the designs to be registered.
    btnExec = btnAnalize;
    btnExec->setObjectName(QStringLiteral("btnExec"));
    btnExec->setText(QStringLiteral("実　行"));
    disconnect(btnExec, nullptr, this, nullptr);
    disconnect(btnClose, nullptr, this, nullptr);
    connect(btnExec, &QPushButton::clicked, this, &TWS1050::btnExecClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS1050::btnCloseDesignClick);
    buildDesignGrid();
    for (int i = 0; i < AxisItemCount; ++i) {
        // Another axis pair loads its own designs; that alone changes nothing to register.
        disconnect(optX[size_t(i)], &QRadioButton::clicked, this, nullptr);
        disconnect(optY[size_t(i)], &QRadioButton::clicked, this, nullptr);
        connect(optX[size_t(i)], &QRadioButton::clicked, this, [this, i] { axisClicked(true, i); });
        connect(optY[size_t(i)], &QRadioButton::clicked, this,
                [this, i] { axisClicked(false, i); });
    }
}

void TWS1050::buildDesignGrid() {
    const auto modified = [this] { setWindowModified(true); };
    auto* display = new QGroupBox(QStringLiteral("ﾌﾟﾛｯﾄﾏｰｸ表示"), this);
    auto* dl = new QHBoxLayout(display);
    optPlotFalse = Named(new QRadioButton(QStringLiteral("0 : しない"), display),
                         QStringLiteral("optPlotFalse"));
    optPlotTrue =
        Named(new QRadioButton(QStringLiteral("1 : する"), display), QStringLiteral("optPlotTrue"));
    dl->addWidget(optPlotFalse);
    dl->addWidget(optPlotTrue);
    dl->addStretch(1);
    connect(optPlotFalse, &QRadioButton::clicked, this, modified);
    connect(optPlotTrue, &QRadioButton::clicked, this, modified);
    extraLayout()->addWidget(display);

    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    auto* selected = new QButtonGroup(this);
    for (int d = 1; d <= DesignCount; ++d) {
        const int col = (d - 1) * 2;
        auto* title =
            new QLabel(QStringLiteral("設計") + QString::fromUtf8(FullWidthDigits[d]), box);
        title->setAlignment(Qt::AlignCenter);
        grid->addWidget(title, 0, col, 1, 2);
        labNenrei[size_t(d)] = Named(new QLabel(box), QStringLiteral("labNenrei%1").arg(d));
        labSyokunou[size_t(d)] = Named(new QLabel(box), QStringLiteral("labSyokunou%1").arg(d));
        labNenrei[size_t(d)]->setAlignment(Qt::AlignCenter);
        labSyokunou[size_t(d)]->setAlignment(Qt::AlignCenter);
        grid->addWidget(labNenrei[size_t(d)], 1, col);
        grid->addWidget(labSyokunou[size_t(d)], 1, col + 1);
        for (int p = 1; p <= DesignPointCount; ++p) {
            QLineEdit* x = RightEdit(box, QStringLiteral("txtNenrei%1%2").arg(d).arg(p), 3, 44);
            QLineEdit* a = RightEdit(box, QStringLiteral("txtSyokunou%1%2").arg(d).arg(p), 11, 90);
            // The tag of the original form: (p - 1) x 10 + (d - 1).
            x->setProperty("tag", (p - 1) * 10 + (d - 1));
            a->setProperty("tag", (p - 1) * 10 + (d - 1));
            txtNenrei[size_t(d)][size_t(p)] = x;
            txtSyokunou[size_t(d)][size_t(p)] = a;
            grid->addWidget(x, 1 + p, col);
            grid->addWidget(a, 1 + p, col + 1);
            exits()->add(x, [this, x, d, p] { return pointExit(x, d, p, false); });
            exits()->add(a, [this, a, d, p] { return pointExit(a, d, p, true); });
            connect(x, &QLineEdit::textEdited, this, modified);
            connect(a, &QLineEdit::textEdited, this, modified);
        }
        chk[size_t(d)] =
            Named(new QCheckBox(QStringLiteral("描画"), box), QStringLiteral("chk%1").arg(d));
        connect(chk[size_t(d)], &QCheckBox::clicked, this, modified);
        optHanrei[size_t(d)] = Named(new QRadioButton(box), QStringLiteral("optHanrei%1").arg(d));
        optHanrei[size_t(d)]->setVisible(false);
        selected->addButton(optHanrei[size_t(d)], d);
        connect(optHanrei[size_t(d)], &QRadioButton::clicked, this, modified);
        btnHanrei[size_t(d)] =
            CommandButton(box, QStringLiteral("btnHanrei%1").arg(d), QStringLiteral("凡　　例"));
        connect(btnHanrei[size_t(d)], &QPushButton::clicked, this,
                [this, d] { btnHanreiClick(d); });
        grid->addWidget(chk[size_t(d)], 2 + DesignPointCount, col);
        grid->addWidget(btnHanrei[size_t(d)], 2 + DesignPointCount, col + 1);
    }
    extraLayout()->addWidget(box);

    btnAdd = CommandButton(this, QStringLiteral("btnAdd"), QStringLiteral("登　録"));
    btnSalaryList = CommandButton(this, QStringLiteral("btnSalaryList"), QStringLiteral("賃金表"));
    btnFile = CommandButton(this, QStringLiteral("btnFile"), QStringLiteral("ﾌｧｲﾙ"));
    btnExcel = CommandButton(this, QStringLiteral("btnExcel"), QStringLiteral("Excel保存"));
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* b : {btnAdd, btnSalaryList, btnFile, btnExcel}) {
        b->setFixedSize(100, 30);
        row->addWidget(b);
    }
    extraLayout()->addLayout(row);
    connect(btnAdd, &QPushButton::clicked, this, &TWS1050::btnAddClick);
    connect(btnSalaryList, &QPushButton::clicked, this, &TWS1050::btnSalaryListClick);
    connect(btnFile, &QPushButton::clicked, this, &TWS1050::btnFileClick);
    connect(btnExcel, &QPushButton::clicked, this, &TWS1050::btnExcelClick);
}

void TWS1050::start() {
    PrepareDesignScreen();
    setAttribute(Qt::WA_Moved, false); // centred over the main window
    exec();
}

void TWS1050::PrepareDesignScreen() {
    const CompanyYear cy = openCompany();
    bool failed = false;
    // A new chart shows the employees' points with the designs.
    if (!ChartSettingsExist(cy, DesignChart, &failed) && !failed) {
        ChartSettings defaults;
        defaults.chartNo = DesignChart;
        defaults.curves = 1;
        CreateChartSettings(cy, defaults);
    }
    m_style = CurveStyle();
    PrepareScreen();
    m_xItem = currentX();
    m_yItem = currentY();
    renameColumns();
    ResetDesigns();
    LoadDesigns();
    setWindowModified(false);
}

int TWS1050::currentX() const {
    for (int i = 0; i < AxisItemCount; ++i)
        if (optX[size_t(i)]->isChecked())
            return i;
    return 0;
}

int TWS1050::currentY() const {
    for (int i = 0; i < AxisItemCount; ++i)
        if (optY[size_t(i)]->isChecked())
            return i;
    return 0;
}

void TWS1050::loadExtra(const ChartSettings& s) {
    (s.curves == 0 ? optPlotFalse : optPlotTrue)->setChecked(true);
}

bool TWS1050::takeExtra(ChartSettings& s) {
    s.curves = optPlotTrue->isChecked() ? 1 : 0;
    return true;
}

// The designs widen the proposed range: X as typed, the amount in 万円 rounded.
void TWS1050::widenExtents(DataExtents& e) {
    WidenByDesigns(e, m_points);
}

void TWS1050::renameColumns() {
    const QString x = DesignXCaption(m_xItem), y = DesignYCaption(m_yItem);
    for (int d = 1; d <= DesignCount; ++d) {
        labNenrei[size_t(d)]->setText(x + QString::fromUtf8(FullWidthDigits[d]));
        labSyokunou[size_t(d)]->setText(y + QString::fromUtf8(FullWidthDigits[d]));
    }
}

void TWS1050::ResetDesigns() {
    for (int d = 1; d <= DesignCount; ++d) {
        m_points[size_t(d)] = DesignPoints();
        chk[size_t(d)]->setChecked(false);
    }
    optHanrei[1]->setChecked(true);
    txtBikou->setPlainText(QString());
    showDesigns();
}

void TWS1050::LoadDesigns() {
    std::array<DesignCurve, DesignCount + 1> designs;
    RememberLoadedDesigns(openCompany(), m_xItem, m_yItem);
    ::LoadDesigns(openCompany(), m_xItem, m_yItem, designs);
    bool anySelected = false;
    for (int d = 1; d <= DesignCount; ++d) {
        const DesignCurve& c = designs[size_t(d)];
        m_points[size_t(d)] = PointsOf(c);
        chk[size_t(d)]->setChecked(c.drawn);
        if (c.selected) {
            optHanrei[size_t(d)]->setChecked(true);
            anySelected = true;
        }
    }
    if (!anySelected)
        optHanrei[1]->setChecked(true);
    txtBikou->setPlainText(designs[1].explanation);
    showDesigns();
    setWindowModified(false);
}

void TWS1050::showDesigns() {
    for (int d = 1; d <= DesignCount; ++d)
        for (int p = 1; p <= DesignPointCount; ++p) {
            txtNenrei[size_t(d)][size_t(p)]->setText(
                QString::number(m_points[size_t(d)].x[size_t(p)]));
            txtSyokunou[size_t(d)][size_t(p)]->setText(
                AmountText(Int128(m_points[size_t(d)].amount[size_t(p)])));
        }
}

bool TWS1050::pointExit(QLineEdit* field, int design, int point, bool amount) {
    const FieldCheck check = CheckMoneyText(field->text(), amount ? 8 : 3);
    if (!check.ok())
        return exits()->refuse(field, check.message);
    const qint64 v = WholeNumberOfText(check.shown);
    DesignPoints& d = m_points[size_t(design)];
    if (amount) {
        d.amount[size_t(point)] = v;
        field->setText(check.shown);
    } else {
        d.x[size_t(point)] = int(v);
        field->setText(QString::number(v));
    }
    return true;
}

// Designs are kept per pair of axis items: another pair shows its own designs. Designs typed
// and not registered are not dropped without asking.
void TWS1050::axisClicked(bool xAxis, int item) {
    const int previous = xAxis ? m_xItem : m_yItem;
    if (item == previous)
        return;
    if (isWindowModified() &&
        Msg::yesNo(MsgText::ChangedQuestion() + QStringLiteral("変更を取り消します。"),
                   QStringLiteral("確認"))) {
        (xAxis ? optX : optY)[size_t(previous)]->setChecked(true);
        return;
    }
    (xAxis ? m_xItem : m_yItem) = item;
    renameColumns();
    ResetDesigns();
    LoadDesigns();
}

std::array<DesignCurve, DesignCount + 1> TWS1050::designsOnScreen() const {
    std::array<DesignCurve, DesignCount + 1> designs;
    for (int d = 1; d <= DesignCount; ++d) {
        DesignCurve& c = designs[size_t(d)];
        c.curve = d;
        c.xItem = m_xItem;
        c.yItem = m_yItem;
        c.drawn = chk[size_t(d)]->isChecked();
        c.selected = optHanrei[size_t(d)]->isChecked();
        for (int p = 1; p <= DesignPointCount; ++p) {
            c.x[size_t(p)] = m_points[size_t(d)].x[size_t(p)];
            c.amount[size_t(p)] = Currency::fromInt(m_points[size_t(d)].amount[size_t(p)]);
        }
        c.explanation = txtBikou->toPlainText();
    }
    return designs;
}

int TWS1050::designSelected(int curve) const {
    return curve >= 1 && curve <= DesignCount && optHanrei[size_t(curve)]->isChecked() ? 1 : 0;
}

void TWS1050::designsImported() {
    ResetDesigns();
    LoadDesigns();
}

void TWS1050::btnAddClick() {
    if (!exits()->checkFocused())
        return;
    const SaveResult saved = SaveDesigns(openCompany(), m_xItem, m_yItem, designsOnScreen(),
                                         txtBikou->toPlainText(), m_style);
    if (!saved.saved()) {
        // Nothing of the five was written and the user was told why; designs another person
        // saved meanwhile are shown instead of the edits.
        if (saved.changedByOther()) {
            ResetDesigns();
            LoadDesigns();
            setWindowModified(false);
        }
        return;
    }
    // The title and the other choices of the chart are stored with it.
    saveChart();
    txtNenrei[1][1]->setFocus();
    setWindowModified(false);
}

bool TWS1050::saveChart() {
    ChartSettings s = settings();
    takeExtra(s);
    return ::SaveChartSettings(openCompany(), s);
}

void TWS1050::btnExecClick() {
    if (!exits()->checkFocused())
        return;
    if (isWindowModified()) {
        Msg::info(QStringLiteral("ﾃﾞｰﾀが変更されています。登録　してください。"));
        txtNenrei[1][1]->setFocus();
        return;
    }
    saveChart();
    // Builds the points, opens the plot window and closes this screen when there are points.
    TAnalysisScreen::btnAnalizeClick();
    if (isVisible())
        txtNenrei[1][1]->setFocus();
}

void TWS1050::btnCloseDesignClick() {
    if (isWindowModified() && Msg::yesNo(MsgText::ChangedCloseQuestion(), QStringLiteral("確認"))) {
        txtNenrei[1][1]->setFocus();
        return;
    }
    exits()->forget();
    saveChart();
    setWindowModified(false); // the designs are not saved by closing
    TAnalysisScreen::btnCloseClick();
}

void TWS1050::reject() {
    btnCloseDesignClick();
}

bool TWS1050::BuildExpansion(QVector<DesignRow>& rows) {
    Hourglass wait;
    const CompanyYear cy = openCompany();
    if (!StoreDesignExpansion(cy, m_xItem, m_yItem, ExpandDesigns(m_points)))
        return false;
    bool failed = false;
    rows = LoadDesignExpansion(cy, &failed);
    return !failed;
}

void TWS1050::btnFileClick() {
    if (!exits()->checkFocused())
        return;
    const QString folder = QDir::toNativeSeparators(state().AppDir);
    if (!Msg::yesNo(QStringLiteral("賃金表を") + folder +
                    QStringLiteral("CSVへ出力します。\r\nよろしいですか？")))
        return;
    QVector<DesignRow> rows;
    if (!BuildExpansion(rows))
        return;
    if (rows.isEmpty()) {
        Msg::info(MsgText::NoWageTableData());
        return;
    }
    DesignExport written;
    {
        Hourglass wait;
        const QString path = DesignCsvPath();
        QDir().mkpath(QFileInfo(path).absolutePath());
        written = WriteDesignCsv(path, txtTitle->text(), rows);
    }
    switch (written.status) {
    case DesignExport::Written:
        Msg::info(QStringLiteral("CSVデレクトリに賃金表が出力されました。"));
        break;
    case DesignExport::Unencodable:
        Msg::warning(written.detail);
        break;
    case DesignExport::WriteFailed:
        Msg::error(written.detail);
        break;
    }
}

// The designs on the screen expanded in memory, as tesvane-cli expands the stored ones: saving
// a workbook writes nothing to the database.
void TWS1050::btnExcelClick() {
    if (!exits()->checkFocused())
        return;
    const QVector<DesignRow> rows = ExpandDesigns(m_points);
    if (rows.isEmpty()) {
        Msg::info(MsgText::NoWageTableData());
        return;
    }
    const DesignPrintHeader header =
        DesignPrintHeaderOf(*Project::current(), txtTitle->text(), m_xItem, m_yItem);
    SaveWorkbookAs(this, QStringLiteral("昇給設計"),
                   [&] { return ComposeDesignWorkbook(header, rows); });
}

void TWS1050::btnSalaryListClick() {
    if (!exits()->checkFocused())
        return;
    QVector<DesignRow> rows;
    if (!BuildExpansion(rows))
        return;
    if (rows.isEmpty()) {
        Msg::info(MsgText::NothingToPrint());
        return;
    }
    ReportEngine JIVE;
    bool composed = false;
    {
        Hourglass wait;
        PrepareReport(JIVE, ReportId::DesignList, state().AppDir);
        composed = ComposeDesignPrint(
            JIVE, DesignPrintHeaderOf(*Project::current(), txtTitle->text(), m_xItem, m_yItem),
            rows);
    }
    if (!composed) {
        Msg::error(JIVE.error());
        return;
    }
    const QString previewFile = JIVE.ImageFileName();
    if (!previewFile.isEmpty())
        TfrmPrintPreview::Run(this, previewFile);
}

void TWS1050::btnHanreiClick(int design) {
    if (!exits()->checkFocused())
        return;
    TWS1051 style(design, m_style, this);
    style.start();
}
