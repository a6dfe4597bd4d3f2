#include "gui/masters/WS0030_Employee.h"

#include "core/common/Counts.h"
#include "gui/common/Controls.h"
#include "gui/common/DateFields.h"
#include "gui/common/FieldExits.h"
#include "gui/masters/EmployeeListGrid.h"
#include "gui/masters/WS0030_EmployeeLayout.h"

#include <QButtonGroup>
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

// The employee screen's controls, their layout and their wiring; what the handlers do is in
// WS0030_Employee.cpp.

using namespace EmployeeLayout;

TWS0030::TWS0030(QWidget* parent)
    : EmployeeRecordEditor(parent, QStringLiteral("WS0030"), QStringLiteral("社員データ[*]")) {
    buildControls();
    QWidget* basic = buildBasicPage();
    QWidget* wage = buildWagePage();
    buildLayout(basic, wage);
    connectHandlers();
    setFixedSize(FormWidth, FormHeight);
}

// ---- Controls --------------------------------------------------------------------------

void TWS0030::buildControls() {
    auto shown = [this](const QString& name, int width) {
        QLineEdit* e = RightEdit(this, name, 20, width);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        return e;
    };
    const auto button = [this](const QString& name, const QString& text) {
        return commandButton(name, text);
    };

    btnAdd = button(QStringLiteral("btnAdd"), QStringLiteral("登　録"));
    btnMnt = button(QStringLiteral("btnMnt"), QStringLiteral("修　正"));
    btnDlt = button(QStringLiteral("btnDlt"), QStringLiteral("削　除"));
    btnCansel = button(QStringLiteral("btnCansel"), QStringLiteral("ｷｬﾝｾﾙ"));
    btnClose = closeButton();
    btnExcel = button(QStringLiteral("btnExcel"), QStringLiteral("Excel保存"));
    cmbWorker = CodeBox(this, QStringLiteral("cmbWorker"), 140);
    txtWorker = TextEdit(this, QStringLiteral("txtWorker"), 20, 150);
    txtWorker->setReadOnly(true);
    txtWorker->setFocusPolicy(Qt::NoFocus);
    buildMoves(20);

    txtWorkerNo = TextEdit(this, QStringLiteral("txtWorkerNo"), 10, 110);
    txtWorkName = TextEdit(this, QStringLiteral("txtWorkName"), 20, 220);
    OptSex1 = new QRadioButton(QStringLiteral("男"), this);
    OptSex1->setObjectName(QStringLiteral("OptSex1"));
    OptSex2 = new QRadioButton(QStringLiteral("女"), this);
    OptSex2->setObjectName(QStringLiteral("OptSex2"));
    cmbSeiNengou = EraBox(this, QStringLiteral("cmbSeiNengou"), 66);
    txtSeiyy = RightEdit(this, QStringLiteral("txtSeiyy"), 2, 34);
    txtSeimm = RightEdit(this, QStringLiteral("txtSeimm"), 2, 34);
    txtSeidd = RightEdit(this, QStringLiteral("txtSeidd"), 2, 34);
    cmbNyuNengou = EraBox(this, QStringLiteral("cmbNyuNengou"), 66);
    txtNyuyy = RightEdit(this, QStringLiteral("txtNyuyy"), 2, 34);
    txtNyumm = RightEdit(this, QStringLiteral("txtNyumm"), 2, 34);
    txtNyudd = RightEdit(this, QStringLiteral("txtNyudd"), 2, 34);
    txtYakusyoku = TextEdit(this, QStringLiteral("txtYakusyoku"), 20, 220);
    cmbMibun = CodeBox(this, QStringLiteral("cmbMibun"), 150);
    txtGakureki = TextEdit(this, QStringLiteral("txtGakureki"), 30, 260);
    txtSenkou = TextEdit(this, QStringLiteral("txtSenkou"), 30, 260);
    txtKSikaku = TextEdit(this, QStringLiteral("txtKSikaku"), 30, 260);
    txtHaizoku = TextEdit(this, QStringLiteral("txtHaizoku"), 30, 260);
    cmbTouNengou = EraBox(this, QStringLiteral("cmbTouNengou"), 66);
    txtTouyy = RightEdit(this, QStringLiteral("txtTouyy"), 2, 34);
    txtToumm = RightEdit(this, QStringLiteral("txtToumm"), 2, 34);
    txtToudd = RightEdit(this, QStringLiteral("txtToudd"), 2, 34);
    cmbSikaku = CodeBox(this, QStringLiteral("cmbSikaku"), 170);
    txtGouhou = RightEdit(this, QStringLiteral("txtGouhou"), 2, 60);
    txtZone = RightEdit(this, QStringLiteral("txtZone"), 6, 60);
    txtTasseiRitsu = RightEdit(this, QStringLiteral("txtTasseiRitsu"), 5, 60);
    cmbHyouka1 = CodeBox(this, QStringLiteral("cmbHyouka1"), 120);
    txtHyouka2 = TextEdit(this, QStringLiteral("txtHyouka2"), 10, 120);
    txtHyouka3 = TextEdit(this, QStringLiteral("txtHyouka3"), 10, 120);
    txtHyouka4 = TextEdit(this, QStringLiteral("txtHyouka4"), 10, 120);
    txtKeikenNen = RightEdit(this, QStringLiteral("txtKeikenNen"), 2, 60);
    txtSyokumuTensu = RightEdit(this, QStringLiteral("txtSyokumuTensu"), 4, 60);
    cmbMark = CodeBox(this, QStringLiteral("cmbMark"), 170);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(PhotoWidth, PhotoHeight);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setWordWrap(true); // the note of a photo that cannot be shown
    Image1->setStyleSheet(QStringLiteral(
        "QLabel#Image1 { background: white; color: #a00000; border: 1px solid #c0c0c0; }"));
    btnPicter = button(QStringLiteral("btnPicter"), QStringLiteral("読　込"));

    // Money boxes take separators, so their length allows for them.
    buildPayCaptions();
    for (int i = 1; i <= BasePayItemCount; ++i) {
        txtKihon[size_t(i)] = RightEdit(this, QStringLiteral("txtKihon%1").arg(i), 14, 110);
        txtAFKihon[size_t(i)] = RightEdit(this, QStringLiteral("txtAFKihon%1").arg(i), 14, 110);
        optKihon[size_t(i)] = new QRadioButton(this);
        optKihon[size_t(i)]->setObjectName(QStringLiteral("optKihon%1").arg(i));
    }
    cdRestLink = button(QStringLiteral("cdRestLink"), QStringLiteral("解除"));
    txtKihonSum = shown(QStringLiteral("txtKihonSum"), 110);
    txtAFKihonSum = shown(QStringLiteral("txtAFKihonSum"), 110);
    txtUpKihon = shown(QStringLiteral("txtUpKihon"), 110);
    for (int i = 1; i <= AllowanceCount; ++i) {
        txtTeate[size_t(i)] = RightEdit(this, QStringLiteral("txtTeate%1").arg(i), 14, 110);
        txtAFTeate[size_t(i)] = RightEdit(this, QStringLiteral("txtAFTeate%1").arg(i), 14, 110);
    }
    txtTeateSum = shown(QStringLiteral("txtTeateSum"), 110);
    txtAFTeateSum = shown(QStringLiteral("txtAFTeateSum"), 110);
    txtTeateUP = shown(QStringLiteral("txtTeateUP"), 110);
    txtBonus1 = RightEdit(this, QStringLiteral("txtBonus1"), 14, 110);
    txtBonus2 = RightEdit(this, QStringLiteral("txtBonus2"), 14, 110);
    txtNensyu = shown(QStringLiteral("txtNensyu"), 110);
    txtAFNensyu = shown(QStringLiteral("txtAFNensyu"), 110);
    txtSyotei = shown(QStringLiteral("txtSyotei"), 110);
    txtAFSyotei = shown(QStringLiteral("txtAFSyotei"), 110);
    txtTaisyokuKin = RightEdit(this, QStringLiteral("txtTaisyokuKin"), 12, 110);

    m_list = new EmployeeListModel(this);
    buildList(cmbWorker, m_list, {30, 60, 60, 110, 50, 50, 70, 70, 70, 60, 60},
              NumberColumn::Chooses);
}

