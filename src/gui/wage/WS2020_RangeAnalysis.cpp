#include "gui/wage/WS2020_RangeAnalysis.h"

#include "core/common/AppState.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/report/RangeAnalysisPrint.h"
#include "data/analysis/RangeStore.h"
#include "data/project/Project.h"
#include "gui/common/Controls.h"
#include "gui/common/Hourglass.h"
#include "gui/common/WorkbookSave.h"
#include "gui/report/PrintPreview_ReportPreview.h"
#include "render/workbook/RangeWorkbook.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <limits>

namespace {

const QString NoWageTable =
    QStringLiteral("賃金表　が作成されていません。【賃金設計】-->【賃金表　作成】で、"
                   "賃金表を登録して下さい。");
const QString NoScale =
    QStringLiteral("サラリースケールが登録されていません。【賃金設計】-->【賃金表　作成】の"
                   "「ｻﾗﾘｰｽｹｰﾙ」で、基礎金額と上下限を登録して下さい。");

// Sorts by its number when it has one (amounts, ratios, grades), else by its text; a cell
// without a figure sorts before every figure.
class SortItem : public QTableWidgetItem {
public:
    SortItem(const QString& text, std::optional<double> key) : QTableWidgetItem(text), m_key(key) {
        setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        const auto* o = dynamic_cast<const SortItem*>(&other);
        if (!o || (!m_key && !o->m_key))
            return text() < other.text();
        const double a = m_key.value_or(-std::numeric_limits<double>::infinity());
        const double b = o->m_key.value_or(-std::numeric_limits<double>::infinity());
        return a < b;
    }

private:
    std::optional<double> m_key;
};

QTableWidget* grid(QWidget* parent, const QString& name, const QStringList& headings) {
    auto* g = Named(new QTableWidget(parent), name);
    g->setColumnCount(int(headings.size()));
    g->setHorizontalHeaderLabels(headings);
    g->verticalHeader()->setVisible(false);
    g->verticalHeader()->setDefaultSectionSize(22);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setAlternatingRowColors(true);
    return g;
}

// The row's texts as the print shows them; right-aligned where the headings name figures.
void fillRow(QTableWidget* g, int row, const QStringList& texts,
             const QVector<std::optional<double>>& keys, const QVector<int>& rightColumns) {
    for (int c = 0; c < texts.size(); ++c) {
        auto* item = new SortItem(texts[c], keys.value(c));
        item->setTextAlignment(rightColumns.contains(c) ? (Qt::AlignRight | Qt::AlignVCenter)
                                                        : (Qt::AlignLeft | Qt::AlignVCenter));
        g->setItem(row, c, item);
    }
}

} // namespace

TWS2020::TWS2020(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WS2020"));
    setWindowTitle(RangeText::title());
    lblHead = Named(new QLabel(this), QStringLiteral("lblHead"));
    PageControl1 = Named(new QTabWidget(this), QStringLiteral("PageControl1"));
    grdGrade = grid(this, QStringLiteral("grdGrade"), RangeText::gradeHeadings());
    auto* gradePage = new QWidget;
    auto* gv = new QVBoxLayout(gradePage);
    gv->addWidget(grdGrade);
    PageControl1->addTab(gradePage, QStringLiteral("等級別"));

    grdEmployee = grid(this, QStringLiteral("grdEmployee"), RangeText::employeeHeadings());
    grdEmployee->horizontalHeader()->setSortIndicatorShown(true);
    lblApart = Named(new QLabel(this), QStringLiteral("lblApart"));
    grdApart = grid(this, QStringLiteral("grdApart"), RangeText::apartHeadings());
    grdApart->setMaximumHeight(140);
    auto* employeePage = new QWidget;
    auto* ev = new QVBoxLayout(employeePage);
    ev->addWidget(grdEmployee, 1);
    ev->addWidget(lblApart);
    ev->addWidget(grdApart);
    PageControl1->addTab(employeePage, QStringLiteral("社員別"));

    lblDefinition = Named(new QLabel(this), QStringLiteral("lblDefinition"));
    lblDefinition->setText(RangeText::definition().join(QLatin1Char('\n')));
    lblDefinition->setWordWrap(true);

    btnPrint = CommandButton(this, QStringLiteral("btnPrint"), QStringLiteral("印　刷"));
    btnExcel = CommandButton(this, QStringLiteral("btnExcel"), QStringLiteral("Excel保存"));
    btnClose = CommandButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    connect(btnPrint, &QPushButton::clicked, this, &TWS2020::btnPrintClick);
    connect(btnExcel, &QPushButton::clicked, this, &TWS2020::btnExcelClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS2020::btnCloseClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnExcel);
    buttons->addWidget(btnClose);
    auto* v = new QVBoxLayout(this);
    v->addWidget(lblHead);
    v->addWidget(PageControl1, 1);
    v->addWidget(lblDefinition);
    v->addLayout(buttons);
    resize(1180, 680);
}

