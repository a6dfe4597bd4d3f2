#include "gui/raise/WS3010_RaiseInput.h"

#include "gui/common/Controls.h"
#include "gui/common/FieldExits.h"
#include "gui/common/ListPressGuard.h"
#include "gui/raise/RaiseListGrid.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

// The raise input's controls, their layout and their wiring; what the handlers do is in
// WS3010_RaiseInput.cpp.

namespace {
const char* const FullWidthDigits[] = {"", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
constexpr int FormWidth = 980;
constexpr int FormHeight = 820;
constexpr int AmountWidth = 104;
} // namespace

TWS3010::TWS3010(QWidget* parent) : QDialog(parent), m_exits(new FieldExits(this)) {
    setObjectName(QStringLiteral("WS3010"));
    setWindowTitle(QStringLiteral("昇給管理[*]"));
    buildControls();
    QWidget* steps = buildStepPage();
    QWidget* amounts = buildAmountPage();
    buildLayout(steps, amounts);
    connectHandlers();
    setFixedSize(FormWidth, FormHeight);
}

TWS3010::~TWS3010() {
    m_exits->detach();
}

void TWS3010::buildControls() {
    // Boxes the screen fills: never typed into, never a stop of the focus.
    auto shown = [this](const QString& name, int width) {
        QLineEdit* e = RightEdit(this, name, 0, width);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        QPalette p = e->palette();
        p.setColor(QPalette::Base, palette().color(QPalette::Window));
        e->setPalette(p);
        return e;
    };
    // A click leaves the focus in the field, whose exit check the command runs first.
    const auto button = [this](const QString& name, const QString& text) {
        return CommandButton(this, name, text, Qt::TabFocus);
    };

    btnAdd = button(QStringLiteral("btnAdd"), QStringLiteral("登　録"));
    btnCancel = button(QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"));
    btnHyogo = button(QStringLiteral("btnHyogo"), QStringLiteral("標　語"));
    btnClose = button(QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    cmbWorkerCode = CodeBox(this, QStringLiteral("cmbWorkerCode"), 150);
    txtWorkerCode = TextEdit(this, QStringLiteral("txtWorkerCode"), 0, 110);
    txtWorkerName = TextEdit(this, QStringLiteral("txtWorkerName"), 0, 170);
    for (QLineEdit* e : {txtWorkerCode, txtWorkerName}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    txtCureentNo = shown(QStringLiteral("txtCureentNo"), 48);
    txtLastNo = shown(QStringLiteral("txtLastNo"), 48);
    const QStyle::StandardPixmap moves[] = {
        QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward, QStyle::SP_MediaSeekForward,
        QStyle::SP_MediaSkipForward};
    QPushButton** moveButtons[] = {&btnFirst, &btnBack, &btnNext, &btnLast};
    const char* const moveNames[] = {"btnFirst", "btnBack", "btnNext", "btnLast"};
    for (int i = 0; i < 4; ++i) {
        QPushButton* b = button(QString::fromLatin1(moveNames[i]), QString());
        b->setIcon(style()->standardIcon(moves[i]));
        b->setFixedSize(32, 26);
        *moveButtons[i] = b;
    }

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
    auto amount = [this](const QString& name) { return RightEdit(this, name, 14, AmountWidth); };
    for (int i = 1; i <= 3; ++i) {
        lblKihon[size_t(i)] = Named(new QLabel(this), QStringLiteral("lblKihon%1").arg(i));
        txtBKihon[size_t(i)] = amount(QStringLiteral("txtBKihon%1").arg(i));
        txtUKihon[size_t(i)] = amount(QStringLiteral("txtUKihon%1").arg(i));
        txtAKihon[size_t(i)] = shown(QStringLiteral("txtAKihon%1").arg(i), AmountWidth);
    }
    txtBKihonSum = shown(QStringLiteral("txtBKihonSum"), AmountWidth);
    txtUKihonSum = shown(QStringLiteral("txtUKihonSum"), AmountWidth);
    txtAKihonSum = shown(QStringLiteral("txtAKihonSum"), AmountWidth);
    for (int i = 1; i <= 5; ++i) {
        lblTeate[size_t(i)] = Named(new QLabel(this), QStringLiteral("lblTeate%1").arg(i));
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

    rgGrade = new QGroupBox(QStringLiteral("等級"), this);
    rgGrade->setObjectName(QStringLiteral("rgGrade"));
    for (int g = 0; g <= 9; ++g) {
        auto* r = new QRadioButton(g == 0 ? QStringLiteral("全て")
                                          : QString::fromUtf8(FullWidthDigits[g]) +
                                                QStringLiteral("等級"),
                                   rgGrade);
        r->setObjectName(QStringLiteral("optGrade%1").arg(g));
        optGrade[size_t(g)] = r;
    }
    optGrade[0]->setChecked(true);

    m_list = new RaiseListModel(this);
    StringGrid1 = new QTableView(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setModel(m_list);
    StringGrid1->setItemDelegate(new RaiseListDelegate(StringGrid1));
    StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(20);
    StringGrid1->horizontalHeader()->setFixedHeight(20);
    StringGrid1->horizontalHeader()->setHighlightSections(false);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->setWordWrap(false);
    StringGrid1->setCornerButtonEnabled(false);
    const int widths[RaiseListModel::ColumnCount] = {30, 50, 80, 110, 50, 50, 60, 55, 55, 55, 55};
    for (int c = 0; c < RaiseListModel::ColumnCount; ++c)
        StringGrid1->setColumnWidth(c, widths[c]);
}

QWidget* TWS3010::buildStepPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto caption = [page](const QString& text) {
        auto* l = new QLabel(text, page);
        l->setAlignment(Qt::AlignCenter);
        return l;
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
    auto label = [page](const QString& text, Qt::Alignment align = Qt::AlignRight) {
        auto* l = new QLabel(text, page);
        l->setAlignment(align | Qt::AlignVCenter);
        return l;
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
    for (int i = 1; i <= 3; ++i) {
        lblKihon[size_t(i)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row(lblKihon[size_t(i)], txtBKihon[size_t(i)], txtUKihon[size_t(i)], txtAKihon[size_t(i)]);
    }
    row(label(QStringLiteral("Sum基本給")), txtBKihonSum, txtUKihonSum, txtAKihonSum);
    g->setRowMinimumHeight(r++, 6);
    for (int i = 1; i <= 5; ++i) {
        lblTeate[size_t(i)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
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
    code->addWidget(txtCureentNo);
    code->addWidget(new QLabel(QStringLiteral("/"), this));
    code->addWidget(txtLastNo);
    code->addSpacing(6);
    for (QPushButton* b : {btnFirst, btnBack, btnNext, btnLast})
        code->addWidget(b);
    code->addStretch(1);

    auto* panel = new QGroupBox(QStringLiteral("評価"), this);
    panel->setObjectName(QStringLiteral("grpHyouka"));
    auto* e = new QGridLayout(panel);
    e->setVerticalSpacing(6);
    auto label = [panel](const QString& text) {
        auto* l = new QLabel(text, panel);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
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

    auto* grades = new QHBoxLayout(rgGrade);
    grades->setContentsMargins(8, 2, 8, 2);
    for (QRadioButton* b : optGrade)
        grades->addWidget(b);
    grades->addStretch(1);

    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(12, 10, 12, 10);
    form->addLayout(commands);
    form->addLayout(code);
    form->addLayout(middle);
    form->addWidget(rgGrade);
    form->addWidget(StringGrid1, 1);

    QList<QWidget*> order = {cmbWorkerCode, cmbHyouka, cmbSikaku,   cmbNewToukyu,
                             chkUP,         txtGouhou, txtNewGouhou};
    for (int i = 1; i <= 3; ++i)
        order << txtBKihon[size_t(i)] << txtUKihon[size_t(i)];
    for (int i = 1; i <= 5; ++i)
        order << txtBTeate[size_t(i)] << txtATeate[size_t(i)];
    order << btnAdd << btnCancel << btnHyogo << btnClose << StringGrid1;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QList<QLineEdit*> TWS3010::editableAmounts() const {
    QList<QLineEdit*> boxes;
    for (int i = 1; i <= 3; ++i)
        boxes << txtBKihon[size_t(i)] << txtUKihon[size_t(i)];
    for (int i = 1; i <= 5; ++i)
        boxes << txtBTeate[size_t(i)] << txtATeate[size_t(i)];
    return boxes;
}

void TWS3010::connectHandlers() {
    connect(btnAdd, &QPushButton::clicked, this, &TWS3010::btnAddClick);
    connect(btnCancel, &QPushButton::clicked, this, &TWS3010::btnCancelClick);
    connect(btnHyogo, &QPushButton::clicked, this, &TWS3010::btnHyogoClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS3010::btnCloseClick);
    connect(btnFirst, &QPushButton::clicked, this, &TWS3010::btnFirstClick);
    connect(btnBack, &QPushButton::clicked, this, &TWS3010::btnBackClick);
    connect(btnNext, &QPushButton::clicked, this, &TWS3010::btnNextClick);
    connect(btnLast, &QPushButton::clicked, this, &TWS3010::btnLastClick);
    connect(chkUP, &QCheckBox::clicked, this, &TWS3010::chkUPClick);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TWS3010::PageControl1Change);

    m_gradeGroup = new QButtonGroup(this);
    for (int g = 0; g <= 9; ++g)
        m_gradeGroup->addButton(optGrade[size_t(g)], g);
    connect(m_gradeGroup, &QButtonGroup::idClicked, this, &TWS3010::gradeFilterClick);

    // What the user types marks the screen changed, so that a move never drops it unasked;
    // what the screen fills in does not.
    for (QLineEdit* e : editableAmounts() + QList<QLineEdit*>{txtGouhou, txtNewGouhou})
        connect(e, &QLineEdit::textEdited, this, &TWS3010::markChanged);
    for (QComboBox* c : {cmbHyouka, cmbSikaku, cmbNewToukyu}) {
        connect(c->lineEdit(), &QLineEdit::textEdited, this, &TWS3010::markChanged);
        connect(c, &QComboBox::activated, this, &TWS3010::markChanged);
    }

    // Leaving the code box acts on a code the user typed or chose, once.
    connect(cmbWorkerCode->lineEdit(), &QLineEdit::textEdited, this,
            [this] { m_codeTyped = true; });
    connect(cmbWorkerCode, &QComboBox::activated, this, [this] {
        m_codeTyped = true;
        cmbWorkerCodeExit();
    });

    connect(StringGrid1, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == RaiseListModel::No)
            return; // the running number is not a choice
        const int row = index.row() + 1;
        if (!(m_highlight && m_currentRow == row))
            StringGrid1Click(row);
    });
    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (m_settingCursor || !current.isValid() ||
                    StringGrid1->currentIndex().column() == RaiseListModel::No)
                    return;
                if (!mayLeaveFor(current.row() + 1)) {
                    // Kept: the cursor goes back to the edited employee's row.
                    setCursorRow(previous.isValid() ? previous.row() + 1 : 1);
                    return;
                }
                StringGrid1Click(current.row() + 1);
            });
    // A click asks before the list moves its cursor, so that a kept screen keeps its row.
    new ListPressGuard(StringGrid1, [this](const QModelIndex& index) {
        return !index.isValid() || index.column() == RaiseListModel::No ||
               mayLeaveFor(index.row() + 1);
    });

    using Check = std::function<bool()>;
    QHash<QWidget*, Check> checkOf = {{cmbWorkerCode, [this] { return cmbWorkerCodeExit(); }},
                                      {cmbSikaku, [this] { return cmbSikakuExit(); }},
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
