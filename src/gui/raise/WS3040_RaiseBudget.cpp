#include "gui/raise/WS3040_RaiseBudget.h"

#include "core/common/AppState.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/raise/RaiseBudgetTable.h"
#include "core/report/RaiseBudgetPrint.h"
#include "core/report/ReportCatalogue.h"
#include "data/project/Project.h"
#include "data/raise/RaiseBudgetStore.h"
#include "data/raise/RaiseStore.h"
#include "gui/common/Controls.h"
#include "gui/common/FieldExits.h"
#include "gui/common/Hourglass.h"
#include "gui/common/WorkbookSave.h"
#include "gui/report/PrintPreview_ReportPreview.h"
#include "render/workbook/RaiseBudgetWorkbook.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidget* budgetGrid(QWidget* parent, const QString& name) {
    auto* g = Named(new QTableWidget(0, BudgetColumnCount + 1, parent), name);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionMode(QAbstractItemView::NoSelection);
    g->setFocusPolicy(Qt::NoFocus);
    g->verticalHeader()->setVisible(false);
    g->verticalHeader()->setDefaultSectionSize(22);
    g->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    g->setColumnWidth(0, 170);
    for (int c = 1; c <= BudgetColumnCount; ++c)
        g->setColumnWidth(c, c <= 2 ? 50 : c == int(BudgetColumn::Rate) + 1 ? 62 : 96);
    return g;
}

CompanyYear openCompany() {
    return Project::current()->companyYear();
}

} // namespace

TWS3040::TWS3040(QWidget* parent) : QDialog(parent), m_exits(new FieldExits(this)) {
    setObjectName(QStringLiteral("WS3040"));
    setWindowTitle(QStringLiteral("昇給原資[*]"));
    setModal(true);

    txtSyouyo = RightEdit(this, QStringLiteral("txtSyouyo"), 8, 80);
    txtHutan = RightEdit(this, QStringLiteral("txtHutan"), 8, 80);
    btnAdd = CommandButton(this, QStringLiteral("btnAdd"), QStringLiteral("登　録"));
    auto* settings = new QGroupBox(QStringLiteral("年間原資の計算"), this);
    auto* sl = new QHBoxLayout(settings);
    sl->addWidget(new QLabel(QStringLiteral("賞与（基本給の）"), settings));
    sl->addWidget(txtSyouyo);
    sl->addWidget(new QLabel(QStringLiteral("か月"), settings));
    sl->addSpacing(24);
    sl->addWidget(new QLabel(QStringLiteral("法定福利費等（事業主負担）"), settings));
    sl->addWidget(txtHutan);
    sl->addWidget(new QLabel(QStringLiteral("%"), settings));
    sl->addSpacing(24);
    sl->addWidget(btnAdd);
    sl->addStretch(1);

    tabBudget = Named(new QTabWidget(this), QStringLiteral("tabBudget"));
    grdGrade = budgetGrid(tabBudget, QStringLiteral("grdGrade"));
    grdMark = budgetGrid(tabBudget, QStringLiteral("grdMark"));
    tabBudget->addTab(grdGrade, QStringLiteral("等級別"));
    tabBudget->addTab(grdMark, QStringLiteral("マーク別"));

    labNote = Named(new QLabel(RaiseBudgetSplitNote(), this), QStringLiteral("labNote"));
    labNote->setWordWrap(true);
    labNoTable =
        Named(new QLabel(QStringLiteral("この年度の賃金表がないため、基本給の昇給は"
                                        "定期昇給・ベースアップに分けず「その他」に含めています。"),
                         this),
              QStringLiteral("labNoTable"));
    labNoTable->setStyleSheet(QStringLiteral("color: #b00000;"));
    labNoTable->setWordWrap(true);

    btnPrint = CommandButton(this, QStringLiteral("btnPrint"), QStringLiteral("印　刷"));
    btnExcel = CommandButton(this, QStringLiteral("btnExcel"), QStringLiteral("Excel保存"));
    btnClose = CommandButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    m_exits->passWithoutCheck(btnClose);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {btnPrint, btnExcel, btnClose}) {
        b->setFixedSize(100, 30);
        buttons->addWidget(b);
    }

    auto* v = new QVBoxLayout(this);
    v->addWidget(settings);
    v->addWidget(tabBudget, 1);
    v->addWidget(labNoTable);
    v->addWidget(labNote);
    v->addLayout(buttons);

    m_exits->add(txtSyouyo, [this] { return monthsExit(); });
    m_exits->add(txtHutan, [this] { return rateExit(); });
    const auto modified = [this] { setWindowModified(true); };
    connect(txtSyouyo, &QLineEdit::textEdited, this, modified);
    connect(txtHutan, &QLineEdit::textEdited, this, modified);
    connect(btnAdd, &QPushButton::clicked, this, &TWS3040::btnAddClick);
    connect(btnPrint, &QPushButton::clicked, this, &TWS3040::btnPrintClick);
    connect(btnExcel, &QPushButton::clicked, this, &TWS3040::btnExcelClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS3040::btnCloseClick);
    resize(1400, 470);
}

TWS3040::~TWS3040() {
    m_exits->detach();
}

void TWS3040::start() {
    if (!prepare())
        return;
    setAttribute(Qt::WA_Moved, false); // centred over the main window
    exec();
}

