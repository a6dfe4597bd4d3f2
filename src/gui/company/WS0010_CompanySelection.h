#pragma once

#include <QDialog>

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
    explicit TWS0010(QWidget* mainWindow, QWidget* parent = nullptr);

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

    TWS0020* WS0020 = nullptr; // the company data screen it opens

    // Run by the main window before every showing and by the company data screen after a
    // register or delete.
    void prepare();
    // Reads the companies of SelNendo into the grid and takes MaxKco over all years.
    void fillList();

    int MaxKco = 0;
    QString ListKna;
    QString ListPath;
    int currentRow() const { return m_currentRow; } // grid row (1 = first company)

public Q_SLOTS:
    void btnAddClick();
    void btnMntClick();
    void btnDltClick();
    void btnCloseClick();
    void cmbNendoChange();
    void StringGrid1Click(int row, int column); // grid rows and columns as the user sees them

Q_SIGNALS:
    // A company was opened: the main window's caption.
    void projectCaptionChosen(const QString& caption);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString cell(int row, int column) const;
    void takeRow(int row);
    void openCompanyData();
    QWidget* m_main;
    int m_currentRow = 1;
};
