#include "gui/analysis/WS0050_LivingCost.h"

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

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString ChangedQuestion = QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r");
const QString ToFirst = QStringLiteral("【いいえ】:最初のデータ　へ。");

} // namespace

TWS0050::TWS0050(QWidget* parent) : QDialog(parent), m_exits(new FieldExits(this)) {
    setObjectName(QStringLiteral("WS0050"));
    setWindowTitle(QStringLiteral("標準生計費　登録[*]"));
    setModal(true);
    build();
    setFixedSize(777, 566);
}

TWS0050::~TWS0050() {
    // Hiding on the way out moves the focus; no check may run on the half-destroyed form.
    m_exits->detach();
}

void TWS0050::build() {
    auto* lay = new QVBoxLayout(this);
    const auto button = [this](const QString& name, const QString& text) {
        return CommandButton(this, name, text, Qt::TabFocus);
    };
    const auto modified = [this] { setWindowModified(true); };

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("生計費コード"), this));
    cmbSeikeiID = CodeBox(this, QStringLiteral("cmbSeikeiID"), 320);
    top->addWidget(cmbSeikeiID);
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

    auto* grid = new QGridLayout;
    const char* const heads[] = {"所帯人員", "所帯年齢", "生計費(千円)",
                                 "愉楽率",   "最低率",   "単身率"};
    for (int c = 0; c < 6; ++c) {
        auto* h = new QLabel(QString::fromUtf8(heads[c]), this);
        h->setAlignment(Qt::AlignCenter);
        grid->addWidget(h, 0, c);
    }
    for (int r = 1; r <= 6; ++r) {
        const size_t i = size_t(r);
        txtSyotaisu[i] = RightEdit(this, QStringLiteral("txtSyotaisu%1").arg(r), 2, 90);
        txtNenrei[i] = RightEdit(this, QStringLiteral("txtNenrei%1").arg(r), 3, 90);
        txtSeikeihi[i] = RightEdit(this, QStringLiteral("txtSeikeihi%1").arg(r), 9, 110);
        txtYuraku[i] = RightEdit(this, QStringLiteral("txtYuraku%1").arg(r), 12, 100);
        txtMin[i] = RightEdit(this, QStringLiteral("txtMin%1").arg(r), 12, 100);
        txtTanshin[i] = RightEdit(this, QStringLiteral("txtTanshin%1").arg(r), 12, 100);
        QLineEdit* row[] = {txtSyotaisu[i], txtNenrei[i], txtSeikeihi[i],
                            txtYuraku[i],   txtMin[i],    txtTanshin[i]};
        for (int c = 0; c < 6; ++c) {
            grid->addWidget(row[c], r, c);
            connect(row[c], &QLineEdit::textEdited, this, modified);
        }
        m_exits->add(txtSyotaisu[i], [this, i] { return wholeExit(txtSyotaisu[i], 2); });
        m_exits->add(txtNenrei[i], [this, i] { return wholeExit(txtNenrei[i], 3); });
        m_exits->add(txtSeikeihi[i], [this, i] { return figureExit(txtSeikeihi[i], 6, 0); });
        for (QLineEdit* rate : {txtYuraku[i], txtMin[i], txtTanshin[i]})
            m_exits->add(rate, [this, rate] { return figureExit(rate, 9, 2); });
    }
    lay->addLayout(grid);

    auto* desc = new QGridLayout;
    txtKakeRitsu = RightEdit(this, QStringLiteral("txtKakeRitsu"), 12, 100);
    txtSyussyo = TextEdit(this, QStringLiteral("txtSyussyo"), 30, 420);
    txtTiiki = TextEdit(this, QStringLiteral("txtTiiki"), 30, 420);
    txtCyosaJiki = TextEdit(this, QStringLiteral("txtCyosaJiki"), 30, 420);
    txtNyuryokuchi = TextEdit(this, QStringLiteral("txtNyuryokuchi"), 30, 420);
    const std::pair<const char*, QLineEdit*> rows[] = {{"掛　　率", txtKakeRitsu},
                                                       {"出　　所", txtSyussyo},
                                                       {"対象地域", txtTiiki},
                                                       {"調査時点", txtCyosaJiki},
                                                       {"入力数値", txtNyuryokuchi}};
    int r = 0;
    for (const auto& [caption, box] : rows) {
        desc->addWidget(new QLabel(QString::fromUtf8(caption), this), r, 0);
        desc->addWidget(box, r, 1, Qt::AlignLeft);
        connect(box, &QLineEdit::textEdited, this, modified);
        m_exits->add(box);
        ++r;
    }
    m_exits->add(txtKakeRitsu, [this] { return figureExit(txtKakeRitsu, 9, 3); });
    desc->setColumnStretch(1, 1);
    lay->addLayout(desc);
    lay->addStretch(1);

    btnAdd = button(QStringLiteral("btnAdd"), QStringLiteral("登　録"));
    btnDlt = button(QStringLiteral("btnDlt"), QStringLiteral("削　除"));
    btnCansel = button(QStringLiteral("btnCansel"), QStringLiteral("ｷｬﾝｾﾙ"));
    btnClose = button(QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {btnAdd, btnDlt, btnCansel, btnClose}) {
        b->setFixedSize(90, 30);
        buttons->addWidget(b);
    }
    lay->addLayout(buttons);

    m_exits->add(cmbSeikeiID, [this] { return cmbSeikeiIDExit(); });
    m_exits->passWithoutCheck(btnCansel);
    m_exits->passWithoutCheck(btnClose);
    connect(cmbSeikeiID, &QComboBox::editTextChanged, this, [this] { m_codeTyped = true; });
    connect(cmbSeikeiID, &QComboBox::activated, this, [this] {
        m_codeTyped = true;
        cmbSeikeiIDExit();
    });
    connect(btnAdd, &QPushButton::clicked, this, &TWS0050::btnAddClick);
    connect(btnDlt, &QPushButton::clicked, this, &TWS0050::btnDltClick);
    connect(btnCansel, &QPushButton::clicked, this, &TWS0050::btnCanselClick);
    connect(btnFirst, &QPushButton::clicked, this, &TWS0050::btnFirstClick);
    connect(btnBack, &QPushButton::clicked, this, &TWS0050::btnBackClick);
    connect(btnNext, &QPushButton::clicked, this, &TWS0050::btnNextClick);
    connect(btnLast, &QPushButton::clicked, this, &TWS0050::btnLastClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS0050::btnCloseClick);
}

