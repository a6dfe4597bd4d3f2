#pragma once

#include <QDialog>
#include <QVector>
#include <array>
#include <utility>

class FieldExits;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TWS0010;

// Company data: registers, changes or deletes one company for one year.
class TWS0020 : public QDialog {
    Q_OBJECT
public:
    explicit TWS0020(TWS0010* selection, QWidget* parent = nullptr);

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
    std::array<QLineEdit*, 4> txtKihon{};  // [1..3]
    std::array<QLineEdit*, 6> txtTeate{};  // [1..5]
    std::array<QLineEdit*, 10> txtTokyu{}; // [1..9]
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

    // Run by the selection after it shows this screen.
    void prepare();

    int salaryOption() const { return m_salaryOption; }
    int matrixOption() const { return m_matrixOption; }

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
    struct Entry;                                         // what the form holds, checked
    using Columns = QVector<std::pair<QString, QString>>; // column, SQL value

    void buildControls();
    void buildLayout();
    void connectHandlers();
    void reset();
    void load();
    void fillCodeBoxes();
    void fillEraBoxes();
    void focusName();
    bool collect(Entry& entry);
    Columns settingsColumns(const Entry& entry) const;
    QVector<std::pair<QWidget*, bool (TWS0020::*)()>> exitChecks() const;
    bool refuse(QWidget* field, const QString& message);
    bool checkCodeBox(QComboBox* box, QString (*displayText)(const QString&));
    void closeAndRefreshSelection();
    int companyCode() const;
    int year() const;

    TWS0010* m_selection;
    int m_salaryOption = 3;
    int m_matrixOption = 3;
    int m_linkOption = 0;
    FieldExits* m_exits;
    bool m_closingByCode = false; // closing after a save, without the unsaved-change question
};
