#include "gui/raise/WS3010_RaiseInput.h"

#include "core/common/Counts.h"
#include "gui/common/Controls.h"
#include "gui/common/FieldExits.h"
#include "gui/raise/RaiseListGrid.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

// The raise input's controls, their layout and their wiring; what the handlers do is in
// WS3010_RaiseInput.cpp.

namespace {
constexpr int FormWidth = 980;
constexpr int FormHeight = 820;
constexpr int AmountWidth = 104;
} // namespace

TWS3010::TWS3010(QWidget* parent)
    : EmployeeRecordEditor(parent, QStringLiteral("WS3010"), QStringLiteral("昇給管理[*]")) {
    buildControls();
    QWidget* steps = buildStepPage();
    QWidget* amounts = buildAmountPage();
    buildLayout(steps, amounts);
    connectHandlers();
    setFixedSize(FormWidth, FormHeight);
}

void TWS3010::buildControls() {
    // Boxes the screen fills: never typed into, never a stop of the focus.
    const auto paintShown = [this](QLineEdit* e) {
        QPalette p = e->palette();
        p.setColor(QPalette::Base, palette().color(QPalette::Window));
        e->setPalette(p);
    };
    auto shown = [this, paintShown](const QString& name, int width) {
        QLineEdit* e = RightEdit(this, name, 0, width);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        paintShown(e);
        return e;
    };
    btnAdd = commandButton(QStringLiteral("btnAdd"), QStringLiteral("登　録"));
    btnCancel = commandButton(QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"));
    btnHyogo = commandButton(QStringLiteral("btnHyogo"), QStringLiteral("標　語"));
    btnClose = closeButton();
    cmbWorkerCode = CodeBox(this, QStringLiteral("cmbWorkerCode"), 150);
    txtWorkerCode = TextEdit(this, QStringLiteral("txtWorkerCode"), 0, 110);
    txtWorkerName = TextEdit(this, QStringLiteral("txtWorkerName"), 0, 170);
    for (QLineEdit* e : {txtWorkerCode, txtWorkerName}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    buildMoves();
    for (QLineEdit* e : {txtCureentNo, txtLastNo})
        paintShown(e);

    cmbHyouka = CodeBox(this, QStringLiteral("cmbHyouka"), 150);
    txtTairyuu = shown(QStringLiteral("txtTairyuu"), 60);
    cmbSikaku = CodeBox(this, QStringLiteral("cmbSikaku"), 150);
    cmbNewToukyu = CodeBox(this, QStringLiteral("cmbNewToukyu"), 150);
    chkUP = Named(new QCheckBox(QStringLiteral("昇格する"), this), QStringLiteral("chkUP"));
    txtHyouka1 = shown(QStringLiteral("txtHyouka1"), 90);
    txtHyouka2 = shown(QStringLiteral("txtHyouka2"), 90);
    txtHyouka3 = shown(QStringLiteral("txtHyouka3"), 90);
    for (QLineEdit* e : {txtHyouka1, txtHyouka2, txtHyouka3})
        e->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    txtGouhou = RightEdit(this, QStringLiteral("txtGouhou"), 4, 70);
    txtUPGousu = shown(QStringLiteral("txtUPGousu"), 70);
    txtCalcGousu = shown(QStringLiteral("txtCalcGousu"), 70);
    txtNewGouhou = RightEdit(this, QStringLiteral("txtNewGouhou"), 6, 70);

    // Amount boxes take separators, so their length allows for them.
    buildPayCaptions();
    auto amount = [this](const QString& name) { return RightEdit(this, name, 14, AmountWidth); };
    for (int i = 1; i <= BasePayItemCount; ++i) {
        txtBKihon[size_t(i)] = amount(QStringLiteral("txtBKihon%1").arg(i));
        txtUKihon[size_t(i)] = amount(QStringLiteral("txtUKihon%1").arg(i));
        txtAKihon[size_t(i)] = shown(QStringLiteral("txtAKihon%1").arg(i), AmountWidth);
    }
    txtBKihonSum = shown(QStringLiteral("txtBKihonSum"), AmountWidth);
    txtUKihonSum = shown(QStringLiteral("txtUKihonSum"), AmountWidth);
    txtAKihonSum = shown(QStringLiteral("txtAKihonSum"), AmountWidth);
    for (int i = 1; i <= AllowanceCount; ++i) {
        txtBTeate[size_t(i)] = amount(QStringLiteral("txtBTeate%1").arg(i));
        txtUTeate[size_t(i)] = shown(QStringLiteral("txtUTeate%1").arg(i), AmountWidth);
        txtATeate[size_t(i)] = amount(QStringLiteral("txtATeate%1").arg(i));
    }
    txtBSumTeate = shown(QStringLiteral("txtBSumTeate"), AmountWidth);
    txtUSumTeate = shown(QStringLiteral("txtUSumTeate"), AmountWidth);
    txtASumTeate = shown(QStringLiteral("txtASumTeate"), AmountWidth);
    txtBTotal = shown(QStringLiteral("txtBTotal"), AmountWidth);
    txtUTotal = shown(QStringLiteral("txtUTotal"), AmountWidth);
    txtATotal = shown(QStringLiteral("txtATotal"), AmountWidth);
    txtURitsu = shown(QStringLiteral("txtURitsu"), AmountWidth);
    txtBNensyu = shown(QStringLiteral("txtBNensyu"), AmountWidth);
    txtANensyu = shown(QStringLiteral("txtANensyu"), AmountWidth);

    m_list = new RaiseListModel(this);
    buildList(cmbWorkerCode, m_list, {30, 50, 80, 110, 50, 50, 60, 55, 55, 55, 55},
              NumberColumn::DoesNotChoose);
}

QWidget* TWS3010::buildStepPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto caption = [page](const QString& text) {
        return FieldCaption(page, text, Qt::AlignHCenter);
    };
    auto sign = [page](const QString& text) {
        auto* l = new QLabel(text, page);
        l->setAlignment(Qt::AlignCenter);
        l->setStyleSheet(QStringLiteral("font-size: 16px; color: #404040;"));
        return l;
    };
    // 号俸 + 昇号数 = Calc号俸, and the step the user decides beside it.
    auto* g = new QGridLayout;
    g->setHorizontalSpacing(10);
    g->setVerticalSpacing(4);
    g->addWidget(caption(QStringLiteral("号　俸")), 0, 0);
    g->addWidget(caption(QStringLiteral("昇号数")), 0, 2);
    g->addWidget(caption(QStringLiteral("Calc号俸")), 0, 4);
    g->addWidget(caption(QStringLiteral("New号俸")), 0, 6);
    g->addWidget(txtGouhou, 1, 0);
    g->addWidget(sign(QStringLiteral("＋")), 1, 1);
    g->addWidget(txtUPGousu, 1, 2);
    g->addWidget(sign(QStringLiteral("＝")), 1, 3);
    g->addWidget(txtCalcGousu, 1, 4);
    g->addWidget(sign(QStringLiteral("→")), 1, 5);
    g->addWidget(txtNewGouhou, 1, 6);

    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(16, 24, 16, 8);
    v->addLayout(g);
    auto* note = new QLabel(QStringLiteral("昇号数は人事評価から、New号俸は入力します。"), page);
    note->setStyleSheet(QStringLiteral("color: #404080;"));
    v->addSpacing(16);
    v->addWidget(note);
    v->addStretch(1);
    return page;
}

QWidget* TWS3010::buildAmountPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    const auto label = [page](const QString& text, Qt::Alignment align = Qt::AlignRight) {
        return FieldCaption(page, text, align);
    };
    auto* g = new QGridLayout;
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(3);
    g->addWidget(label(QStringLiteral("昇給前"), Qt::AlignHCenter), 0, 1);
    g->addWidget(label(QStringLiteral("Up"), Qt::AlignHCenter), 0, 2);
    g->addWidget(label(QStringLiteral("昇給後"), Qt::AlignHCenter), 0, 3);
    int r = 1;
    auto row = [&](QWidget* caption, QLineEdit* before, QLineEdit* up, QLineEdit* after) {
        g->addWidget(caption, r, 0);
        if (before)
            g->addWidget(before, r, 1);
        if (up)
            g->addWidget(up, r, 2);
        if (after)
            g->addWidget(after, r, 3);
        ++r;
    };
    for (int i = 1; i <= BasePayItemCount; ++i) {
        row(lblKihon[size_t(i)], txtBKihon[size_t(i)], txtUKihon[size_t(i)], txtAKihon[size_t(i)]);
    }
    row(label(QStringLiteral("Sum基本給")), txtBKihonSum, txtUKihonSum, txtAKihonSum);
    g->setRowMinimumHeight(r++, 6);
    for (int i = 1; i <= AllowanceCount; ++i) {
        row(lblTeate[size_t(i)], txtBTeate[size_t(i)], txtUTeate[size_t(i)], txtATeate[size_t(i)]);
    }
    row(label(QStringLiteral("Sum手　当")), txtBSumTeate, txtUSumTeate, txtASumTeate);
    g->setRowMinimumHeight(r++, 6);
    row(label(QStringLiteral("Total所定給")), txtBTotal, txtUTotal, txtATotal);
    row(label(QStringLiteral("昇給率(%)")), nullptr, txtURitsu, nullptr);
    row(label(QStringLiteral("年　収")), txtBNensyu, nullptr, txtANensyu);
    g->setRowStretch(r, 1);

    auto* h = new QHBoxLayout(page);
    h->setContentsMargins(12, 8, 12, 6);
    h->addLayout(g);
    h->addStretch(1);
    return page;
}