void TWS0050::start() {
    PrepareScreen();
    exec();
}

void TWS0050::PrepareScreen() {
    buildLists();
    clearForm();
    const int code = Project::current()->settings().SKCO;
    if (code != 0) {
        showCode(code);
        loadCode(code);
    }
    m_state = Initial;
    m_codeTyped = false;
    setWindowModified(false);
}

void TWS0050::buildLists() {
    m_codes = LoadLivingCostCodes();
    const QSignalBlocker quiet(cmbSeikeiID);
    const QString shown = cmbSeikeiID->currentText();
    cmbSeikeiID->clear();
    for (const CodeEntry& e : m_codes)
        cmbSeikeiID->addItem(e.code + QStringLiteral(" : ") + e.name);
    cmbSeikeiID->setCurrentIndex(-1);
    cmbSeikeiID->setEditText(shown);
    txtLastNo->setText(QString::number(m_codes.size()));
}

void TWS0050::clearForm() {
    m_exits->forget();
    {
        const QSignalBlocker quiet(cmbSeikeiID);
        cmbSeikeiID->setCurrentIndex(-1);
        cmbSeikeiID->setEditText(QString());
    }
    for (int r = 1; r <= 6; ++r) {
        const size_t i = size_t(r);
        txtSyotaisu[i]->setText(QString::number(r));
        for (QLineEdit* e : {txtNenrei[i], txtSeikeihi[i], txtYuraku[i], txtMin[i], txtTanshin[i]})
            e->setText(QStringLiteral("0"));
    }
    txtKakeRitsu->setText(QStringLiteral("0.000"));
    for (QLineEdit* e : {txtSyussyo, txtTiiki, txtCyosaJiki, txtNyuryokuchi})
        e->clear();
    m_codeTyped = false;
}

void TWS0050::showCode(int code) {
    const QSignalBlocker quiet(cmbSeikeiID);
    cmbSeikeiID->setEditText(LivingCodeText(QString::number(code), m_codes));
    m_codeTyped = false;
}