QWidget* TWS0030::buildBasicPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto row = [](std::initializer_list<QWidget*> widgets) {
        auto* h = new QHBoxLayout;
        h->setSpacing(4);
        for (QWidget* w : widgets)
            h->addWidget(w);
        h->addStretch(1);
        return h;
    };
    auto dateRow = [page](QComboBox* era, QLineEdit* y, QLineEdit* m, QLineEdit* d) {
        return DateRow(page, {era, y, m, d});
    };

    auto* left = new QGridLayout;
    left->setVerticalSpacing(5);
    int r = 0;
    auto add = [&](QGridLayout* g, const QString& caption, QLayout* fields) {
        g->addWidget(FieldCaption(page, caption), r, 0);
        g->addLayout(fields, r++, 1);
    };
    add(left, QStringLiteral("社員番号"), row({txtWorkerNo}));
    add(left, QStringLiteral("氏　　名"), row({txtWorkName}));
    add(left, QStringLiteral("性　　別"), row({OptSex1, OptSex2}));
    add(left, QStringLiteral("生年月日"), dateRow(cmbSeiNengou, txtSeiyy, txtSeimm, txtSeidd));
    add(left, QStringLiteral("入社年月日"), dateRow(cmbNyuNengou, txtNyuyy, txtNyumm, txtNyudd));
    add(left, QStringLiteral("役　　職"), row({txtYakusyoku}));
    add(left, QStringLiteral("社内身分"), row({cmbMibun}));
    add(left, QStringLiteral("学　　歴"), row({txtGakureki}));
    add(left, QStringLiteral("専　　攻"), row({txtSenkou}));
    add(left, QStringLiteral("公的資格"), row({txtKSikaku}));
    add(left, QStringLiteral("職務配置"), row({txtHaizoku}));
    add(left, QStringLiteral("登用年月日"), dateRow(cmbTouNengou, txtTouyy, txtToumm, txtToudd));
    left->setRowStretch(r, 1);

    auto* right = new QGridLayout;
    right->setVerticalSpacing(5);
    r = 0;
    add(right, QStringLiteral("資格等級"), row({cmbSikaku}));
    add(right, QStringLiteral("号　　俸"), row({txtGouhou}));
    add(right, QStringLiteral("ゾーン"), row({txtZone}));
    add(right, QStringLiteral("達成率"), row({txtTasseiRitsu}));
    add(right, QStringLiteral("評価　本年"), row({cmbHyouka1}));
    add(right, QStringLiteral("評価　１年前"), row({txtHyouka2}));
    add(right, QStringLiteral("評価　２年前"), row({txtHyouka3}));
    add(right, QStringLiteral("評価　３年前"), row({txtHyouka4}));
    add(right, QStringLiteral("経験年数"), row({txtKeikenNen}));
    add(right, QStringLiteral("職務点数"), row({txtSyokumuTensu}));
    add(right, QStringLiteral("マーク"), row({cmbMark}));
    right->setRowStretch(r, 1);

    auto* photo = new QVBoxLayout;
    photo->addWidget(new QLabel(QStringLiteral("写　　真"), page));
    photo->addWidget(Image1);
    photo->addWidget(btnPicter);
    photo->addStretch(1);

    auto* h = new QHBoxLayout(page);
    h->setContentsMargins(10, 10, 10, 8);
    h->addLayout(left, 5);
    h->addSpacing(12);
    h->addLayout(right, 4);
    h->addSpacing(8);
    h->addLayout(photo);
    return page;
}

