#pragma once

#include "core/common/CompanySettings.h"

#include <QDialog>

class FieldExits;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "モデルデータ　登録": the descriptions of the model wage series (name, source, region,
// establishments, time of survey, industry, size, remarks), shared by every company.
class TWS0080 : public QDialog {
    Q_OBJECT
public:
    explicit TWS0080(QWidget* parent);
    ~TWS0080() override;

    // Opens on the company's model code.
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
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum State { Cleared = 0, NewCode = 1, Stored = 2 };

    void build();
    void buildLists();
    void clearForm();
    void loadCode(int code);
    bool cmbModelIDExit();
    bool askBeforeDropping(const QString& lastLine);
    void moveTo(int code);
    int typedCode();

    QComboBox* cmbModelID;
    QLineEdit* txtCureentNo;
    QLineEdit* txtLastNo;
    QLineEdit* txtSalaryName;
    QLineEdit* txtSyussyo;
    QLineEdit* txtChiiki;
    QLineEdit* txtJigyosyosuu;
    QLineEdit* txtCyousabi;
    QLineEdit* txtGyousyu;
    QLineEdit* txtKibo;
    QPlainTextEdit* txtBikou;
    QPushButton* btnAdd;
    QPushButton* btnDlt;
    QPushButton* btnCancel;
    QPushButton* btnFirst;
    QPushButton* btnBack;
    QPushButton* btnNext;
    QPushButton* btnLast;
    QPushButton* btnClose;

    FieldExits* m_exits;
    CodeList m_codes; // ModelDataCodeList: code and wage name
    int m_code = 0;   // the current model code
    State m_state = Cleared;
    bool m_codeTyped = false;
    bool m_closing = false;
    bool m_loading = false;
};
