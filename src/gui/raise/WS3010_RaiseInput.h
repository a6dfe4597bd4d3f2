#pragma once

#include "core/common/CompanySettings.h"
#include "core/common/Counts.h"
#include "core/raise/RaiseComputation.h"
#include "gui/common/EmployeeRecordEditor.h"

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class RaiseListModel;

// Raise input: employee by employee, the evaluation, the grade and step after the raise and the
// pay before and after it, against the year's wage table.
class TWS3010 : public EmployeeRecordEditor {
    Q_OBJECT
public:
    explicit TWS3010(QWidget* parent = nullptr);

    // What start does before showing: captions, lists, the first employee.
    void prepare() override;

    // Screen state (also read by tests).
    int wageTableLink() const { return m_link; }
    bool promotion() const { return m_promotion; }
    const RaiseListModel* listModel() const { return m_list; }

public Q_SLOTS:
    void btnAddClick();
    void btnCancelClick();
    void btnHyogoClick();
    void chkUPClick();
    void gradeFilterClick(int grade) override;

    // Field exit checks: true when the field's text is accepted.
    bool cmbWorkerCodeExit();
    bool cmbSikakuExit();
    bool cmbNewToukyuExit();
    bool cmbHyoukaExit();
    bool txtGouhouExit();
    bool txtNewGouhouExit();

protected:
    bool loadEmployee(int code) override;
    void rowChosen(int gridRow) override;
    void movedTo(ListMove move) override;
    void focusKeptEdits() override;
    void reloadStored(int code) override;

private:
    enum Page { StepPage = 0, AmountPage = 1 };

    // Commands and the code boxes above the panels.
    QPushButton* btnAdd;
    QPushButton* btnCancel;
    QPushButton* btnHyogo;
    QPushButton* btnClose;
    QComboBox* cmbWorkerCode;
    QLineEdit* txtWorkerCode;
    QLineEdit* txtWorkerName;

    // Evaluation panel.
    QComboBox* cmbHyouka;
    QLineEdit* txtTairyuu;
    QComboBox* cmbSikaku;
    QComboBox* cmbNewToukyu;
    QCheckBox* chkUP;
    QLineEdit* txtHyouka1;
    QLineEdit* txtHyouka2;
    QLineEdit* txtHyouka3;

    QTabWidget* PageControl1;
    // 段階号俸表
    QLineEdit* txtGouhou;
    QLineEdit* txtUPGousu;
    QLineEdit* txtCalcGousu;
    QLineEdit* txtNewGouhou;
    // 昇給管理 ([1..3] base pay, [1..5] allowances): before, Up, after.
    std::array<QLineEdit*, BasePayItemCount + 1> txtBKihon{};
    std::array<QLineEdit*, BasePayItemCount + 1> txtUKihon{};
    std::array<QLineEdit*, BasePayItemCount + 1> txtAKihon{};
    QLineEdit* txtBKihonSum;
    QLineEdit* txtUKihonSum;
    QLineEdit* txtAKihonSum;
    std::array<QLineEdit*, AllowanceCount + 1> txtBTeate{};
    std::array<QLineEdit*, AllowanceCount + 1> txtUTeate{};
    std::array<QLineEdit*, AllowanceCount + 1> txtATeate{};
    QLineEdit* txtBSumTeate;
    QLineEdit* txtUSumTeate;
    QLineEdit* txtASumTeate;
    QLineEdit* txtBTotal;
    QLineEdit* txtUTotal;
    QLineEdit* txtATotal;
    QLineEdit* txtURitsu;  // the raise in percent
    QLineEdit* txtBNensyu; // annual pay before and after, bonuses included
    QLineEdit* txtANensyu;

    void buildControls();
    QWidget* buildStepPage();
    QWidget* buildAmountPage();
    void buildLayout(QWidget* steps, QWidget* amounts);
    void connectHandlers();
    QList<QLineEdit*> editableAmounts() const;

    void fillGradeLists();
    void fillCodeList();
    void readEvaluationCodes();
    void clearFields();
    void loadList();
    void showEmployee(const RaiseRecord& r);
    void showPromotion(bool on);
    void applyLinkLocks();
    void recompute();
    void linkBefore();
    void linkAfter();
    std::optional<MissingWageAmount> missingAfterAmount() const;
    QWidget* faultField(const MissingWageAmount& missing) const;
    void setAmount(QLineEdit* box, Currency value);
    RaiseItems items() const;
    RaiseDecision decision() const;
    void focusAfterMove();
    void showStepPage(QWidget* focus);
    void PageControl1Change(int index);
    bool refuse(QWidget* field, const QString& message);
    bool checkMoney(QLineEdit* box);
    // The year's evaluation codes as code and symbol.
    CodeList evaluationList() const;

    RaiseListModel* m_list;

    EvaluationCodes m_codes; // the year's evaluation codes, for the list and the steps
    Currency m_bonus1;       // of the employee shown, for the annual pay after the raise
    Currency m_bonus2;
    int m_loadedCode = 0; // the employee whose data the fields hold; 0 none
    int m_link = 0;
    int m_gradeCount = 9; // grades of the year's wage table
    bool m_promotion = false;
    bool m_settingPage = false;
};
