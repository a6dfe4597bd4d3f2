#pragma once

#include "core/common/CompanySettings.h"
#include "gui/common/RecordEditor.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "モデルデータ　登録": the descriptions of the model wage series (name, source, region,
// establishments, time of survey, industry, size, remarks), shared by every company.
class TWS0080 : public RecordEditor {
    Q_OBJECT
public:
    explicit TWS0080(QWidget* parent);

    // Opens on the company's model code.
    void PrepareScreen();
    void prepare() override { PrepareScreen(); }

public Q_SLOTS:
    void btnAddClick();
    void btnDltClick();
    void btnCancelClick();

protected:
    void showMoved(ListMove move, int code, int row) override;
    void focusKeptEdits() override;
    void reloadStored(int code) override;

private:
    void build();
    void buildLists();
    void clearForm();
    void loadCode(int code);
    bool cmbModelIDExit();
    void moveTo(int code);
    // Back to the empty form after a save or a delete.
    void clearAfterWrite();

    QComboBox* cmbModelID;
    QLineEdit* txtSalaryName;
    QLineEdit* txtSyussyo;
    QLineEdit* txtChiiki;
    QLineEdit* txtJigyosyosuu;
    QLineEdit* txtCyousabi;
    QLineEdit* txtGyousyu;
    QLineEdit* txtKibo;
    QPlainTextEdit* txtBikou;

    CodeList m_codes; // ModelDataCodeList: code and wage name
    int m_code = 0;   // the current model code
};