QWidget* TWS0030::buildWagePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    const auto label = [page](const QString& text, Qt::Alignment align = Qt::AlignRight) {
        return FieldCaption(page, text, align);
    };

    auto* pay = new QGridLayout;
    pay->setVerticalSpacing(4);
    pay->setHorizontalSpacing(8);
    pay->addWidget(label(QStringLiteral("昇給前"), Qt::AlignHCenter), 0, 1);
    pay->addWidget(label(QStringLiteral("昇給後"), Qt::AlignHCenter), 0, 2);
    pay->addWidget(label(QStringLiteral("賃金表"), Qt::AlignHCenter), 0, 3);
    int r = 1;
    for (int i = 1; i <= BasePayItemCount; ++i) {
        pay->addWidget(lblKihon[size_t(i)], r, 0);
        pay->addWidget(txtKihon[size_t(i)], r, 1);
        pay->addWidget(txtAFKihon[size_t(i)], r, 2);
        pay->addWidget(optKihon[size_t(i)], r++, 3, Qt::AlignHCenter);
    }
    pay->addWidget(label(QStringLiteral("基本給　計")), r, 0);
    pay->addWidget(txtKihonSum, r, 1);
    pay->addWidget(txtAFKihonSum, r, 2);
    pay->addWidget(cdRestLink, r++, 3);
    pay->addWidget(label(QStringLiteral("基本給　昇給額")), r, 0);
    pay->addWidget(txtUpKihon, r++, 2);
    pay->setRowMinimumHeight(r++, 8);
    for (int i = 1; i <= AllowanceCount; ++i) {
        pay->addWidget(lblTeate[size_t(i)], r, 0);
        pay->addWidget(txtTeate[size_t(i)], r, 1);
        pay->addWidget(txtAFTeate[size_t(i)], r++, 2);
    }
    pay->addWidget(label(QStringLiteral("手当　計")), r, 0);
    pay->addWidget(txtTeateSum, r, 1);
    pay->addWidget(txtAFTeateSum, r++, 2);
    pay->addWidget(label(QStringLiteral("手当　昇給額")), r, 0);
    pay->addWidget(txtTeateUP, r++, 2);
    pay->setRowStretch(r, 1);

    auto* totals = new QGridLayout;
    totals->setVerticalSpacing(4);
    totals->setHorizontalSpacing(8);
    totals->addWidget(label(QStringLiteral("昇給前"), Qt::AlignHCenter), 0, 1);
    totals->addWidget(label(QStringLiteral("昇給後"), Qt::AlignHCenter), 0, 2);
    totals->addWidget(label(QStringLiteral("所定給")), 1, 0);
    totals->addWidget(txtSyotei, 1, 1);
    totals->addWidget(txtAFSyotei, 1, 2);
    totals->addWidget(label(QStringLiteral("賞与　上期")), 2, 0);
    totals->addWidget(txtBonus1, 2, 1);
    totals->addWidget(label(QStringLiteral("賞与　下期")), 3, 0);
    totals->addWidget(txtBonus2, 3, 1);
    totals->addWidget(label(QStringLiteral("年　収")), 4, 0);
    totals->addWidget(txtNensyu, 4, 1);
    totals->addWidget(txtAFNensyu, 4, 2);
    totals->setRowMinimumHeight(5, 12);
    totals->addWidget(label(QStringLiteral("退職金支給率")), 6, 0);
    totals->addWidget(txtTaisyokuKin, 6, 1);
    totals->setRowStretch(7, 1);

    auto* h = new QHBoxLayout(page);
    h->setContentsMargins(10, 10, 10, 8);
    h->addLayout(pay);
    h->addSpacing(30);
    h->addLayout(totals);
    h->addStretch(1);
    return page;
}

