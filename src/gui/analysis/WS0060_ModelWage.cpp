#include "gui/analysis/WS0060_ModelWage.h"

#include "core/analysis/ReferenceFields.h"
#include "core/common/DisplayTexts.h"
#include "core/common/Helpers.h"
#include "core/common/Messages.h"
#include "core/common/NumberText.h"
#include "data/analysis/ReferenceStore.h"
#include "data/db/RecordGuard.h"
#include "data/project/Project.h"
#include "gui/common/Controls.h"
#include "gui/common/FieldExits.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString ZeroCode = QStringLiteral("０は、入力できません。");

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

TWS0060::TWS0060(QWidget* parent) : QDialog(parent), m_exits(new FieldExits(this)) {
    setObjectName(QStringLiteral("WS0060"));
    setWindowTitle(QStringLiteral("モデル賃金　登録[*]"));
    setModal(true);
    build();
    setFixedSize(777, 566);
}

int TWS0060::model() const {
    return Project::current()->settings().MDCO;
}

TWS0060::~TWS0060() {
    // Hiding on the way out moves the focus; no check may run on the half-destroyed form.
    m_exits->detach();
}

void TWS0060::build() {
    auto* lay = new QVBoxLayout(this);
    const auto button = [this](const QString& name, const QString& text) {
        return CommandButton(this, name, text, Qt::TabFocus);
    };
    const auto modified = [this] {
        if (!m_loading)
            setWindowModified(true);
    };

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("賃金コード"), this));
    cmbSalaryID = CodeBox(this, QStringLiteral("cmbSalaryID"), 160);
    cmbSalaryID->lineEdit()->setMaxLength(12);
    top->addWidget(cmbSalaryID);
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
    txtNenrei = RightEdit(this, QStringLiteral("txtNenrei"), 5, 80);
    txtKinzoku = RightEdit(this, QStringLiteral("txtKinzoku"), 5, 80);
    txtKeiken = RightEdit(this, QStringLiteral("txtKeiken"), 5, 80);
    cmbSensyu = CodeBox(this, QStringLiteral("cmbSensyu"), 130);
    for (int k = 1; k <= 3; ++k)
        cmbSensyu->addItem(LineStyleText(k));
    txtKihon = RightEdit(this, QStringLiteral("txtKihon"), 9, 100);
    txtSyotei = RightEdit(this, QStringLiteral("txtSyotei"), 9, 100);
    txtBonus = RightEdit(this, QStringLiteral("txtBonus"), 9, 100);
    txtNensyu = RightEdit(this, QStringLiteral("txtNensyu"), 9, 100);
    const std::pair<const char*, QWidget*> left[] = {{"年　　齢", txtNenrei},
                                                     {"勤続年数", txtKinzoku},
                                                     {"経験年数", txtKeiken},
                                                     {"線　　種", cmbSensyu}};
    const std::pair<const char*, QWidget*> right[] = {{"基 本 給 (千円)", txtKihon},
                                                      {"所 定 給 (千円)", txtSyotei},
                                                      {"賞　　与 (千円)", txtBonus},
                                                      {"年　　収 (千円)", txtNensyu}};
    for (int r = 0; r < 4; ++r) {
        form->addWidget(new QLabel(QString::fromUtf8(left[r].first), this), r, 0);
        form->addWidget(left[r].second, r, 1, Qt::AlignLeft);
        form->addWidget(new QLabel(QString::fromUtf8(right[r].first), this), r, 2);
        form->addWidget(right[r].second, r, 3, Qt::AlignLeft);
    }
    lay->addLayout(form);
    for (QLineEdit* e :
         {txtNenrei, txtKinzoku, txtKeiken, txtKihon, txtSyotei, txtBonus, txtNensyu})
        connect(e, &QLineEdit::textChanged, this, modified);
    connect(cmbSensyu, &QComboBox::editTextChanged, this, modified);
    for (QLineEdit* e : {txtNenrei, txtKinzoku, txtKeiken})
        m_exits->add(e, [this, e] {
            const QString message = CheckFigureText(e->text(), 3);
            if (!message.isEmpty())
                return m_exits->refuse(e, message);
            e->setText(QString::number(WholeFigureOf(e->text())));
            return true;
        });
    for (QLineEdit* e : {txtKihon, txtSyotei, txtBonus, txtNensyu})
        m_exits->add(e, [this, e] {
            const QString message = CheckFigureText(e->text(), 6);
            if (!message.isEmpty())
                return m_exits->refuse(e, message);
            e->setText(FigureText(NumberOfText(e->text()), 0));
            return true;
        });
    m_exits->add(cmbSensyu, [this] { return cmbSensyuExit(); });

    StringGrid1 = Named(new QTableWidget(this), QStringLiteral("StringGrid1"));
    StringGrid1->setColumnCount(10);
    StringGrid1->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("賃金ｺｰﾄﾞ"), QStringLiteral("年齢"), QStringLiteral("勤続年数"),
         QStringLiteral("経験年数"), QStringLiteral("基本給"), QStringLiteral("所定給"),
         QStringLiteral("賞　与"), QStringLiteral("年　収"), QStringLiteral("線　種")});
    const int widths[] = {30, 60, 60, 60, 60, 70, 70, 70, 70, 55};
    for (int c = 0; c < 10; ++c)
        StringGrid1->setColumnWidth(c, widths[c]);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setStyleSheet(
        QStringLiteral("QTableWidget::item:selected { background: blue; color: white; }"));
    lay->addWidget(StringGrid1, 1);
    connect(StringGrid1, &QTableWidget::cellClicked, this, &TWS0060::StringGrid1Click);

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

    m_exits->add(cmbSalaryID, [this] { return cmbSalaryIDExit(); });
    m_exits->passWithoutCheck(btnCancel);
    m_exits->passWithoutCheck(btnClose);
    connect(cmbSalaryID, &QComboBox::editTextChanged, this, [this] { m_codeTyped = true; });
    connect(cmbSalaryID, &QComboBox::activated, this, [this] {
        m_codeTyped = true;
        cmbSalaryIDExit();
    });
    connect(btnAdd, &QPushButton::clicked, this, &TWS0060::btnAddClick);
    connect(btnDlt, &QPushButton::clicked, this, &TWS0060::btnDltClick);
    connect(btnCancel, &QPushButton::clicked, this, &TWS0060::btnCancelClick);
    connect(btnFirst, &QPushButton::clicked, this, &TWS0060::btnFirstClick);
    connect(btnBack, &QPushButton::clicked, this, &TWS0060::btnBackClick);
    connect(btnNext, &QPushButton::clicked, this, &TWS0060::btnNextClick);
    connect(btnLast, &QPushButton::clicked, this, &TWS0060::btnLastClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS0060::btnCloseClick);
}