void TWS3010::buildLayout(QWidget* steps, QWidget* amounts) {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(steps, QStringLiteral("段階号俸表"));
    PageControl1->addTab(amounts, QStringLiteral("昇給管理"));

    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {btnAdd, btnCancel, btnHyogo})
        commands->addWidget(b);
    commands->addStretch(1);
    commands->addWidget(btnClose);

    auto* code = new QHBoxLayout;
    code->setSpacing(6);
    code->addWidget(new QLabel(QStringLiteral("社員コード"), this));
    code->addWidget(cmbWorkerCode);
    code->addSpacing(8);
    code->addWidget(new QLabel(QStringLiteral("社員番号"), this));
    code->addWidget(txtWorkerCode);
    code->addSpacing(8);
    code->addWidget(new QLabel(QStringLiteral("氏　名"), this));
    code->addWidget(txtWorkerName);
    code->addSpacing(16);
    addPosition(code);
    code->addSpacing(6);
    addMoveButtons(code);
    code->addStretch(1);

    auto* panel = new QGroupBox(QStringLiteral("評価"), this);
    panel->setObjectName(QStringLiteral("grpHyouka"));
    auto* e = new QGridLayout(panel);
    e->setVerticalSpacing(6);
    auto label = [panel](const QString& text) { return FieldCaption(panel, text); };
    int r = 0;
    e->addWidget(label(QStringLiteral("人事評価")), r, 0);
    e->addWidget(cmbHyouka, r++, 1, 1, 2);
    e->addWidget(label(QStringLiteral("滞留年数")), r, 0);
    e->addWidget(txtTairyuu, r++, 1, Qt::AlignLeft);
    e->addWidget(label(QStringLiteral("資格等級")), r, 0);
    e->addWidget(cmbSikaku, r++, 1, 1, 2);
    e->addWidget(label(QStringLiteral("Ｎｅｗ等級")), r, 0);
    e->addWidget(cmbNewToukyu, r++, 1, 1, 2);
    e->addWidget(chkUP, r++, 1, 1, 2);
    e->addWidget(label(QStringLiteral("評価")), r, 0);
    e->addWidget(new QLabel(QStringLiteral("１年前"), panel), r, 1, Qt::AlignRight);
    e->addWidget(txtHyouka1, r++, 2);
    e->addWidget(new QLabel(QStringLiteral("２年前"), panel), r, 1, Qt::AlignRight);
    e->addWidget(txtHyouka2, r++, 2);
    e->addWidget(new QLabel(QStringLiteral("３年前"), panel), r, 1, Qt::AlignRight);
    e->addWidget(txtHyouka3, r++, 2);
    e->setRowStretch(r, 1);

    auto* middle = new QHBoxLayout;
    middle->addWidget(panel);
    middle->addWidget(PageControl1, 1);

    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(12, 10, 12, 10);
    form->addLayout(commands);
    form->addLayout(code);
    form->addLayout(middle);
    form->addWidget(rgGrade);
    form->addWidget(StringGrid1, 1);

    QList<QWidget*> order = {cmbWorkerCode, cmbHyouka, cmbSikaku,   cmbNewToukyu,
                             chkUP,         txtGouhou, txtNewGouhou};
    for (int i = 1; i <= BasePayItemCount; ++i)
        order << txtBKihon[size_t(i)] << txtUKihon[size_t(i)];
    for (int i = 1; i <= AllowanceCount; ++i)
        order << txtBTeate[size_t(i)] << txtATeate[size_t(i)];
    order << btnAdd << btnCancel << btnHyogo << btnClose << StringGrid1;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QList<QLineEdit*> TWS3010::editableAmounts() const {
    QList<QLineEdit*> boxes;
    for (int i = 1; i <= BasePayItemCount; ++i)
        boxes << txtBKihon[size_t(i)] << txtUKihon[size_t(i)];
    for (int i = 1; i <= AllowanceCount; ++i)
        boxes << txtBTeate[size_t(i)] << txtATeate[size_t(i)];
    return boxes;
}

