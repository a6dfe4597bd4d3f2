#include "app/WS0000_MainWindow.h"

#include "app/BeforeUse_UsageGuide.h"
#include "app/WS4010_Version.h"
#include "core/common/AppState.h"
#include "core/common/Messages.h"
#include "data/db/Compaction.h"
#include "data/db/TDM.h"
#include "data/project/EraTable.h"
#include "gui/common/Dialogs.h"
#include "gui/company/WS0010_CompanySelection.h"
#include "gui/company/WS0070_BasicSettings.h"
#include "gui/masters/EmployeeExportCommand.h"
#include "gui/masters/ImportWorker_EmployeeImport.h"
#include "gui/masters/WS0030_Employee.h"
#include "gui/plot/WS1010_WagePlot.h"
#include "gui/plot/WS1100_PlotWindow.h"
#include "gui/wage/WS2010_WageTable.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString AppTitle = QStringLiteral("Tesvane賃金");
const char* const AnalysisMenus[] = {"mnGraph", "mnSalary", "mnSalaryUp", "mnReport"};
const char* const ResultPanels[] = {"Panel_Plot", "Panel_WTable", "Panel_Report"};
} // namespace

TWS0000::TWS0000(const QString& appDir, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("WS0000"));
    buildMenus();
    buildToolPanels();

    // Creation handler: folders, connections, state, era table.
    AppState& s = state();
    QString dir = appDir.isEmpty() ? QCoreApplication::applicationDirPath() : appDir;
    dir = QDir(dir).absolutePath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    s.AppDir = dir;
    s.DataDir = dir + QStringLiteral("DATA/");
    setWindowTitle(AppTitle);
    m_ui = MainMenuState();
    applyMenuState();

    DM().OpenConnection(TDM::ACN1, s.DataDir + QStringLiteral("SEIGYO.db"));
    DM().OpenConnection(TDM::ACN2, s.DataDir + QStringLiteral("DATA.db"));
    s.ProjectState = 0;
    s.SelKco = 0;
    s.CompanyChosen = 0;
    s.PlotPrintNo = 1;
    s.refreshToday();
    s.SelNendo = s.TodayYear;
    // A failed read is reported by the data module; the eras then stay empty.
    if (DM().isOpen(TDM::ACN1))
        LoadEraTable();
}

TWS0000::~TWS0000() = default;

QAction* TWS0000::addCommand(QMenu* menu, const char* name, const QString& text,
                             void (TWS0000::*slot)()) {
    auto* a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    menu->addAction(a);
    if (slot)
        connect(a, &QAction::triggered, this, slot);
    m_actions.insert(a->objectName(), a);
    return a;
}