void TWS0060::start() {
    PrepareScreen();
    exec();
}

void TWS0060::PrepareScreen() {
    clearForm();
    loadList();
    txtCureentNo->clear();
    if (m_rows.isEmpty())
        txtLastNo->clear();
    m_code = 0;
    setWindowModified(false);
}

void TWS0060::loadList() {
    m_rows = LoadModelWages(model());
    {
        const QSignalBlocker quiet(cmbSalaryID);
        const QString shown = cmbSalaryID->currentText();
        cmbSalaryID->clear();
        for (const ModelWageRow& r : m_rows)
            cmbSalaryID->addItem(QString::number(r.code) + QStringLiteral(" : ") +
                                 QString::number(r.age));
        cmbSalaryID->setCurrentIndex(-1);
        cmbSalaryID->setEditText(shown);
    }
    StringGrid1->clearContents();
    StringGrid1->setRowCount(std::max<int>(1, int(m_rows.size())));
    for (int i = 0; i < m_rows.size(); ++i) {
        const ModelWageRow& r = m_rows[i];
        const QString texts[] = {QString::number(i + 1),        QString::number(r.code),
                                 QString::number(r.age),        QString::number(r.service),
                                 QString::number(r.experience), r.basic.toString(),
                                 r.scheduled.toString(),        r.bonus.toString(),
                                 r.annual.toString(),           QString::number(r.lineKind)};
        for (int c = 0; c < 10; ++c)
            StringGrid1->setItem(i, c, cell(texts[c]));
    }
    if (m_rows.isEmpty()) {
        txtCureentNo->clear();
        txtLastNo->clear();
    } else {
        txtLastNo->setText(QString::number(m_rows.size()));
    }
    selectRow(0);
}

void TWS0060::selectRow(int row) {
    m_row = row;
    StringGrid1->clearSelection();
    if (row >= 1 && row <= m_rows.size()) {
        StringGrid1->selectRow(row - 1);
        StringGrid1->scrollToItem(StringGrid1->item(row - 1, 0));
        txtCureentNo->setText(QString::number(row));
    }
}

void TWS0060::clearForm() {
    m_exits->forget();
    m_loading = true;
    {
        const QSignalBlocker quiet(cmbSalaryID);
        cmbSalaryID->setCurrentIndex(-1);
        cmbSalaryID->setEditText(QString());
    }
    for (QLineEdit* e :
         {txtNenrei, txtKinzoku, txtKeiken, txtKihon, txtSyotei, txtBonus, txtNensyu})
        e->setText(QStringLiteral("0"));
    cmbSensyu->setCurrentIndex(-1);
    cmbSensyu->setEditText(LineStyleText(0));
    m_loading = false;
    m_state = Cleared;
    m_codeTyped = false;
}

