#include "gui/analysis/WS0080_ModelData.h"

#include "core/analysis/ReferenceFields.h"
#include "core/common/DisplayTexts.h"
#include "core/common/Helpers.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/common/NumberText.h"
#include "data/analysis/ReferenceStore.h"
#include "data/company/CompanyStore.h"
#include "data/db/RecordGuard.h"
#include "data/project/Project.h"
#include "gui/common/Controls.h"
#include "gui/common/FieldExits.h"
#include "gui/common/RemarksEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString NoCode = QStringLiteral("モデルコードが入力されていません。");
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

TWS0080::TWS0080(QWidget* parent)
    : RecordEditor(parent, Moves::ByCode, QStringLiteral("WS0080"),
                   QStringLiteral("モデルデータ　登録[*]")) {
    build();
    fixMasterWindow();
}

void TWS0080::build() {
    auto* lay = new QVBoxLayout(this);
    cmbModelID = addCodeRow(lay, QStringLiteral("モデルコード"), QStringLiteral("cmbModelID"), 320);

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
        connect(box, &QLineEdit::textChanged, this, &TWS0080::markChanged);
        if (box != txtJigyosyosuu)
            m_exits->add(box);
        ++r;
    }
    txtBikou = Named(new RemarksEdit(this), QStringLiteral("txtBikou"));
    txtBikou->setFixedSize(560, 130);
    form->addWidget(new QLabel(QStringLiteral("備　　考"), this), r, 0, Qt::AlignTop);
    form->addWidget(txtBikou, r, 1, Qt::AlignLeft);
    connect(txtBikou, &QPlainTextEdit::textChanged, this, &TWS0080::markChanged);
    lay->addLayout(form);
    lay->addStretch(1);
    m_exits->add(txtJigyosyosuu, [this] {
        const QString message = CheckFigureText(txtJigyosyosuu->text(), 8);
        if (!message.isEmpty())
            return m_exits->refuse(txtJigyosyosuu, message);
        return true;
    });

    addMasterCommands(
        lay, QStringLiteral("btnCancel"), [this] { btnAddClick(); }, [this] { btnDltClick(); },
        [this] { btnCancelClick(); });
    watchCodeBox(cmbModelID, masterCode(MsgText::ZeroNotAllowed()),
                 [this] { return cmbModelIDExit(); });
    setMoveQuestionLine(QStringLiteral("【いいえ】:最初のデータ　へ。"));
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
    setCodes(codeNumbers(m_codes));
    fillCodeBox(cmbModelID, codeItems(m_codes));
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
    m_holds = Holds::Nothing;
    m_codeTyped = false;
}

void TWS0080::loadCode(int code) {
    const std::optional<ModelDataRecord> r = LoadModelData(code);
    RememberLoadedModelData(code);
    if (!r) {
        m_holds = Holds::NewCode;
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
    m_holds = Holds::Stored;
    m_codeTyped = false;
}

bool TWS0080::cmbModelIDExit() {
    const TypedCode typed = takeTypedCode();
    if (typed.emptied)
        setWindowModified(false);
    if (typed.code == 0)
        return !typed.refused;
    m_code = typed.code;
    {
        const QSignalBlocker quiet(cmbModelID);
        cmbModelID->setEditText(ModelDataCodeText(QString::number(typed.code), m_codes));
    }
    m_codeTyped = false;
    loadCode(typed.code);
    setWindowModified(false);
    return true;
}

void TWS0080::btnAddClick() {
    if (!m_exits->checkFocused() || !codeEntered(NoCode))
        return;
    if (!isWindowModified()) {
        Msg::info(MsgText::NoChange());
        m_exits->moveFocus(txtSalaryName);
        return;
    }
    const int code = typedCode();
    if (code <= 0)
        return;
    const QString remarks = storedRemarks(txtBikou->toPlainText());
    if (remarks.size() > RemarksLimit) {
        Msg::info(MsgText::OutOfRange());
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
    // Refused over another person's change, the form shows what they saved.
    const SaveResult saved = SaveModelData(r, exists);
    if (!showChangedByOther(saved, code) && saved.saved())
        clearAfterWrite();
}

void TWS0080::clearAfterWrite() {
    clearForm();
    buildLists();
    txtCureentNo->clear();
    setWindowModified(false);
    m_exits->moveFocus(cmbModelID);
}

void TWS0080::btnDltClick() {
    const int code = codeToDelete(NoCode, m_holds != Holds::Nothing, txtSalaryName);
    if (code > 0 && DeleteModelData(code))
        clearAfterWrite();
}

void TWS0080::btnCancelClick() {
    clearForm();
    txtCureentNo->clear();
    setWindowModified(false);
    m_exits->moveFocus(cmbModelID);
}

void TWS0080::focusKeptEdits() {
    m_exits->moveFocus(txtSalaryName);
}

void TWS0080::showMoved(ListMove, int code, int) {
    moveTo(code);
}

void TWS0080::reloadStored(int code) {
    buildLists();
    moveTo(code);
}

void TWS0080::moveTo(int code) {
    clearForm();
    m_code = code;
    loadCode(code);
    setWindowModified(false);
    m_exits->moveFocus(txtSalaryName);
}