void TWS3010::connectHandlers() {
    connect(btnAdd, &QPushButton::clicked, this, &TWS3010::btnAddClick);
    connect(btnCancel, &QPushButton::clicked, this, &TWS3010::btnCancelClick);
    connect(btnHyogo, &QPushButton::clicked, this, &TWS3010::btnHyogoClick);
    connect(chkUP, &QCheckBox::clicked, this, &TWS3010::chkUPClick);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TWS3010::PageControl1Change);

    connectList();

    // What the user types marks the screen changed, so that a move never drops it unasked;
    // what the screen fills in does not.
    for (QLineEdit* e : editableAmounts() + QList<QLineEdit*>{txtGouhou, txtNewGouhou})
        connect(e, &QLineEdit::textEdited, this, &TWS3010::markChanged);
    for (QComboBox* c : {cmbHyouka, cmbSikaku, cmbNewToukyu}) {
        connect(c->lineEdit(), &QLineEdit::textEdited, this, &TWS3010::markChanged);
        connect(c, &QComboBox::activated, this, &TWS3010::markChanged);
    }

    // Leaving the code box acts on a code the user typed or chose, once. A refused code is
    // told with the step page shown.
    watchCodeBox(
        cmbWorkerCode,
        [this](const QString& text) {
            const CodeBoxCheck c = employeeCode(text);
            if (!c.ok())
                showStepPage(nullptr);
            return c;
        },
        [this] { return cmbWorkerCodeExit(); });

    using Check = std::function<bool()>;
    QHash<QWidget*, Check> checkOf = {{cmbSikaku, [this] { return cmbSikakuExit(); }},
                                      {cmbNewToukyu, [this] { return cmbNewToukyuExit(); }},
                                      {cmbHyouka, [this] { return cmbHyoukaExit(); }},
                                      {txtGouhou, [this] { return txtGouhouExit(); }},
                                      {txtNewGouhou, [this] { return txtNewGouhouExit(); }}};
    for (QLineEdit* box : editableAmounts())
        checkOf.insert(box, [this, box] { return checkMoney(box); });
    // A command first takes a typed code as leaving the box would, so that it acts on the
    // employee whose data the fields hold.
    for (auto it = checkOf.cbegin(); it != checkOf.cend(); ++it)
        m_exits->add(it.key(), it.value());
    m_exits->add(chkUP);
    m_exits->setShowField([this](QWidget* field) {
        for (int page = 0; page < PageControl1->count(); ++page)
            if (PageControl1->widget(page)->isAncestorOf(field)) {
                m_settingPage = true;
                PageControl1->setCurrentIndex(page);
                m_settingPage = false;
            }
    });
}
