#include "gui/analysis/WS0080_ModelData.h"

#include "core/analysis/ReferenceFields.h"
#include "core/common/DisplayTexts.h"
#include "core/common/Helpers.h"
#include "core/common/Messages.h"
#include "core/common/NumberText.h"
#include "data/analysis/ReferenceStore.h"
#include "data/company/CompanyStore.h"
#include "data/db/RecordGuard.h"
#include "data/project/Project.h"
#include "gui/common/Controls.h"
#include "gui/common/FieldExits.h"
#include "gui/common/RemarksEdit.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString ZeroCode = QStringLiteral("０　は、入力できません。");
const QString ToFirst = QStringLiteral("【いいえ】:最初のデータ　へ。");
constexpr int RemarksLimit = 255;

QString storedRemarks(const QString& shown) {
    QString s = shown;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return s;
}

QString shownRemarks(const QString& stored) {
    QString s = stored;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

} // namespace

TWS0080::TWS0080(QWidget* parent) : QDialog(parent), m_exits(new FieldExits(this)) {
    setObjectName(QStringLiteral("WS0080"));
    setWindowTitle(QStringLiteral("モデルデータ　登録[*]"));
    setModal(true);
    build();
    setFixedSize(777, 566);
}

TWS0080::~TWS0080() {
    // Hiding on the way out moves the focus; no check may run on the half-destroyed form.
    m_exits->detach();
}

