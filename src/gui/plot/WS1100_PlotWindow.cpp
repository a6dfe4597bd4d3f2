#include "gui/plot/WS1100_PlotWindow.h"

#include "core/common/Counts.h"
#include "core/common/Dates.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/common/NumberText.h"
#include "core/design/DesignExpansion.h"
#include "core/plot/AxisItems.h"
#include "core/plot/ChartExtension.h"
#include "core/plot/ChartSceneBuilder.h"
#include "data/plot/ChartBuilder.h"
#include "data/plot/ChartStore.h"
#include "data/project/Project.h"
#include "gui/common/Controls.h"
#include "gui/common/FieldExits.h"
#include "gui/common/Hourglass.h"
#include "gui/plot/PlotOwner.h"
#include "gui/plot/PlotPrint.h"
#include "gui/plot/SpinButton.h"
#include "gui/plot/WS1101_PointPopup.h"
#include "gui/plot/WS1102_AnalysisResult.h"
#include "render/plot/ChartPainter.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A design curve is drawn and stored under its number 1 to DesignCount; says why another is
// not taken.
bool curveNumberTaken(Int128 curve) {
    if (curve == 0) {
        Msg::info(QStringLiteral("描画番号 を、入力して下さい。"));
        return false;
    }
    if (curve < 1 || curve > DesignCount) {
        Msg::info(QStringLiteral("描画番号 は、１～５ を入力して下さい。"));
        return false;
    }
    return true;
}

// A typed whole number; nothing for any other text.
std::optional<Int128> wholeNumberOf(const QString& text) {
    const std::optional<Decimal> d = ReadDecimal(text);
    if (!d)
        return std::nullopt;
    Int128 unit = 1;
    for (int i = 0; i < d->decimals; ++i)
        unit *= 10;
    if (d->digits % unit != 0)
        return std::nullopt;
    return d->digits / unit;
}

std::array<QString, MaxGrades + 1> gradeNames() {
    return Project::current()->settings().TK;
}

} // namespace

