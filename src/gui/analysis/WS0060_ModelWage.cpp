#include "gui/analysis/WS0060_ModelWage.h"

#include "core/analysis/ReferenceFields.h"
#include "core/common/DisplayTexts.h"
#include "core/common/Helpers.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/common/NumberText.h"
#include "data/analysis/ReferenceStore.h"
#include "data/db/RecordGuard.h"
#include "data/project/Project.h"
#include "gui/common/Controls.h"
#include "gui/common/FieldExits.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString NoCode = QStringLiteral("モデル賃金コードが入力されていません。");

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

TWS0060::TWS0060(QWidget* parent)
    : RecordEditor(parent, Moves::ByCode, QStringLiteral("WS0060"),
                   QStringLiteral("モデル賃金　登録[*]")) {
    build();
    fixMasterWindow();
}

int TWS0060::model() const {
    return Project::current()->settings().MDCO;
}

void TWS0060::build() {
    auto* lay = new QVBoxLayout(this);
    cmbSalaryID = addCodeRow(lay, QStringLiteral("賃金コード"), QStringLiteral("cmbSalaryID"), 160);
    cmbSalaryID->lineEdit()->setMaxLength(12);

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
        connect(e, &QLineEdit::textChanged, this, &TWS0060::markChanged);
    connect(cmbSensyu, &QComboBox::editTextChanged, this, &TWS0060::markChanged);
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

    addMasterCommands(
        lay, QStringLiteral("btnCancel"), [this] { btnAddClick(); }, [this] { btnDltClick(); },
        [this] { btnCancelClick(); });
    watchCodeBox(cmbSalaryID, masterCode(QStringLiteral("０は、入力できません。")),
                 [this] { return cmbSalaryIDExit(); });
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
    QVector<int> codes;
    QStringList items;
    for (const ModelWageRow& r : m_rows) {
        codes << r.code;
        items << QString::number(r.code) + QStringLiteral(" : ") + QString::number(r.age);
    }
    setCodes(codes);
    fillCodeBox(cmbSalaryID, items);
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
    m_codeTyped = false;
}

void TWS0060::loadCode(int code) {
    const std::optional<ModelWageRow> r = LoadModelWage(model(), code);
    RememberLoadedModelWage(model(), code);
    if (!r) {
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
}

bool TWS0060::cmbSalaryIDExit() {
    const TypedCode typed = takeTypedCode();
    if (typed.emptied)
        setWindowModified(false);
    if (typed.code == 0)
        return !typed.refused;
    if (typed.code > 999)
        return m_exits->refuse(cmbSalaryID, MsgText::OutOfRange());
    m_code = typed.code;
    {
        const QSignalBlocker quiet(cmbSalaryID);
        cmbSalaryID->setEditText(QString::number(typed.code));
    }
    m_codeTyped = false;
    selectRow(rowOf(typed.code));
    loadCode(typed.code);
    setWindowModified(false);
    return true;
}

bool TWS0060::cmbSensyuExit() {
    bool ok = false;
    const int kind = NthField(cmbSensyu->currentText().trimmed(), QLatin1Char(' '), 1).toInt(&ok);
    if (!ok)
        return m_exits->refuse(cmbSensyu, MsgText::EnterNumber());
    if (kind < 0 || kind > 3)
        return m_exits->refuse(cmbSensyu, MsgText::OutOfRange());
    cmbSensyu->setEditText(LineStyleText(kind));
    return true;
}

void TWS0060::StringGrid1Click(int row, int column) {
    if (column == 0 || row < 0 || row >= m_rows.size())
        return;
    if (m_exits->checkFocused())
        moveTo(row + 1);
}

void TWS0060::btnAddClick() {
    if (!m_exits->checkFocused())
        return;
    if (!isWindowModified()) {
        Msg::info(MsgText::NoChange());
        m_exits->moveFocus(txtNenrei);
        return;
    }
    // A wage needs its code: without one the row would be stored under whatever code was
    // shown last.
    const int code = cmbSalaryID->currentText().trimmed().isEmpty() ? 0 : m_code;
    if (code <= 0) {
        Msg::info(NoCode);
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
    // Refused over another person's change, the form shows what they saved.
    const SaveResult saved = SaveModelWage(model(), r, exists);
    if (!showChangedByOther(saved, code) && saved.saved())
        clearAfterWrite();
}

void TWS0060::btnDltClick() {
    const int code = codeToDelete(NoCode, true, txtNenrei);
    if (code > 0 && DeleteModelWage(model(), code))
        clearAfterWrite();
}

void TWS0060::clearAfterWrite() {
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

void TWS0060::focusKeptEdits() {
    m_exits->moveFocus(txtNenrei);
}

void TWS0060::showMoved(ListMove, int, int row) {
    moveTo(row);
}

void TWS0060::moveTo(int row) {
    m_code = m_rows[row - 1].code;
    clearForm();
    {
        const QSignalBlocker quiet(cmbSalaryID);
        cmbSalaryID->setEditText(QString::number(m_code));
    }
    selectRow(row);
    loadCode(m_code);
    setWindowModified(false);
}

void TWS0060::reloadStored(int code) {
    loadList();
    if (const int row = rowOf(code); row != 0) {
        moveTo(row);
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