void TWS0080::build() {
    auto* lay = new QVBoxLayout(this);
    const auto button = [this](const QString& name, const QString& text) {
        return CommandButton(this, name, text, Qt::TabFocus);
    };
    const auto modified = [this] {
        if (!m_loading)
            setWindowModified(true);
    };

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("モデルコード"), this));
    cmbModelID = CodeBox(this, QStringLiteral("cmbModelID"), 320);
    top->addWidget(cmbModelID);
    top->addStretch(1);
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
        top->addWidget(b);
    }
    txtCureentNo = RightEdit(this, QStringLiteral("txtCureentNo"), 0, 48);
    txtLastNo = RightEdit(this, QStringLiteral("txtLastNo"), 0, 48);
    for (QLineEdit* e : {txtCureentNo, txtLastNo}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    top->addWidget(txtCureentNo);
    top->addWidget(new QLabel(QStringLiteral("/"), this));
    top->addWidget(txtLastNo);
    lay->addLayout(top);

    auto* form = new QGridLayout;
    txtSalaryName = TextEdit(this, QStringLiteral("txtSalaryName"), 30, 420);
    txtSyussyo = TextEdit(this, QStringLiteral("txtSyussyo"), 30, 420);
    txtChiiki = TextEdit(this, QStringLiteral("txtChiiki"), 30, 420);
    txtJigyosyosuu = RightEdit(this, QStringLiteral("txtJigyosyosuu"), 10, 120);
    txtCyousabi = TextEdit(this, QStringLiteral("txtCyousabi"), 30, 420);
    txtGyousyu = TextEdit(this, QStringLiteral("txtGyousyu"), 30, 420);
    txtKibo = TextEdit(this, QStringLiteral("txtKibo"), 30, 420);
    const std::pair<const char*, QLineEdit*> rows[] = {
        {"賃金名称", txtSalaryName},  {"出　　所", txtSyussyo},  {"対象地域", txtChiiki},
        {"事業所数", txtJigyosyosuu}, {"調査時点", txtCyousabi}, {"業　　種", txtGyousyu},
        {"規　　模", txtKibo}};
    int r = 0;
    for (const auto& [caption, box] : rows) {
        form->addWidget(new QLabel(QString::fromUtf8(caption), this), r, 0);
        form->addWidget(box, r, 1, Qt::AlignLeft);
        connect(box, &QLineEdit::textChanged, this, modified);
        if (box != txtJigyosyosuu)
            m_exits->add(box);
        ++r;
    }
    txtBikou = Named(new RemarksEdit(this), QStringLiteral("txtBikou"));
    txtBikou->setFixedSize(560, 130);
    form->addWidget(new QLabel(QStringLiteral("備　　考"), this), r, 0, Qt::AlignTop);
    form->addWidget(txtBikou, r, 1, Qt::AlignLeft);
    connect(txtBikou, &QPlainTextEdit::textChanged, this, modified);
    lay->addLayout(form);
    lay->addStretch(1);
    m_exits->add(txtJigyosyosuu, [this] {
        const QString message = CheckFigureText(txtJigyosyosuu->text(), 8);
        if (!message.isEmpty())
            return m_exits->refuse(txtJigyosyosuu, message);
        return true;
    });

    btnAdd = button(QStringLiteral("btnAdd"), QStringLiteral("登　録"));
    btnDlt = button(QStringLiteral("btnDlt"), QStringLiteral("削　除"));
    btnCancel = button(QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"));
    btnClose = button(QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {btnAdd, btnDlt, btnCancel, btnClose}) {
        b->setFixedSize(90, 30);
        buttons->addWidget(b);
    }
    lay->addLayout(buttons);

    m_exits->add(cmbModelID, [this] { return cmbModelIDExit(); });
    m_exits->passWithoutCheck(btnCancel);
    m_exits->passWithoutCheck(btnClose);
    connect(cmbModelID, &QComboBox::editTextChanged, this, [this] { m_codeTyped = true; });
    connect(cmbModelID, &QComboBox::activated, this, [this] {
        m_codeTyped = true;
        cmbModelIDExit();
    });
    connect(btnAdd, &QPushButton::clicked, this, &TWS0080::btnAddClick);
    connect(btnDlt, &QPushButton::clicked, this, &TWS0080::btnDltClick);
    connect(btnCancel, &QPushButton::clicked, this, &TWS0080::btnCancelClick);
    connect(btnFirst, &QPushButton::clicked, this, &TWS0080::btnFirstClick);
    connect(btnBack, &QPushButton::clicked, this, &TWS0080::btnBackClick);
    connect(btnNext, &QPushButton::clicked, this, &TWS0080::btnNextClick);
    connect(btnLast, &QPushButton::clicked, this, &TWS0080::btnLastClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS0080::btnCloseClick);
}

void TWS0080::start() {
    PrepareScreen();
    exec();
}

void TWS0080::PrepareScreen() {
    m_code = Project::current()->settings().MDCO;
    clearForm();
    buildLists();
    loadCode(m_code);
    setWindowModified(false);
}

void TWS0080::buildLists() {
    m_codes = LoadModelDataCodes();
    const QSignalBlocker quiet(cmbModelID);
    const QString shown = cmbModelID->currentText();
    cmbModelID->clear();
    for (const CodeEntry& e : m_codes)
        cmbModelID->addItem(e.code + QStringLiteral(" : ") + e.name);
    cmbModelID->setCurrentIndex(-1);
    cmbModelID->setEditText(shown);
    txtLastNo->setText(QString::number(m_codes.size()));
}

void TWS0080::clearForm() {
    m_exits->forget();
    m_loading = true;
    {
        const QSignalBlocker quiet(cmbModelID);
        cmbModelID->setCurrentIndex(-1);
        cmbModelID->setEditText(QString());
    }
    for (QLineEdit* e : {txtSalaryName, txtSyussyo, txtChiiki, txtCyousabi, txtGyousyu, txtKibo})
        e->clear();
    txtJigyosyosuu->setText(QStringLiteral("0"));
    txtBikou->clear();
    m_loading = false;
    m_state = Cleared;
    m_codeTyped = false;
}

void TWS0080::loadCode(int code) {
    const std::optional<ModelDataRecord> r = LoadModelData(code);
    RememberLoadedModelData(code);
    if (!r) {
        m_state = NewCode;
        return;
    }
    m_loading = true;
    {
        const QSignalBlocker quiet(cmbModelID);
        cmbModelID->setEditText(QString::number(code));
    }
    txtSalaryName->setText(r->name);
    txtSyussyo->setText(r->source);
    txtChiiki->setText(r->region);
    txtJigyosyosuu->setText(QString::number(r->firms));
    txtCyousabi->setText(r->surveyed);
    txtGyousyu->setText(r->industry);
    txtKibo->setText(r->size);
    txtBikou->setPlainText(shownRemarks(r->remarks));
    m_loading = false;
    for (qsizetype i = 0; i < m_codes.size(); ++i)
        if (m_codes[i].code.toInt() == code)
            txtCureentNo->setText(QString::number(i + 1));
    m_state = Stored;
    m_codeTyped = false;
}

bool TWS0080::cmbModelIDExit() {
    if (!m_codeTyped)
        return true;
    const QString text = cmbModelID->currentText().trimmed();
    if (text.isEmpty()) {
        m_codeTyped = false;
        setWindowModified(false);
        return true;
    }
    const CodeBoxCheck c = CheckCodeBoxText(text, ZeroCode);
    if (!c.ok())
        return m_exits->refuse(cmbModelID, c.message);
    m_code = c.code;
    {
        const QSignalBlocker quiet(cmbModelID);
        cmbModelID->setEditText(ModelDataCodeText(QString::number(c.code), m_codes));
    }
    m_codeTyped = false;
    loadCode(c.code);
    setWindowModified(false);
    return true;
}

int TWS0080::typedCode() {
    const QString text = cmbModelID->currentText().trimmed();
    if (text.isEmpty())
        return 0;
    const CodeBoxCheck c = CheckCodeBoxText(text, ZeroCode);
    if (!c.ok()) {
        m_exits->refuse(cmbModelID, c.message);
        return -1;
    }
    return c.code;
}

void TWS0080::btnAddClick() {
    if (!m_exits->checkFocused())
        return;
    if (cmbModelID->currentText().trimmed().isEmpty()) {
        Msg::info(QStringLiteral("モデルコードが入力されていません。"));
        m_exits->moveFocus(cmbModelID);
        return;
    }
    if (!isWindowModified()) {
        Msg::info(QStringLiteral("ﾃﾞｰﾀの変更がありません。"));
        m_exits->moveFocus(txtSalaryName);
        return;
    }
    const int code = typedCode();
    if (code <= 0)
        return;
    const QString remarks = storedRemarks(txtBikou->toPlainText());
    if (remarks.size() > RemarksLimit) {
        Msg::info(QStringLiteral("入力範囲外です。"));
        txtBikou->setFocus();
        return;
    }
    ModelDataRecord r;
    r.code = code;
    r.name = txtSalaryName->text();
    r.source = txtSyussyo->text();
    r.region = txtChiiki->text();
    r.firms = WholeNumberOfText(txtJigyosyosuu->text());
    r.surveyed = txtCyousabi->text();
    r.industry = txtGyousyu->text();
    r.size = txtKibo->text();
    r.remarks = remarks;
    // The stored row decides between change and insert, not how the code was reached.
    bool failed = false;
    const bool exists = LoadModelData(code, &failed).has_value();
    if (failed)
        return;
    if (const SaveResult saved = SaveModelData(r, exists); !saved.saved()) {
        if (saved.changedByOther()) { // said why; the form shows what they saved
            buildLists();
            moveTo(code);
        }
        return;
    }
    clearForm();
    buildLists();
    txtCureentNo->clear();
    setWindowModified(false);
    m_exits->moveFocus(cmbModelID);
}

void TWS0080::btnDltClick() {
    if (!m_exits->checkFocused())
        return;
    if (cmbModelID->currentText().trimmed().isEmpty()) {
        Msg::info(QStringLiteral("モデルコードが入力されていません。"));
        m_exits->moveFocus(cmbModelID);
        return;
    }
    if (m_state == Cleared) {
        m_exits->moveFocus(cmbModelID);
        return;
    }
    const int code = typedCode();
    if (code <= 0)
        return;
    if (!Msg::yesNo(
            QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。"),
            QStringLiteral("削除"))) {
        m_exits->moveFocus(txtSalaryName);
        return;
    }
    if (!DeleteModelData(code))
        return;
    clearForm();
    buildLists();
    txtCureentNo->clear();
    setWindowModified(false);
    m_exits->moveFocus(cmbModelID);
}

void TWS0080::btnCancelClick() {
    clearForm();
    txtCureentNo->clear();
    setWindowModified(false);
    m_exits->moveFocus(cmbModelID);
}

bool TWS0080::askBeforeDropping(const QString& lastLine) {
    if (!isWindowModified())
        return true;
    if (Msg::yesNo(QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r") + lastLine,
                   QStringLiteral("確認"))) {
        m_exits->moveFocus(txtSalaryName);
        return false;
    }
    return true;
}

void TWS0080::moveTo(int code) {
    clearForm();
    m_code = code;
    loadCode(code);
    setWindowModified(false);
    m_exits->moveFocus(txtSalaryName);
}

void TWS0080::btnFirstClick() {
    if (!m_exits->settle() || m_codes.isEmpty() || !askBeforeDropping(ToFirst))
        return;
    moveTo(m_codes.first().code.toInt());
}

void TWS0080::btnLastClick() {
    if (!m_exits->settle() || m_codes.isEmpty() || !askBeforeDropping(ToFirst))
        return;
    moveTo(m_codes.last().code.toInt());
}

void TWS0080::btnBackClick() {
    if (!m_exits->settle() || m_codes.isEmpty())
        return;
    const int code = typedCode();
    if (code < 0)
        return;
    const int target = CodeBefore(m_codes, code);
    if (target == 0 || !askBeforeDropping(ToFirst))
        return;
    moveTo(target);
}

void TWS0080::btnNextClick() {
    if (!m_exits->settle() || m_codes.isEmpty())
        return;
    const int code = typedCode();
    if (code < 0)
        return;
    const int target = CodeAfter(m_codes, code);
    if (target == 0 || !askBeforeDropping(ToFirst))
        return;
    moveTo(target);
}

void TWS0080::btnCloseClick() {
    close();
}

void TWS0080::closeEvent(QCloseEvent* event) {
    if (!askBeforeDropping(QStringLiteral("【いいえ】:画面を閉じます。"))) {
        event->ignore();
        return;
    }
    setWindowModified(false);
    m_closing = true;
    QDialog::closeEvent(event);
    m_closing = false;
}

void TWS0080::reject() {
    if (m_closing)
        QDialog::reject();
    else
        close();
}