void TWS0060::loadCode(int code) {
    const std::optional<ModelWageRow> r = LoadModelWage(model(), code);
    RememberLoadedModelWage(model(), code);
    if (!r) {
        m_state = NewCode;
        return;
    }
    m_loading = true;
    txtNenrei->setText(QString::number(r->age));
    txtKinzoku->setText(QString::number(r->service));
    txtKeiken->setText(QString::number(r->experience));
    cmbSensyu->setEditText(LineStyleText(r->lineKind));
    txtKihon->setText(FigureText(r->basic, 0));
    txtSyotei->setText(FigureText(r->scheduled, 0));
    txtBonus->setText(FigureText(r->bonus, 0));
    txtNensyu->setText(FigureText(r->annual, 0));
    m_loading = false;
    m_state = Stored;
}

bool TWS0060::cmbSalaryIDExit() {
    if (!m_codeTyped)
        return true;
    const QString text = cmbSalaryID->currentText().trimmed();
    if (text.isEmpty()) {
        m_codeTyped = false;
        setWindowModified(false);
        return true;
    }
    const CodeBoxCheck c = CheckCodeBoxText(text, ZeroCode);
    if (!c.ok())
        return m_exits->refuse(cmbSalaryID, c.message);
    if (c.code > 999)
        return m_exits->refuse(cmbSalaryID, QStringLiteral("入力範囲外です。"));
    m_code = c.code;
    {
        const QSignalBlocker quiet(cmbSalaryID);
        cmbSalaryID->setEditText(QString::number(c.code));
    }
    m_codeTyped = false;
    int row = 0;
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].code == c.code)
            row = i + 1;
    selectRow(row);
    loadCode(c.code);
    setWindowModified(false);
    return true;
}

bool TWS0060::cmbSensyuExit() {
    bool ok = false;
    const int kind = NthField(cmbSensyu->currentText().trimmed(), QLatin1Char(' '), 1).toInt(&ok);
    if (!ok)
        return m_exits->refuse(cmbSensyu, QStringLiteral("数値を入力してください。"));
    if (kind < 0 || kind > 3)
        return m_exits->refuse(cmbSensyu, QStringLiteral("入力範囲外です。"));
    cmbSensyu->setEditText(LineStyleText(kind));
    return true;
}

int TWS0060::typedCode() {
    const QString text = cmbSalaryID->currentText().trimmed();
    if (text.isEmpty())
        return 0;
    const CodeBoxCheck c = CheckCodeBoxText(text, ZeroCode);
    if (!c.ok()) {
        m_exits->refuse(cmbSalaryID, c.message);
        return -1;
    }
    return c.code;
}

void TWS0060::StringGrid1Click(int row, int column) {
    if (column == 0 || row < 0 || row >= m_rows.size())
        return;
    if (!m_exits->checkFocused())
        return;
    m_code = m_rows[row].code;
    clearForm();
    {
        const QSignalBlocker quiet(cmbSalaryID);
        cmbSalaryID->setEditText(QString::number(m_code));
    }
    selectRow(row + 1);
    loadCode(m_code);
    setWindowModified(false);
}

void TWS0060::btnAddClick() {
    if (!m_exits->checkFocused())
        return;
    if (!isWindowModified()) {
        Msg::info(QStringLiteral("ﾃﾞｰﾀの変更がありません。"));
        m_exits->moveFocus(txtNenrei);
        return;
    }
    // A wage needs its code: without one the row would be stored under whatever code was
    // shown last.
    const int code = cmbSalaryID->currentText().trimmed().isEmpty() ? 0 : m_code;
    if (code <= 0) {
        Msg::info(QStringLiteral("モデル賃金コードが入力されていません。"));
        m_exits->moveFocus(cmbSalaryID);
        return;
    }
    ModelWageRow r;
    r.code = code;
    r.age = WholeFigureOf(txtNenrei->text());
    r.service = WholeFigureOf(txtKinzoku->text());
    r.experience = WholeFigureOf(txtKeiken->text());
    bool ok = false;
    r.lineKind = NthField(cmbSensyu->currentText().trimmed(), QLatin1Char(' '), 1).toInt(&ok);
    if (!ok || r.lineKind < 0 || r.lineKind > 3)
        r.lineKind = 0;
    r.basic = NumberOfText(txtKihon->text());
    r.scheduled = NumberOfText(txtSyotei->text());
    r.bonus = NumberOfText(txtBonus->text());
    r.annual = NumberOfText(txtNensyu->text());
    bool failed = false;
    const bool exists = LoadModelWage(model(), code, &failed).has_value();
    if (failed)
        return;
    if (const SaveResult saved = SaveModelWage(model(), r, exists); !saved.saved()) {
        if (saved.changedByOther()) // said why; the form shows what they saved
            showSavedByOther(code);
        return;
    }
    clearForm();
    loadList();
    setWindowModified(false);
    m_exits->moveFocus(cmbSalaryID);
}

