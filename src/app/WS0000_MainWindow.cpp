#include "app/WS0000_MainWindow.h"

#include "app/BeforeUse_UsageGuide.h"
#include "app/WS4010_Version.h"
#include "core/common/AppState.h"
#include "core/common/Messages.h"
#include "data/db/Compaction.h"
#include "data/db/ServerAddress.h"
#include "data/db/TDM.h"
#include "data/project/EraTable.h"
#include "data/project/Project.h"
#include "data/raise/RaiseStore.h"
#include "gui/analysis/WS0050_LivingCost.h"
#include "gui/analysis/WS0060_ModelWage.h"
#include "gui/analysis/WS0080_ModelData.h"
#include "gui/analysis/WS1020_RaiseCurveRegression.h"
#include "gui/analysis/WS1030_LivingCostComparison.h"
#include "gui/analysis/WS1040_ModelWageComparison.h"
#include "gui/common/Dialogs.h"
#include "gui/company/WS0010_CompanySelection.h"
#include "gui/company/WS0070_BasicSettings.h"
#include "gui/design/WS1050_RaiseCurveDesign.h"
#include "gui/design/WS1060_RaiseCurveSettings.h"
#include "gui/masters/EmployeeExportCommand.h"
#include "gui/masters/ImportWorker_EmployeeImport.h"
#include "gui/masters/WS0030_Employee.h"
#include "gui/plot/WS1010_WagePlot.h"
#include "gui/raise/WS3010_RaiseInput.h"
#include "gui/raise/WS3020_EvaluationConversion.h"
#include "gui/raise/WS3030_AnnualUpdate.h"
#include "gui/raise/WS3040_RaiseBudget.h"
#include "gui/report/WS0090_GroupReport.h"
#include "gui/wage/WS2010_WageTable.h"
#include "gui/wage/WS2020_RangeAnalysis.h"

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

// On a server the caption says which one: several people may have the same company open.
QString titled(const QString& title) {
    return UsingServer() ? title + QStringLiteral("　［") + BackendCaption() + QStringLiteral("］")
                         : title;
}
const char* const AnalysisMenus[] = {"mnGraph", "mnSalary", "mnSalaryUp", "mnReport"};
const char* const ResultPanels[] = {"Panel_Plot", "Panel_WTable", "Panel_Report"};
} // namespace

TWS0000::TWS0000(const QString& appDir, QWidget* parent)
    : QMainWindow(parent), m_project(*Project::current()) {
    setObjectName(QStringLiteral("WS0000"));
    buildMenus();
    buildToolPanels();
    buildCommandTable();

    // Creation handler: folders, connections, state, era table.
    AppState& s = state();
    QString dir = appDir.isEmpty() ? QCoreApplication::applicationDirPath() : appDir;
    dir = QDir(dir).absolutePath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    s.AppDir = dir;
    s.DataDir = dir + QStringLiteral("DATA/");
    setWindowTitle(titled(AppTitle));
    m_ui = MainMenuState();
    applyMenuState();

    DM().OpenConnection(TDM::ACN1, s.DataDir + QStringLiteral("SEIGYO.db"));
    DM().OpenConnection(TDM::ACN2, s.DataDir + QStringLiteral("DATA.db"));
    m_project.close();
    m_project.status() = ProjectStatus();
    s.PlotPrintNo = 1;
    s.refreshToday();
    // A failed read is reported by the data module; the eras then stay empty.
    if (DM().isOpen(TDM::ACN1))
        LoadEraTable();

    connect(&m_project, &Project::companyOpened, this,
            [this] { setWindowTitle(titled(m_project.caption())); });
    connect(&m_project, &Project::companyClosed, this,
            [this] { setWindowTitle(titled(AppTitle)); });
}

TWS0000::~TWS0000() = default;

template <class Screen> Screen* TWS0000::screenFor() {
    QPointer<QWidget>& slot = m_screens[Screen::staticMetaObject.className()];
    if (!slot)
        slot = new Screen(this);
    return static_cast<Screen*>(slot.data());
}

