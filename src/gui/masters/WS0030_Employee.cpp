#include "gui/masters/WS0030_Employee.h"

#include "core/common/AppState.h"
#include "core/common/Dates.h"
#include "core/common/DisplayTexts.h"
#include "core/common/Helpers.h"
#include "core/common/Messages.h"
#include "core/common/NumberText.h"
#include "data/masters/EmployeeStore.h"
#include "data/project/CompanySettingsCache.h"
#include "data/project/Project.h"
#include "gui/common/Controls.h"
#include "gui/common/DateFields.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FieldExits.h"
#include "gui/common/Hourglass.h"
#include "gui/masters/EmployeeListGrid.h"
#include "render/masters/JpegDecoder.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
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

namespace {

const Project& project() {
    return *Project::current();
}

constexpr int FormWidth = 940;
constexpr int FormHeight = 800;
constexpr int PhotoWidth = 153;
constexpr int PhotoHeight = 161;

const QString NoCode = QStringLiteral("0 : なし");
const QString NotANumber = QStringLiteral("数値を入力してください。");
const QString OutOfRange = QStringLiteral("入力範囲外です。");
const QString NoMaster = QStringLiteral("マスターにデータが存在しません。");
const QString NoEmployeeCode = QStringLiteral("社員コードが入力されていません。");
const QColor AfterRaiseColour(166, 202, 240);

const char* const FullWidthDigits[] = {"", "１", "２", "３", "４", "５", "６", "７", "８", "９"};

// A typed whole number, or `otherwise` when the text is not one.
int typedInt(const QString& text, int otherwise) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : otherwise;
}

// The code part of a "code : name" text; ok false when it is not a whole number.
int codePart(const QString& text, bool* ok) {
    return NthField(text.trimmed(), QLatin1Char(' '), 1).toInt(ok);
}

int boxCode(const QComboBox* box) {
    bool ok = false;
    const int code = codePart(box->currentText(), &ok);
    return ok ? code : 0;
}

Currency typedAmount(const QLineEdit* box) {
    return NumberOfText(box->text());
}

void paintBox(QLineEdit* box, const QColor& colour, bool readOnly) {
    QPalette p = box->palette();
    p.setColor(QPalette::Base, colour);
    box->setPalette(p);
    box->setReadOnly(readOnly);
}

// Photo names are stored with backslashes between folders, as on the systems the data may
// come from; the file system here wants slashes.
QString photoPath(const QString& name) {
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return state().AppDir + QStringLiteral("Picture/") + relative;
}

QImage loadPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool jpeg = suffix == QStringLiteral("jpg") || suffix == QStringLiteral("jpeg") ||
                      (suffix != QStringLiteral("bmp") && bytes.startsWith("\xFF\xD8"));
    if (jpeg)
        return DecodeJpeg(bytes);
    QImage image;
    image.loadFromData(bytes, "BMP");
    return image;
}

} // namespace

TWS0030::TWS0030(QWidget* parent) : QDialog(parent), m_exits(new FieldExits(this)) {
    setObjectName(QStringLiteral("WS0030"));
    setWindowTitle(QStringLiteral("社員データ[*]"));
    buildControls();
    QWidget* basic = buildBasicPage();
    QWidget* wage = buildWagePage();
    buildLayout(basic, wage);
    connectHandlers();
    setFixedSize(FormWidth, FormHeight);
}

TWS0030::~TWS0030() = default;

// ---- Controls --------------------------------------------------------------------------

