#include "gui/company/WS0020_CompanyData.h"

#include "core/common/AppState.h"
#include "core/common/Counts.h"
#include "core/common/Currency.h"
#include "core/common/Dates.h"
#include "core/common/DisplayTexts.h"
#include "core/common/Helpers.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/common/NumberText.h"
#include "data/company/CompanyStore.h"
#include "data/db/RecordGuard.h"
#include "gui/common/Controls.h"
#include "gui/common/DateFields.h"
#include "gui/common/FieldExits.h"
#include "gui/common/TextFieldValidator.h"

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

const char* const BasePayDefaults[] = {"", "年齢給", "職能給", "基本給"};
const char* const AllowanceDefaults[] = {"", "家族手当", "住宅手当", "役職手当", "調整手当", ""};
const char* const DigitsFullWidth[] = {"", "１", "２", "３", "４", "５", "６", "７", "８", "９"};

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

} // namespace

// The selection runs modally: only its own child windows take input while it is up, and a
// child window stays above it; so the selection is the parent.
TWS0020::TWS0020(QWidget* parent) : QDialog(parent), m_exits(new FieldExits(this)) {
    setObjectName(QStringLiteral("WS0020"));
    setWindowTitle(QStringLiteral("企業データ[*]"));
    setModal(false);
    buildControls();
    buildLayout();
    connectHandlers();
    setFixedSize(FormWidth, FormHeight);
}