QAction* TWS0000::addCommand(QMenu* menu, const char* name, const QString& text) {
    auto* a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    menu->addAction(a);
    const QString command = a->objectName();
    connect(a, &QAction::triggered, this, [this, command] { runCommand(command); });
    m_actions.insert(command, a);
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
    addCommand(p, "mnNew", QStringLiteral("新規作成(&N)"));
    addCommand(p, "mnOPen", QStringLiteral("開く(&O)"));
    addCommand(p, "mnClose", QStringLiteral("閉じる(&C)"));
    addCommand(p, "mnMnt", QStringLiteral("変更(&R)"));
    addCommand(p, "mnDlt", QStringLiteral("削除(&D)"));
    p->addSeparator();
    addCommand(p, "mnBase", QStringLiteral("基本設定(&B)"));
    addCommand(p, "mnPrint", QStringLiteral("プリンタ設定(&P)"));
    p->addSeparator();
    addCommand(p, "mnImport", QStringLiteral("社員情報取込(&I)"));
    addCommand(p, "mnExport", QStringLiteral("社員マスタ出力(&E)"));
    p->addSeparator();
    addCommand(p, "mnDBCond", QStringLiteral("データベース圧縮(&D)"));
    p->addSeparator();
    addCommand(p, "mnEnd", QStringLiteral("終了(&Z)"));

    QMenu* d = menu("mnData", QStringLiteral("データ入力(&D)"));
    addCommand(d, "mnWorker", QStringLiteral("社員　登録(&E)"));
    addCommand(d, "mnLiving", QStringLiteral("生計費　登録(&L)"));
    addCommand(d, "mnModelData", QStringLiteral("モデルデータ登録(&S)"));
    addCommand(d, "mnModelSalary", QStringLiteral("モデル賃金登録(&M)"));

    QMenu* g = menu("mnGraph", QStringLiteral("プロット分析(&G)"));
    addCommand(g, "mnSalaryPlot", QStringLiteral("賃金プロット(&U)"));
    addCommand(g, "mnSalaryUpCurve", QStringLiteral("昇給カーブの分析(&V)"));
    addCommand(g, "mnLivingComp", QStringLiteral("生計費との比較(&W)"));
    addCommand(g, "mnModelSalaryComp", QStringLiteral("モデル賃金との比較(&X)"));

    QMenu* w = menu("mnSalary", QStringLiteral("賃金設計(&C)"));
    addCommand(w, "mnSalaryUpSetting", QStringLiteral("昇給カーブの設計(&Y)"));
    addCommand(w, "mnSalaryList", QStringLiteral("賃金表　作成(&J)"));
    addCommand(w, "mnSalarySetting", QStringLiteral("賃金表 分析グラフ(&T)"));
    addCommand(w, "mnRangeAnalysis", QStringLiteral("等級別レンジ分析(&R)"));

    QMenu* u = menu("mnSalaryUp", QStringLiteral("昇給管理(&S)"));
    addCommand(u, "mnSalaryInput", QStringLiteral("昇給管理　入力(&K)"));
    addCommand(u, "mnNendoUpdate", QStringLiteral("年度更新(&N)"));
    addCommand(u, "mnEvaConv", QStringLiteral("評価の変換(&H)"));
    addCommand(u, "mnRaiseBudget", QStringLiteral("昇給原資(&B)"));

    QMenu* r = menu("mnReport", QStringLiteral("レポート(&R)"));
    addCommand(r, "mnSaralyReport", QStringLiteral("グループ別社員賃金(&G)"));
    addCommand(r, "mnSaralyUpReport", QStringLiteral("グループ別社員昇給(&U)"));

    QMenu* h = menu("mnHelp", QStringLiteral("ヘルプ(&H)"));
    addCommand(h, "BeforeUse", QStringLiteral("ご利用案内(&D)"));
    addCommand(h, "mnHELPH", QStringLiteral("ヘルプ(&H)"));
    addCommand(h, "mnVersion", QStringLiteral("バージョン情報(&V)"));
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

void TWS0000::buildCommandTable() {
    const auto always = [](std::function<void()> run) { return Command{false, std::move(run)}; };
    const auto withCompany = [](std::function<void()> run) {
        return Command{true, std::move(run)};
    };
    m_commands = {
        {QStringLiteral("mnNew"), always([this] { runSelection(ProjectCommand::New); })},
        {QStringLiteral("mnOPen"), always([this] { runSelection(ProjectCommand::Open); })},
        {QStringLiteral("mnClose"), always([this] { closeProject(); })},
        {QStringLiteral("mnMnt"), always([this] { runSelection(ProjectCommand::Change); })},
        {QStringLiteral("mnDlt"), always([this] { runSelection(ProjectCommand::Delete); })},
        {QStringLiteral("mnBase"), withCompany([this] { screenFor<TWS0070>()->start(); })},
        {QStringLiteral("mnPrint"), always([this] { Dialogs::printerSetup(this); })},
        {QStringLiteral("mnImport"), withCompany([this] {
             TfrmImportWorker screen(this); // made for each use, shown centred over this window
             screen.exec();
         })},
        {QStringLiteral("mnExport"), withCompany([] { RunEmployeeExport(); })},
        {QStringLiteral("mnDBCond"), always([this] { compactDatabases(); })},
        {QStringLiteral("mnEnd"), always([this] { close(); })},
        {QStringLiteral("mnWorker"), withCompany([this] {
             screenFor<TWS0030>()->start();
             employeeScreenClosed(m_ui);
             applyMenuState();
         })},
        {QStringLiteral("mnSalaryList"), withCompany([this] { screenFor<TWS2010>()->start(); })},
        {QStringLiteral("mnRangeAnalysis"), withCompany([this] { screenFor<TWS2020>()->start(); })},
        {QStringLiteral("mnSalaryInput"), withCompany([this] { startRaiseInput(); })},
        {QStringLiteral("mnNendoUpdate"), withCompany([this] { screenFor<TWS3030>()->start(); })},
        {QStringLiteral("mnEvaConv"), withCompany([this] { screenFor<TWS3020>()->start(); })},
        {QStringLiteral("mnRaiseBudget"), withCompany([this] { screenFor<TWS3040>()->start(); })},
        {QStringLiteral("mnSalaryPlot"), withCompany([this] { screenFor<TWS1010>()->start(); })},
        {QStringLiteral("mnLiving"), withCompany([this] { screenFor<TWS0050>()->start(); })},
        {QStringLiteral("mnModelData"), withCompany([this] { screenFor<TWS0080>()->start(); })},
        {QStringLiteral("mnModelSalary"), withCompany([this] {
             if (m_project.settings().MDCO == 0) {
                 Msg::info(
                     QStringLiteral("企業マスターにモデルコードがセットされていません。"
                                    "【ﾌﾟﾛｼﾞｪｸﾄ】-->【変更】で、モデルコードをセットして下さい。"));
                 return;
             }
             screenFor<TWS0060>()->start();
         })},
        {QStringLiteral("mnSalaryUpCurve"), withCompany([this] { screenFor<TWS1020>()->start(); })},
        {QStringLiteral("mnLivingComp"), withCompany([this] { screenFor<TWS1030>()->start(); })},
        {QStringLiteral("mnModelSalaryComp"),
         withCompany([this] { screenFor<TWS1040>()->start(); })},
        {QStringLiteral("mnSalaryUpSetting"),
         withCompany([this] { screenFor<TWS1050>()->start(); })},
        {QStringLiteral("mnSalarySetting"), withCompany([this] { screenFor<TWS1060>()->start(); })},
        {QStringLiteral("mnSaralyReport"), withCompany([this] { screenFor<TWS0090>()->start(2); })},
        {QStringLiteral("mnSaralyUpReport"),
         withCompany([this] { screenFor<TWS0090>()->start(1); })},
        {QStringLiteral("BeforeUse"), always([this] {
             TBeforeUse guide(this);
             guide.exec();
         })},
        {QStringLiteral("mnHELPH"), always([this] { openHelp(); })},
        {QStringLiteral("mnVersion"), always([this] {
             TWS4010 dlg(this);
             dlg.exec();
         })},
    };
}

void TWS0000::runCommand(const QString& name) {
    const auto it = m_commands.constFind(name);
    if (it == m_commands.constEnd())
        return;
    if (it->needsCompany && refuseWithoutCompany())
        return;
    it->run();
}

void TWS0000::applyMenuState() {
    m_menus.value(QStringLiteral("mnData"))->setEnabled(m_ui.mnData);
    for (const char* name : AnalysisMenus)
        m_menus.value(QString::fromLatin1(name))->setEnabled(m_ui.analysisMenus);
    m_panels.value(QStringLiteral("Panel_EarlySet"))->setVisible(m_ui.panelEarlySet);
    for (const char* name : ResultPanels)
        m_panels.value(QString::fromLatin1(name))->setVisible(m_ui.resultPanels);
    // Commands whose screens are not built yet stay disabled.
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        it.value()->setEnabled(m_commands.contains(it.key()));
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it) {
        bool on = m_commands.contains(m_buttonCommand.value(it.key()));
        if (it.key() == QStringLiteral("btn_mdb"))
            on = on && m_ui.btnMdb;
        it.value()->setEnabled(on);
    }
}

