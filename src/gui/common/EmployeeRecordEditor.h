#pragma once

#include "core/common/Counts.h"
#include "gui/common/RecordEditor.h"

#include <array>

class EmployeeGridModel;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QRadioButton;
class QTableView;

// A record editor over the employees of the open year: the form above, the list below it with
// a filter by grade, and a code box. Choosing a row of the list (a click, the arrow keys) loads
// that employee, asking first when it would drop unsaved edits; the chosen row is highlighted.
class EmployeeRecordEditor : public RecordEditor {
    Q_OBJECT
public:
    // Screen state (also read by tests).
    int currentCode() const { return m_currentCode; }
    int currentRow() const { return m_currentRow; }
    bool highlighted() const { return m_highlight; }
    int gradeFilter() const { return m_filter; }

public Q_SLOTS:
    // Chooses a grid row (from 1) as a click on it does.
    void StringGrid1Click(int gridRow);
    virtual void gradeFilterClick(int grade) = 0;

protected:
    enum class NumberColumn { Chooses, DoesNotChoose };

    EmployeeRecordEditor(QWidget* parent, const QString& name, const QString& title);

    // Makes the grade filter and the list over `list` (its columns `widths` wide); `codeBox`
    // is the box whose code the list follows.
    void buildList(QComboBox* codeBox, EmployeeGridModel* list, const QList<int>& widths,
                   NumberColumn number);
    // Wires the list and the grade filter.
    void connectList();
    // An employee's code as the code box takes it.
    static CodeBoxCheck employeeCode(const QString& text);
    // Leaving an amount box: the amount shown grouped; false when refused (told, the focus
    // back in the box).
    bool amountExit(QLineEdit* box);
    // The captions of the three base pay items and the five allowances: made, and shown as
    // the company names them.
    void buildPayCaptions();
    void showPayCaptions();
    // After the list is loaded: the moves follow it, its count is shown, nothing is chosen
    // and the cursor is on the first row.
    void listShown();

    void setCursorRow(int gridRow);
    void setHighlight(bool on);
    // Moves the cursor onto the code's row and loads the employee; a code not listed leaves
    // the form as it is.
    void selectRowOfCode(int code);
    // A row chosen in the list asks first, as the move buttons do, when it would drop unsaved
    // input; false when the user keeps the screen.
    bool mayLeaveFor(int gridRow);

    // Loads and shows the stored employee; false when there is none (or the read failed).
    virtual bool loadEmployee(int code) = 0;
    // Shows the employee of a row chosen in the list, whose code the code box now shows.
    virtual void rowChosen(int gridRow) = 0;
    // After a move has shown the employee it reached.
    virtual void movedTo(ListMove move) = 0;

    Place place() override;
    void showMoved(ListMove move, int code, int row) final;

    std::array<QLabel*, BasePayItemCount + 1> lblKihon{}; // [1..3]
    std::array<QLabel*, AllowanceCount + 1> lblTeate{};   // [1..5]
    QGroupBox* rgGrade = nullptr;
    std::array<QRadioButton*, 10> optGrade{}; // [0] 全て, [1..9] one grade
    QTableView* StringGrid1 = nullptr;
    QButtonGroup* m_gradeGroup = nullptr;

    int m_currentCode = 0;
    int m_currentRow = 0; // grid row of the chosen employee
    bool m_highlight = false;
    int m_filter = 0; // grade filter, 0 all
    bool m_settingCursor = false;

private:
    bool choosable(const QModelIndex& index) const;

    QComboBox* m_codeBox = nullptr;
    EmployeeGridModel* m_grid = nullptr;
    NumberColumn m_number = NumberColumn::Chooses;
};
