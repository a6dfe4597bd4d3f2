#pragma once

#include "core/common/CompanySettings.h"
#include "core/common/Counts.h"
#include "core/masters/EmployeeRecord.h"
#include "gui/common/EmployeeRecordEditor.h"

#include <QVector>
#include <array>
#include <functional>
#include <utility>

class EmployeeListModel;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

// Employee data: the employees of the open company year, one at a time, with the list below.
class TWS0030 : public EmployeeRecordEditor {
    Q_OBJECT
public:
    explicit TWS0030(QWidget* parent = nullptr);

    // What start does before showing: lists, captions, the list, the first employee.
    void prepare() override;

    // Screen state, for the link (also read by tests).
    int wageTableLink() const { return m_link; }
    QString photoName() const { return m_photoName; }
    int lastCode() const { return codes().isEmpty() ? 0 : codes().last(); }
    const EmployeeListModel* listModel() const { return m_list; }

public Q_SLOTS:
    void btnAddClick();
    void btnMntClick();
    void btnDltClick();
    void btnCanselClick();
    // "Excel保存": the stored employees of the open year as a workbook.
    void btnExcelClick();
    void btnPicterClick();
    void cdRestLinkClick();
    void optKihonClick(int n);
    void gradeFilterClick(int grade) override;

    // Field exit checks: true when the field's text is accepted. A refused text is reported
    // and the focus goes back to the field.
    bool cmbWorkerExit();
    bool cmbMibunExit();
    bool cmbSikakuExit();
    bool cmbMarkExit();
    bool cmbHyouka1Exit();
    bool txtGouhouExit();
    bool txtTaisyokuKinExit();

protected:
    bool loadEmployee(int code) override;
    void rowChosen(int gridRow) override;
    void movedTo(ListMove move) override;
    void focusKeptEdits() override;
    void reloadStored(int code) override;

private:
    // Commands and the code box above the pages.
    QPushButton* btnAdd;
    QPushButton* btnMnt;
    QPushButton* btnDlt;
    QPushButton* btnCansel;
    QPushButton* btnClose;
    QPushButton* btnExcel;
    QComboBox* cmbWorker;
    QLineEdit* txtWorker;
    QTabWidget* PageControl1;

    // 基本情報
    QLineEdit* txtWorkerNo;
    QLineEdit* txtWorkName;
    QRadioButton* OptSex1;
    QRadioButton* OptSex2;
    QComboBox* cmbSeiNengou;
    QLineEdit* txtSeiyy;
    QLineEdit* txtSeimm;
    QLineEdit* txtSeidd;
    QComboBox* cmbNyuNengou;
    QLineEdit* txtNyuyy;
    QLineEdit* txtNyumm;
    QLineEdit* txtNyudd;
    QLineEdit* txtYakusyoku;
    QComboBox* cmbMibun;
    QLineEdit* txtGakureki;
    QLineEdit* txtSenkou;
    QLineEdit* txtKSikaku;
    QLineEdit* txtHaizoku;
    QComboBox* cmbTouNengou;
    QLineEdit* txtTouyy;
    QLineEdit* txtToumm;
    QLineEdit* txtToudd;
    QComboBox* cmbSikaku;
    QLineEdit* txtGouhou;
    QLineEdit* txtZone;
    QLineEdit* txtTasseiRitsu;
    QComboBox* cmbHyouka1;
    QLineEdit* txtHyouka2;
    QLineEdit* txtHyouka3;
    QLineEdit* txtHyouka4;
    QLineEdit* txtKeikenNen;
    QLineEdit* txtSyokumuTensu;
    QComboBox* cmbMark;
    QLabel* Image1;
    QPushButton* btnPicter;

    // 賃金情報 ([1..3] base pay, [1..5] allowances)
    std::array<QLineEdit*, BasePayItemCount + 1> txtKihon{};
    std::array<QLineEdit*, BasePayItemCount + 1> txtAFKihon{};
    std::array<QRadioButton*, BasePayItemCount + 1> optKihon{};
    QPushButton* cdRestLink;
    QLineEdit* txtKihonSum;
    QLineEdit* txtAFKihonSum;
    QLineEdit* txtUpKihon;
    std::array<QLineEdit*, AllowanceCount + 1> txtTeate{};
    std::array<QLineEdit*, AllowanceCount + 1> txtAFTeate{};
    QLineEdit* txtTeateSum;
    QLineEdit* txtAFTeateSum;
    QLineEdit* txtTeateUP;
    QLineEdit* txtBonus1;
    QLineEdit* txtBonus2;
    QLineEdit* txtNensyu;
    QLineEdit* txtAFNensyu;
    QLineEdit* txtSyotei;
    QLineEdit* txtAFSyotei;
    QLineEdit* txtTaisyokuKin;

    using ExitCheck = std::function<bool()>;

    void buildControls();
    QWidget* buildBasicPage();
    QWidget* buildWagePage();
    void buildLayout(QWidget* basic, QWidget* wage);
    void connectHandlers();

    void fillChoiceLists();
    void fillEraBoxes();
    void clearForm();
    void loadList();
    void showEmployee(const EmployeeRecord& e);
    void showPhoto(const QString& name);
    void recomputeSums();
    void applyLinkColours();
    void applyLink();
    void focusBasic(QWidget* field);
    void moveFocus(QWidget* field);

    // Reads the form into a record; false (message shown) when a date does not convert.
    bool collect(EmployeeRecord& e);
    // A birth or joining date after the age base date: saved only when the user says so; No
    // puts the focus on that date. True when the save may go on.
    bool confirmNegativeYears(const EmployeeRecord& e);
    // The code of the code box; 0 (message shown) when it is empty or not a code.
    int employeeCodeTyped();
    // Runs the code box's exit check for a code typed and not yet taken; false when refused.
    bool settleTypedCode();
    bool refuse(QWidget* field, const QString& message);
    bool checkRange(QLineEdit* field, int low, int high);
    bool checkInteger(QLineEdit* field, bool emptyIsZero);
    bool checkNumber(QLineEdit* field);
    bool checkMoney(QLineEdit* field);
    QList<QLineEdit*> moneyBoxes() const;

    EmployeeListModel* m_list;
    QButtonGroup* m_sexGroup;
    QButtonGroup* m_linkGroup;

    int m_link = 0;       // the current employee's wage-table link, 0..3
    QString m_photoName;  // SPATH: relative to Picture/, backslash between folders
    CodeList m_evalCodes; // the evaluation codes of the year (MHYOUKA)
};