bool TWS0000::refuseWithoutCompany() {
    const QString refusal = companyRequiredRefusal(m_project.status());
    if (refusal.isEmpty())
        return false;
    Msg::info(refusal);
    return true;
}

void TWS0000::runSelection(ProjectCommand command) {
    ProjectStatus& status = m_project.status();
    const QString refusal = projectCommandRefusal(command, status.state);
    if (!refusal.isEmpty()) {
        Msg::info(refusal);
        return;
    }
    startProjectCommand(command, status, m_ui);
    if (command == ProjectCommand::New)
        m_project.close();
    TWS0010* selection = screenFor<TWS0010>();
    selection->start(command);
    // Closed without choosing, registering or changing a company while none is open: back
    // to no project command.
    if (!selection->madeSelection() && !m_project.isOpen())
        status = ProjectStatus();
    finishProjectCommand(command, m_ui);
    applyMenuState();
}

void TWS0000::startRaiseInput() {
    bool failed = false;
    if (!HasWageTable(m_project.companyYear(), &failed)) {
        if (failed)
            return;
        if (!Msg::yesNo(QStringLiteral("賃金表　が作成されていません、続けますか。\r"
                                       "【はい】:続けます。\r【いいえ】:画面を終了します。"),
                        QStringLiteral("確認")))
            return;
    }
    TWS3010 screen(this); // made for each opening, gone when it closes
    screen.start();
}

void TWS0000::closeProject() {
    startProjectCommand(ProjectCommand::Close, m_project.status(), m_ui);
    m_project.close();
    setWindowTitle(titled(AppTitle));
    applyMenuState();
}

void TWS0000::compactDatabases() {
    if (UsingServer()) {
        Msg::info(ServerCompactionText());
        return;
    }
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

void TWS0000::openHelp() {
    const QString path = state().AppDir + QStringLiteral("Tesvane.html");
    if (!QFileInfo(path).isFile()) {
        Msg::info(QStringLiteral("ヘルプファイルが見つかりません。"));
        return;
    }
    if (!Dialogs::openDocument(path))
        Msg::warning(QStringLiteral("HELPの起動に失敗しました ") + path, path);
}

void TWS0000::closeEvent(QCloseEvent* event) {
    DM().CloseConnection(TDM::ACN1);
    DM().CloseConnection(TDM::ACN2);
    event->accept();
}