void TWS0000::buildMenus() {
    QMenuBar* bar = menuBar();
    auto menu = [&](const char* name, const QString& title) {
        QMenu* m = bar->addMenu(title);
        m->setObjectName(QString::fromLatin1(name));
        m_menus.insert(m->objectName(), m);
        return m;
    };
    QMenu* p = menu("mnProject", QStringLiteral("プロジェクト(&P)"));
    addCommand(p, "mnNew", QStringLiteral("新規作成(&N)"), &TWS0000::mnNewClick);
    addCommand(p, "mnOPen", QStringLiteral("開く(&O)"), &TWS0000::mnOPenClick);
    addCommand(p, "mnClose", QStringLiteral("閉じる(&C)"), &TWS0000::mnCloseClick);
    addCommand(p, "mnMnt", QStringLiteral("変更(&R)"), &TWS0000::mnMntClick);
    addCommand(p, "mnDlt", QStringLiteral("削除(&D)"), &TWS0000::mnDltClick);
    p->addSeparator();
    addCommand(p, "mnBase", QStringLiteral("基本設定(&B)"), &TWS0000::mnBaseClick);
    addCommand(p, "mnPrint", QStringLiteral("プリンタ設定(&P)"), &TWS0000::mnPrintClick);
    p->addSeparator();
    addCommand(p, "mnImport", QStringLiteral("社員情報取込(&I)"), &TWS0000::mnImportClick);
    addCommand(p, "mnExport", QStringLiteral("社員マスタ出力(&E)"), &TWS0000::mnExportClick);
    p->addSeparator();
    addCommand(p, "mnDBCond", QStringLiteral("データベース圧縮(&D)"), &TWS0000::mnDBCondClick);
    p->addSeparator();
    addCommand(p, "mnEnd", QStringLiteral("終了(&Z)"), &TWS0000::mnEndClick);

    QMenu* d = menu("mnData", QStringLiteral("データ入力(&D)"));
    addCommand(d, "mnWorker", QStringLiteral("社員　登録(&E)"), &TWS0000::mnWorkerClick);
    addCommand(d, "mnLiving", QStringLiteral("生計費　登録(&L)"), nullptr);
    addCommand(d, "mnModelData", QStringLiteral("モデルデータ登録(&S)"), nullptr);
    addCommand(d, "mnModelSalary", QStringLiteral("モデル賃金登録(&M)"), nullptr);

    QMenu* g = menu("mnGraph", QStringLiteral("プロット分析(&G)"));
    addCommand(g, "mnSalaryPlot", QStringLiteral("賃金プロット(&U)"), &TWS0000::mnSalaryPlotClick);
    addCommand(g, "mnSalaryUpCurve", QStringLiteral("昇給カーブの分析(&V)"), nullptr);
    addCommand(g, "mnLivingComp", QStringLiteral("生計費との比較(&W)"), nullptr);
    addCommand(g, "mnModelSalaryComp", QStringLiteral("モデル賃金との比較(&X)"), nullptr);

    QMenu* w = menu("mnSalary", QStringLiteral("賃金設計(&C)"));
    addCommand(w, "mnSalaryUpSetting", QStringLiteral("昇給カーブの設計(&Y)"), nullptr);
    addCommand(w, "mnSalaryList", QStringLiteral("賃金表　作成(&J)"), &TWS0000::mnSalaryListClick);
    addCommand(w, "mnSalarySetting", QStringLiteral("賃金表 分析グラフ(&T)"), nullptr);

    QMenu* u = menu("mnSalaryUp", QStringLiteral("昇給管理(&S)"));
    addCommand(u, "mnSalaryInput", QStringLiteral("昇給管理　入力(&K)"), nullptr);
    addCommand(u, "mnNendoUpdate", QStringLiteral("年度更新(&N)"), nullptr);
    addCommand(u, "mnEvaConv", QStringLiteral("評価の変換(&H)"), nullptr);

    QMenu* r = menu("mnReport", QStringLiteral("レポート(&R)"));
    addCommand(r, "mnSaralyReport", QStringLiteral("グループ別社員賃金(&G)"), nullptr);
    addCommand(r, "mnSaralyUpReport", QStringLiteral("グループ別社員昇給(&U)"), nullptr);

    QMenu* h = menu("mnHelp", QStringLiteral("ヘルプ(&H)"));
    addCommand(h, "BeforeUse", QStringLiteral("ご利用案内(&D)"), &TWS0000::BeforeUseClick);
    addCommand(h, "mnHELPH", QStringLiteral("ヘルプ(&H)"), &TWS0000::mnHELPHClick);
    addCommand(h, "mnVersion", QStringLiteral("バージョン情報(&V)"), &TWS0000::mnVersionClick);
}

QFrame* TWS0000::addPanel(const char* name) {
    auto* panel = new QFrame;
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* lay = new QHBoxLayout(panel);
    lay->setContentsMargins(2, 2, 2, 2);
    lay->setSpacing(0);
    m_panels.insert(panel->objectName(), panel);
    return panel;
}

QToolButton* TWS0000::addButton(QFrame* panel, const char* name, const QString& caption,
                                const char* commandName) {
    auto* b = new QToolButton(panel);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(caption);
    b->setFixedSize(50, 62);
    b->setAutoRaise(true);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    panel->layout()->addWidget(b);
    const QString command = QString::fromLatin1(commandName);
    m_buttons.insert(b->objectName(), b);
    m_buttonCommand.insert(b->objectName(), command);
    connect(b, &QToolButton::clicked, this, [this, command] {
        if (QAction* a = m_actions.value(command))
            a->trigger();
    });
    return b;
}

