#pragma once

#include "core/common/CompanySettings.h"
#include "core/common/CompanyYear.h"
#include "core/common/Counts.h"

#include <QDialog>
#include <QVector>
#include <array>
#include <utility>

class FieldExits;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct CompanyRecord;

// Company data: registers, changes or deletes one company for one year.
class TWS0020 : public QDialog {
    Q_OBJECT
public:
    explicit TWS0020(QWidget* parent = nullptr);
    ~TWS0020() override;

    enum class Mode { Register, Change, Delete };
    // Shows the screen without blocking its parent, for registering a new company under the
    // given code and year, or changing or deleting a stored one.
    void start(Mode mode, const CompanyYear& company);

    int salaryOption() const { return m_salaryOption; }
    int matrixOption() const { return m_matrixOption; }

Q_SIGNALS:
    // Companies may have changed: after a register, change or delete, and when it closes.
    void companiesChanged();

public Q_SLOTS:
    void btnAddClick();
    void btnMntClick();
    void btnDltClick();
    void btnCanselClick();
    void btnCloseClick();

    // Field exit checks: true when the field's text is accepted. A refused text is reported
    // and the focus goes back to the field.
    bool txtChkyyExit();
    bool txtChkmmExit();
    bool txtChkddExit();
    bool txtUPyyExit();
    bool txtUPmmExit();
    bool txtUPddExit();
    bool txtBaseUpExit();
    bool cmbModelCodeExit();
    bool cmbLivingCodeExit();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* txtNendo;
    QLineEdit* txtCorpID;
    QLineEdit* txtCorpName;
    QComboBox* cmbChkNengou;
    QLineEdit* txtChkyy;
    QLineEdit* txtChkmm;
    QLineEdit* txtChkdd;
    QComboBox* cmbUPNengou;
    QLineEdit* txtUPyy;
    QLineEdit* txtUPmm;
    QLineEdit* txtUPdd;
    QLineEdit* txtBaseUp;
    QLineEdit* txtSalaryKbn;
    std::array<QLineEdit*, BasePayItemCount + 1> txtKihon{}; // [1..3]
    std::array<QLineEdit*, AllowanceCount + 1> txtTeate{};   // [1..5]
    std::array<QLineEdit*, MaxGrades + 1> txtTokyu{};        // [1..9]
    QComboBox* cmbModelCode;
    QComboBox* cmbLivingCode;
    QComboBox* cmbModelCode2;                 // hidden: MCCO of the loaded company
    std::array<QRadioButton*, 5> optSalary{}; // [1..4], tags 0..3
    std::array<QRadioButton*, 5> optMatlix{}; // [1..4], tags 0..3
    QPushButton* btnAdd;
    QPushButton* btnMnt;
    QPushButton* btnDlt;
    QPushButton* btnCansel;
    QPushButton* btnClose;

    void buildControls();
    void buildLayout();
    void connectHandlers();
    void reset();
    void load();
    void fillCodeBoxes();
    void fillEraBoxes();
    void focusName();
    void prepare();
    bool collect(CompanyRecord& record);
    QVector<std::pair<QWidget*, bool (TWS0020::*)()>> exitChecks() const;
    bool refuse(QWidget* field, const QString& message);
    bool checkCodeBox(QComboBox* box, const CodeList& codes,
                      QString (*displayText)(const QString&, const CodeList&));
    void closeAfterSaving();
    int companyCode() const;
    int year() const;

    Mode m_mode = Mode::Register;
    int m_eraMode = 0; // of the company shown: its dates in era years or western years
    CodeList m_modelCodes;
    CodeList m_livingCodes;
    int m_salaryOption = 3;
    int m_matrixOption = 3;
    int m_linkOption = 0;
    FieldExits* m_exits;
    bool m_closingByCode = false; // closing after a save, without the unsaved-change question
};
