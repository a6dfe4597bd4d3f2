#pragma once

#include "core/masters/ListMove.h"

#include "core/common/CompanySettings.h"
#include "core/raise/RaiseComputation.h"

#include <QDialog>
#include <array>
#include <functional>

class FieldExits;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class RaiseListModel;

// Raise input: employee by employee, the evaluation, the grade and step after the raise and the
// pay before and after it, against the year's wage table.
class TWS3010 : public QDialog {
    Q_OBJECT
public:
    explicit TWS3010(QWidget* parent = nullptr);
    ~TWS3010() override;

    // Prepares the screen for the open company and shows it modally.
    void start();
    // What start does before showing: captions, lists, the first employee.
    void prepare();

    // Screen state (also read by tests).
    int currentCode() const { return m_currentCode; }
    int currentRow() const { return m_currentRow; }
    bool highlighted() const { return m_highlight; }
    int gradeFilter() const { return m_filter; }
    int wageTableLink() const { return m_link; }
    bool promotion() const { return m_promotion; }
    const RaiseListModel* listModel() const { return m_list; }

public Q_SLOTS:
    void btnAddClick();
    void btnCancelClick();
    void btnHyogoClick();
    void btnCloseClick();
    void btnFirstClick();
    void btnBackClick();
    void btnNextClick();
    void btnLastClick();
    void chkUPClick();
    void gradeFilterClick(int grade);
    // Chooses a grid row (from 1) as a click on it does.
    void StringGrid1Click(int gridRow);

    // Field exit checks: true when the field's text is accepted.
    bool cmbWorkerCodeExit();
    bool cmbSikakuExit();
    bool cmbNewToukyuExit();
    bool cmbHyoukaExit();
    bool txtGouhouExit();
    bool txtNewGouhouExit();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

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
    QLineEdit* txtCureentNo;
    QLineEdit* txtLastNo;
    QPushButton* btnFirst;
    QPushButton* btnBack;
    QPushButton* btnNext;
    QPushButton* btnLast;

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
    std::array<QLabel*, 4> lblKihon{};
    std::array<QLineEdit*, 4> txtBKihon{};
    std::array<QLineEdit*, 4> txtUKihon{};
    std::array<QLineEdit*, 4> txtAKihon{};
    QLineEdit* txtBKihonSum;
    QLineEdit* txtUKihonSum;
    QLineEdit* txtAKihonSum;
    std::array<QLabel*, 6> lblTeate{};
    std::array<QLineEdit*, 6> txtBTeate{};
    std::array<QLineEdit*, 6> txtUTeate{};
    std::array<QLineEdit*, 6> txtATeate{};
    QLineEdit* txtBSumTeate;
    QLineEdit* txtUSumTeate;
    QLineEdit* txtASumTeate;
    QLineEdit* txtBTotal;
    QLineEdit* txtUTotal;
    QLineEdit* txtATotal;
    QLineEdit* txtURitsu;  // the raise in percent
    QLineEdit* txtBNensyu; // annual pay before and after, bonuses included
    QLineEdit* txtANensyu;

    // The list: grade filter and grid.
    QGroupBox* rgGrade;
    std::array<QRadioButton*, 10> optGrade{}; // [0] 全て, [1..9] one grade
    QTableView* StringGrid1;

    void buildControls();
    QWidget* buildStepPage();
    QWidget* buildAmountPage();
    void buildLayout(QWidget* steps, QWidget* amounts);
    void connectHandlers();
    QList<QLineEdit*> editableAmounts() const;

    void setCaptions();
    void fillGradeLists();
    void fillCodeList();
    void readEvaluationCodes();
    void clearFields();
    void loadList();
    void setCursorRow(int gridRow);
    void setHighlight(bool on);
    void selectRowOfCode(int code);
    bool loadEmployee(int code);
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
    void move(ListMove move);
    bool askBeforeDropping(const QString& lastLine);
    // A row chosen in the list asks first, as the move buttons do, when it would drop unsaved
    // input; false when the user keeps the screen.
    bool mayLeaveFor(int gridRow);
    void focusAfterMove();
    void showStepPage(QWidget* focus);
    void PageControl1Change(int index);
    bool refuse(QWidget* field, const QString& message);
    bool checkMoney(QLineEdit* box);
    void markChanged();
    // The year's evaluation codes as code and symbol.
    CodeList evaluationList() const;

    RaiseListModel* m_list;
    FieldExits* m_exits;
    QButtonGroup* m_gradeGroup;

    EvaluationCodes m_codes; // the year's evaluation codes, for the list and the steps
    Currency m_bonus1;       // of the employee shown, for the annual pay after the raise
    Currency m_bonus2;
    int m_currentCode = 0;
    int m_loadedCode = 0; // the employee whose data the fields hold; 0 none
    int m_firstCode = 0;
    int m_lastCode = 0;
    int m_currentRow = 0;
    bool m_highlight = false;
    int m_filter = 0;
    int m_link = 0;
    int m_gradeCount = 9; // grades of the year's wage table
    bool m_promotion = false;
    bool m_codeTyped = false;
    bool m_settingCursor = false;
    bool m_settingPage = false;
    bool m_closing = false;
};
