#pragma once

#include "core/analysis/ReferenceCurves.h"

#include <QDialog>

class FieldExits;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

// "モデル賃金　登録": the points of the company's model wage series: per wage code an age,
// years of service and experience, the four amounts in thousand yen and the line it is drawn
// with. Shared by every company naming the same model code.
class TWS0060 : public QDialog {
    Q_OBJECT
public:
    explicit TWS0060(QWidget* parent);
    ~TWS0060() override;

    void start();
    void PrepareScreen();

public Q_SLOTS:
    void btnAddClick();
    void btnDltClick();
    void btnCancelClick();
    void btnFirstClick();
    void btnBackClick();
    void btnNextClick();
    void btnLastClick();
    void btnCloseClick();
    void StringGrid1Click(int row, int column);
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum State { Cleared = 0, NewCode = 1, Stored = 2 };

    void build();
    void loadList();
    void clearForm();
    void loadCode(int code);
    void selectRow(int row); // 1-based, 0 none
    bool cmbSalaryIDExit();
    bool cmbSensyuExit();
    bool askBeforeDropping(const QString& lastLine);
    // After a save refused over another person's: the list and the code as stored now.
    void showSavedByOther(int code);
    void moveTo(int row, const QString& position);
    int typedCode();
    int model() const;

    QComboBox* cmbSalaryID;
    QLineEdit* txtCureentNo;
    QLineEdit* txtLastNo;
    QLineEdit* txtNenrei;
    QLineEdit* txtKinzoku;
    QLineEdit* txtKeiken;
    QComboBox* cmbSensyu;
    QLineEdit* txtKihon;
    QLineEdit* txtSyotei;
    QLineEdit* txtBonus;
    QLineEdit* txtNensyu;
    QTableWidget* StringGrid1;
    QPushButton* btnAdd;
    QPushButton* btnDlt;
    QPushButton* btnCancel;
    QPushButton* btnFirst;
    QPushButton* btnBack;
    QPushButton* btnNext;
    QPushButton* btnLast;
    QPushButton* btnClose;

    FieldExits* m_exits;
    QVector<ModelWageRow> m_rows; // the grid, by wage code
    int m_code = 0;               // the current wage code
    int m_row = 0;                // the current grid row, 1-based
    State m_state = Cleared;
    bool m_codeTyped = false;
    bool m_closing = false;
    bool m_loading = false;
};
