#include "gui/company/WS0020_CompanyData.h"

#include "core/common/AppState.h"
#include "core/common/Currency.h"
#include "core/common/Dates.h"
#include "core/common/DisplayTexts.h"
#include "core/common/Helpers.h"
#include "core/common/Messages.h"
#include "core/common/NumberText.h"
#include "core/common/SqlText.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"
#include "gui/common/Controls.h"
#include "gui/common/DateFields.h"
#include "gui/common/FieldExits.h"
#include "gui/company/WS0010_CompanySelection.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QValidator>
#include <utility>

namespace {

constexpr int FormWidth = 777;
constexpr int FormHeight = 566;

const QString NoCode = QStringLiteral("0 : なし");
const QString NotANumber = QStringLiteral("数値を入力してください。");
const QString OutOfRange = QStringLiteral("入力範囲外です。");

const char* const BasePayDefaults[] = {"", "年齢給", "職能給", "基本給"};
const char* const AllowanceDefaults[] = {"", "家族手当", "住宅手当", "役職手当", "調整手当", ""};
const char* const DigitsFullWidth[] = {"", "１", "２", "３", "４", "５", "６", "７", "８", "９"};

// Every table that holds rows of a company and year; a delete empties all of them.
const char* const CompanyTables[] = {"MSYAIN1", "MSYAIN2", "MKIGYOU1", "MKIGYOU2",  "MMARK",
                                     "MGRAPH",  "MCHART",  "DCHINGIN", "DCHINGIN2", "DKSEN2",
                                     "DKSEN3",  "DSCALE",  "DSPDRAW",  "MCHINGIN",  "MHYOUKA"};

using Columns = QVector<std::pair<QString, QString>>;

QString insertSql(const QString& table, const Columns& columns) {
    QStringList names, values;
    for (const auto& [name, value] : columns) {
        names << name;
        values << value;
    }
    return QStringLiteral("INSERT INTO ") + table + QStringLiteral("(") +
           names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
           values.join(QLatin1Char(',')) + QStringLiteral(")");
}

QString updateSql(const QString& table, const Columns& columns, const QString& where) {
    QStringList sets;
    for (const auto& [name, value] : columns)
        sets << name + QStringLiteral(" = ") + value;
    return QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") +
           sets.join(QStringLiteral(", ")) + where;
}

// A typed whole number, or `otherwise` when the text is not one.
int typedInt(const QString& text, int otherwise) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : otherwise;
}

// The code of a "code : name" box; 0 when its first field is not a number.
int boxCode(const QComboBox* box) {
    return typedInt(NthField(box->currentText().trimmed(), QLatin1Char(' '), 1), 0);
}

// Limits what a user can type into a code box without cutting the longer display texts
// the program itself puts there ("12 : 東京都").
class TypedLengthLimit : public QValidator {
public:
    TypedLengthLimit(QLineEdit* edit, int limit) : QValidator(edit), m_edit(edit), m_limit(limit) {}
    State validate(QString& input, int&) const override {
        if (input.size() > m_limit && input.size() > m_edit->text().size())
            return Invalid;
        return Acceptable;
    }

private:
    QLineEdit* m_edit;
    int m_limit;
};

} // namespace

// The form's values as they go into SQL; everything typed is checked before anything is written.
struct TWS0020::Entry {
    int kco = 0;
    int nendo = 0;
    QString name;
    int surveyDate = 0;
    int raiseDate = 0;
    Currency baseUp;
    int modelCode = 0;
    int livingCode = 0;
};

TWS0020::TWS0020(TWS0010* selection, QWidget* parent)
    // The selection runs modally: only its own child windows take input while it is up, and a
    // child window stays above it.
    : QDialog(selection ? selection : parent), m_selection(selection),
      m_exits(new FieldExits(this)) {
    setObjectName(QStringLiteral("WS0020"));
    setWindowTitle(QStringLiteral("企業データ"));
    setModal(false);
    buildControls();
    buildLayout();
    connectHandlers();
    setFixedSize(FormWidth, FormHeight);
}