void TWS0030::buildLayout(QWidget* basic, QWidget* wage) {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(basic, QStringLiteral("基本情報"));
    PageControl1->addTab(wage, QStringLiteral("賃金情報"));

    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {btnAdd, btnMnt, btnDlt, btnCansel})
        commands->addWidget(b);
    commands->addSpacing(24);
    commands->addWidget(btnExcel);
    commands->addStretch(1);
    commands->addWidget(btnClose);

    auto* code = new QHBoxLayout;
    code->setSpacing(6);
    code->addWidget(new QLabel(QStringLiteral("社員コード"), this));
    code->addWidget(cmbWorker);
    code->addWidget(txtWorker);
    code->addSpacing(16);
    addPosition(code);
    code->addSpacing(6);
    addMoveButtons(code);
    code->addSpacing(8);
    auto* hint = new QLabel(QStringLiteral("[キャンセル]をクリックで［登録］モードに"), this);
    hint->setStyleSheet(QStringLiteral("color: #202080;"));
    code->addWidget(hint);
    code->addStretch(1);

    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(12, 10, 12, 10);
    form->addLayout(commands);
    form->addLayout(code);
    form->addWidget(PageControl1);
    form->addWidget(rgGrade);
    form->addWidget(StringGrid1, 1);

    QList<QWidget*> order = {
        cmbWorker,  txtWorkerNo,  txtWorkName,     OptSex1,      OptSex2,    cmbSeiNengou,
        txtSeiyy,   txtSeimm,     txtSeidd,        cmbNyuNengou, txtNyuyy,   txtNyumm,
        txtNyudd,   txtYakusyoku, cmbMibun,        txtGakureki,  txtSenkou,  txtKSikaku,
        txtHaizoku, cmbTouNengou, txtTouyy,        txtToumm,     txtToudd,   cmbSikaku,
        txtGouhou,  txtZone,      txtTasseiRitsu,  cmbHyouka1,   txtHyouka2, txtHyouka3,
        txtHyouka4, txtKeikenNen, txtSyokumuTensu, cmbMark,      btnPicter};
    for (int i = 1; i <= BasePayItemCount; ++i)
        order << txtKihon[size_t(i)] << txtAFKihon[size_t(i)];
    for (int i = 1; i <= AllowanceCount; ++i)
        order << txtTeate[size_t(i)] << txtAFTeate[size_t(i)];
    order << txtBonus1 << txtBonus2 << txtTaisyokuKin << btnAdd << btnMnt << btnDlt << btnCansel
          << btnExcel << btnClose << StringGrid1;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QList<QLineEdit*> TWS0030::moneyBoxes() const {
    QList<QLineEdit*> boxes;
    for (int i = 1; i <= BasePayItemCount; ++i)
        boxes << txtKihon[size_t(i)] << txtAFKihon[size_t(i)];
    for (int i = 1; i <= AllowanceCount; ++i)
        boxes << txtTeate[size_t(i)] << txtAFTeate[size_t(i)];
    boxes << txtBonus1 << txtBonus2;
    return boxes;
}

