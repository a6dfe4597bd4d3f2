#include "gui/raise/WS3020_EvaluationConversion.h"

#include "core/common/Messages.h"
#include "data/db/RecordGuard.h"
#include "data/project/Project.h"
#include "data/raise/RaiseStore.h"
#include "gui/common/Controls.h"
#include "gui/common/Hourglass.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

bool isEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

Qt::Alignment alignmentOf(int column) {
    return (column == GridSymbol ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
}

} // namespace

QWidget* EvaluationCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                              const QModelIndex& index) const {
    auto* e = new QLineEdit(parent);
    e->setFrame(false);
    e->setAlignment(alignmentOf(index.column()));
    // Codes and steps are typed without the input method, symbols (such as ＳＡＢ) with it.
    e->setAttribute(Qt::WA_InputMethodEnabled, index.column() == GridSymbol);
    return e;
}

void EvaluationCellDelegate::finish(QWidget* editor) {
    Q_EMIT commitData(editor);
    Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool EvaluationCellDelegate::eventFilter(QObject* object, QEvent* event) {
    if (isEnter(event)) {
        if (auto* editor = qobject_cast<QWidget*>(object)) {
            finish(editor);
            Q_EMIT enterPressed();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

TWS3020::TWS3020(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WS3020"));
    setWindowTitle(QStringLiteral("評価の変換"));

    StringGrid1 = new QTableWidget(0, 4, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setHorizontalHeaderLabels({QString(), QStringLiteral("評価ｺｰﾄﾞ"),
                                            QStringLiteral("評価記号"), QStringLiteral("昇号数")});
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(24);
    StringGrid1->horizontalHeader()->setFixedHeight(24);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    StringGrid1->horizontalHeader()->setHighlightSections(false);
    for (int c = 0; c < 4; ++c)
        StringGrid1->setColumnWidth(c, c == GridNumber ? 30 : 70);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    StringGrid1->setEditTriggers(QAbstractItemView::AnyKeyPressed |
                                 QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed);
    StringGrid1->setTabKeyNavigation(true);
    m_delegate = new EvaluationCellDelegate(StringGrid1);
    StringGrid1->setItemDelegate(m_delegate);
    StringGrid1->installEventFilter(this);
    connect(m_delegate, &EvaluationCellDelegate::enterPressed, this, &TWS3020::StringGrid1KeyEnter);

    // A click leaves the text being typed in its cell, which the command takes first.
    btnAdd = CommandButton(this, QStringLiteral("btnAdd"), QStringLiteral("登　録"), Qt::TabFocus);
    btnClose =
        CommandButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"), Qt::TabFocus);
    connect(btnAdd, &QPushButton::clicked, this, &TWS3020::btnAddClick);
    connect(btnClose, &QPushButton::clicked, this, &TWS3020::btnCloseClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnAdd);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(10, 10, 10, 10);
    form->addLayout(buttons);
    form->addWidget(StringGrid1, 1);
    setFixedSize(340, 473);
}

TWS3020::~TWS3020() = default;

void TWS3020::start() {
    setAttribute(Qt::WA_Moved, false); // shown centred over the window that opened it
    load();
    exec();
}

void TWS3020::load() {
    EvaluationCodes codes;
    LoadEvaluationCodes(Project::current()->companyYear(), codes, true);
    showRows(EvaluationGridRows(codes));
    goTo(0, GridCode);
}

void TWS3020::showRows(const QVector<EvaluationGridRow>& rows) {
    StringGrid1->setRowCount(0);
    StringGrid1->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        setRow(r, rows[r]);
}

void TWS3020::setRow(int row, const EvaluationGridRow& r) {
    auto* number = new QTableWidgetItem(QString::number(row + 1));
    number->setFlags(Qt::ItemIsEnabled);
    number->setTextAlignment(Qt::AlignCenter);
    number->setBackground(palette().color(QPalette::Button));
    StringGrid1->setItem(row, GridNumber, number);
    const QString texts[] = {QString(), r.code, r.symbol, r.steps};
    for (int c = GridCode; c <= GridSteps; ++c) {
        auto* item = new QTableWidgetItem(texts[c]);
        item->setTextAlignment(alignmentOf(c));
        StringGrid1->setItem(row, c, item);
    }
}

QVector<EvaluationGridRow> TWS3020::rows() const {
    QVector<EvaluationGridRow> out;
    auto text = [this](int r, int c) {
        const QTableWidgetItem* item = StringGrid1->item(r, c);
        return item ? item->text() : QString();
    };
    for (int r = 0; r < StringGrid1->rowCount(); ++r)
        out << EvaluationGridRow{text(r, GridCode), text(r, GridSymbol), text(r, GridSteps)};
    return out;
}

void TWS3020::goTo(int row, int column) {
    StringGrid1->setCurrentCell(row, column);
    StringGrid1->setFocus(Qt::OtherFocusReason);
}

void TWS3020::finishEditing() {
    QWidget* editor = QApplication::focusWidget();
    if (editor && StringGrid1->viewport()->isAncestorOf(editor))
        m_delegate->finish(editor);
}

void TWS3020::StringGrid1KeyEnter() {
    const int row = StringGrid1->currentRow();
    const int column = StringGrid1->currentColumn();
    if (row < 0)
        return;
    const int last = StringGrid1->rowCount() - 1;
    if (column == GridSteps && row == last) {
        const QVector<EvaluationGridRow> all = rows();
        StringGrid1->insertRow(last + 1);
        setRow(last + 1, NextEvaluationRow(all.last()));
        goTo(last + 1, GridSymbol);
    } else if (column == GridSteps) {
        goTo(row + 1, GridSymbol);
    } else if (column == GridCode || column == GridSymbol) {
        goTo(row, column + 1);
    } else {
        goTo(row, GridCode);
    }
    StringGrid1->edit(StringGrid1->currentIndex());
}

bool TWS3020::eventFilter(QObject* object, QEvent* event) {
    // While a cell is edited its editor has the keys; this is Enter on the grid itself.
    if (object == StringGrid1 && isEnter(event)) {
        StringGrid1KeyEnter();
        return true;
    }
    return QDialog::eventFilter(object, event);
}

void TWS3020::btnAddClick() {
    finishEditing();
    const QVector<EvaluationGridRow> all = rows();
    // Every row is checked before anything is written.
    if (const std::optional<EvaluationGridProblem> problem = CheckEvaluationGrid(all)) {
        Msg::info(problem->message);
        goTo(problem->row, problem->column);
        return;
    }
    {
        Hourglass wait;
        const SaveResult saved =
            SaveEvaluationCodes(Project::current()->companyYear(), EvaluationCodesOfGrid(all));
        if (!saved.saved()) {
            // Nothing written and said why; another person's codes replace the edits.
            if (saved.changedByOther())
                load();
            return;
        }
    }
    load();
}

void TWS3020::btnCloseClick() {
    finishEditing();
    reject();
}