void TWS0000::buildToolPanels() {
    auto* top = new QWidget;
    top->setObjectName(QStringLiteral("TopBar"));
    auto* lay = new QHBoxLayout(top);
    lay->setContentsMargins(2, 2, 2, 2);
    lay->setSpacing(4);
    QStyle* st = style();
    auto icon = [&](QToolButton* b, QStyle::StandardPixmap p) { b->setIcon(st->standardIcon(p)); };

    QFrame* proj = addPanel("Panel_Project");
    icon(addButton(proj, "btnNew", QStringLiteral("新規"), "mnNew"), QStyle::SP_FileIcon);
    icon(addButton(proj, "btnOpen", QStringLiteral("開く"), "mnOPen"), QStyle::SP_DirOpenIcon);
    icon(addButton(proj, "btnClose", QStringLiteral("閉じる"), "mnClose"),
         QStyle::SP_DialogCloseButton);
    icon(addButton(proj, "btnMnt", QStringLiteral("変更"), "mnMnt"),
         QStyle::SP_FileDialogDetailedView);
    icon(addButton(proj, "btn_Delete", QStringLiteral("削除"), "mnDlt"), QStyle::SP_TrashIcon);

    QFrame* early = addPanel("Panel_EarlySet");
    icon(addButton(early, "btnKihon", QStringLiteral("基本"), "mnBase"),
         QStyle::SP_FileDialogInfoView);
    icon(addButton(early, "btnHyoka", QStringLiteral("評価"), "mnEvaConv"),
         QStyle::SP_FileDialogListView);
    icon(addButton(early, "btn_Import", QStringLiteral("Import"), "mnImport"),
         QStyle::SP_ArrowDown);
    icon(addButton(early, "btn_Export", QStringLiteral("Export"), "mnExport"), QStyle::SP_ArrowUp);
    icon(addButton(early, "btnWorker", QStringLiteral("社員"), "mnWorker"), QStyle::SP_DirHomeIcon);

    QFrame* plot = addPanel("Panel_Plot");
    icon(addButton(plot, "btnSalaryPlot", QStringLiteral("プロット"), "mnSalaryPlot"),
         QStyle::SP_DesktopIcon);
    icon(addButton(plot, "btnSalaryCurve", QStringLiteral("回帰"), "mnSalaryUpCurve"),
         QStyle::SP_BrowserReload);
    icon(addButton(plot, "btnLiveingComp", QStringLiteral("生計費"), "mnLivingComp"),
         QStyle::SP_DriveHDIcon);
    icon(addButton(plot, "btnModelComp", QStringLiteral("モデル"), "mnModelSalaryComp"),
         QStyle::SP_ComputerIcon);

    QFrame* table = addPanel("Panel_WTable");
    icon(addButton(table, "btn_WageTable", QStringLiteral("賃金表"), "mnSalaryList"),
         QStyle::SP_FileDialogContentsView);
    icon(addButton(table, "btn_G_WageTable", QStringLiteral("グラフ"), "mnSalarySetting"),
         QStyle::SP_TitleBarShadeButton);
    icon(addButton(table, "btn_SalaryUp", QStringLiteral("昇給"), "mnSalaryInput"),
         QStyle::SP_ArrowUp);

    QFrame* report = addPanel("Panel_Report");
    icon(addButton(report, "btn_RepNow", QStringLiteral("昇給前"), "mnSaralyReport"),
         QStyle::SP_FileDialogStart);
    icon(addButton(report, "btn_RepUp", QStringLiteral("昇給後"), "mnSaralyUpReport"),
         QStyle::SP_FileDialogEnd);

    QFrame* help = addPanel("Panel_Help");
    icon(addButton(help, "btn_mdb", QStringLiteral("DB圧縮"), "mnDBCond"), QStyle::SP_DriveFDIcon);
    icon(addButton(help, "btnHelp", QStringLiteral("HELP"), "mnHELPH"),
         QStyle::SP_DialogHelpButton);
    icon(addButton(help, "btn_End", QStringLiteral("終了"), "mnEnd"),
         QStyle::SP_DialogCancelButton);

    for (const char* name :
         {"Panel_Project", "Panel_EarlySet", "Panel_Plot", "Panel_WTable", "Panel_Report"})
        lay->addWidget(m_panels.value(QString::fromLatin1(name)));
    lay->addStretch(1);
    lay->addWidget(help);

    auto* central = new QWidget;
    auto* v = new QVBoxLayout(central);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(top);
    auto* backdrop = new QLabel(QStringLiteral("Tesvane賃金"));
    backdrop->setObjectName(QStringLiteral("Backdrop"));
    backdrop->setAlignment(Qt::AlignCenter);
    backdrop->setStyleSheet(QStringLiteral(
        "QLabel#Backdrop { color: #9db4c8; font-size: 48px; font-weight: bold;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f8fb, stop:1 #dde7ef); }"));
    v->addWidget(backdrop, 1);
    setCentralWidget(central);
}