void TWS0020::buildControls() {
    txtNendo = CentredEdit(this, QStringLiteral("txtNendo"), 4, 70);
    txtCorpID = RightEdit(this, QStringLiteral("txtCorpID"), 10, 70);
    for (QLineEdit* e : {txtNendo, txtCorpID}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::ClickFocus);
    }
    txtCorpName = TextEdit(this, QStringLiteral("txtCorpName"), 60);

    cmbChkNengou = EraBox(this, QStringLiteral("cmbChkNengou"), 70);
    txtChkyy = RightEdit(this, QStringLiteral("txtChkyy"), 2, 36);
    txtChkmm = RightEdit(this, QStringLiteral("txtChkmm"), 2, 36);
    txtChkdd = RightEdit(this, QStringLiteral("txtChkdd"), 2, 36);
    cmbUPNengou = EraBox(this, QStringLiteral("cmbUPNengou"), 70);
    txtUPyy = RightEdit(this, QStringLiteral("txtUPyy"), 2, 36);
    txtUPmm = RightEdit(this, QStringLiteral("txtUPmm"), 2, 36);
    txtUPdd = RightEdit(this, QStringLiteral("txtUPdd"), 2, 36);
    txtBaseUp = RightEdit(this, QStringLiteral("txtBaseUp"), 8, 90);
    txtSalaryKbn = TextEdit(this, QStringLiteral("txtSalaryKbn"), 50);

    cmbModelCode = CodeBox(this, QStringLiteral("cmbModelCode"));
    cmbLivingCode = CodeBox(this, QStringLiteral("cmbLivingCode"));
    for (QComboBox* c : {cmbModelCode, cmbLivingCode})
        c->lineEdit()->setValidator(new TypedLengthLimit(c->lineEdit(), 6));
    cmbModelCode2 = Named(new QComboBox(this), QStringLiteral("cmbModelCode2"));
    cmbModelCode2->setEditable(true);
    cmbModelCode2->lineEdit()->setReadOnly(true);
    cmbModelCode2->hide();

    for (int i = 1; i <= 3; ++i)
        txtKihon[size_t(i)] = TextEdit(this, QStringLiteral("txtKihon%1").arg(i), 30);
    for (int i = 1; i <= 5; ++i)
        txtTeate[size_t(i)] = TextEdit(this, QStringLiteral("txtTeate%1").arg(i), 30);
    for (int i = 1; i <= 9; ++i)
        txtTokyu[size_t(i)] = TextEdit(this, QStringLiteral("txtTokyu%1").arg(i), 30);

    // The options are kept for the settings row but are not the user's to pick: hidden.
    auto* salaryGroup = new QGroupBox(QStringLiteral("連結"), this);
    auto* matrixGroup = new QGroupBox(QStringLiteral("連結"), this);
    auto* salaryLayout = new QVBoxLayout(salaryGroup);
    auto* matrixLayout = new QVBoxLayout(matrixGroup);
    for (int i = 1; i <= 4; ++i) {
        optSalary[size_t(i)] = new QRadioButton(salaryGroup);
        optSalary[size_t(i)]->setObjectName(QStringLiteral("optSalary%1").arg(i));
        salaryLayout->addWidget(optSalary[size_t(i)]);
        optMatlix[size_t(i)] = new QRadioButton(matrixGroup);
        optMatlix[size_t(i)]->setObjectName(QStringLiteral("optMatlix%1").arg(i));
        matrixLayout->addWidget(optMatlix[size_t(i)]);
    }
    salaryGroup->hide();
    matrixGroup->hide();

    // Reached by Tab, but a click leaves the focus in the field: the save checks the
    // fields itself, and a refused exit never lets a half-checked click through.
    const auto button = [this](const QString& name, const QString& text) {
        return CommandButton(this, name, text, Qt::TabFocus);
    };
    btnAdd = button(QStringLiteral("btnAdd"), QStringLiteral("登　録"));
    btnMnt = button(QStringLiteral("btnMnt"), QStringLiteral("修　正"));
    btnDlt = button(QStringLiteral("btnDlt"), QStringLiteral("削　除"));
    btnCansel = button(QStringLiteral("btnCansel"), QStringLiteral("ｷｬﾝｾﾙ"));
    btnClose = button(QStringLiteral("btnClose"), QStringLiteral("閉じる"));
}