void TWS0030::connectHandlers() {
    connect(btnAdd, &QPushButton::clicked, this, &TWS0030::btnAddClick);
    connect(btnMnt, &QPushButton::clicked, this, &TWS0030::btnMntClick);
    connect(btnDlt, &QPushButton::clicked, this, &TWS0030::btnDltClick);
    connect(btnCansel, &QPushButton::clicked, this, &TWS0030::btnCanselClick);
    connect(btnExcel, &QPushButton::clicked, this, &TWS0030::btnExcelClick);
    connect(btnPicter, &QPushButton::clicked, this, &TWS0030::btnPicterClick);
    connect(cdRestLink, &QPushButton::clicked, this, &TWS0030::cdRestLinkClick);

    m_sexGroup = new QButtonGroup(this);
    m_sexGroup->addButton(OptSex1, 0);
    m_sexGroup->addButton(OptSex2, 1);
    connect(m_sexGroup, &QButtonGroup::idClicked, this, &TWS0030::markChanged);
    m_linkGroup = new QButtonGroup(this);
    for (int i = 1; i <= BasePayItemCount; ++i)
        m_linkGroup->addButton(optKihon[size_t(i)], i);
    connect(m_linkGroup, &QButtonGroup::idClicked, this, &TWS0030::optKihonClick);
    connectList();

    // Every edit of a field marks the form changed; the boxes the screen computes do not.
    for (QLineEdit* e : findChildren<QLineEdit*>())
        if (!e->isReadOnly() && !qobject_cast<QComboBox*>(e->parentWidget()))
            connect(e, &QLineEdit::textChanged, this, &TWS0030::markChanged);
    for (QComboBox* c : {cmbMibun, cmbSikaku, cmbHyouka1, cmbMark})
        connect(c, &QComboBox::editTextChanged, this, &TWS0030::markChanged);
    for (QComboBox* c : {cmbSeiNengou, cmbNyuNengou, cmbTouNengou})
        connect(c, &QComboBox::currentIndexChanged, this, &TWS0030::markChanged);

    // Leaving the code box acts on a code the user typed or chose, once; leaving it as the
    // screen filled it does nothing. Choosing from the list is leaving the box with the code.
    // 修正 and 削除 take a typed code first as leaving would; 登録 takes it as the new
    // employee's code.
    watchCodeBox(
        cmbWorker, employeeCode, [this] { return cmbWorkerExit(); }, FieldExits::OnCommand::Skip);

    auto range = [this](QLineEdit* e, int high) {
        return ExitCheck([this, e, high] { return checkRange(e, 0, high); });
    };
    QHash<QWidget*, ExitCheck> checkOf = {
        {cmbMibun, [this] { return cmbMibunExit(); }},
        {cmbSikaku, [this] { return cmbSikakuExit(); }},
        {cmbMark, [this] { return cmbMarkExit(); }},
        {cmbHyouka1, [this] { return cmbHyouka1Exit(); }},
        {txtSeiyy, range(txtSeiyy, 99)},
        {txtSeimm, range(txtSeimm, 12)},
        {txtSeidd, range(txtSeidd, 31)},
        {txtNyuyy, range(txtNyuyy, 99)},
        {txtNyumm, range(txtNyumm, 12)},
        {txtNyudd, range(txtNyudd, 31)},
        {txtTouyy, range(txtTouyy, 99)},
        {txtToumm, range(txtToumm, 12)},
        {txtToudd, range(txtToudd, 31)},
        {txtGouhou, [this] { return txtGouhouExit(); }},
        {txtZone, [this] { return checkInteger(txtZone, true); }},
        {txtKeikenNen, [this] { return checkInteger(txtKeikenNen, false); }},
        {txtSyokumuTensu, [this] { return checkInteger(txtSyokumuTensu, true); }},
        {txtTasseiRitsu, [this] { return checkNumber(txtTasseiRitsu); }},
        {txtTaisyokuKin, [this] { return txtTaisyokuKinExit(); }}};
    for (QLineEdit* box : moneyBoxes())
        checkOf.insert(box, [this, box] { return checkMoney(box); });

    for (QWidget* w : findChildren<QWidget*>()) {
        const bool field =
            (qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parentWidget())) ||
            qobject_cast<QComboBox*>(w) || qobject_cast<QRadioButton*>(w);
        if (field && w != cmbWorker)
            m_exits->add(w, checkOf.value(w));
    }
    m_exits->setShowField([this](QWidget* field) {
        for (int page = 0; page < PageControl1->count(); ++page)
            if (PageControl1->widget(page)->isAncestorOf(field))
                PageControl1->setCurrentIndex(page);
    });
}
