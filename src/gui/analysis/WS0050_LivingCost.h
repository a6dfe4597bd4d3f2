#pragma once

#include "core/common/CompanySettings.h"

#include <QDialog>
#include <array>

class FieldExits;
class QComboBox;
class QLineEdit;
class QPushButton;

// "標準生計費　登録": the shared tables of standard living costs, one code per table with up
// to six households (members, head's age, monthly cost in thousand yen, comfort, minimum and
// single-person rates), a multiplier and the source's description.
class TWS0050 : public QDialog {
    Q_OBJECT
public:
    explicit TWS0050(QWidget* parent);
    ~TWS0050() override;

    // Opens on the company's own living-cost code.
    void start();
    void PrepareScreen();

public Q_SLOTS:
    void btnAddClick();
    void btnDltClick();
    void btnCanselClick();
    void btnFirstClick();
    void btnBackClick();
    void btnNextClick();
    void btnLastClick();
    void btnCloseClick();
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum State { Initial = 0, NewCode = 1, Loaded = 2 };

    void build();
    void buildLists();
    void clearForm();
    void loadCode(int code);
    void showCode(int code);
    bool cmbSeikeiIDExit();
    bool figureExit(QLineEdit* box, int digits, int minDecimals);
    bool wholeExit(QLineEdit* box, int digits);
    bool askBeforeDropping(const QString& lastLine);
    void moveTo(int code);
    // The code typed or shown, as leaving the box takes it; 0 for an empty box, -1 refused.
    int typedCode();

    QComboBox* cmbSeikeiID;
    QLineEdit* txtCureentNo;
    QLineEdit* txtLastNo;
    std::array<QLineEdit*, 7> txtSyotaisu{}; // [1..6]
    std::array<QLineEdit*, 7> txtNenrei{};
    std::array<QLineEdit*, 7> txtSeikeihi{};
    std::array<QLineEdit*, 7> txtYuraku{};
    std::array<QLineEdit*, 7> txtMin{};
    std::array<QLineEdit*, 7> txtTanshin{};
    QLineEdit* txtKakeRitsu;
    QLineEdit* txtSyussyo;
    QLineEdit* txtTiiki;
    QLineEdit* txtCyosaJiki;
    QLineEdit* txtNyuryokuchi;
    QPushButton* btnAdd;
    QPushButton* btnDlt;
    QPushButton* btnCansel;
    QPushButton* btnFirst;
    QPushButton* btnBack;
    QPushButton* btnNext;
    QPushButton* btnLast;
    QPushButton* btnClose;

    FieldExits* m_exits;
    CodeList m_codes; // LivingCodeList: code and source, in code order
    State m_state = Initial;
    bool m_codeTyped = false;
    bool m_closing = false;
};