void TWS0050::loadCode(int code) {
    bool failed = false;
    const QVector<LivingCostRow> rows = LoadLivingCostTable(code, &failed);
    failed = failed || !RememberLoadedLivingCost(code);
    txtCureentNo->clear();
    for (qsizetype i = 0; i < m_codes.size(); ++i)
        if (m_codes[i].code.toInt() == code)
            txtCureentNo->setText(QString::number(i + 1));
    if (rows.isEmpty()) {
        m_state = failed ? Initial : NewCode;
        setWindowModified(false);
        return;
    }
    int r = 1;
    for (; r <= 6 && r <= rows.size(); ++r) {
        const LivingCostRow& row = rows[r - 1];
        const size_t i = size_t(r);
        txtSyotaisu[i]->setText(QString::number(row.members));
        txtNenrei[i]->setText(QString::number(row.age));
        txtSeikeihi[i]->setText(FigureText(row.cost, 0));
        txtYuraku[i]->setText(FigureText(row.comfort, 2));
        txtMin[i]->setText(FigureText(row.minimum, 2));
        txtTanshin[i]->setText(FigureText(row.single, 2));
    }
    for (; r <= 6; ++r)
        txtSyotaisu[size_t(r)]->setText(
            QString::number(WholeFigureOf(txtSyotaisu[size_t(r - 1)]->text()) + 1));
    const LivingCostRow& first = rows.first();
    txtKakeRitsu->setText(first.factor.toString());
    txtSyussyo->setText(first.source);
    txtTiiki->setText(first.region);
    txtCyosaJiki->setText(first.surveyed);
    txtNyuryokuchi->setText(first.notes);
    m_state = Loaded;
    setWindowModified(false);
}

bool TWS0050::figureExit(QLineEdit* box, int digits, int minDecimals) {
    const QString message = CheckFigureText(box->text(), digits);
    if (!message.isEmpty())
        return m_exits->refuse(box, message);
    box->setText(FigureText(NumberOfText(box->text()), minDecimals));
    return true;
}

bool TWS0050::wholeExit(QLineEdit* box, int digits) {
    const QString message = CheckFigureText(box->text(), digits);
    if (!message.isEmpty())
        return m_exits->refuse(box, message);
    box->setText(QString::number(WholeFigureOf(box->text())));
    return true;
}

bool TWS0050::cmbSeikeiIDExit() {
    if (!m_codeTyped)
        return true;
    const QString text = cmbSeikeiID->currentText().trimmed();
    if (text.isEmpty()) {
        m_codeTyped = false;
        return true;
    }
    const CodeBoxCheck c = CheckCodeBoxText(text, QStringLiteral("０　は、入力できません。"));
    if (!c.ok())
        return m_exits->refuse(cmbSeikeiID, c.message);
    clearForm();
    showCode(c.code);
    loadCode(c.code);
    return true;
}

int TWS0050::typedCode() {
    const QString text = cmbSeikeiID->currentText().trimmed();
    if (text.isEmpty())
        return 0;
    const CodeBoxCheck c = CheckCodeBoxText(text, QStringLiteral("０　は、入力できません。"));
    if (!c.ok()) {
        m_exits->refuse(cmbSeikeiID, c.message);
        return -1;
    }
    return c.code;
}

