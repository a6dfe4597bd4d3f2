#pragma once

#include "core/analysis/ReferenceCurves.h"
#include "gui/common/RecordEditor.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

// "モデル賃金　登録": the points of the company's model wage series: per wage code an age,
// years of service and experience, the four amounts in thousand yen and the line it is drawn
// with. Shared by every company naming the same model code.
class TWS0060 : public RecordEditor {
    Q_OBJECT
public:
    explicit TWS0060(QWidget* parent);

    void PrepareScreen();
    void prepare() override { PrepareScreen(); }

public Q_SLOTS:
    void btnAddClick();
    void btnDltClick();
    void btnCancelClick();
    void StringGrid1Click(int row, int column);

protected:
    void showMoved(ListMove move, int code, int row) override;
    void focusKeptEdits() override;
    // After a save refused over another person's: the list and the code as stored now.
    void reloadStored(int code) override;

private:
    void build();
    void loadList();
    void clearForm();
    void loadCode(int code);
    void selectRow(int row); // 1-based, 0 none
    bool cmbSalaryIDExit();
    bool cmbSensyuExit();
    void moveTo(int row);
    // Back to the empty form after a save or a delete.
    void clearAfterWrite();
    int model() const;

    QComboBox* cmbSalaryID;
    QLineEdit* txtNenrei;
    QLineEdit* txtKinzoku;
    QLineEdit* txtKeiken;
    QComboBox* cmbSensyu;
    QLineEdit* txtKihon;
    QLineEdit* txtSyotei;
    QLineEdit* txtBonus;
    QLineEdit* txtNensyu;
    QTableWidget* StringGrid1;

    QVector<ModelWageRow> m_rows; // the grid, by wage code
    int m_code = 0;               // the current wage code
    int m_row = 0;                // the current grid row, 1-based
};