// Commands whose screens exist. The others stay disabled until their screen is built.
bool TWS0000::commandBuilt(const QString& name) const {
    static const QStringList always = {QStringLiteral("mnClose"), QStringLiteral("mnPrint"),
                                       QStringLiteral("mnEnd"),   QStringLiteral("BeforeUse"),
                                       QStringLiteral("mnHELPH"), QStringLiteral("mnVersion")};
    if (always.contains(name) || name == QStringLiteral("mnDBCond"))
        return true;
    if (name == QStringLiteral("mnBase"))
        return WS0070 != nullptr;
    if (name == QStringLiteral("mnImport") || name == QStringLiteral("mnExport"))
        return true;
    if (name == QStringLiteral("mnWorker"))
        return WS0030 != nullptr;
    if (name == QStringLiteral("mnSalaryList"))
        return WS2010 != nullptr;
    if (name == QStringLiteral("mnSalaryPlot"))
        return true;
    static const QStringList needSelection = {QStringLiteral("mnNew"), QStringLiteral("mnOPen"),
                                              QStringLiteral("mnMnt"), QStringLiteral("mnDlt")};
    if (needSelection.contains(name))
        return WS0010 != nullptr;
    return false;
}

void TWS0000::updateCommands() {
    applyMenuState();
}

void TWS0000::applyMenuState() {
    m_menus.value(QStringLiteral("mnData"))->setEnabled(m_ui.mnData);
    for (const char* name : AnalysisMenus)
        m_menus.value(QString::fromLatin1(name))->setEnabled(m_ui.analysisMenus);
    m_panels.value(QStringLiteral("Panel_EarlySet"))->setVisible(m_ui.panelEarlySet);
    for (const char* name : ResultPanels)
        m_panels.value(QString::fromLatin1(name))->setVisible(m_ui.resultPanels);
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        it.value()->setEnabled(commandBuilt(it.key()));
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it) {
        bool on = commandBuilt(m_buttonCommand.value(it.key()));
        if (it.key() == QStringLiteral("btn_mdb"))
            on = on && m_ui.btnMdb;
        it.value()->setEnabled(on);
    }
}

void TWS0000::setProjectCaption(const QString& caption) {
    setWindowTitle(caption);
}

bool TWS0000::refuseWithoutCompany() {
    const QString refusal = companyRequiredRefusal(state());
    if (refusal.isEmpty())
        return false;
    Msg::info(refusal);
    return true;
}

void TWS0000::RefreshYearList() {
    AppState& s = state();
    s.refreshToday();
    if (!WS0010)
        return;
    QComboBox* box = WS0010->cmbNendo;
    const QSignalBlocker block(box);
    box->clear();
    for (int y : selectionYears(s.TodayYear))
        box->addItem(QString::number(y));
    box->setCurrentIndex(box->findText(QString::number(s.TodayYear)));
    box->setEditText(QString::number(s.TodayYear));
    s.SelNendo = s.TodayYear;
}

void TWS0000::runSelection(ProjectCommand command) {
    AppState& s = state();
    const QString refusal = projectCommandRefusal(command, s.ProjectState);
    if (!refusal.isEmpty()) {
        Msg::info(refusal);
        return;
    }
    startProjectCommand(command, s, m_ui);
    TWS0010* sel = WS0010;
    switch (command) {
    case ProjectCommand::New:
        sel->setWindowTitle(QStringLiteral("企業　登録"));
        sel->btnAdd->setText(QStringLiteral("登録"));
        sel->btnAdd->setEnabled(true);
        sel->btnMnt->setEnabled(false);
        sel->btnDlt->setEnabled(false);
        break;
    case ProjectCommand::Open:
        sel->setWindowTitle(QStringLiteral("企業　選択"));
        sel->btnAdd->setText(QStringLiteral("選択"));
        sel->btnAdd->setEnabled(true);
        sel->btnMnt->setEnabled(false);
        sel->btnDlt->setEnabled(false);
        break;
    case ProjectCommand::Change:
        sel->setWindowTitle(QStringLiteral("企業　変更"));
        sel->btnMnt->setText(QStringLiteral("修正"));
        sel->btnAdd->setEnabled(false);
        sel->btnMnt->setEnabled(true);
        sel->btnDlt->setEnabled(false);
        break;
    case ProjectCommand::Delete:
        // The caption stays as the previous command left it.
        sel->btnDlt->setText(QStringLiteral("削除"));
        sel->btnAdd->setEnabled(false);
        sel->btnMnt->setEnabled(false);
        sel->btnDlt->setEnabled(true);
        break;
    case ProjectCommand::Close:
        return;
    }
    RefreshYearList();
    sel->prepare();
    sel->exec();
    finishProjectCommand(command, m_ui);
    applyMenuState();
}

