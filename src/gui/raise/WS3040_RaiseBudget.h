#pragma once

#include "core/raise/RaiseBudget.h"

#include <QDialog>
#include <QVector>

class FieldExits;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

// "昇給原資": what the year's raises cost per grade, per mark and in total, with the base pay's
// raise split into 定期昇給 and ベースアップ; the two settings of the annual cost (bonus months,
// on-cost rate) are edited and registered here, and the budget printed or saved as a workbook.
class TWS3040 : public QDialog {
    Q_OBJECT
public:
    explicit TWS3040(QWidget* parent = nullptr);
    ~TWS3040() override;

    // Loads the settings and the raise input of the open company year and shows the screen
    // modally; nothing is shown when a read failed (the data module has said why).
    void start();
    // What start does before showing; false when a read failed.
    bool prepare();

    const RaiseBudget& budget() const { return m_budget; }

public Q_SLOTS:
    void btnAddClick();
    void btnPrintClick();
    void btnExcelClick();
    void btnCloseClick();
    void reject() override;

private:
    bool monthsExit();
    bool rateExit();
    // The tables from the settings in the boxes.
    void recompute();
    void fill(QTableWidget* grid, int section);
    // Runs the check of the focused box; false when it was refused.
    bool settled();

    QLineEdit* txtSyouyo;
    QLineEdit* txtHutan;
    QPushButton* btnAdd;
    QTabWidget* tabBudget;
    QTableWidget* grdGrade;
    QTableWidget* grdMark;
    QLabel* labNote;
    QLabel* labNoTable;
    QPushButton* btnPrint;
    QPushButton* btnExcel;
    QPushButton* btnClose;

    FieldExits* m_exits;
    QVector<RaiseRecord> m_employees;
    RaiseBudgetSettings m_settings; // as the boxes hold them
    RaiseBudget m_budget;
};
