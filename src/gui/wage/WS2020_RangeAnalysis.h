#pragma once

#include "core/analysis/RangeReport.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;
class QTabWidget;

// Where each employee's linked base pay lies in the salary-scale range of the grade: per grade
// on the first page, per employee (sortable by clicking a heading) on the second, with those
// that cannot be placed listed apart. Prints through the preview and saves a workbook.
class TWS2020 : public QDialog {
    Q_OBJECT
public:
    explicit TWS2020(QWidget* parent = nullptr);
    ~TWS2020() override;

    // Reads the open company year and shows the screen modally; a year without a wage table
    // or without its salary scale is refused with a message instead.
    void start();
    // What start does before showing; false (after the message) when there is nothing to show.
    bool prepare();

    const RangeReport& report() const { return m_report; }

public Q_SLOTS:
    void btnPrintClick();
    void btnExcelClick();
    void btnCloseClick();

private:
    void fillGrades();
    void fillEmployees();

    QLabel* lblHead;
    QTabWidget* PageControl1;
    QTableWidget* grdGrade;
    QTableWidget* grdEmployee;
    QLabel* lblApart;
    QTableWidget* grdApart;
    QLabel* lblDefinition;
    QPushButton* btnPrint;
    QPushButton* btnExcel;
    QPushButton* btnClose;

    RangeReport m_report;
};