TWS1100::TWS1100(QWidget* parent)
    : QWidget(parent, Qt::Window), WS1102(new TWS1102(this)), m_exits(new FieldExits(this)),
      m_relayout(new QTimer(this)) {
    setObjectName(QStringLiteral("WS1100"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    buildPanel();
    buildMenus();
    m_relayout->setSingleShot(true);
    m_relayout->setInterval(150);
    connect(m_relayout, &QTimer::timeout, this, [this] {
        if (m_chartNo == 0 || m_suspended || !plotAreaChanged())
            return;
        takeGeometry();
        if (m_model.placed)
            placeMarks();
        update();
    });

    if (Project* p = Project::current()) {
        connect(p, &Project::companyClosed, this, &TWS1100::projectClosed);
        connect(p, &Project::companyOpened, this, &TWS1100::projectClosed);
        connect(p, &Project::employeesChanged, this, &TWS1100::refreshFromData);
        connect(p, &Project::wageTableChanged, this, &TWS1100::refreshFromData);
        connect(p, &Project::settingsChanged, this, [this] {
            if (isVisible() && m_chartNo != 0)
                Execute();
        });
    }
}

TWS1100::~TWS1100() {
    m_exits->detach();
}

TWS1100* TWS1100::forWindow(QWidget* window) {
    if (auto* plot = window->findChild<TWS1100*>(QString(), Qt::FindDirectChildrenOnly))
        return plot;
    return new TWS1100(window);
}

void TWS1100::buildPanel() {
    Panel1 = Named(new QFrame(this), QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setAutoFillBackground(true);
    Panel1->setPalette(QApplication::palette());
    auto* lay = new QVBoxLayout(Panel1);
    lay->setContentsMargins(3, 6, 3, 6);
    lay->setSpacing(3);

    auto rangeRow = [&](const QString& caption, const QString& box, const QString& spin,
                        int maxLength, QLineEdit*& edit, TSpinButton*& button) {
        lay->addWidget(new QLabel(caption, Panel1));
        auto* row = new QHBoxLayout;
        row->setSpacing(1);
        edit = RightEdit(Panel1, box, maxLength, 48);
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        button = Named(new TSpinButton(Panel1), spin);
        row->addWidget(edit);
        row->addWidget(button);
        row->addStretch(1);
        lay->addLayout(row);
    };
    rangeRow(QStringLiteral("X軸下限"), QStringLiteral("txtXMin"), QStringLiteral("spnXMin"), 3,
             txtXMin, spnXMin);
    rangeRow(QStringLiteral("X軸上限"), QStringLiteral("txtXMax"), QStringLiteral("spnXMax"), 3,
             txtXMax, spnXMax);
    rangeRow(QStringLiteral("Y軸下限"), QStringLiteral("txtYMin"), QStringLiteral("spnYMin"), 3,
             txtYMin, spnYMin);
    rangeRow(QStringLiteral("Y軸上限"), QStringLiteral("txtYMax"), QStringLiteral("spnYMax"), 4,
             txtYMax, spnYMax);
    lay->addSpacing(8);

    btnExec = CommandButton(Panel1, QStringLiteral("btnExec"), QStringLiteral("実　行"));
    btnPrint = CommandButton(Panel1, QStringLiteral("btnPrint"), QStringLiteral("印　刷"));
    btnCopy = CommandButton(Panel1, QStringLiteral("btnCopy"), QStringLiteral("コピー"));
    btnBack = CommandButton(Panel1, QStringLiteral("btnBack"), QStringLiteral("後"));
    for (QPushButton* b : {btnExec, btnPrint, btnCopy, btnBack}) {
        b->setFixedHeight(28);
        lay->addWidget(b);
    }
    lay->addSpacing(12);
    auto* dispCaption =
        Named(new QLabel(QStringLiteral("描画番号"), Panel1), QStringLiteral("labDispNo"));
    lay->addWidget(dispCaption);
    txtDispNo = RightEdit(Panel1, QStringLiteral("txtDispNo"), 2, 40);
    txtDispNo->setText(QStringLiteral("0"));
    lay->addWidget(txtDispNo);
    btnImport = CommandButton(Panel1, QStringLiteral("btnImport"), QStringLiteral("取込"));
    btn1Dlt = CommandButton(Panel1, QStringLiteral("btn1Dlt"), QStringLiteral("１点消去"));
    for (QPushButton* b : {btnImport, btn1Dlt}) {
        b->setFixedHeight(28);
        lay->addWidget(b);
    }
    lay->addStretch(1);
    Panel1->setFixedWidth(ChartFrame::PanelWidth);

    connect(btnExec, &QPushButton::clicked, this, &TWS1100::btnExecClick);
    connect(btnPrint, &QPushButton::clicked, this, &TWS1100::btnPrintClick);
    connect(btnCopy, &QPushButton::clicked, this, &TWS1100::btnCopyClick);
    connect(btnBack, &QPushButton::clicked, this, &TWS1100::btnBackClick);
    connect(btnImport, &QPushButton::clicked, this, &TWS1100::btnImportClick);
    connect(btn1Dlt, &QPushButton::clicked, this, &TWS1100::btn1DltClick);

    m_exits->add(txtXMin, [this] { return txtXMinExit(); });
    m_exits->add(txtXMax, [this] { return txtXMaxExit(); });
    m_exits->add(txtYMin, [this] { return txtYMinExit(); });
    m_exits->add(txtYMax, [this] { return txtYMaxExit(); });
    m_exits->add(txtDispNo, [this] { return txtDispNoExit(); });
    for (Bound b : {Bound::XMin, Bound::XMax, Bound::YMin, Bound::YMax})
        connect(rangeSpin(b), &TSpinButton::stepped, this, [this, b](int d) { step(b, d); });
}

void TWS1100::buildMenus() {
    auto action = [this](QMenu* menu, const char* name, const QString& text) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    PopupMenu1 = Named(new QMenu(this), QStringLiteral("PopupMenu1"));
    mnProfile = action(PopupMenu1, "mnProfile", QStringLiteral("プロフィール"));
    mnJinji = action(PopupMenu1, "mnJinji", QStringLiteral("人事考課"));
    mnCarya = action(PopupMenu1, "mnCarya", QStringLiteral("キャリア"));
    mnSalary = action(PopupMenu1, "mnSalary", QStringLiteral("賃金情報"));
    PopupMenu1->addSeparator();
    mnExit = action(PopupMenu1, "mnExit", QStringLiteral("終了"));
    connect(mnProfile, &QAction::triggered, this, &TWS1100::mnProfileClick);
    connect(mnJinji, &QAction::triggered, this, &TWS1100::mnJinjiClick);
    connect(mnCarya, &QAction::triggered, this, &TWS1100::mnCaryaClick);
    connect(mnSalary, &QAction::triggered, this, &TWS1100::mnSalaryClick);

    PopupMenu2 = Named(new QMenu(this), QStringLiteral("PopupMenu2"));
    mnCopy = action(PopupMenu2, "mnCopy", QStringLiteral("画面のコピー"));
    mnPrint = action(PopupMenu2, "mnPrint", QStringLiteral("印刷する"));
    mnAnalize = action(PopupMenu2, "mnAnalize", QStringLiteral("分析評価結果"));
    PopupMenu2->addSeparator();
    mnEnd = action(PopupMenu2, "mnEnd", QStringLiteral("操作パネルに戻る"));
    connect(mnCopy, &QAction::triggered, this, &TWS1100::mnCopyClick);
    connect(mnPrint, &QAction::triggered, this, &TWS1100::mnPrintClick);
    connect(mnAnalize, &QAction::triggered, this, &TWS1100::mnAnalizeClick);
    connect(mnEnd, &QAction::triggered, this, &TWS1100::mnEndClick);
}

// ---------------------------------------------------------------------------------------------
// Opening and drawing

void TWS1100::ShowPlot(const PlotRequest& request, PlotOwner* owner) {
    Hourglass hourglass;
    closePopups();
    m_owner = owner;
    m_chartNo = request.chartNo;
    m_extension = MakeChartExtension(m_chartNo);
    m_model = PlotModel();
    m_model.request = request;
    m_markBoxes.clear();
    m_lastMark.clear();
    m_lastCurve = 0;
    txtDispNo->setText(QStringLiteral("0"));
    const bool design = m_chartNo == DesignChart;
    for (QWidget* w :
         {static_cast<QWidget*>(txtDispNo), static_cast<QWidget*>(btnImport),
          static_cast<QWidget*>(btn1Dlt), Panel1->findChild<QWidget*>(QStringLiteral("labDispNo"))})
        w->setVisible(design);
    btnPrint->setVisible(m_chartNo != WageTableChart);
    setWindowTitle(QStringLiteral("プロット　 【　") + request.title + QStringLiteral("　】"));

    if (!isVisible()) {
        // Without a window manager maximising does nothing; fill the screen.
        if (QScreen* s = screen())
            setGeometry(s->availableGeometry());
        showMaximized();
    }
    raise();
    activateWindow();
    showRange();
    Execute();
}

void TWS1100::Execute() {
    if (m_chartNo == 0)
        return;
    Hourglass hourglass;
    m_suspended = true;
    ++m_generation;
    m_markBoxes.clear();
    takeGeometry();
    LoadPlotModel(m_model);
    if (m_extension)
        m_extension->load(m_model);
    setSpinBounds();
    if (ChartShowsMarks(m_model))
        placeMarks();
    m_suspended = false;
    update();
}

void TWS1100::placeMarks() {
    ++m_generation;
    PlacePoints(m_model, LayoutOf(m_model));
    // A click on a mark finds its point again through the stored place.
    WritePointPlaces(m_model.points);
    m_markBoxes = QVector<QRect>(m_model.points.size());
    for (qsizetype i = 0; i < m_model.points.size(); ++i) {
        const PlotPoint& p = m_model.points[i];
        if (!p.hasMark)
            continue;
        const TMMARK& mark = m_model.marks[size_t(MarkSlotOf(p.mark))];
        m_markBoxes[i] = MarkBox(SceneMark{{p.px - 8, p.py - 8}, mark.MARK, mark.MKSIZE, 0, -1});
    }
}

void TWS1100::DestroyMarks() {
    ++m_generation;
    RemoveMarks(m_model);
    m_markBoxes.clear();
    update();
}

// The plot area fills the client area right of the side panel.
void TWS1100::takeGeometry() {
    m_model.frame = FrameForPicture(std::max(1, width() - ChartFrame::PanelWidth), height());
    Panel1->setGeometry(0, 0, ChartFrame::PanelWidth, height());
}

ChartScene TWS1100::currentScene() const {
    return BuildChartScene(m_model, LayoutOf(m_model), m_extension.get());
}

QImage TWS1100::picture() const {
    return RenderChartPicture(currentScene(), m_model.frame);
}

void TWS1100::paintEvent(QPaintEvent*) {
    if (m_suspended || m_chartNo == 0)
        return;
    QPainter p(this);
    m_layers.paint(p, currentScene(), m_model.frame.plotArea(), m_generation);
}

std::optional<QPoint> TWS1100::markCentre(int sco) const {
    for (qsizetype i = 0; i < m_model.points.size() && i < m_markBoxes.size(); ++i)
        if (m_model.points[i].sco == sco && !m_markBoxes[i].isNull())
            return m_markBoxes[i].center();
    return std::nullopt;
}

int TWS1100::markAt(QPoint at) const {
    // The mark placed last lies on top.
    for (qsizetype i = m_markBoxes.size() - 1; i >= 0; --i)
        if (!m_markBoxes[i].isNull() && m_markBoxes[i].contains(at))
            return int(i);
    return -1;
}

QPoint TWS1100::toScreen(QPoint windowPoint) const {
    return mapToGlobal(windowPoint);
}

// ---------------------------------------------------------------------------------------------
// Range boxes

QLineEdit* TWS1100::rangeBox(Bound b) const {
    switch (b) {
    case Bound::XMin:
        return txtXMin;
    case Bound::XMax:
        return txtXMax;
    case Bound::YMin:
        return txtYMin;
    case Bound::YMax:
        break;
    }
    return txtYMax;
}

TSpinButton* TWS1100::rangeSpin(Bound b) const {
    switch (b) {
    case Bound::XMin:
        return spnXMin;
    case Bound::XMax:
        return spnXMax;
    case Bound::YMin:
        return spnYMin;
    case Bound::YMax:
        break;
    }
    return spnYMax;
}

int& TWS1100::axisValue(Bound b) {
    AxisRange& r = m_model.request.range;
    switch (b) {
    case Bound::XMin:
        return r.xMin;
    case Bound::XMax:
        return r.xMax;
    case Bound::YMin:
        return r.yMin;
    case Bound::YMax:
        break;
    }
    return r.yMax;
}

void TWS1100::showRange() {
    for (Bound b : {Bound::XMin, Bound::XMax, Bound::YMin, Bound::YMax})
        rangeBox(b)->setText(QString::number(axisValue(b)));
}

void TWS1100::setSpinBounds() {
    const AxisSteps x = XAxisSteps(m_model.header.xItem);
    const AxisSteps y = YAxisSteps(m_model.header.yItem);
    spnXMin->setBounds(x.lowest, x.highest);
    spnXMax->setBounds(x.lowest, x.highest);
    spnYMin->setBounds(y.lowest, y.highest);
    spnYMax->setBounds(y.lowest, y.highest);
}

bool TWS1100::rangeExit(Bound which) {
    QLineEdit* box = rangeBox(which);
    const std::optional<Int128> v = wholeNumberOf(box->text());
    if (!v) {
        box->setText(QString::number(axisValue(which)));
        return m_exits->refuse(box, MsgText::EnterNumber());
    }
    const TSpinButton* spin = rangeSpin(which);
    if (*v < spin->lowest() || *v > spin->highest()) {
        box->setText(QString::number(spin->lowest()));
        return m_exits->refuse(box, QStringLiteral("入力範囲外です。%1 ～ %2の値を入力して下さい。")
                                        .arg(spin->lowest())
                                        .arg(spin->highest()));
    }
    // Taken by the next drawing; 実行 places the marks for it.
    axisValue(which) = int(*v);
    box->setText(QString::number(int(*v)));
    return true;
}

bool TWS1100::txtXMinExit() {
    return rangeExit(Bound::XMin);
}
bool TWS1100::txtXMaxExit() {
    return rangeExit(Bound::XMax);
}
bool TWS1100::txtYMinExit() {
    return rangeExit(Bound::YMin);
}
bool TWS1100::txtYMaxExit() {
    return rangeExit(Bound::YMax);
}

void TWS1100::step(Bound which, int delta) {
    QLineEdit* box = rangeBox(which);
    const TSpinButton* spin = rangeSpin(which);
    const std::optional<Int128> typed = wholeNumberOf(box->text());
    Int128 v = (typed ? *typed : Int128(axisValue(which))) + delta;
    v = std::clamp<Int128>(v, spin->lowest(), spin->highest());
    box->setText(QString::number(int(v)));
    rangeExit(which);
}

bool TWS1100::txtDispNoExit() {
    const QString text = txtDispNo->text().trimmed();
    if (text == QStringLiteral("0"))
        return true;
    const std::optional<Int128> v = wholeNumberOf(text);
    if (!v) {
        txtDispNo->setText(QString::number(m_lastCurve));
        return m_exits->refuse(txtDispNo, MsgText::EnterNumber());
    }
    if (*v < 1 || *v > 5) {
        txtDispNo->setText(QString::number(m_lastCurve));
        return m_exits->refuse(txtDispNo,
                               QStringLiteral("入力範囲外です。1 ～ 5 の値を入力して下さい。"));
    }
    m_lastCurve = int(*v);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TWS1100::mousePressEvent(QMouseEvent* event) {
    if (m_chartNo == 0 || m_suspended)
        return;
    const int point = markAt(event->position().toPoint());
    if (point >= 0)
        Label6MouseDown(point, event);
    else
        FormMouseDown(event);
}

void TWS1100::Label6MouseDown(int point, QMouseEvent* event) {
    m_lastMark = m_model.points[point].labelName;
    if (event->button() != Qt::LeftButton)
        return;
    const std::optional<ChartPoint> p = PointOfMark(m_lastMark);
    if (!p)
        return;
    PopupMenu1->popup(toScreen(QPoint(p->left + 10, p->top + 35)));
}

void TWS1100::FormMouseDown(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        PopupMenu2->popup(toScreen(at));
        return;
    }
    if (event->button() == Qt::LeftButton && m_chartNo == DesignChart)
        pick(at);
}

void TWS1100::pick(QPoint at) {
    const std::optional<Int128> typed = wholeNumberOf(txtDispNo->text());
    const Int128 curve = typed ? *typed : 0;
    if (!curveNumberTaken(curve))
        return;
    if (m_model.picked.size() >= 6) {
        Msg::info(QStringLiteral("６点以上は、プロットできません。"));
        return;
    }
    const AxisLayout layout = LayoutOf(m_model);
    m_model.picked.push_back(PickedPoint{at, layout.valueXAt(at.x()), layout.amountAt(at.y())});
    update();
}

// ---------------------------------------------------------------------------------------------
// Point menu and pop-ups

void TWS1100::openPopup(int kind) {
    const std::optional<ChartPoint> p = PointOfMark(m_lastMark);
    if (!p || p->popups[size_t(kind)] == 1)
        return; // this pop-up of the point is open already
    const QPoint at = toScreen(QPoint(p->left + 10, p->top + 35));
    if (!SetPopupOpen(p->sco, kind, true))
        return;
    const PopupEmployee e =
        LoadPopupEmployee(m_model.request.company, p->sco).value_or(PopupEmployee());
    auto* popup = new TWS1101(p->sco, kind, this);
    popup->fill(PopupBand(p->sco, p->name),
                MakePopupContent(kind, e, gradeNames(),
                                 YearsToBase(e.stayDate, Project::current()->ageBase())));
    connect(popup, &TWS1101::popupClosed, this,
            [](int sco, int k) { SetPopupOpen(sco, k, false); });
    popup->move(at);
    popup->show();
    m_popups << popup;
}

void TWS1100::mnProfileClick() {
    openPopup(1);
}
void TWS1100::mnJinjiClick() {
    openPopup(2);
}
void TWS1100::mnCaryaClick() {
    openPopup(3);
}
void TWS1100::mnSalaryClick() {
    openPopup(4);
}

QList<TWS1101*> TWS1100::popups() const {
    QList<TWS1101*> open;
    for (const QPointer<TWS1101>& p : m_popups)
        if (p && p->isVisible())
            open << p.data();
    return open;
}

void TWS1100::closePopups() {
    const QList<QPointer<TWS1101>> popups = m_popups;
    m_popups.clear();
    for (const QPointer<TWS1101>& p : popups)
        if (p)
            p->close();
}

// ---------------------------------------------------------------------------------------------
// Commands

void TWS1100::btnExecClick() {
    if (!m_exits->checkFocused())
        return;
    Execute();
}

void TWS1100::btnPrintClick() {
    mnPrintClick();
}

void TWS1100::btnCopyClick() {
    mnCopyClick();
}

void TWS1100::mnCopyClick() {
    if (!m_exits->checkFocused() || m_chartNo == 0)
        return;
    QGuiApplication::clipboard()->setImage(picture());
}

void TWS1100::mnPrintClick() {
    if (!m_exits->checkFocused() || m_chartNo == 0)
        return;
    PrintPlot(this, m_model, m_extension.get());
}

void TWS1100::mnAnalizeClick() {
    if (m_chartNo == 0)
        return;
    AnalysisPanel panel;
    if (m_chartNo == WagePlotChart)
        panel =
            WagePlotAnalysis(MakeAnalysisTexts(m_model.stats, m_model.marks, m_model.header.yItem));
    else if (m_extension)
        m_extension->analysis(m_model, panel);
    WS1102->fill(panel);
    if (!WS1102->isVisible())
        WS1102->move(mapToGlobal(rect().center()) - WS1102->rect().center());
    WS1102->show();
    WS1102->raise();
}

void TWS1100::btnBackClick() {
    closePopups();
    if (m_owner)
        m_owner->showAgain();
}

void TWS1100::mnEndClick() {
    closePopups();
    WS1102->hide();
    DestroyMarks();
    PlotOwner* owner = m_owner;
    close();
    if (owner)
        owner->closeScreen();
}

void TWS1100::btnImportClick() {
    if (!m_exits->checkFocused())
        return;
    if (m_model.picked.size() < 2) {
        Msg::info(QStringLiteral("取込む点を２～６箇所をポイントして下さい。"));
        return;
    }
    // A curve is stored under its number 1 to 5 only.
    const std::optional<Int128> typed = wholeNumberOf(txtDispNo->text());
    const Int128 curve = typed ? *typed : 1;
    if (!curveNumberTaken(curve))
        return;
    Hourglass hourglass;
    QVector<DesignCurvePoint> points;
    for (const PickedPoint& p : m_model.picked)
        points.push_back({p.x, p.amount});
    const int k = int(curve);
    const int selected = m_owner ? m_owner->designSelected(k) : 0;
    if (!ImportDesignCurve(m_model.request.company, k, m_model.header.xItem, m_model.header.yItem,
                           selected, points))
        return;
    DestroyMarks();
    txtDispNo->setText(QStringLiteral("0"));
    m_model.picked.clear();
    if (m_owner)
        m_owner->designsImported();
    Execute();
}

void TWS1100::btn1DltClick() {
    if (m_model.picked.isEmpty()) {
        Msg::info(QStringLiteral("消去する点はありません。"));
        return;
    }
    DestroyMarks();
    m_model.picked.removeLast();
    Execute();
}

// ---------------------------------------------------------------------------------------------
// Closing and the company's changes

void TWS1100::resizeEvent(QResizeEvent*) {
    // A window manager maximises the window after it is shown. A size that leaves the plot
    // area as the marks were placed for (the first show, a move of the frame) places nothing
    // again: with 10,000 employees that is a second placement and a second full paint.
    if (m_chartNo != 0 && plotAreaChanged())
        m_relayout->start();
}

bool TWS1100::plotAreaChanged() const {
    const ChartFrame now = FrameForPicture(std::max(1, width() - ChartFrame::PanelWidth), height());
    return now.windowWidth != m_model.frame.windowWidth ||
           now.windowHeight != m_model.frame.windowHeight;
}

void TWS1100::closeEvent(QCloseEvent* event) {
    m_chartNo = 0;
    closePopups();
    WS1102->hide();
    DestroyMarks();
    m_model.picked.clear();
    event->accept();
}

void TWS1100::projectClosed() {
    if (isVisible())
        close();
}

void TWS1100::refreshFromData() {
    if (!isVisible() || m_chartNo == 0 || !m_owner)
        return;
    // Pop-up marks belong to the points being replaced.
    closePopups();
    DestroyMarks();
    if (std::optional<PlotRequest> r = m_owner->rebuildChart()) {
        // The centre lines follow the data; the range stays as the user set it.
        r->range = m_model.request.range;
        m_model.request = *r;
    }
    Execute();
}