void TWS0020::buildLayout() {
    auto label = [this](const QString& text) {
        auto* l = new QLabel(text, this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    auto dateRow = [this](QComboBox* era, QLineEdit* y, QLineEdit* m, QLineEdit* d) {
        auto* row = new QHBoxLayout;
        row->setSpacing(4);
        row->addWidget(era);
        row->addWidget(y);
        row->addWidget(new QLabel(QStringLiteral("年"), this));
        row->addWidget(m);
        row->addWidget(new QLabel(QStringLiteral("月"), this));
        row->addWidget(d);
        row->addWidget(new QLabel(QStringLiteral("日"), this));
        row->addStretch(1);
        return row;
    };
    auto alone = [](QWidget* w) {
        auto* row = new QHBoxLayout;
        row->addWidget(w);
        row->addStretch(1);
        return row;
    };

    auto* head = new QGridLayout;
    head->setHorizontalSpacing(8);
    head->addWidget(label(QStringLiteral("年　度")), 0, 0);
    head->addLayout(alone(txtNendo), 0, 1);
    head->addWidget(label(QStringLiteral("企業コード")), 0, 2);
    head->addLayout(alone(txtCorpID), 0, 3);
    head->addWidget(label(QStringLiteral("企業名称")), 1, 0);
    head->addWidget(txtCorpName, 1, 1, 1, 4);
    head->setColumnStretch(4, 1);

    // Left: dates, rates and reference codes, then the base-pay items.
    auto* left = new QGridLayout;
    left->setVerticalSpacing(6);
    int r = 0;
    left->addWidget(label(QStringLiteral("調査日")), r, 0);
    left->addLayout(dateRow(cmbChkNengou, txtChkyy, txtChkmm, txtChkdd), r++, 1);
    left->addWidget(label(QStringLiteral("昇給日")), r, 0);
    left->addLayout(dateRow(cmbUPNengou, txtUPyy, txtUPmm, txtUPdd), r++, 1);
    left->addWidget(label(QStringLiteral("ﾍﾞｰｽｱｯﾌﾟ率")), r, 0);
    left->addLayout(alone(txtBaseUp), r++, 1);
    left->addWidget(label(QStringLiteral("賃金体系")), r, 0);
    left->addWidget(txtSalaryKbn, r++, 1);
    left->addWidget(label(QStringLiteral("モデルコード")), r, 0);
    left->addWidget(cmbModelCode, r++, 1);
    left->addWidget(label(QStringLiteral("生計費コード")), r, 0);
    left->addWidget(cmbLivingCode, r++, 1);
    left->setRowMinimumHeight(r++, 12);
    for (int i = 1; i <= 3; ++i) {
        left->addWidget(
            label(QStringLiteral("基本給項目名") + QString::fromUtf8(DigitsFullWidth[i])), r, 0);
        left->addWidget(txtKihon[size_t(i)], r++, 1);
    }
    left->setRowStretch(r, 1);
    left->setColumnStretch(1, 1);

    // Right: allowance names, then the grade names.
    auto* right = new QGridLayout;
    right->setVerticalSpacing(6);
    r = 0;
    for (int i = 1; i <= 5; ++i) {
        right->addWidget(
            label(QStringLiteral("手当項目名") + QString::fromUtf8(DigitsFullWidth[i])), r, 0);
        right->addWidget(txtTeate[size_t(i)], r++, 1);
    }
    right->setRowMinimumHeight(r++, 12);
    for (int i = 1; i <= 9; ++i) {
        right->addWidget(label(QStringLiteral("等級") + QString::fromUtf8(DigitsFullWidth[i])), r,
                         0);
        right->addWidget(txtTokyu[size_t(i)], r++, 1);
    }
    right->setRowStretch(r, 1);
    right->setColumnStretch(1, 1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(24);
    columns->addLayout(right, 1);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {btnAdd, btnMnt, btnDlt, btnCansel})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);

    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(16, 14, 16, 12);
    form->addLayout(head);
    form->addSpacing(10);
    form->addLayout(columns, 1);
    form->addSpacing(8);
    form->addLayout(buttons);

    QList<QWidget*> order = {txtCorpName,  cmbChkNengou, txtChkyy,     txtChkmm, txtChkdd,
                             cmbUPNengou,  txtUPyy,      txtUPmm,      txtUPdd,  txtBaseUp,
                             txtSalaryKbn, cmbModelCode, cmbLivingCode};
    for (int i = 1; i <= 3; ++i)
        order << txtKihon[size_t(i)];
    for (int i = 1; i <= 5; ++i)
        order << txtTeate[size_t(i)];
    for (int i = 1; i <= 9; ++i)
        order << txtTokyu[size_t(i)];
    order << btnAdd << btnMnt << btnDlt << btnCansel << btnClose;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TWS0020::connectHandlers() {
    connect(btnAdd, &QPushButton::clicked, this, &TWS0020::btnAddClick);
    connect(btnMnt, &QPushButton::clicked, this, &TWS0020::btnMntClick);
    connect(btnDlt, &QPushButton::clicked, this, &TWS0020::btnDltClick);
    connect(btnCansel, &QPushButton::clicked, this, &TWS0020::btnCanselClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS0020::btnCloseClick);

    auto changed = [] { state().DataChanged = 1; };
    for (QLineEdit* e : findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
        connect(e, &QLineEdit::textChanged, this, changed);
    for (QComboBox* c : {cmbModelCode, cmbLivingCode})
        connect(c, &QComboBox::editTextChanged, this, changed);

    for (int i = 1; i <= 4; ++i) {
        connect(optSalary[size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on)
                return;
            m_salaryOption = i - 1;
            state().DataChanged = 1;
        });
        connect(optMatlix[size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on)
                return;
            m_matrixOption = i - 1;
            state().DataChanged = 1;
        });
    }

    QList<QWidget*> fields = {txtCorpName,  cmbChkNengou, txtChkyy,     txtChkmm, txtChkdd,
                              cmbUPNengou,  txtUPyy,      txtUPmm,      txtUPdd,  txtBaseUp,
                              txtSalaryKbn, cmbModelCode, cmbLivingCode};
    for (int i = 1; i <= 3; ++i)
        fields << txtKihon[size_t(i)];
    for (int i = 1; i <= 5; ++i)
        fields << txtTeate[size_t(i)];
    for (int i = 1; i <= 9; ++i)
        fields << txtTokyu[size_t(i)];
    const auto checks = exitChecks();
    for (QWidget* w : fields) {
        FieldExits::Check check;
        for (const auto& [widget, exit] : checks)
            if (widget == w)
                check = [this, exit] { return (this->*exit)(); };
        m_exits->add(w, check);
    }
}

int TWS0020::companyCode() const {
    return typedInt(txtCorpID->text(), 0);
}
int TWS0020::year() const {
    return typedInt(txtNendo->text(), 0);
}

void TWS0020::prepare() {
    setFixedSize(FormWidth, FormHeight);
    reset();
    if (state().ProjectState != 1)
        load();
    focusName();
    state().DataChanged = 0;
}

void TWS0020::focusName() {
    activateWindow();
    txtCorpName->setFocus();
}

void TWS0020::reset() {
    AppState& s = state();
    txtCorpName->clear();
    for (QLineEdit* e : {txtChkyy, txtChkmm, txtChkdd, txtUPyy, txtUPmm, txtUPdd, txtBaseUp})
        e->setText(QStringLiteral("0"));
    txtSalaryKbn->clear();
    for (int i = 1; i <= 3; ++i)
        txtKihon[size_t(i)]->setText(QString::fromUtf8(BasePayDefaults[i]));
    for (int i = 1; i <= 5; ++i)
        txtTeate[size_t(i)]->setText(QString::fromUtf8(AllowanceDefaults[i]));
    for (int i = 1; i <= 9; ++i)
        txtTokyu[size_t(i)]->setText(QStringLiteral("第") + QString::fromUtf8(DigitsFullWidth[i]) +
                                     QStringLiteral("等級"));
    cmbModelCode2->setEditText(QString());

    // A new company starts with salary option 3, the value the settings cache gives a company
    // without a row, whichever company the screen showed before. The user never picks it, and
    // the employee screens follow each employee's own wage-table link anyway.
    m_salaryOption = 3;
    m_matrixOption = 3;
    m_linkOption = 0;
    optSalary[4]->setChecked(true);
    optMatlix[4]->setChecked(true);

    fillCodeBoxes();

    TQuery& q = DM().Query1;
    // A new company has no row yet, so it always starts with western years.
    s.SqlText = QStringLiteral("SELECT * FROM MKIGYOU1 WHERE NENDO = ") + SqlNum(year()) +
                QStringLiteral(" AND KCO = ") + SqlNum(companyCode());
    s.EraMode = 0;
    if (DM().RunSql(q, s.SqlText, QLatin1Char('S')) && !q.eof())
        s.EraMode = q.asInt(QStringLiteral("REKI"));
    q.close();
    fillEraBoxes();
}

void TWS0020::fillCodeBoxes() {
    AppState& s = state();
    TQuery& q1 = DM().Query1;
    cmbModelCode->clear();
    s.ModelDataCodeList.clear();
    s.SqlText = QStringLiteral("SELECT * FROM MDEL ORDER BY MDCO");
    if (DM().RunSql(q1, s.SqlText, QLatin1Char('S'))) {
        for (; !q1.eof(); q1.next()) {
            const QString code = q1.asText(QStringLiteral("MDCO"));
            const QString name = q1.asText(QStringLiteral("MDNA"));
            cmbModelCode->addItem(code + QStringLiteral(" : ") + name);
            s.ModelDataCodeList.push_back({code, name});
        }
    }
    q1.close();

    TQuery& q21 = DM().Query21;
    cmbLivingCode->clear();
    s.LivingCodeList.clear();
    s.SqlText = QStringLiteral("SELECT * FROM MSEIKEI ORDER BY SKCO,SNIN,SNENREI");
    if (DM().RunSql(q21, s.SqlText, QLatin1Char('S'))) {
        QString previous;
        bool first = true;
        for (; !q21.eof(); q21.next()) {
            const QString code = q21.asText(QStringLiteral("SKCO"));
            if (!first && code == previous)
                continue;
            first = false;
            previous = code;
            const QString source = q21.asText(QStringLiteral("DEDOKORO"));
            cmbLivingCode->addItem(code + QStringLiteral(" : ") + source);
            s.LivingCodeList.push_back({code, source});
        }
    }
    q21.close();

    cmbModelCode->setEditText(NoCode);
    cmbLivingCode->setEditText(NoCode);
}

void TWS0020::fillEraBoxes() {
    const bool eras = state().EraMode != 0;
    for (QComboBox* box : {cmbChkNengou, cmbUPNengou}) {
        box->clear();
        box->setVisible(eras);
    }
    if (!eras)
        return;
    TQuery& q = DM().Query2;
    if (DM().RunSql(q, QStringLiteral("SELECT * FROM MSEIGYO WHERE CO = 0"), QLatin1Char('S')) &&
        !q.eof()) {
        for (const char* column : {"REKI1", "REKI2", "REKI3"}) {
            const QString name = q.asText(QString::fromLatin1(column));
            if (name.isEmpty())
                continue;
            cmbChkNengou->addItem(name);
            cmbUPNengou->addItem(name);
        }
    }
    q.close();
    for (QComboBox* box : {cmbChkNengou, cmbUPNengou}) {
        box->addItem(QString());
        box->setCurrentIndex(box->count() - 1);
    }
}

void TWS0020::load() {
    AppState& s = state();
    TQuery& q = DM().Query21;
    s.SqlText = QStringLiteral("SELECT * FROM MKIGYOU2 WHERE NENDO = ") + SqlNum(year()) +
                QStringLiteral(" AND KCO = ") + SqlNum(companyCode()) +
                QStringLiteral(" ORDER BY KCO");
    if (!DM().RunSql(q, s.SqlText, QLatin1Char('S')) || q.eof()) {
        q.close();
        return;
    }
    txtCorpName->setText(q.asText(QStringLiteral("KNA")));
    ShowDate({cmbChkNengou, txtChkyy, txtChkmm, txtChkdd}, q.asInt64(QStringLiteral("CYOUSAHI")));
    ShowDate({cmbUPNengou, txtUPyy, txtUPmm, txtUPdd}, q.asInt64(QStringLiteral("SYOUKYUHI")));
    txtBaseUp->setText(q.asCurrency(QStringLiteral("BEARITSU")).toString());
    txtSalaryKbn->setText(q.asText(QStringLiteral("TAIKEI")));
    for (int i = 1; i <= 3; ++i)
        txtKihon[size_t(i)]->setText(q.asText(QStringLiteral("KKNA%1").arg(i)));
    for (int i = 1; i <= 5; ++i)
        txtTeate[size_t(i)]->setText(q.asText(QStringLiteral("TNA%1").arg(i)));
    for (int i = 1; i <= 9; ++i)
        txtTokyu[size_t(i)]->setText(
            q.asText(QStringLiteral("TK%1").arg(i, 2, 10, QLatin1Char('0'))));
    cmbModelCode2->setEditText(QString::number(q.asInt64(QStringLiteral("MCCO"))));
    cmbModelCode->setEditText(
        ModelDataCodeText(QString::number(q.asInt64(QStringLiteral("MDCO")))));
    cmbLivingCode->setEditText(LivingCodeText(QString::number(q.asInt64(QStringLiteral("SKCO")))));
    const int salary = q.asInt(QStringLiteral("FRSTKYU"));
    if (salary >= 0 && salary <= 3) {
        optSalary[size_t(salary + 1)]->setChecked(true);
        m_salaryOption = salary;
    }
    const int matrix = q.asInt(QStringLiteral("FRSTKYUM"));
    if (matrix >= 0 && matrix <= 3) {
        optMatlix[size_t(matrix + 1)]->setChecked(true);
        m_matrixOption = matrix;
    }
    q.close();
}

// ---- Field exits -------------------------------------------------------------------------

bool TWS0020::refuse(QWidget* field, const QString& message) {
    return m_exits->refuse(field, message);
}

namespace {
bool inRange(const QLineEdit* e, int notNumber, int high) {
    const int v = typedInt(e->text(), notNumber);
    return v >= 0 && v <= high;
}
} // namespace

bool TWS0020::txtChkyyExit() {
    return inRange(txtChkyy, 100, 99) || refuse(txtChkyy, OutOfRange);
}
bool TWS0020::txtChkmmExit() {
    return inRange(txtChkmm, 99, 12) || refuse(txtChkmm, OutOfRange);
}
bool TWS0020::txtChkddExit() {
    return inRange(txtChkdd, 99, 31) || refuse(txtChkdd, OutOfRange);
}
bool TWS0020::txtUPyyExit() {
    return inRange(txtUPyy, 100, 99) || refuse(txtUPyy, OutOfRange);
}
bool TWS0020::txtUPmmExit() {
    return inRange(txtUPmm, 99, 12) || refuse(txtUPmm, OutOfRange);
}
bool TWS0020::txtUPddExit() {
    return inRange(txtUPdd, 99, 31) || refuse(txtUPdd, OutOfRange);
}

bool TWS0020::txtBaseUpExit() {
    // Empty counts as 0: the rate is stored as 0 then.
    if (txtBaseUp->text().trimmed().isEmpty())
        return true;
    const FieldCheck c = CheckRateText(txtBaseUp->text());
    if (!c.ok())
        return refuse(txtBaseUp, c.message);
    txtBaseUp->setText(c.shown);
    return true;
}

bool TWS0020::checkCodeBox(QComboBox* box, QString (*displayText)(const QString&)) {
    const QString text = box->currentText().trimmed();
    if (text.isEmpty())
        return true;
    bool ok = false;
    const int code = NthField(text, QLatin1Char(' '), 1).toInt(&ok);
    if (!ok)
        return refuse(box, NotANumber);
    box->setEditText(displayText(QString::number(code)));
    return true;
}

bool TWS0020::cmbModelCodeExit() {
    return checkCodeBox(cmbModelCode, &ModelDataCodeText);
}
bool TWS0020::cmbLivingCodeExit() {
    return checkCodeBox(cmbLivingCode, &LivingCodeText);
}

QVector<std::pair<QWidget*, bool (TWS0020::*)()>> TWS0020::exitChecks() const {
    return {{txtChkyy, &TWS0020::txtChkyyExit},
            {txtChkmm, &TWS0020::txtChkmmExit},
            {txtChkdd, &TWS0020::txtChkddExit},
            {txtUPyy, &TWS0020::txtUPyyExit},
            {txtUPmm, &TWS0020::txtUPmmExit},
            {txtUPdd, &TWS0020::txtUPddExit},
            {txtBaseUp, &TWS0020::txtBaseUpExit},
            {cmbModelCode, &TWS0020::cmbModelCodeExit},
            {cmbLivingCode, &TWS0020::cmbLivingCodeExit}};
}

// ---- Saving ------------------------------------------------------------------------------

bool TWS0020::collect(Entry& entry) {
    // A button click does not take the focus from a field, so every field is checked here as
    // its exit would; the first refusal stops the save before anything is written.
    for (const auto& [widget, check] : exitChecks())
        if (!(this->*check)())
            return false;
    entry.kco = companyCode();
    entry.nendo = year();
    entry.name = txtCorpName->text();
    entry.modelCode = boxCode(cmbModelCode);
    entry.livingCode = boxCode(cmbLivingCode);

    qint64 survey = 0, raise = 0;
    if (!TakeDate({cmbChkNengou, txtChkyy, txtChkmm, txtChkdd}, survey)) {
        Msg::info(QStringLiteral("調査日の入力エラーです。"));
        return false;
    }
    if (!TakeDate({cmbUPNengou, txtUPyy, txtUPmm, txtUPdd}, raise)) {
        Msg::info(QStringLiteral("昇給日の入力エラーです。"));
        return false;
    }
    entry.surveyDate = int(survey);
    entry.raiseDate = int(raise);
    entry.baseUp = NumberOfText(txtBaseUp->text()); // checked above; empty reads 0
    return true;
}

// The MKIGYOU2 columns that the form fills, in the table's order (key columns aside).
TWS0020::Columns TWS0020::settingsColumns(const Entry& e) const {
    Columns c;
    c.push_back({QStringLiteral("KNA"), SqlQuote(e.name)});
    c.push_back({QStringLiteral("CYOUSAHI"), SqlNum(e.surveyDate)});
    c.push_back({QStringLiteral("BEARITSU"), SqlNum(e.baseUp)});
    c.push_back({QStringLiteral("TAIKEI"), SqlQuote(txtSalaryKbn->text())});
    for (int i = 1; i <= 3; ++i)
        c.push_back({QStringLiteral("KKNA%1").arg(i), SqlQuote(txtKihon[size_t(i)]->text())});
    for (int i = 1; i <= 5; ++i)
        c.push_back({QStringLiteral("TNA%1").arg(i), SqlQuote(txtTeate[size_t(i)]->text())});
    // The model wage series is the one of the model data.
    c.push_back({QStringLiteral("MCCO"), SqlNum(e.modelCode)});
    c.push_back({QStringLiteral("MDCO"), SqlNum(e.modelCode)});
    for (int i = 1; i <= 9; ++i)
        c.push_back({QStringLiteral("TK%1").arg(i, 2, 10, QLatin1Char('0')),
                     SqlQuote(txtTokyu[size_t(i)]->text())});
    c.push_back({QStringLiteral("FRSTKYU"), SqlNum(m_salaryOption)});
    c.push_back({QStringLiteral("SKCO"), SqlNum(e.livingCode)});
    c.push_back({QStringLiteral("SYOUKYUHI"), SqlNum(e.raiseDate)});
    c.push_back({QStringLiteral("FRSTKYUM"), SqlNum(m_matrixOption)});
    c.push_back({QStringLiteral("FRENCM"), SqlNum(m_linkOption)});
    return c;
}

namespace {

QString companyWhere(int kco, int nendo) {
    return QStringLiteral(" WHERE KCO = ") + SqlNum(kco) + QStringLiteral(" AND NENDO = ") +
           SqlNum(nendo);
}

} // namespace

void TWS0020::btnAddClick() {
    AppState& s = state();
    if (s.ProjectState != 1)
        return;
    if (s.DataChanged == 0) {
        Msg::info(QStringLiteral("ﾃﾞｰﾀの変更がありません。"));
        return;
    }
    if (txtCorpName->text().isEmpty()) {
        Msg::info(QStringLiteral("企業名称は必ず入力してください。"));
        return;
    }
    Entry e;
    if (!collect(e))
        return;
    const int created = e.nendo * 10000 + s.TodayMonth * 100 + s.TodayDay;

    // The company's marks and graph styles start as copies of the templates (company 0,
    // year 9999). They are read before anything is written, so a missing template stops the
    // register with nothing stored.
    Columns marks[7];
    Columns graphs[5];
    TQuery& q = DM().Query1;
    for (int m = 1; m <= 6; ++m) {
        s.SqlText = QStringLiteral("SELECT * FROM MMMARK WHERE MKCO = ") + SqlNum(m) +
                    QStringLiteral(" AND NENDO = 9999 AND KCO = 0");
        if (!DM().RunSql(q, s.SqlText, QLatin1Char('S')))
            return;
        if (q.eof()) {
            q.close();
            Msg::info(QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。"));
            return;
        }
        marks[m] = {{QStringLiteral("KCO"), SqlNum(e.kco)},
                    {QStringLiteral("NENDO"), SqlNum(e.nendo)},
                    {QStringLiteral("MKCO"), SqlNum(q.asInt64(QStringLiteral("MKCO")))},
                    {QStringLiteral("MARK"), SqlQuote(q.asText(QStringLiteral("MARK")))},
                    {QStringLiteral("HANREI"), SqlQuote(q.asText(QStringLiteral("HANREI")))},
                    {QStringLiteral("MKCOLOR"), SqlQuote(q.asText(QStringLiteral("MKCOLOR")))},
                    {QStringLiteral("MKSIZE"), SqlNum(q.asInt64(QStringLiteral("MKSIZE")))},
                    {QStringLiteral("KCOLOR"), SqlQuote(q.asText(QStringLiteral("KCOLOR")))},
                    {QStringLiteral("KSYURUI"), SqlNum(q.asInt64(QStringLiteral("KSYURUI")))},
                    {QStringLiteral("KHABA"), SqlNum(q.asInt64(QStringLiteral("KHABA")))}};
        q.close();
    }
    for (int g = 1; g <= 4; ++g) {
        s.SqlText = QStringLiteral("SELECT * FROM MMGRAPH WHERE GSCO = ") + SqlNum(g) +
                    QStringLiteral(" AND NENDO = 9999 AND KCO = 0");
        if (!DM().RunSql(q, s.SqlText, QLatin1Char('S')))
            return;
        if (q.eof()) {
            q.close();
            Msg::info(QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。"));
            return;
        }
        graphs[g] = {{QStringLiteral("KCO"), SqlNum(e.kco)},
                     {QStringLiteral("NENDO"), SqlNum(e.nendo)},
                     {QStringLiteral("GSCO"), SqlNum(q.asInt64(QStringLiteral("GSCO")))},
                     {QStringLiteral("CCOLOR"), SqlQuote(q.asText(QStringLiteral("CCOLOR")))},
                     {QStringLiteral("CSYURUI"), SqlNum(q.asInt64(QStringLiteral("CSYURUI")))},
                     {QStringLiteral("CHABA"), SqlNum(q.asInt64(QStringLiteral("CHABA")))}};
        q.close();
    }

    // A new company has no path, counts ages to the base date 2004-04-01 and shows western
    // years until the basic settings say otherwise.
    const Columns master = {{QStringLiteral("KCO"), SqlNum(e.kco)},
                            {QStringLiteral("NENDO"), SqlNum(e.nendo)},
                            {QStringLiteral("KNA"), SqlQuote(e.name)},
                            {QStringLiteral("PATH"), SqlQuote(QString())},
                            {QStringLiteral("SDATE"), SqlNum(created)},
                            {QStringLiteral("FNK"), QStringLiteral("0")},
                            {QStringLiteral("KDATE"), QStringLiteral("20040401")},
                            {QStringLiteral("REKI"), QStringLiteral("0")}};
    Columns settings = {{QStringLiteral("KCO"), SqlNum(e.kco)},
                        {QStringLiteral("NENDO"), SqlNum(e.nendo)}};
    settings += settingsColumns(e);

    Transaction tx(TDM::Files::Both);
    if (!tx.ok())
        return;
    if (!DM().RunSql(DM().Query1, s.SqlText = insertSql(QStringLiteral("MKIGYOU1"), master),
                     QLatin1Char('E')))
        return;
    if (!DM().RunSql(DM().Query21, s.SqlText = insertSql(QStringLiteral("MKIGYOU2"), settings),
                     QLatin1Char('E')))
        return;
    for (int m = 1; m <= 6; ++m)
        if (!DM().RunSql(DM().Query21, s.SqlText = insertSql(QStringLiteral("MMARK"), marks[m]),
                         QLatin1Char('E')))
            return;
    for (int g = 1; g <= 4; ++g)
        if (!DM().RunSql(DM().Query21, s.SqlText = insertSql(QStringLiteral("MGRAPH"), graphs[g]),
                         QLatin1Char('E')))
            return;
    if (!tx.commit())
        return;

    closeAndRefreshSelection();
}

void TWS0020::btnMntClick() {
    AppState& s = state();
    if (cmbModelCode->currentText().trimmed().isEmpty()) {
        Msg::info(QStringLiteral("モデルコードを入力して下さい。"));
        return;
    }
    if (cmbLivingCode->currentText().trimmed().isEmpty()) {
        Msg::info(QStringLiteral("生計費コードを入力して下さい。"));
        return;
    }
    Entry e;
    if (!collect(e))
        return;
    const QString where = companyWhere(e.kco, e.nendo);
    const Columns master = {{QStringLiteral("KNA"), SqlQuote(e.name)}};
    const Columns settings = settingsColumns(e);

    // The name lives in both files; they change together or not at all.
    {
        Transaction tx(TDM::Files::Both);
        if (!tx.ok())
            return;
        if (!DM().RunSql(DM().Query1,
                         s.SqlText = updateSql(QStringLiteral("MKIGYOU1"), master, where),
                         QLatin1Char('E')))
            return;
        if (!DM().RunSql(DM().Query21,
                         s.SqlText = updateSql(QStringLiteral("MKIGYOU2"), settings, where),
                         QLatin1Char('E')))
            return;
        if (!tx.commit())
            return;
    }
    load();
    focusName();
    s.DataChanged = 0;
}

void TWS0020::btnDltClick() {
    AppState& s = state();
    if (!Msg::yesNo(
            QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。"),
            QStringLiteral("削除")))
        return;
    const int kco = companyCode();
    const int nendo = year();
    const QString where = QStringLiteral(" WHERE ") + SqlNum(nendo) +
                          QStringLiteral(" = NENDO AND ") + SqlNum(kco) + QStringLiteral(" = KCO");
    {
        Transaction tx(TDM::Files::Both);
        if (!tx.ok())
            return;
        for (const char* table : CompanyTables) {
            const QString name = QString::fromLatin1(table);
            TQuery& q = name == QStringLiteral("MKIGYOU1") ? DM().Query1 : DM().Query21;
            s.SqlText = QStringLiteral("DELETE From ") + name + where;
            if (!DM().RunSql(q, s.SqlText, QLatin1Char('E')))
                return;
        }
        if (!tx.commit())
            return;
    }
    Msg::info(QStringLiteral("企業マスター 【　") + QString::number(nendo) +
              QStringLiteral("　年度　") + QString::number(kco) + QStringLiteral("　:　") +
              txtCorpName->text() + QStringLiteral("　】 を削除しました。"));
    closeAndRefreshSelection();
}

void TWS0020::btnCanselClick() {
    reset();
    if (state().ProjectState != 1)
        load();
    focusName();
    state().DataChanged = 0;
}

void TWS0020::btnCloseClick() {
    close();
}

void TWS0020::closeAndRefreshSelection() {
    m_closingByCode = true;
    close();
    m_closingByCode = false;
    if (m_selection)
        m_selection->prepare();
}

void TWS0020::closeEvent(QCloseEvent* event) {
    AppState& s = state();
    if (!m_closingByCode) {
        if (s.DataChanged == 1 &&
            Msg::yesNo(
                QStringLiteral(
                    "ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:画面を閉じます。"),
                QStringLiteral("確認"))) {
            focusName();
            event->ignore();
            return;
        }
        if (m_selection)
            m_selection->fillList();
    }
    s.DataChanged = 0;
    QDialog::closeEvent(event);
}

void TWS0020::keyPressEvent(QKeyEvent* event) {
    // Escape leaves through the close button's rules, not past them.
    if (event->key() == Qt::Key_Escape) {
        btnCloseClick();
        return;
    }
    QDialog::keyPressEvent(event);
}