bool TWS3040::prepare() {
    m_exits->forget();
    const CompanyYear cy = openCompany();
    RaiseBudgetSettings settings;
    switch (LoadRaiseBudgetSettings(cy, settings, true)) {
    case LoadResult::Found:
        break;
    case LoadResult::Missing:
        Msg::info(MsgText::NoCompanyMaster());
        return false;
    case LoadResult::Failed:
        return false;
    }
    bool failed = false;
    const bool hasTable = HasWageTable(cy, &failed);
    if (failed || !LoadRaiseBudgetInput(cy, m_employees))
        return false;
    m_settings = settings;
    txtSyouyo->setText(settings.bonusMonths.toString());
    txtHutan->setText(settings.onCostPercent.toString());
    labNoTable->setVisible(!hasTable && !m_employees.isEmpty());
    recompute();
    setWindowModified(false);
    txtSyouyo->setFocus();
    return true;
}

bool TWS3040::monthsExit() {
    const FieldCheck c = CheckBonusMonthsText(txtSyouyo->text());
    if (!c.ok())
        return m_exits->refuse(txtSyouyo, c.message);
    txtSyouyo->setText(c.shown);
    if (NumberOfText(c.shown) != m_settings.bonusMonths) {
        m_settings.bonusMonths = NumberOfText(c.shown);
        recompute();
    }
    return true;
}

bool TWS3040::rateExit() {
    const FieldCheck c = CheckOnCostRateText(txtHutan->text());
    if (!c.ok())
        return m_exits->refuse(txtHutan, c.message);
    txtHutan->setText(c.shown);
    if (NumberOfText(c.shown) != m_settings.onCostPercent) {
        m_settings.onCostPercent = NumberOfText(c.shown);
        recompute();
    }
    return true;
}

void TWS3040::recompute() {
    m_budget = ComputeRaiseBudget(m_employees, m_settings);
    fill(grdGrade, 0);
    fill(grdMark, 1);
}

void TWS3040::fill(QTableWidget* grid, int section) {
    const Project& project = *Project::current();
    const RaiseBudgetSection s =
        RaiseBudgetSections(m_budget, project.settings(), project.marks())[section];
    QStringList headings{s.groupCaption};
    headings += BudgetColumnCaptions();
    grid->setHorizontalHeaderLabels(headings);
    grid->setRowCount(int(s.lines.size()));
    for (int r = 0; r < s.lines.size(); ++r) {
        const RaiseBudgetLine& l = s.lines[r];
        auto put = [&](int col, const QString& text, Qt::Alignment align) {
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(align | Qt::AlignVCenter);
            if (l.total) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
                item->setBackground(QColor(0xEE, 0xF2, 0xF6));
            }
            grid->setItem(r, col, item);
        };
        put(0, l.label, Qt::AlignLeft);
        for (int c = 0; c < BudgetColumnCount; ++c)
            put(c + 1, BudgetValueText(l.values, BudgetColumn(c)), Qt::AlignRight);
    }
}

bool TWS3040::settled() {
    // Both boxes, not only the focused one: after a refusal box the window is not always
    // activated again, and a box left then never ran its check. A command takes what they show.
    return m_exits->checkFocused() && monthsExit() && rateExit();
}

void TWS3040::btnAddClick() {
    if (!settled())
        return;
    switch (SaveRaiseBudgetSettings(openCompany(), m_settings).outcome) {
    case SaveOutcome::Saved:
        setWindowModified(false);
        break;
    case SaveOutcome::ChangedByOther:
        prepare(); // said why; the other person's settings replace the edits
        break;
    case SaveOutcome::OutOfRange: // not given by this save
    case SaveOutcome::Failed:
        break; // nothing written; the user was told why
    }
}

void TWS3040::btnPrintClick() {
    if (!settled())
        return;
    if (m_employees.isEmpty()) {
        Msg::info(MsgText::NothingToPrint());
        return;
    }
    ReportEngine JIVE;
    bool composed = false;
    {
        Hourglass wait;
        PrepareReport(JIVE, ReportId::RaiseBudget, state().AppDir);
        composed = ComposeRaiseBudgetPrint(
            JIVE, RaiseBudgetDocumentOf(*Project::current(), m_budget, m_settings));
    }
    if (!composed) {
        Msg::error(JIVE.error());
        return;
    }
    TfrmPrintPreview::Run(this, JIVE.ImageFileName());
}

void TWS3040::btnExcelClick() {
    if (!settled())
        return;
    if (m_employees.isEmpty()) {
        Msg::info(MsgText::NothingToPrint());
        return;
    }
    const Project& project = *Project::current();
    SaveWorkbookAs(this,
                   QStringLiteral("昇給原資_%1_%2")
                       .arg(project.companyName())
                       .arg(project.companyYear().nendo),
                   [&] {
                       return ComposeRaiseBudgetWorkbook(
                           RaiseBudgetDocumentOf(project, m_budget, m_settings));
                   });
}

void TWS3040::btnCloseClick() {
    if (isWindowModified() && Msg::yesNo(MsgText::ChangedCloseQuestion(), QStringLiteral("確認")))
        return;
    m_exits->forget();
    setWindowModified(false); // the settings typed are not saved by closing
    accept();
}

void TWS3040::reject() {
    btnCloseClick();
}