void TWS0000::mnNewClick() {
    runSelection(ProjectCommand::New);
}
void TWS0000::mnOPenClick() {
    runSelection(ProjectCommand::Open);
}
void TWS0000::mnMntClick() {
    runSelection(ProjectCommand::Change);
}
void TWS0000::mnDltClick() {
    runSelection(ProjectCommand::Delete);
}

void TWS0000::mnCloseClick() {
    setWindowTitle(AppTitle);
    startProjectCommand(ProjectCommand::Close, state(), m_ui);
    applyMenuState();
}

void TWS0000::mnBaseClick() {
    if (refuseWithoutCompany())
        return;
    WS0070->setAttribute(Qt::WA_Moved, false); // shown centred over this window
    WS0070->prepare();
    WS0070->exec();
}

void TWS0000::mnDBCondClick() {
    const QString dataDir = state().DataDir;
    if (!Msg::yesNo(QStringLiteral("データベースを圧縮します。よろしいですか？")))
        return;
    const QStringList leftover = {
        QStringLiteral("すでに.bakファイルが存在します。"),
        QStringLiteral("前回圧縮処理をして異常終了してませんか？"),
        QStringLiteral("異常終了して原因が不明のままであれば処理を中止して下さい。"),
        QStringLiteral("原因が不明なまま処理を続行すると大切なデータが消失することもあります。"),
        QStringLiteral("処理を続行しますか？")};
    if (!LeftoverCompactionCopies(dataDir).isEmpty() &&
        !Msg::yesNo(leftover.join(QLatin1Char('\r')), QStringLiteral("Drelmoor")))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    RemoveCompactionCopies(dataDir);
    const CompactionResult result = CompactDatabases(DM(), dataDir);
    QApplication::restoreOverrideCursor();
    if (result.ok)
        Msg::info(QStringLiteral("DB圧縮処理が完了しました。"));
    else
        Msg::error(CompactionFailureText(result));
}

void TWS0000::mnImportClick() {
    if (refuseWithoutCompany())
        return;
    TfrmImportWorker screen(this); // created for each use, shown centred over this window
    screen.exec();
}

void TWS0000::mnExportClick() {
    if (refuseWithoutCompany())
        return;
    RunEmployeeExport();
}

void TWS0000::mnWorkerClick() {
    if (refuseWithoutCompany())
        return;
    WS0030->setAttribute(Qt::WA_Moved, false); // shown centred over this window
    WS0030->prepare();
    WS0030->exec();
    employeeScreenClosed(m_ui);
    applyMenuState();
}

void TWS0000::mnPrintClick() {
    Dialogs::printerSetup(this);
}

void TWS0000::mnSalaryListClick() {
    if (refuseWithoutCompany())
        return;
    WS2010->prepare();
    WS2010->exec(); // where the user left it last time, not centred again
}

void TWS0000::mnSalaryPlotClick() {
    if (refuseWithoutCompany())
        return;
    if (!WS1100)
        WS1100 = new TWS1100(this);
    if (!WS1010)
        WS1010 = new TWS1010(WS1100, this);
    WS1010->setAttribute(Qt::WA_Moved, false); // shown centred over this window
    WS1010->PrepareScreen();
    WS1010->exec();
}

void TWS0000::mnEndClick() {
    close();
}

void TWS0000::BeforeUseClick() {
    TBeforeUse guide(this);
    guide.exec();
}

void TWS0000::mnHELPHClick() {
    const QString path = state().AppDir + QStringLiteral("Tesvane.html");
    if (!QFileInfo(path).isFile()) {
        Msg::info(QStringLiteral("ヘルプファイルが見つかりません。"));
        return;
    }
    if (!Dialogs::openDocument(path))
        Msg::warning(QStringLiteral("HELPの起動に失敗しました ") + path, path);
}

void TWS0000::mnVersionClick() {
    TWS4010 dlg(this);
    dlg.exec();
}

void TWS0000::closeEvent(QCloseEvent* event) {
    DM().CloseConnection(TDM::ACN1);
    DM().CloseConnection(TDM::ACN2);
    event->accept();
}