void TWS0050::btnAddClick() {
    if (!m_exits->checkFocused())
        return;
    if (cmbSeikeiID->currentText().trimmed().isEmpty()) {
        Msg::info(QStringLiteral("生計費コードが入力されていません。"));
        m_exits->moveFocus(cmbSeikeiID);
        return;
    }
    const int code = typedCode();
    if (code <= 0)
        return;
    struct Row {
        LivingCostRow data;
        bool stored = false;
    };
    std::array<Row, 7> rows;
    for (int r = 1; r <= 6; ++r) {
        const size_t i = size_t(r);
        LivingCostRow& d = rows[i].data;
        d.members = WholeFigureOf(txtSyotaisu[i]->text());
        d.age = WholeFigureOf(txtNenrei[i]->text());
        d.cost = NumberOfText(txtSeikeihi[i]->text());
        d.comfort = NumberOfText(txtYuraku[i]->text());
        d.minimum = NumberOfText(txtMin[i]->text());
        d.single = NumberOfText(txtTanshin[i]->text());
        rows[i].stored = d.age != 0 || !d.cost.isZero() || !d.comfort.isZero() ||
                         !d.minimum.isZero() || !d.single.isZero();
    }
    for (int r = 1; r <= 6; ++r) {
        const Row& row = rows[size_t(r)];
        if (row.stored && row.data.members == 0) {
            Msg::info(QStringLiteral("世帯人員が入力されていません。"));
            m_exits->moveFocus(txtSyotaisu[size_t(r)]);
            return;
        }
        // Besides a row of the same household and age, two stored rows that are the same
        // household without an age would be one row twice.
        for (int o = 1; o <= 6; ++o) {
            const Row& other = rows[size_t(o)];
            if (o != r && row.data.members == other.data.members &&
                row.data.age == other.data.age &&
                (other.data.age != 0 || (row.stored && other.stored))) {
                Msg::info(QStringLiteral("世帯人員，年齢が重複しています。"));
                m_exits->moveFocus(txtSyotaisu[size_t(r)]);
                return;
            }
        }
    }
    QVector<LivingCostRow> stored;
    for (int r = 1; r <= 6; ++r) {
        Row& row = rows[size_t(r)];
        if (!row.stored)
            continue;
        row.data.factor = NumberOfText(txtKakeRitsu->text());
        row.data.source = txtSyussyo->text();
        row.data.region = txtTiiki->text();
        row.data.surveyed = txtCyosaJiki->text();
        row.data.notes = txtNyuryokuchi->text();
        stored.push_back(row.data);
    }
    const SaveResult saved = SaveLivingCostTable(code, stored, Project::current()->companyYear());
    if (!saved.saved()) {
        // Reported; the table keeps its old rows and the form what was typed, unless another
        // person saved the code meanwhile: then the form shows theirs.
        if (saved.changedByOther()) {
            buildLists();
            moveTo(code);
        }
        return;
    }
    clearForm();
    buildLists();
    txtCureentNo->clear();
    m_state = Initial;
    setWindowModified(false);
    m_exits->moveFocus(cmbSeikeiID);
}

void TWS0050::btnDltClick() {
    if (!m_exits->checkFocused())
        return;
    if (cmbSeikeiID->currentText().trimmed().isEmpty()) {
        Msg::info(QStringLiteral("生計費コードが入力されていません。"));
        m_exits->moveFocus(cmbSeikeiID);
        return;
    }
    if (m_state == Initial) {
        m_exits->moveFocus(cmbSeikeiID);
        return;
    }
    const int code = typedCode();
    if (code <= 0)
        return;
    if (!Msg::yesNo(
            QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。"),
            QStringLiteral("削除"))) {
        m_exits->moveFocus(txtSyotaisu[1]);
        return;
    }
    if (!DeleteLivingCostTable(code))
        return;
    clearForm();
    buildLists();
    txtCureentNo->clear();
    m_state = Initial;
    setWindowModified(false);
    m_exits->moveFocus(cmbSeikeiID);
}

void TWS0050::btnCanselClick() {
    clearForm();
    txtCureentNo->clear();
    m_state = Initial;
    setWindowModified(false);
    m_exits->moveFocus(cmbSeikeiID);
}

bool TWS0050::askBeforeDropping(const QString& lastLine) {
    if (!isWindowModified())
        return true;
    if (Msg::yesNo(ChangedQuestion + lastLine, QStringLiteral("確認"))) {
        m_exits->moveFocus(txtSyotaisu[1]);
        return false;
    }
    return true;
}

void TWS0050::moveTo(int code) {
    clearForm();
    showCode(code);
    loadCode(code);
    setWindowModified(false);
    m_exits->moveFocus(txtSyotaisu[1]);
}

void TWS0050::btnFirstClick() {
    if (!m_exits->settle() || m_codes.isEmpty() || !askBeforeDropping(ToFirst))
        return;
    moveTo(m_codes.first().code.toInt());
}

void TWS0050::btnLastClick() {
    if (!m_exits->settle() || m_codes.isEmpty() || !askBeforeDropping(ToFirst))
        return;
    moveTo(m_codes.last().code.toInt());
}

void TWS0050::btnBackClick() {
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

void TWS0050::btnNextClick() {
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

void TWS0050::btnCloseClick() {
    close();
}

void TWS0050::closeEvent(QCloseEvent* event) {
    if (!askBeforeDropping(QStringLiteral("【いいえ】:画面を閉じます。"))) {
        event->ignore();
        return;
    }
    setWindowModified(false);
    m_closing = true;
    QDialog::closeEvent(event);
    m_closing = false;
}

void TWS0050::reject() {
    if (m_closing)
        QDialog::reject();
    else
        close();
}
