#include "gui/common/EmployeeRecordEditor.h"

#include "core/common/Counts.h"
#include "core/common/NumberText.h"
#include "core/masters/EmployeeFieldChecks.h"
#include "data/project/Project.h"
#include "gui/common/Controls.h"
#include "gui/common/EmployeeGrid.h"
#include "gui/common/ListPressGuard.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>

namespace {
const char* const FullWidthDigits[] = {"", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
} // namespace

EmployeeRecordEditor::EmployeeRecordEditor(QWidget* parent, const QString& name,
                                           const QString& title)
    : RecordEditor(parent, Moves::ByRow, name, title) {
    centreOnStart();
}

void EmployeeRecordEditor::buildList(QComboBox* codeBox, EmployeeGridModel* list,
                                     const QList<int>& widths, NumberColumn number) {
    m_codeBox = codeBox;
    m_grid = list;
    m_number = number;
    rgGrade = new QGroupBox(QStringLiteral("等級"), this);
    rgGrade->setObjectName(QStringLiteral("rgGrade"));
    auto* grades = new QHBoxLayout(rgGrade);
    grades->setContentsMargins(8, 2, 8, 2);
    for (int g = 0; g <= MaxGrades; ++g) {
        auto* r = new QRadioButton(g == 0 ? QStringLiteral("全て")
                                          : QString::fromUtf8(FullWidthDigits[g]) +
                                                QStringLiteral("等級"),
                                   rgGrade);
        r->setObjectName(QStringLiteral("optGrade%1").arg(g));
        optGrade[size_t(g)] = r;
        grades->addWidget(r);
    }
    grades->addStretch(1);
    optGrade[0]->setChecked(true);
    StringGrid1 = list->makeView(this, widths);
}

CodeBoxCheck EmployeeRecordEditor::employeeCode(const QString& text) {
    const CodeCheck c = CheckEmployeeCodeText(text);
    return {c.message, c.code};
}

bool EmployeeRecordEditor::amountExit(QLineEdit* box) {
    const FieldCheck c = CheckMoneyText(box->text(), 8);
    if (!c.ok())
        return m_exits->refuse(box, c.message);
    box->setText(c.shown);
    return true;
}

void EmployeeRecordEditor::buildPayCaptions() {
    const auto caption = [this](const QString& name) {
        auto* l = Named(new QLabel(this), name);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    for (int i = 1; i <= BasePayItemCount; ++i)
        lblKihon[size_t(i)] = caption(QStringLiteral("lblKihon%1").arg(i));
    for (int i = 1; i <= AllowanceCount; ++i)
        lblTeate[size_t(i)] = caption(QStringLiteral("lblTeate%1").arg(i));
}

void EmployeeRecordEditor::showPayCaptions() {
    const TMKIGYOU2& c = Project::current()->settings();
    for (int i = 1; i <= BasePayItemCount; ++i)
        lblKihon[size_t(i)]->setText(c.KKNA[size_t(i)]);
    for (int i = 1; i <= AllowanceCount; ++i)
        lblTeate[size_t(i)]->setText(c.TNA[size_t(i)]);
}

bool EmployeeRecordEditor::choosable(const QModelIndex& index) const {
    // Where the running number is not a choice, a click on it chooses nothing.
    return m_number == NumberColumn::Chooses || index.column() != EmployeeGridModel::No;
}

void EmployeeRecordEditor::connectList() {
    m_gradeGroup = new QButtonGroup(this);
    for (int g = 0; g <= MaxGrades; ++g)
        m_gradeGroup->addButton(optGrade[size_t(g)], g);
    connect(m_gradeGroup, &QButtonGroup::idClicked, this, &EmployeeRecordEditor::gradeFilterClick);

    connect(StringGrid1, &QTableView::clicked, this, [this](const QModelIndex& index) {
        const int row = index.row() + 1;
        if (choosable(index) && !(m_highlight && m_currentRow == row))
            StringGrid1Click(row);
    });
    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (m_settingCursor || !current.isValid() ||
                    !choosable(StringGrid1->currentIndex()))
                    return;
                if (!mayLeaveFor(current.row() + 1)) {
                    // Kept: the cursor goes back to the edited employee's row.
                    setCursorRow(previous.isValid() ? previous.row() + 1 : 1);
                    return;
                }
                StringGrid1Click(current.row() + 1);
            });
    // A click asks before the list moves its cursor, so that a kept screen keeps its row.
    new ListPressGuard(StringGrid1, [this](const QModelIndex& index) {
        return !index.isValid() || !choosable(index) || mayLeaveFor(index.row() + 1);
    });
}

void EmployeeRecordEditor::listShown() {
    setCodes(m_grid->codes());
    txtCureentNo->clear();
    txtLastNo->setText(codes().isEmpty() ? QString() : QString::number(codes().size()));
    setHighlight(false);
    setCursorRow(1);
}

void EmployeeRecordEditor::setCursorRow(int gridRow) {
    m_settingCursor = true;
    StringGrid1->setCurrentIndex(m_grid->index(qMax(0, gridRow - 1), 1));
    m_settingCursor = false;
    setHighlight(m_highlight);
}

void EmployeeRecordEditor::setHighlight(bool on) {
    m_highlight = on;
    const QModelIndex cursor = StringGrid1->currentIndex();
    m_grid->setHighlightedRow(on && cursor.isValid() ? cursor.row() + 1 : 0);
}

void EmployeeRecordEditor::StringGrid1Click(int gridRow) {
    if (gridRow < 1 || gridRow > m_grid->rowCount() || m_grid->isBlank(gridRow))
        return;
    if (!mayLeaveFor(gridRow))
        return;
    m_currentRow = gridRow;
    setCursorRow(gridRow);
    setHighlight(true);
    txtCureentNo->setText(QString::number(gridRow));
    m_currentCode = m_grid->codeAt(gridRow);
    m_codeBox->setEditText(QString::number(m_currentCode));
    rowChosen(gridRow);
}

void EmployeeRecordEditor::selectRowOfCode(int code) {
    const int row = m_grid->gridRowOf(code);
    if (row == 0)
        return; // a code not listed: the form keeps what it shows (a new employee's code)
    m_currentRow = row;
    setCursorRow(row);
    loadEmployee(code);
}

bool EmployeeRecordEditor::mayLeaveFor(int gridRow) {
    if (!isWindowModified() || gridRow < 1 || gridRow > m_grid->rowCount() ||
        m_grid->isBlank(gridRow) || (m_highlight && gridRow == m_currentRow))
        return true;
    if (!askBeforeDropping(ListChoiceQuestionLine()))
        return false;
    setWindowModified(false); // dropped: the chosen row's employee is loaded next
    return true;
}

RecordEditor::Place EmployeeRecordEditor::place() {
    return {m_currentCode, m_currentRow, m_codeBox->currentText().trimmed().isEmpty()};
}

void EmployeeRecordEditor::showMoved(ListMove move, int code, int row) {
    m_highlight = true;
    m_currentCode = code;
    selectRowOfCode(code);
    m_codeBox->setEditText(QString::number(code));
    txtCureentNo->setText(QString::number(row));
    setHighlight(true);
    StringGrid1->viewport()->update();
    setWindowModified(false);
    movedTo(move);
}
