#pragma once

#include "core/common/CompanySettings.h"
#include "gui/common/RecordEditor.h"

#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

// "標準生計費　登録": the shared tables of standard living costs, one code per table with up
// to six households (members, head's age, monthly cost in thousand yen, comfort, minimum and
// single-person rates), a multiplier and the source's description.
class TWS0050 : public RecordEditor {
    Q_OBJECT
public:
    explicit TWS0050(QWidget* parent);

    // Opens on the company's own living-cost code.
    void PrepareScreen();
    void prepare() override { PrepareScreen(); }

public Q_SLOTS:
    void btnAddClick();
    void btnDltClick();
    void btnCanselClick();

protected:
    void showMoved(ListMove move, int code, int row) override;
    void focusKeptEdits() override;
    void reloadStored(int code) override;

private:
    void build();
    void buildLists();
    void clearForm();
    void loadCode(int code);
    void showCode(int code);
    bool cmbSeikeiIDExit();
    bool figureExit(QLineEdit* box, int digits, int minDecimals);
    bool wholeExit(QLineEdit* box, int digits);
    void moveTo(int code);
    // Back to the empty form after a save or a delete.
    void clearAfterWrite();

    QComboBox* cmbSeikeiID;
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

    CodeList m_codes; // LivingCodeList: code and source, in code order
};
