#pragma once

#include "core/project/ProjectCommands.h"

#include <QDialog>
#include <QPointer>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TWS0020;

// Company selection: lists the companies of one year; the gate of New, Open, Change, Delete.
class TWS0010 : public QDialog {
    Q_OBJECT
public:
    explicit TWS0010(QWidget* parent = nullptr);

    // Shows the selection modally for a project command; returns when it closes. Open opens
    // the chosen company in the project.
    void start(ProjectCommand command);
    // What start does before showing: buttons and caption for the command, the years up to
    // next year with this year chosen, the list of this year.
    void prepare(ProjectCommand command);

    // Whether this showing chose a company, or went on to register or change one.
    bool madeSelection() const { return m_madeSelection; }
    int currentRow() const { return m_currentRow; } // grid row (1 = first company)
    int listCode() const { return m_listKco; }      // the company of the chosen row, 0 none
    int year() const { return m_year; }             // the chosen year, 0 for a typed unknown
    int highestCode() const { return m_maxKco; }    // over every year
    // The company data screen it opens (made on first use).
    TWS0020* companyData();

public Q_SLOTS:
    void btnAddClick();
    void btnMntClick();
    void btnDltClick();
    void btnCloseClick();
    void cmbNendoChange();
    void StringGrid1Click(int row, int column); // grid rows and columns as the user sees them

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillYears();
    // Reads the companies of the chosen year into the grid and the highest code of any year.
    void fillList();
    QString cell(int row, int column) const;
    void takeRow(int row);

    QComboBox* cmbNendo;
    QTableWidget* StringGrid1;
    QPushButton* btnAdd;
    QPushButton* btnMnt;
    QPushButton* btnDlt;
    QPushButton* btnClose;
    QLabel* Lbl_Info;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;

    QPointer<TWS0020> m_companyData;
    ProjectCommand m_command = ProjectCommand::Open;
    bool m_madeSelection = false;
    int m_currentRow = 1;
    int m_year = 0;
    int m_listKco = 0;
    QString m_listKna;
    int m_maxKco = 0;
};