void TWS0060::btnDltClick() {
    if (!m_exits->checkFocused())
        return;
    if (cmbSalaryID->currentText().trimmed().isEmpty()) {
        Msg::info(QStringLiteral("モデル賃金コードが入力されていません。"));
        m_exits->moveFocus(cmbSalaryID);
        return;
    }
    const int code = typedCode();
    if (code <= 0)
        return;
    if (!Msg::yesNo(
            QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。"),
            QStringLiteral("削除"))) {
        m_exits->moveFocus(txtNenrei);
        return;
    }
    if (!DeleteModelWage(model(), code))
        return;
    clearForm();
    loadList();
    setWindowModified(false);
    m_exits->moveFocus(cmbSalaryID);
}

void TWS0060::btnCancelClick() {
    clearForm();
    selectRow(0);
    setWindowModified(false);
    m_exits->moveFocus(cmbSalaryID);
}

bool TWS0060::askBeforeDropping(const QString& lastLine) {
    if (!isWindowModified())
        return true;
    if (Msg::yesNo(QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r") + lastLine,
                   QStringLiteral("確認"))) {
        m_exits->moveFocus(txtNenrei);
        return false;
    }
    return true;
}

void TWS0060::moveTo(int row, const QString& position) {
    m_code = m_rows[row - 1].code;
    clearForm();
    {
        const QSignalBlocker quiet(cmbSalaryID);
        cmbSalaryID->setEditText(QString::number(m_code));
    }
    selectRow(row);
    txtCureentNo->setText(position);
    loadCode(m_code);
    setWindowModified(false);
}

void TWS0060::showSavedByOther(int code) {
    loadList();
    for (int row = 1; row <= m_rows.size(); ++row)
        if (m_rows[row - 1].code == code) {
            moveTo(row, QString::number(row));
            return;
        }
    // Deleted meanwhile: the code stays typed, as a new one.
    m_code = code;
    clearForm();
    {
        const QSignalBlocker quiet(cmbSalaryID);
        cmbSalaryID->setEditText(QString::number(code));
    }
    loadCode(code);
    setWindowModified(false);
}

void TWS0060::btnFirstClick() {
    if (!m_exits->settle() || m_rows.isEmpty() ||
        !askBeforeDropping(QStringLiteral("【いいえ】:最初のデータ　へ。")))
        return;
    moveTo(1, QStringLiteral("1"));
}

void TWS0060::btnLastClick() {
    if (!m_exits->settle() || m_rows.isEmpty() ||
        !askBeforeDropping(QStringLiteral("【いいえ】:最後のデータ　へ。")))
        return;
    moveTo(int(m_rows.size()), QString::number(m_rows.size()));
}

void TWS0060::btnBackClick() {
    if (!m_exits->settle() || m_rows.isEmpty())
        return;
    const int code = typedCode();
    if (code < 0)
        return;
    int target = 1;
    if (code != 0) {
        if (code <= m_rows.first().code)
            return;
        // The row above the shown code; a code not in the list goes by its place in it.
        target = 0;
        for (int i = 0; i < m_rows.size(); ++i)
            if (m_rows[i].code < code)
                target = i + 1;
    }
    if (target == 0 || !askBeforeDropping(QStringLiteral("【いいえ】:前のデータ　へ。")))
        return;
    moveTo(target, QString::number(target));
}

void TWS0060::btnNextClick() {
    if (!m_exits->settle() || m_rows.isEmpty())
        return;
    const int code = typedCode();
    if (code < 0)
        return;
    int target = int(m_rows.size());
    if (code != 0) {
        if (code >= m_rows.last().code)
            return;
        target = 0;
        for (int i = 0; i < m_rows.size(); ++i)
            if (m_rows[i].code > code) {
                target = i + 1;
                break;
            }
    }
    if (target == 0 || !askBeforeDropping(QStringLiteral("【いいえ】:次のデータ　へ。")))
        return;
    moveTo(target, QString::number(target));
}

void TWS0060::btnCloseClick() {
    close();
}

void TWS0060::closeEvent(QCloseEvent* event) {
    if (!askBeforeDropping(QStringLiteral("【いいえ】:画面を閉じます。"))) {
        event->ignore();
        return;
    }
    setWindowModified(false);
    m_closing = true;
    QDialog::closeEvent(event);
    m_closing = false;
}

void TWS0060::reject() {
    if (m_closing)
        QDialog::reject();
    else
        close();
}