TWS0020::~TWS0020() {
    m_exits->detach();
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
        // What a user can type is limited without cutting the longer display texts the
        // program itself puts there ("12 : 東京都").
        c->lineEdit()->setValidator(new TextFieldValidator(c->lineEdit(), 6));
    cmbModelCode2 = Named(new QComboBox(this), QStringLiteral("cmbModelCode2"));
    cmbModelCode2->setEditable(true);
    cmbModelCode2->lineEdit()->setReadOnly(true);
    cmbModelCode2->hide();

    for (int i = 1; i <= BasePayItemCount; ++i)
        txtKihon[size_t(i)] = TextEdit(this, QStringLiteral("txtKihon%1").arg(i), 30);
    for (int i = 1; i <= AllowanceCount; ++i)
        txtTeate[size_t(i)] = TextEdit(this, QStringLiteral("txtTeate%1").arg(i), 30);
    for (int i = 1; i <= MaxGrades; ++i)
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
        return DateRow(this, {era, y, m, d});
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
    for (int i = 1; i <= BasePayItemCount; ++i) {
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
    for (int i = 1; i <= AllowanceCount; ++i) {
        right->addWidget(
            label(QStringLiteral("手当項目名") + QString::fromUtf8(DigitsFullWidth[i])), r, 0);
        right->addWidget(txtTeate[size_t(i)], r++, 1);
    }
    right->setRowMinimumHeight(r++, 12);
    for (int i = 1; i <= MaxGrades; ++i) {
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
    for (int i = 1; i <= BasePayItemCount; ++i)
        order << txtKihon[size_t(i)];
    for (int i = 1; i <= AllowanceCount; ++i)
        order << txtTeate[size_t(i)];
    for (int i = 1; i <= MaxGrades; ++i)
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

    auto changed = [this] { setWindowModified(true); };
    for (QLineEdit* e : findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
        connect(e, &QLineEdit::textChanged, this, changed);
    for (QComboBox* c : {cmbModelCode, cmbLivingCode})
        connect(c, &QComboBox::editTextChanged, this, changed);

    for (int i = 1; i <= 4; ++i) {
        connect(optSalary[size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on)
                return;
            m_salaryOption = i - 1;
            setWindowModified(true);
        });
        connect(optMatlix[size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on)
                return;
            m_matrixOption = i - 1;
            setWindowModified(true);
        });
    }

    QList<QWidget*> fields = {txtCorpName,  cmbChkNengou, txtChkyy,     txtChkmm, txtChkdd,
                              cmbUPNengou,  txtUPyy,      txtUPmm,      txtUPdd,  txtBaseUp,
                              txtSalaryKbn, cmbModelCode, cmbLivingCode};
    for (int i = 1; i <= BasePayItemCount; ++i)
        fields << txtKihon[size_t(i)];
    for (int i = 1; i <= AllowanceCount; ++i)
        fields << txtTeate[size_t(i)];
    for (int i = 1; i <= MaxGrades; ++i)
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

void TWS0020::start(Mode mode, const CompanyYear& company) {
    m_mode = mode;
    btnAdd->setText(mode == Mode::Register ? QStringLiteral("登録") : QString());
    btnAdd->setEnabled(mode == Mode::Register);
    btnMnt->setText(mode == Mode::Change ? QStringLiteral("修正") : QString());
    btnMnt->setEnabled(mode == Mode::Change);
    btnDlt->setText(mode == Mode::Delete ? QStringLiteral("削除") : QString());
    btnDlt->setEnabled(mode == Mode::Delete);
    txtNendo->setText(QString::number(company.nendo));
    txtCorpID->setText(QString::number(company.kco));
    show();
    raise();
    prepare();
}

void TWS0020::prepare() {
    setFixedSize(FormWidth, FormHeight);
    reset();
    if (m_mode != Mode::Register)
        load();
    focusName();
    setWindowModified(false);
}

void TWS0020::focusName() {
    activateWindow();
    txtCorpName->setFocus();
}

void TWS0020::reset() {
    txtCorpName->clear();
    for (QLineEdit* e : {txtChkyy, txtChkmm, txtChkdd, txtUPyy, txtUPmm, txtUPdd, txtBaseUp})
        e->setText(QStringLiteral("0"));
    txtSalaryKbn->clear();
    for (int i = 1; i <= BasePayItemCount; ++i)
        txtKihon[size_t(i)]->setText(QString::fromUtf8(BasePayDefaults[i]));
    for (int i = 1; i <= AllowanceCount; ++i)
        txtTeate[size_t(i)]->setText(QString::fromUtf8(AllowanceDefaults[i]));
    for (int i = 1; i <= MaxGrades; ++i)
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

    // A new company has no row yet, so it always starts with western years.
    const std::optional<CompanyOptions> options = LoadCompanyOptions({companyCode(), year()});
    m_eraMode = options ? options->eraMode : 0;
    fillEraBoxes();
}

void TWS0020::fillCodeBoxes() {
    cmbModelCode->clear();
    m_modelCodes = LoadModelDataCodes();
    for (const CodeEntry& e : m_modelCodes)
        cmbModelCode->addItem(e.code + QStringLiteral(" : ") + e.name);
    cmbLivingCode->clear();
    m_livingCodes = LoadLivingCostCodes();
    for (const CodeEntry& e : m_livingCodes)
        cmbLivingCode->addItem(e.code + QStringLiteral(" : ") + e.name);
    cmbModelCode->setEditText(NoCode);
    cmbLivingCode->setEditText(NoCode);
}

void TWS0020::fillEraBoxes() {
    const bool eras = m_eraMode != 0;
    for (QComboBox* box : {cmbChkNengou, cmbUPNengou}) {
        box->clear();
        box->setVisible(eras);
    }
    if (!eras)
        return;
    for (int i = 1; i <= EraCount; ++i) {
        const QString& name = state().EraNames[size_t(i)];
        if (name.isEmpty())
            continue;
        cmbChkNengou->addItem(name);
        cmbUPNengou->addItem(name);
    }
    for (QComboBox* box : {cmbChkNengou, cmbUPNengou}) {
        box->addItem(QString());
        box->setCurrentIndex(box->count() - 1);
    }
}

void TWS0020::load() {
    const std::optional<CompanyRecord> r = LoadCompanyRecord({companyCode(), year()});
    if (!r)
        return;
    txtCorpName->setText(r->name);
    ShowDate({cmbChkNengou, txtChkyy, txtChkmm, txtChkdd}, r->surveyDate, m_eraMode);
    ShowDate({cmbUPNengou, txtUPyy, txtUPmm, txtUPdd}, r->raiseDate, m_eraMode);
    txtBaseUp->setText(r->baseUp.toString());
    txtSalaryKbn->setText(r->salaryKind);
    for (size_t i = 1; i <= BasePayItemCount; ++i)
        txtKihon[i]->setText(r->basePayNames[i]);
    for (size_t i = 1; i <= AllowanceCount; ++i)
        txtTeate[i]->setText(r->allowanceNames[i]);
    for (size_t i = 1; i <= MaxGrades; ++i)
        txtTokyu[i]->setText(r->gradeNames[i]);
    cmbModelCode2->setEditText(QString::number(r->modelWageCode));
    cmbModelCode->setEditText(ModelDataCodeText(QString::number(r->modelCode), m_modelCodes));
    cmbLivingCode->setEditText(LivingCodeText(QString::number(r->livingCode), m_livingCodes));
    if (r->salaryOption >= 0 && r->salaryOption <= 3) {
        optSalary[size_t(r->salaryOption + 1)]->setChecked(true);
        m_salaryOption = r->salaryOption;
    }
    if (r->matrixOption >= 0 && r->matrixOption <= 3) {
        optMatlix[size_t(r->matrixOption + 1)]->setChecked(true);
        m_matrixOption = r->matrixOption;
    }
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
    return inRange(txtChkyy, 100, 99) || refuse(txtChkyy, MsgText::OutOfRange());
}
bool TWS0020::txtChkmmExit() {
    return inRange(txtChkmm, 99, 12) || refuse(txtChkmm, MsgText::OutOfRange());
}
bool TWS0020::txtChkddExit() {
    return inRange(txtChkdd, 99, 31) || refuse(txtChkdd, MsgText::OutOfRange());
}
bool TWS0020::txtUPyyExit() {
    return inRange(txtUPyy, 100, 99) || refuse(txtUPyy, MsgText::OutOfRange());
}
bool TWS0020::txtUPmmExit() {
    return inRange(txtUPmm, 99, 12) || refuse(txtUPmm, MsgText::OutOfRange());
}
bool TWS0020::txtUPddExit() {
    return inRange(txtUPdd, 99, 31) || refuse(txtUPdd, MsgText::OutOfRange());
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

bool TWS0020::checkCodeBox(QComboBox* box, const CodeList& codes,
                           QString (*displayText)(const QString&, const CodeList&)) {
    const QString text = box->currentText().trimmed();
    if (text.isEmpty())
        return true;
    bool ok = false;
    const int code = NthField(text, QLatin1Char(' '), 1).toInt(&ok);
    if (!ok)
        return refuse(box, MsgText::EnterNumber());
    box->setEditText(displayText(QString::number(code), codes));
    return true;
}

bool TWS0020::cmbModelCodeExit() {
    return checkCodeBox(cmbModelCode, m_modelCodes, &ModelDataCodeText);
}
bool TWS0020::cmbLivingCodeExit() {
    return checkCodeBox(cmbLivingCode, m_livingCodes, &LivingCodeText);
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

bool TWS0020::collect(CompanyRecord& r) {
    // A button click does not take the focus from a field, so every field is checked here as
    // its exit would; the first refusal stops the save before anything is written.
    for (const auto& [widget, check] : exitChecks())
        if (!(this->*check)())
            return false;
    r.company = {companyCode(), year()};
    r.name = txtCorpName->text();
    r.modelCode = boxCode(cmbModelCode);
    r.livingCode = boxCode(cmbLivingCode);
    qint64 survey = 0, raise = 0;
    if (!TakeDate({cmbChkNengou, txtChkyy, txtChkmm, txtChkdd}, survey, m_eraMode)) {
        Msg::info(QStringLiteral("調査日の入力エラーです。"));
        return false;
    }
    if (!TakeDate({cmbUPNengou, txtUPyy, txtUPmm, txtUPdd}, raise, m_eraMode)) {
        Msg::info(QStringLiteral("昇給日の入力エラーです。"));
        return false;
    }
    r.surveyDate = int(survey);
    r.raiseDate = int(raise);
    r.baseUp = NumberOfText(txtBaseUp->text()); // checked above; empty reads 0
    r.salaryKind = txtSalaryKbn->text();
    for (size_t i = 1; i <= BasePayItemCount; ++i)
        r.basePayNames[i] = txtKihon[i]->text();
    for (size_t i = 1; i <= AllowanceCount; ++i)
        r.allowanceNames[i] = txtTeate[i]->text();
    for (size_t i = 1; i <= MaxGrades; ++i)
        r.gradeNames[i] = txtTokyu[i]->text();
    r.salaryOption = m_salaryOption;
    r.matrixOption = m_matrixOption;
    r.linkOption = m_linkOption;
    return true;
}

void TWS0020::btnAddClick() {
    if (m_mode != Mode::Register)
        return;
    if (!isWindowModified()) {
        Msg::info(MsgText::NoChange());
        return;
    }
    if (txtCorpName->text().isEmpty()) {
        Msg::info(QStringLiteral("企業名称は必ず入力してください。"));
        return;
    }
    CompanyRecord r;
    if (!collect(r))
        return;
    const AppState& s = state();
    const int created = r.company.nendo * 10000 + s.TodayMonth * 100 + s.TodayDay;
    switch (RegisterCompany(r, created)) {
    case CompanySaveResult::Saved:
        break;
    case CompanySaveResult::NoTemplate:
        Msg::info(MsgText::SqlUnknownError());
        return;
    case CompanySaveResult::Failed:
        return; // nothing written; the data module has said why
    }
    closeAfterSaving();
}

void TWS0020::btnMntClick() {
    if (cmbModelCode->currentText().trimmed().isEmpty()) {
        Msg::info(QStringLiteral("モデルコードを入力して下さい。"));
        return;
    }
    if (cmbLivingCode->currentText().trimmed().isEmpty()) {
        Msg::info(QStringLiteral("生計費コードを入力して下さい。"));
        return;
    }
    CompanyRecord r;
    if (!collect(r))
        return;
    // The name lives in both files; they change together or not at all.
    const SaveResult saved = ChangeCompany(r);
    if (!saved.saved()) {
        if (saved.changedByOther()) {
            load(); // what the other person saved replaces the edits
            setWindowModified(false);
        }
        return;
    }
    load();
    focusName();
    setWindowModified(false);
    Q_EMIT companiesChanged();
}

void TWS0020::btnDltClick() {
    if (!Msg::yesNo(MsgText::DeleteQuestion(), QStringLiteral("削除")))
        return;
    const int kco = companyCode();
    const int nendo = year();
    if (!DeleteCompany({kco, nendo}))
        return;
    Msg::info(QStringLiteral("企業マスター 【　") + QString::number(nendo) +
              QStringLiteral("　年度　") + QString::number(kco) + QStringLiteral("　:　") +
              txtCorpName->text() + QStringLiteral("　】 を削除しました。"));
    closeAfterSaving();
}

void TWS0020::btnCanselClick() {
    reset();
    if (m_mode != Mode::Register)
        load();
    focusName();
    setWindowModified(false);
}

void TWS0020::btnCloseClick() {
    close();
}

void TWS0020::closeAfterSaving() {
    m_closingByCode = true;
    close();
    m_closingByCode = false;
}

void TWS0020::closeEvent(QCloseEvent* event) {
    if (!m_closingByCode) {
        if (isWindowModified() &&
            Msg::yesNo(MsgText::ChangedCloseQuestion(), QStringLiteral("確認"))) {
            focusName();
            event->ignore();
            return;
        }
    }
    setWindowModified(false);
    QDialog::closeEvent(event);
    Q_EMIT companiesChanged();
}

void TWS0020::keyPressEvent(QKeyEvent* event) {
    // Escape leaves through the close button's rules, not past them.
    if (event->key() == Qt::Key_Escape) {
        btnCloseClick();
        return;
    }
    QDialog::keyPressEvent(event);
}