TWS2020::~TWS2020() = default;

void TWS2020::start() {
    setAttribute(Qt::WA_Moved, false); // centred over the main window
    if (prepare())
        exec();
}

bool TWS2020::prepare() {
    RangeLoad loaded = RangeLoad::Failed;
    {
        Hourglass wait;
        loaded = LoadRangeReport(*Project::current(), m_report);
    }
    switch (loaded) {
    case RangeLoad::Loaded:
        break;
    case RangeLoad::NoCompany:
        Msg::info(MsgText::NoCompanyMaster());
        return false;
    case RangeLoad::NoWageTable:
        Msg::info(NoWageTable);
        return false;
    case RangeLoad::NoScale:
        Msg::info(NoScale);
        return false;
    case RangeLoad::Failed:
        return false; // the data module has said why
    }
    const RangeHeader& h = m_report.header;
    lblHead->setText(h.nendoText + QStringLiteral(" 年度　") + h.companyName +
                     QStringLiteral("　　賃金表：") + h.tableTitle +
                     QStringLiteral("　スケールコード ") + QString::number(h.scaleCode));
    fillGrades();
    fillEmployees();
    PageControl1->setCurrentIndex(0);
    return true;
}

void TWS2020::fillGrades() {
    const QVector<QStringList> texts = GradeRowTexts(m_report);
    const QVector<int> right = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    grdGrade->setRowCount(int(texts.size()));
    for (int r = 0; r < texts.size(); ++r) {
        fillRow(grdGrade, r, texts[r], {}, right);
        const bool totalRow = r == texts.size() - 1;
        const bool noScale = !totalRow && !m_report.analysis.grades[r].hasScale;
        for (int c = 0; c < texts[r].size(); ++c) {
            QTableWidgetItem* item = grdGrade->item(r, c);
            if (totalRow) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            } else if (noScale) {
                item->setForeground(QColor(160, 0, 0)); // a grade the scale does not cover
            }
        }
    }
    grdGrade->resizeColumnsToContents();
}

void TWS2020::fillEmployees() {
    const QVector<QStringList> texts = EmployeeRowTexts(m_report);
    grdEmployee->setSortingEnabled(false);
    grdEmployee->setRowCount(int(texts.size()));
    const QVector<int> right = {4, 5, 6, 7, 8, 9};
    for (int r = 0; r < texts.size(); ++r) {
        const RangeEmployeeResult& e = m_report.analysis.employees[r];
        QVector<std::optional<double>> keys(texts[r].size());
        keys[2] = e.employee.grade;
        keys[4] = double(e.employee.basePay);
        if (e.hasScale) {
            const RangeGradeResult& g = m_report.analysis.grades[e.employee.grade - 1];
            keys[5] = double(g.figures.lowerAmount);
            keys[6] = double(g.base);
            keys[7] = double(g.figures.upperAmount);
            keys[8] = e.compaRatio;
            keys[9] = e.penetration;
        }
        fillRow(grdEmployee, r, texts[r], keys, right);
        if (e.below || e.above)
            grdEmployee->item(r, 10)->setForeground(QColor(160, 0, 0));
    }
    grdEmployee->setSortingEnabled(true);
    grdEmployee->sortByColumn(0, Qt::AscendingOrder);
    grdEmployee->resizeColumnsToContents();

    const QVector<QStringList> apart = ApartRowTexts(m_report);
    lblApart->setText(
        QStringLiteral("対象外の社員（賃金表とのリンクなし・等級なし）：%1 名").arg(apart.size()));
    grdApart->setRowCount(int(apart.size()));
    for (int r = 0; r < apart.size(); ++r)
        fillRow(grdApart, r, apart[r], {}, {});
    grdApart->resizeColumnsToContents();
    grdApart->setVisible(!apart.isEmpty()); // no empty box under the list
}

void TWS2020::btnPrintClick() {
    const QString path = state().AppDir + QStringLiteral("Report/") + RangeAnalysisWorkFileName();
    QString error;
    bool saved = false;
    {
        Hourglass wait;
        saved = SaveReportDocument(ComposeRangeAnalysisPrint(m_report), path, &error);
    }
    if (!saved) {
        Msg::error(error);
        return;
    }
    TfrmPrintPreview::Run(this, path);
}

void TWS2020::btnExcelClick() {
    SaveWorkbookAs(this, RangeText::title(), [this] { return ComposeRangeWorkbook(m_report); });
}

void TWS2020::btnCloseClick() {
    accept();
}