void TWS0030::buildControls() {
    auto shown = [this](const QString& name, int width) {
        QLineEdit* e = RightEdit(this, name, 20, width);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        return e;
    };
    // A click leaves the focus in the field, whose exit check the command runs first.
    const auto button = [this](const QString& name, const QString& text) {
        return CommandButton(this, name, text, Qt::TabFocus);
    };

    btnAdd = button(QStringLiteral("btnAdd"), QStringLiteral("登　録"));
    btnMnt = button(QStringLiteral("btnMnt"), QStringLiteral("修　正"));
    btnDlt = button(QStringLiteral("btnDlt"), QStringLiteral("削　除"));
    btnCansel = button(QStringLiteral("btnCansel"), QStringLiteral("ｷｬﾝｾﾙ"));
    btnClose = button(QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    cmbWorker = CodeBox(this, QStringLiteral("cmbWorker"), 140);
    txtWorker = TextEdit(this, QStringLiteral("txtWorker"), 20, 150);
    txtWorker->setReadOnly(true);
    txtWorker->setFocusPolicy(Qt::NoFocus);
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
    Image1->setFrameShape(QFrame::Box);
    Image1->setStyleSheet(QStringLiteral("QLabel#Image1 { background: white; color: #c0c0c0; }"));
    btnPicter = button(QStringLiteral("btnPicter"), QStringLiteral("読　込"));

    // Money boxes take separators, so their length allows for them.
    for (int i = 1; i <= 3; ++i) {
        lblKihon[size_t(i)] = new QLabel(this);
        txtKihon[size_t(i)] = RightEdit(this, QStringLiteral("txtKihon%1").arg(i), 14, 110);
        txtAFKihon[size_t(i)] = RightEdit(this, QStringLiteral("txtAFKihon%1").arg(i), 14, 110);
        optKihon[size_t(i)] = new QRadioButton(this);
        optKihon[size_t(i)]->setObjectName(QStringLiteral("optKihon%1").arg(i));
    }
    cdRestLink = button(QStringLiteral("cdRestLink"), QStringLiteral("解除"));
    txtKihonSum = shown(QStringLiteral("txtKihonSum"), 110);
    txtAFKihonSum = shown(QStringLiteral("txtAFKihonSum"), 110);
    txtUpKihon = shown(QStringLiteral("txtUpKihon"), 110);
    for (int i = 1; i <= 5; ++i) {
        lblTeate[size_t(i)] = new QLabel(this);
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

    m_list = new EmployeeListModel(this);
    StringGrid1 = new QTableView(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setModel(m_list);
    StringGrid1->setItemDelegate(new EmployeeListDelegate(StringGrid1));
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
    const int widths[EmployeeListModel::ColumnCount] = {30, 60, 60, 110, 50, 50,
                                                        70, 70, 70, 60,  60};
    for (int c = 0; c < EmployeeListModel::ColumnCount; ++c)
        StringGrid1->setColumnWidth(c, widths[c]);
}

QWidget* TWS0030::buildBasicPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto label = [page](const QString& text) {
        auto* l = new QLabel(text, page);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    auto row = [](std::initializer_list<QWidget*> widgets) {
        auto* h = new QHBoxLayout;
        h->setSpacing(4);
        for (QWidget* w : widgets)
            h->addWidget(w);
        h->addStretch(1);
        return h;
    };
    auto dateRow = [page](QComboBox* era, QLineEdit* y, QLineEdit* m, QLineEdit* d) {
        auto* h = new QHBoxLayout;
        h->setSpacing(4);
        h->addWidget(era);
        h->addWidget(y);
        h->addWidget(new QLabel(QStringLiteral("年"), page));
        h->addWidget(m);
        h->addWidget(new QLabel(QStringLiteral("月"), page));
        h->addWidget(d);
        h->addWidget(new QLabel(QStringLiteral("日"), page));
        h->addStretch(1);
        return h;
    };

    auto* left = new QGridLayout;
    left->setVerticalSpacing(5);
    int r = 0;
    auto add = [&](QGridLayout* g, const QString& caption, QLayout* fields) {
        g->addWidget(label(caption), r, 0);
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
    auto label = [page](const QString& text, Qt::Alignment align = Qt::AlignRight) {
        auto* l = new QLabel(text, page);
        l->setAlignment(align | Qt::AlignVCenter);
        return l;
    };

    auto* pay = new QGridLayout;
    pay->setVerticalSpacing(4);
    pay->setHorizontalSpacing(8);
    pay->addWidget(label(QStringLiteral("昇給前"), Qt::AlignHCenter), 0, 1);
    pay->addWidget(label(QStringLiteral("昇給後"), Qt::AlignHCenter), 0, 2);
    pay->addWidget(label(QStringLiteral("賃金表"), Qt::AlignHCenter), 0, 3);
    int r = 1;
    for (int i = 1; i <= 3; ++i) {
        lblKihon[size_t(i)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
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
    for (int i = 1; i <= 5; ++i) {
        lblTeate[size_t(i)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
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
    commands->addStretch(1);
    commands->addWidget(btnClose);

    auto* code = new QHBoxLayout;
    code->setSpacing(6);
    code->addWidget(new QLabel(QStringLiteral("社員コード"), this));
    code->addWidget(cmbWorker);
    code->addWidget(txtWorker);
    code->addSpacing(16);
    code->addWidget(txtCureentNo);
    code->addWidget(new QLabel(QStringLiteral("/"), this));
    code->addWidget(txtLastNo);
    code->addSpacing(6);
    for (QPushButton* b : {btnFirst, btnBack, btnNext, btnLast})
        code->addWidget(b);
    code->addSpacing(8);
    auto* hint = new QLabel(QStringLiteral("[キャンセル]をクリックで［登録］モードに"), this);
    hint->setStyleSheet(QStringLiteral("color: #202080;"));
    code->addWidget(hint);
    code->addStretch(1);

    auto* grades = new QHBoxLayout(rgGrade);
    grades->setContentsMargins(8, 2, 8, 2);
    for (QRadioButton* r : optGrade)
        grades->addWidget(r);
    grades->addStretch(1);

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
    for (int i = 1; i <= 3; ++i)
        order << txtKihon[size_t(i)] << txtAFKihon[size_t(i)];
    for (int i = 1; i <= 5; ++i)
        order << txtTeate[size_t(i)] << txtAFTeate[size_t(i)];
    order << txtBonus1 << txtBonus2 << txtTaisyokuKin << btnAdd << btnMnt << btnDlt << btnCansel
          << btnClose << StringGrid1;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QList<QLineEdit*> TWS0030::moneyBoxes() const {
    QList<QLineEdit*> boxes;
    for (int i = 1; i <= 3; ++i)
        boxes << txtKihon[size_t(i)] << txtAFKihon[size_t(i)];
    for (int i = 1; i <= 5; ++i)
        boxes << txtTeate[size_t(i)] << txtAFTeate[size_t(i)];
    boxes << txtBonus1 << txtBonus2;
    return boxes;
}

void TWS0030::connectHandlers() {
    connect(btnAdd, &QPushButton::clicked, this, &TWS0030::btnAddClick);
    connect(btnMnt, &QPushButton::clicked, this, &TWS0030::btnMntClick);
    connect(btnDlt, &QPushButton::clicked, this, &TWS0030::btnDltClick);
    connect(btnCansel, &QPushButton::clicked, this, &TWS0030::btnCanselClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS0030::btnCloseClick);
    connect(btnFirst, &QPushButton::clicked, this, &TWS0030::btnFirstClick);
    connect(btnBack, &QPushButton::clicked, this, &TWS0030::btnBackClick);
    connect(btnNext, &QPushButton::clicked, this, &TWS0030::btnNextClick);
    connect(btnLast, &QPushButton::clicked, this, &TWS0030::btnLastClick);
    connect(btnPicter, &QPushButton::clicked, this, &TWS0030::btnPicterClick);
    connect(cdRestLink, &QPushButton::clicked, this, &TWS0030::cdRestLinkClick);

    m_sexGroup = new QButtonGroup(this);
    m_sexGroup->addButton(OptSex1, 0);
    m_sexGroup->addButton(OptSex2, 1);
    connect(m_sexGroup, &QButtonGroup::idClicked, this, [this] { setWindowModified(true); });
    m_linkGroup = new QButtonGroup(this);
    for (int i = 1; i <= 3; ++i)
        m_linkGroup->addButton(optKihon[size_t(i)], i);
    connect(m_linkGroup, &QButtonGroup::idClicked, this, &TWS0030::optKihonClick);
    m_gradeGroup = new QButtonGroup(this);
    for (int g = 0; g <= 9; ++g)
        m_gradeGroup->addButton(optGrade[size_t(g)], g);
    connect(m_gradeGroup, &QButtonGroup::idClicked, this, &TWS0030::gradeFilterClick);

    // Every edit of a field marks the form changed; the boxes the screen computes do not.
    auto changed = [this] { setWindowModified(true); };
    for (QLineEdit* e : findChildren<QLineEdit*>())
        if (!e->isReadOnly() && !qobject_cast<QComboBox*>(e->parentWidget()))
            connect(e, &QLineEdit::textChanged, this, changed);
    for (QComboBox* c : {cmbMibun, cmbSikaku, cmbHyouka1, cmbMark})
        connect(c, &QComboBox::editTextChanged, this, changed);
    for (QComboBox* c : {cmbSeiNengou, cmbNyuNengou, cmbTouNengou})
        connect(c, &QComboBox::currentIndexChanged, this, changed);

    // Leaving the code box acts on a code the user typed or chose, once; leaving it as the
    // screen filled it does nothing. Choosing from the list is leaving the box with the code.
    connect(cmbWorker->lineEdit(), &QLineEdit::textEdited, this, [this] { m_codeTyped = true; });
    connect(cmbWorker, &QComboBox::activated, this, [this] {
        m_codeTyped = true;
        cmbWorkerExit();
    });

    connect(StringGrid1, &QTableView::clicked, this, [this](const QModelIndex& index) {
        const int row = index.row() + 1;
        if (!(m_highlight && m_currentRow == row))
            StringGrid1Click(row);
    });
    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_settingCursor && current.isValid())
                    StringGrid1Click(current.row() + 1);
            });

    auto range = [this](QLineEdit* e, int high) {
        return ExitCheck([this, e, high] { return checkRange(e, 0, high); });
    };
    QHash<QWidget*, ExitCheck> checkOf = {
        {cmbWorker, [this] { return cmbWorkerExit(); }},
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
        // Leaving the code box loads an employee; a command reads the box itself instead.
        if (field)
            m_exits->add(w, checkOf.value(w),
                         w == cmbWorker ? FieldExits::OnCommand::Skip
                                        : FieldExits::OnCommand::Check);
    }
    m_exits->setShowField([this](QWidget* field) {
        for (int page = 0; page < PageControl1->count(); ++page)
            if (PageControl1->widget(page)->isAncestorOf(field))
                PageControl1->setCurrentIndex(page);
    });
}

// ---- Preparing and clearing ------------------------------------------------------------

void TWS0030::start() {
    setAttribute(Qt::WA_Moved, false); // shown centred over the main window
    prepare();
    exec();
}

void TWS0030::prepare() {
    setFixedSize(FormWidth, FormHeight);
    PageControl1->setCurrentIndex(0);
    fillChoiceLists();
    clearForm();
    setLabelCaptions();
    fillEraBoxes();
    loadList();
    setCursorRow(1);
    StringGrid1Click(1);
    setWindowModified(false);
}

void TWS0030::fillChoiceLists() {
    cmbMibun->clear();
    for (int k : {1, 2, 3, 4, 0})
        cmbMibun->addItem(EmployeeKindText(k));

    cmbSikaku->clear();
    for (int g = 1; g <= 9; ++g)
        cmbSikaku->addItem(QString::number(g) + QStringLiteral(" : ") +
                           project().settings().TK[size_t(g)]);
    cmbSikaku->addItem(NoCode);

    cmbMark->clear();
    for (int m = 1; m <= 6; ++m)
        cmbMark->addItem(MarkLegendText(m, project().marks()));

    // The evaluation codes of the year fill the shared code list as well.
    cmbHyouka1->clear();
    LoadEvalCodes(project().companyYear(), m_evalCodes);
    for (const CodeEntry& e : m_evalCodes)
        cmbHyouka1->addItem(e.code + QStringLiteral(" : ") + e.name);
    cmbHyouka1->addItem(NoCode);
}

void TWS0030::fillEraBoxes() {
    const AppState& s = state();
    const bool eras = project().eraMode() != 0;
    for (QComboBox* box : {cmbSeiNengou, cmbNyuNengou, cmbTouNengou}) {
        const QSignalBlocker quiet(box);
        box->clear();
        for (int i = 1; i <= 3; ++i)
            if (!s.EraNames[size_t(i)].isEmpty())
                box->addItem(s.EraNames[size_t(i)]);
        if (box->count() == 0)
            box->addItem(QStringLiteral("未設定"));
        box->addItem(QString());
        box->setCurrentIndex(box->count() - 1);
        box->setVisible(eras);
    }
}

void TWS0030::setLabelCaptions() {
    const TMKIGYOU2& c = project().settings();
    for (int i = 1; i <= 3; ++i)
        lblKihon[size_t(i)]->setText(c.KKNA[size_t(i)]);
    for (int i = 1; i <= 5; ++i)
        lblTeate[size_t(i)]->setText(c.TNA[size_t(i)]);
}

void TWS0030::clearForm() {
    cmbWorker->setEditText(QString());
    txtWorker->clear();
    for (QLineEdit* e : {txtWorkerNo, txtWorkName, txtYakusyoku, txtGakureki, txtSenkou, txtKSikaku,
                         txtHaizoku, txtHyouka2, txtHyouka3, txtHyouka4})
        e->clear();
    showPhoto(QString());
    OptSex1->setChecked(true);
    for (QComboBox* c : {cmbMibun, cmbSikaku, cmbMark, cmbHyouka1})
        c->setEditText(NoCode);
    for (QComboBox* c : {cmbSeiNengou, cmbNyuNengou, cmbTouNengou})
        c->setCurrentIndex(c->count() - 1);
    for (QLineEdit* e :
         {txtSeiyy, txtSeimm, txtSeidd, txtNyuyy, txtNyumm, txtNyudd, txtTouyy, txtToumm, txtToudd,
          txtGouhou, txtZone, txtTasseiRitsu, txtKeikenNen, txtSyokumuTensu})
        e->setText(QStringLiteral("0"));
    for (QLineEdit* e : moneyBoxes())
        e->setText(QStringLiteral("0"));
    txtTaisyokuKin->setText(QStringLiteral("0.000"));
    m_currentCode = 0;
    m_link = 0;
    applyLinkColours();
    recomputeSums();
}

// ---- The list ----------------------------------------------------------------------------

void TWS0030::loadList() {
    // The code box keeps what it shows while its items are replaced.
    const QString shown = cmbWorker->currentText();
    {
        const QSignalBlocker quiet(cmbWorker);
        cmbWorker->clear();
    }
    StringGrid1->setEnabled(true);
    QVector<EmployeeListRow> rows;
    LoadEmployeeList(project().companyYear(), m_filter, rows);
    m_firstCode = 0;
    m_lastCode = 0;
    txtCureentNo->clear();
    txtLastNo->clear();
    QStringList items;
    items.reserve(rows.size());
    for (const EmployeeListRow& r : rows)
        items << QString::number(r.SCO) + QStringLiteral(" : ") + r.SNA;
    if (!rows.isEmpty()) {
        txtLastNo->setText(QString::number(rows.size()));
        m_firstCode = rows.first().SCO;
        m_lastCode = rows.last().SCO;
    }
    m_list->setEmployees(std::move(rows), project().ageBase());
    {
        const QSignalBlocker quiet(cmbWorker);
        cmbWorker->addItems(items);
        cmbWorker->setCurrentIndex(-1);
        cmbWorker->setEditText(shown);
    }
    setHighlight(false);
    setCursorRow(1);
}

void TWS0030::setCursorRow(int gridRow) {
    m_settingCursor = true;
    StringGrid1->setCurrentIndex(m_list->index(qMax(0, gridRow - 1), 1));
    m_settingCursor = false;
    setHighlight(m_highlight);
}

void TWS0030::setHighlight(bool on) {
    m_highlight = on;
    const QModelIndex cursor = StringGrid1->currentIndex();
    m_list->setHighlightedRow(on && cursor.isValid() ? cursor.row() + 1 : 0);
}

void TWS0030::StringGrid1Click(int gridRow) {
    if (gridRow < 1 || gridRow > m_list->rowCount() || m_list->isBlank(gridRow))
        return;
    m_currentRow = gridRow;
    setCursorRow(gridRow);
    setHighlight(true);
    txtCureentNo->setText(QString::number(gridRow));
    m_currentCode = m_list->codeAt(gridRow);
    cmbWorker->setEditText(QString::number(m_currentCode));
    txtWorker->setText(m_list->nameAt(gridRow));
    loadEmployee(m_currentCode);
}

void TWS0030::selectRowOfCode(int code) {
    const int row = m_list->gridRowOf(code);
    if (row == 0)
        return; // a code not listed: the form keeps what it shows (a new employee's code)
    m_currentRow = row;
    setCursorRow(row);
    loadEmployee(code);
}

bool TWS0030::askBeforeDropping(const QString& lastLine) {
    if (!isWindowModified())
        return true;
    if (Msg::yesNo(QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r") + lastLine,
                   QStringLiteral("確認"))) {
        focusBasic(txtWorkerNo);
        return false;
    }
    return true;
}

void TWS0030::focusBasic(QWidget* field) {
    PageControl1->setCurrentIndex(0);
    moveFocus(field);
}

void TWS0030::moveFocus(QWidget* field) {
    m_exits->moveFocus(field);
}

void TWS0030::move(Move move) {
    static const char* const lastLines[] = {
        "【いいえ】:最初のデータ　へ。", "【いいえ】:前のデータ　へ。",
        "【いいえ】:次のデータ　へ。", "【いいえ】:最後のデータ　へ。"};
    if (!askBeforeDropping(QString::fromUtf8(lastLines[int(move)])))
        return;
    const bool noCode = cmbWorker->currentText().trimmed().isEmpty();
    const int count = m_list->employeeCount();
    int target = 0;
    int position = 0;
    switch (move) {
    case Move::First:
        target = m_firstCode;
        position = 1;
        break;
    case Move::Back:
        if (noCode) {
            target = m_firstCode;
            position = 1;
        } else {
            if (m_currentCode == m_firstCode)
                return;
            position = qBound(1, m_currentRow - 1, qMax(1, count));
            target = m_list->codeAt(position);
        }
        break;
    case Move::Next:
        if (noCode) {
            target = m_lastCode;
            position = count;
        } else {
            if (m_currentCode == m_lastCode)
                return;
            position = qBound(1, m_currentRow + 1, qMax(1, count));
            target = m_list->codeAt(position);
        }
        break;
    case Move::Last:
        target = m_lastCode;
        position = count;
        break;
    }
    if (target == 0)
        return; // nothing listed
    m_highlight = true;
    m_currentCode = target;
    selectRowOfCode(target);
    btnAdd->setEnabled(false);
    cmbWorker->setEditText(QString::number(target));
    txtWorker->setText(txtWorkName->text());
    txtCureentNo->setText(QString::number(position));
    setHighlight(true);
    StringGrid1->viewport()->update();
    setWindowModified(false);
}

void TWS0030::btnFirstClick() {
    move(Move::First);
}
void TWS0030::btnBackClick() {
    move(Move::Back);
}
void TWS0030::btnNextClick() {
    move(Move::Next);
}
void TWS0030::btnLastClick() {
    move(Move::Last);
}

void TWS0030::gradeFilterClick(int grade) {
    if (isWindowModified()) {
        {
            const QSignalBlocker quiet(m_gradeGroup);
            optGrade[size_t(m_filter)]->setChecked(true);
        }
        Msg::info(QStringLiteral(
            "ﾃﾞｰﾀが変更されています。変更する場合は、登録・修正 ボタン　を、変更しない場合は、"
            "キャンセル ボタン　を押して下さい。"));
        PageControl1->setCurrentIndex(0);
        moveFocus(optGrade[size_t(grade)]);
        return;
    }
    Hourglass wait;
    m_filter = grade;
    optGrade[size_t(grade)]->setChecked(true);
    loadList();
    setCursorRow(1);
    StringGrid1Click(1);
    setWindowModified(false);
}

// ---- One employee ------------------------------------------------------------------------

bool TWS0030::loadEmployee(int code) {
    EmployeeRecord e;
    switch (LoadEmployee(project().companyYear(), code, e)) {
    case LoadResult::Failed:
        return false;
    case LoadResult::Missing:
        btnMnt->setEnabled(false);
        btnDlt->setEnabled(false);
        return false;
    case LoadResult::Found:
        break;
    }
    btnAdd->setEnabled(false);
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    showEmployee(e);
    setWindowModified(false);
    return true;
}

void TWS0030::showEmployee(const EmployeeRecord& e) {
    auto codeText = [](int code, const QString& text) { return code == 0 ? NoCode : text; };

    txtWorkerNo->setText(e.SCOT);
    txtWorkName->setText(e.SNA);
    (e.SEIBETSU == 1 ? OptSex2 : OptSex1)->setChecked(true);
    ShowDate({cmbSeiNengou, txtSeiyy, txtSeimm, txtSeidd}, e.SEIHI, project().eraMode());
    ShowDate({cmbNyuNengou, txtNyuyy, txtNyumm, txtNyudd}, e.NYUHI, project().eraMode());
    txtYakusyoku->setText(e.YAKU);
    cmbMibun->setEditText(codeText(e.SM1, EmployeeKindText(e.SM1)));
    txtGakureki->setText(e.GAKU);
    txtSenkou->setText(e.SENKOU);
    txtKSikaku->setText(e.KSIKAKU);
    txtHaizoku->setText(e.KEIKEN);
    ShowDate({cmbTouNengou, txtTouyy, txtToumm, txtToudd}, e.THI, project().eraMode());
    cmbSikaku->setEditText(codeText(e.TOUKYU, GradeText(e.TOUKYU, project().settings())));
    txtGouhou->setText(QString::number(e.GOUHOU));
    txtZone->setText(QString::number(e.ZONEX));
    txtTasseiRitsu->setText(e.TRITSU.toString());
    cmbHyouka1->setEditText(codeText(e.HCO, EvalCodeText(QString::number(e.HCO), m_evalCodes)));
    txtHyouka2->setText(e.HNA1);
    txtHyouka3->setText(e.HNA2);
    txtHyouka4->setText(e.HNA3);
    txtKeikenNen->setText(QString::number(e.NENSU));
    txtSyokumuTensu->setText(QString::number(e.TENSU));
    cmbMark->setEditText(codeText(e.MCO, MarkLegendText(e.MCO, project().marks())));
    showPhoto(e.SPATH);

    m_link = NormalisedLink(e.JISEKI);
    for (int i = 1; i <= 3; ++i) {
        // The linked component shows the wage table's amounts at the employee's grade and step.
        const bool linked = m_link == i;
        txtKihon[size_t(i)]->setText(
            MoneyBoxText(linked ? Currency::fromInt(e.KIN) : e.KKYU[size_t(i)]));
        txtAFKihon[size_t(i)]->setText(
            MoneyBoxText(linked ? Currency::fromInt(e.NKIN) : e.NKKYU[size_t(i)]));
    }
    for (int i = 1; i <= 5; ++i) {
        txtTeate[size_t(i)]->setText(MoneyBoxText(e.TEATE[size_t(i)]));
        txtAFTeate[size_t(i)]->setText(MoneyBoxText(e.NTEATE[size_t(i)]));
    }
    txtBonus1->setText(MoneyBoxText(e.SYOUYO));
    txtBonus2->setText(MoneyBoxText(e.SYOUYO2));
    txtTaisyokuKin->setText(RetirementRateText(e.SRITSU));
    applyLinkColours();
    recomputeSums();
}

void TWS0030::showPhoto(const QString& name) {
    QImage image;
    if (!name.isEmpty())
        image = loadPicture(photoPath(name));
    if (image.isNull()) {
        // A photo that does not load is not reported; its name is dropped at the next save.
        Image1->clear();
        m_photoName.clear();
        return;
    }
    m_photoName = name;
    QPixmap picture = QPixmap::fromImage(image);
    // Larger photos are shown whole, scaled down into the box.
    if (picture.width() > PhotoWidth - 2 || picture.height() > PhotoHeight - 2)
        picture = picture.scaled(PhotoWidth - 2, PhotoHeight - 2, Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation);
    Image1->setPixmap(picture);
}

void TWS0030::btnPicterClick() {
    const QString folder = state().AppDir + QStringLiteral("Picture");
    m_photoName.clear();
    const QString picked =
        Dialogs::openFileName(this, QStringLiteral("画像ファイルの選択"), folder,
                              QStringLiteral("JPEGファイル(*.jpg);;BMPファイル(*.bmp)"));
    if (!picked.isEmpty()) {
        const QString prefix = folder + QLatin1Char('/');
        if (!picked.startsWith(prefix)) {
            Msg::warning(
                QStringLiteral("フォルダが変更されました。表示されたフォルダ内で選択して下さい。"));
            return;
        }
        QString name = picked.mid(prefix.size());
        name.replace(QLatin1Char('/'), QLatin1Char('\\'));
        m_photoName = name.left(255);
    }
    showPhoto(m_photoName);
    setWindowModified(true);
}

// ---- Sums and the wage-table link ---------------------------------------------------------

void TWS0030::recomputeSums() {
    std::array<Currency, 4> base{}, baseAfter{};
    std::array<Currency, 6> allowance{}, allowanceAfter{};
    for (size_t i = 1; i <= 3; ++i) {
        base[i] = typedAmount(txtKihon[i]);
        baseAfter[i] = typedAmount(txtAFKihon[i]);
    }
    for (size_t i = 1; i <= 5; ++i) {
        allowance[i] = typedAmount(txtTeate[i]);
        allowanceAfter[i] = typedAmount(txtAFTeate[i]);
    }
    const EmployeePay p = ComputeEmployeePay(base, baseAfter, allowance, allowanceAfter,
                                             typedAmount(txtBonus1), typedAmount(txtBonus2));
    txtKihonSum->setText(MoneyBoxText(p.baseBefore));
    txtAFKihonSum->setText(MoneyBoxText(p.baseAfter));
    txtTeateSum->setText(MoneyBoxText(p.allowanceBefore));
    txtAFTeateSum->setText(MoneyBoxText(p.allowanceAfter));
    txtSyotei->setText(MoneyBoxText(p.scheduledBefore));
    txtAFSyotei->setText(MoneyBoxText(p.scheduledAfter));
    txtNensyu->setText(MoneyBoxText(p.annualBefore));
    txtAFNensyu->setText(MoneyBoxText(p.annualAfter));
    txtUpKihon->setText(MoneyBoxText(p.baseRaise));
    txtTeateUP->setText(MoneyBoxText(p.allowanceRaise));
}

void TWS0030::applyLinkColours() {
    {
        const QSignalBlocker quiet(m_linkGroup);
        m_linkGroup->setExclusive(false);
        for (int i = 1; i <= 3; ++i)
            optKihon[size_t(i)]->setChecked(m_link == i);
        m_linkGroup->setExclusive(true);
    }
    for (int i = 1; i <= 3; ++i) {
        const bool linked = m_link == i;
        paintBox(txtKihon[size_t(i)], linked ? QColor(Qt::yellow) : QColor(Qt::white), linked);
        paintBox(txtAFKihon[size_t(i)], linked ? QColor(Qt::yellow) : AfterRaiseColour, linked);
    }
    for (int i = 1; i <= 5; ++i) {
        paintBox(txtTeate[size_t(i)], Qt::white, false);
        paintBox(txtAFTeate[size_t(i)], AfterRaiseColour, false);
    }
}

void TWS0030::applyLink() {
    applyLinkColours();
    if (m_link < 1 || m_link > 3)
        return;
    const QString grade = NthField(cmbSikaku->currentText().trimmed(), QLatin1Char(' '), 1);
    const QString step = txtGouhou->text().trimmed();
    if (grade.isEmpty() || step.isEmpty())
        return;
    txtKihon[size_t(m_link)]->setText(
        MoneyBoxText(Currency::fromInt(WageTableAmount(project().companyYear(), grade, step))));
    recomputeSums();
}

void TWS0030::optKihonClick(int n) {
    m_link = n;
    setWindowModified(true);
    applyLink();
}

void TWS0030::cdRestLinkClick() {
    m_link = 0;
    setWindowModified(true);
    applyLink();
}

// ---- Field exits ---------------------------------------------------------------------------

bool TWS0030::refuse(QWidget* field, const QString& message) {
    return m_exits->refuse(field, message);
}

bool TWS0030::checkRange(QLineEdit* field, int low, int high) {
    bool ok = false;
    const int v = field->text().trimmed().toInt(&ok);
    if (!ok)
        return refuse(field, NotANumber);
    if (v < low || v > high)
        return refuse(field, OutOfRange);
    return true;
}

bool TWS0030::checkInteger(QLineEdit* field, bool emptyIsZero) {
    const QString text = field->text().trimmed();
    if (text.isEmpty() && emptyIsZero)
        return true;
    bool ok = false;
    text.toInt(&ok);
    return ok || refuse(field, NotANumber);
}

bool TWS0030::checkNumber(QLineEdit* field) {
    const FieldCheck c = CheckRateText(field->text());
    if (!c.ok())
        return refuse(field, c.message);
    field->setText(c.shown);
    return true;
}

bool TWS0030::checkMoney(QLineEdit* field) {
    const FieldCheck c = CheckMoneyText(field->text(), 8);
    if (!c.ok())
        return refuse(field, c.message);
    field->setText(c.shown);
    recomputeSums();
    return true;
}

bool TWS0030::txtGouhouExit() {
    if (!txtGouhou->text().trimmed().isEmpty() && !checkRange(txtGouhou, 0, 80))
        return false;
    applyLink();
    return true;
}

bool TWS0030::txtTaisyokuKinExit() {
    const QString text = txtTaisyokuKin->text().trimmed();
    if (!text.isEmpty() && !CheckRateText(text).ok())
        return refuse(txtTaisyokuKin, NotANumber);
    txtTaisyokuKin->setText(RetirementRateText(NumberOfText(text)));
    return true;
}

bool TWS0030::cmbWorkerExit() {
    if (!m_codeTyped)
        return true;
    const QString text = cmbWorker->currentText().trimmed();
    if (text.isEmpty()) {
        m_codeTyped = false;
        return true;
    }
    bool ok = false;
    const int code = codePart(text, &ok);
    if (!ok)
        return refuse(cmbWorker, NotANumber);
    if (code == 0)
        return refuse(cmbWorker, QStringLiteral("０　は、入力できません。"));
    m_codeTyped = false;
    m_currentCode = code;
    cmbWorker->setEditText(NthField(text, QLatin1Char(' '), 1));
    txtWorker->setText(NthField(text, QLatin1Char(' '), 3));
    // A new code has no row to mark; the row under the cursor is not this employee.
    const bool listed = m_list->gridRowOf(code) != 0;
    if (listed) {
        selectRowOfCode(code);
        setWindowModified(false);
    } else if (loadEmployee(code)) {
        // Stored but not listed (another grade than the filter): its data is shown all the
        // same, so that no command can act on a code whose data the form does not hold.
        setWindowModified(false);
    }
    // Otherwise a new employee's code: the form keeps what was typed, unsaved.
    setHighlight(listed);
    return true;
}

bool TWS0030::settleTypedCode() {
    // A code typed without leaving the box is taken as leaving it would take it, so that a
    // command acts on the employee whose data the form shows.
    return !m_codeTyped || cmbWorkerExit();
}

bool TWS0030::cmbMibunExit() {
    const QString text = cmbMibun->currentText().trimmed();
    if (text.isEmpty())
        return true;
    bool ok = false;
    const int code = codePart(text, &ok);
    if (!ok)
        return refuse(cmbMibun, NotANumber);
    if (code < 0 || code > 4)
        return refuse(cmbMibun, QStringLiteral("入力範囲外です。0 ～ ") + QString::number(4) +
                                    QStringLiteral("の値を入力して下さい。"));
    cmbMibun->setEditText(EmployeeKindText(code));
    return true;
}

bool TWS0030::cmbSikakuExit() {
    const QString text = cmbSikaku->currentText().trimmed();
    if (!text.isEmpty()) {
        bool ok = false;
        const int code = codePart(text, &ok);
        if (!ok)
            return refuse(cmbSikaku, NotANumber);
        if (code < 1 || code > 9)
            return refuse(cmbSikaku,
                          QStringLiteral("入力範囲外です。1 ～ 9 の値を入力して下さい。"));
        cmbSikaku->setEditText(GradeText(code, project().settings()));
    }
    applyLink();
    return true;
}

bool TWS0030::cmbMarkExit() {
    const QString text = cmbMark->currentText().trimmed();
    if (text.isEmpty())
        return true;
    bool ok = false;
    const int code = codePart(text, &ok);
    if (!ok)
        return refuse(cmbMark, NotANumber);
    if (code < 1 || code > 6) {
        cmbMark->setEditText(QString());
        return refuse(cmbMark, NoMaster);
    }
    cmbMark->setEditText(MarkLegendText(code, project().marks()));
    return true;
}

bool TWS0030::cmbHyouka1Exit() {
    const QString text = cmbHyouka1->currentText().trimmed();
    if (text.isEmpty())
        return true;
    bool ok = false;
    const int code = codePart(text, &ok);
    if (!ok)
        return refuse(cmbHyouka1, NotANumber);
    const QString shown = EvalCodeText(QString::number(code), m_evalCodes);
    if (shown.isEmpty()) {
        cmbHyouka1->setEditText(QString());
        return refuse(cmbHyouka1, NoMaster);
    }
    cmbHyouka1->setEditText(shown);
    return true;
}

// ---- Saving ------------------------------------------------------------------------------

int TWS0030::typedCode() {
    const QString text = cmbWorker->currentText().trimmed();
    if (text.isEmpty()) {
        Msg::info(NoEmployeeCode);
        moveFocus(cmbWorker);
        return 0;
    }
    bool ok = false;
    const int code = codePart(text, &ok);
    if (!ok) {
        refuse(cmbWorker, NotANumber);
        return 0;
    }
    if (code == 0) {
        refuse(cmbWorker, QStringLiteral("０　は、入力できません。"));
        return 0;
    }
    return code;
}

bool TWS0030::collect(EmployeeRecord& e) {
    if (!TakeDate({cmbSeiNengou, txtSeiyy, txtSeimm, txtSeidd}, e.SEIHI, project().eraMode())) {
        Msg::info(QStringLiteral("生年月日の入力エラーです。"));
        return false;
    }
    if (!TakeDate({cmbNyuNengou, txtNyuyy, txtNyumm, txtNyudd}, e.NYUHI, project().eraMode())) {
        Msg::info(QStringLiteral("入社日の入力エラーです。"));
        return false;
    }
    if (!TakeDate({cmbTouNengou, txtTouyy, txtToumm, txtToudd}, e.THI, project().eraMode())) {
        Msg::info(QStringLiteral("登用日の入力エラーです。"));
        return false;
    }
    e.SCOT = txtWorkerNo->text();
    e.SNA = txtWorkName->text();
    e.SEIBETSU = OptSex2->isChecked() ? 1 : 0;
    e.YAKU = txtYakusyoku->text();
    e.SM1 = boxCode(cmbMibun);
    e.GAKU = txtGakureki->text();
    e.SENKOU = txtSenkou->text();
    e.KSIKAKU = txtKSikaku->text();
    e.KEIKEN = txtHaizoku->text();
    e.TOUKYU = boxCode(cmbSikaku);
    e.GOUHOU = typedInt(txtGouhou->text(), 0);
    e.ZONEX = typedInt(txtZone->text(), 0);
    e.TRITSU = NumberOfText(txtTasseiRitsu->text());
    e.HCO = boxCode(cmbHyouka1);
    e.HNA1 = txtHyouka2->text();
    e.HNA2 = txtHyouka3->text();
    e.HNA3 = txtHyouka4->text();
    e.NENSU = typedInt(txtKeikenNen->text(), 0);
    e.TENSU = typedInt(txtSyokumuTensu->text(), 0);
    e.MCO = boxCode(cmbMark);
    e.SPATH = m_photoName;
    for (size_t i = 1; i <= 3; ++i) {
        e.KKYU[i] = typedAmount(txtKihon[i]);
        e.NKKYU[i] = typedAmount(txtAFKihon[i]);
    }
    for (size_t i = 1; i <= 5; ++i) {
        e.TEATE[i] = typedAmount(txtTeate[i]);
        e.NTEATE[i] = typedAmount(txtAFTeate[i]);
    }
    e.SYOUYO = typedAmount(txtBonus1);
    e.SYOUYO2 = typedAmount(txtBonus2);
    e.SRITSU = typedAmount(txtTaisyokuKin);
    e.JISEKI = m_link;
    e.NENREI = YearsToBase(e.SEIHI, project().ageBase());
    e.KINZOKU = YearsToBase(e.NYUHI, project().ageBase());
    return true;
}

void TWS0030::btnAddClick() {
    AppState& s = state();
    if (!m_exits->checkFocused())
        return;
    if (cmbWorker->currentText().trimmed().isEmpty()) {
        Msg::info(NoEmployeeCode);
        moveFocus(cmbWorker);
        return;
    }
    if (!isWindowModified()) {
        Msg::info(QStringLiteral("ﾃﾞｰﾀの変更がありません。"));
        focusBasic(txtWorkerNo);
        return;
    }
    if (txtWorkName->text().isEmpty()) {
        Msg::info(QStringLiteral("氏名は必ず入力してください。"));
        focusBasic(txtWorkName);
        return;
    }
    EmployeeRecord e;
    e.SCO = typedCode();
    if (e.SCO == 0)
        return;
    const CompanyYear cy = project().companyYear();
    bool failed = false;
    if (EmployeeExists(cy, e.SCO, &failed)) {
        Msg::info(QStringLiteral(
            "データは既に存在します。更新する場合は、修正ボタン　を押下して下さい。"));
        moveFocus(txtWorkerNo);
        return;
    }
    if (failed || !collect(e))
        return;
    {
        Hourglass wait;
        const QString created = QDateTime(s.clock(), QTime::currentTime())
                                    .toString(QStringLiteral("yyyy/MM/dd H:mm:ss"));
        if (!InsertEmployee(cy, e, created))
            return; // nothing stored; the data module has said why
        clearForm();
        loadList();
    }
    Project::current()->announceEmployeesChanged();
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    txtCureentNo->clear();
    moveFocus(cmbWorker);
    setWindowModified(false);
}

void TWS0030::btnMntClick() {
    if (!m_exits->checkFocused() || !settleTypedCode())
        return;
    if (cmbWorker->currentText().trimmed().isEmpty()) {
        Msg::info(NoEmployeeCode);
        moveFocus(cmbWorker);
        return;
    }
    EmployeeRecord e;
    e.SCO = typedCode();
    if (e.SCO == 0 || !collect(e))
        return;
    const CompanyYear cy = project().companyYear();
    bool failed = false;
    if (!EmployeeExists(cy, e.SCO, &failed)) {
        if (!failed)
            Msg::info(QStringLiteral("社員マスターにデータが存在しません。"));
        return;
    }
    const QModelIndex cell = StringGrid1->currentIndex();
    const int row = m_currentRow;
    const bool highlight = m_highlight;
    {
        Hourglass wait;
        if (!UpdateEmployee(cy, e))
            return;
        loadList();
    }
    Project::current()->announceEmployeesChanged();
    // The grid's current cell goes back where it was.
    m_currentRow = row;
    m_settingCursor = true;
    StringGrid1->setCurrentIndex(cell.isValid() ? m_list->index(cell.row(), cell.column())
                                                : m_list->index(0, 1));
    m_settingCursor = false;
    setHighlight(highlight);
    if (row >= 1 && row <= m_list->employeeCount())
        txtCureentNo->setText(QString::number(row));
    setWindowModified(false);
}

void TWS0030::btnDltClick() {
    if (cmbWorker->currentText().trimmed().isEmpty()) {
        Msg::info(NoEmployeeCode);
        moveFocus(cmbWorker);
        return;
    }
    if (!settleTypedCode())
        return;
    const int code = typedCode();
    if (code == 0)
        return;
    bool failed = false;
    if (!EmployeeExists(project().companyYear(), code, &failed)) {
        if (!failed)
            Msg::info(QStringLiteral("社員マスターにデータが存在しません。"));
        return;
    }
    if (!Msg::yesNo(
            QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。"),
            QStringLiteral("削除確認"))) {
        moveFocus(txtWorkerNo);
        return;
    }
    {
        Hourglass wait;
        if (!DeleteEmployee(project().companyYear(), code))
            return;
        clearForm();
        loadList();
    }
    Project::current()->announceEmployeesChanged();
    setWindowModified(false);
}

void TWS0030::btnCanselClick() {
    btnAdd->setEnabled(true);
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    clearForm();
    moveFocus(cmbWorker);
    setHighlight(false);
    setCursorRow(1);
    StringGrid1->viewport()->update();
    setWindowModified(false);
}

// ---- Closing -----------------------------------------------------------------------------

void TWS0030::btnCloseClick() {
    close();
}

void TWS0030::closeEvent(QCloseEvent* event) {
    if (!askBeforeDropping(QStringLiteral("【いいえ】:画面を閉じます。"))) {
        event->ignore();
        return;
    }
    setWindowModified(false);
    m_closing = true;
    QDialog::closeEvent(event); // hides the dialog through reject()
    m_closing = false;
}

void TWS0030::reject() {
    // Escape and the window's close button leave through the close button's rules.
    if (m_closing)
        QDialog::reject();
    else
        close();
}
