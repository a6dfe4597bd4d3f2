#pragma once

#include "core/wage/WageTableTexts.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <array>
#include <functional>

class FieldExits;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TWS2011;

// The wage-table screen: the definition of the open company year (head, salary scale and the
// two curve sets) on four pages; saving it generates the table.
class TWS2010 : public QDialog {
    Q_OBJECT
public:
    explicit TWS2010(QWidget* parent = nullptr);
    ~TWS2010() override;

    enum Page { BasicPage = 0, ScalePage = 1, SecondPage = 2, ThirdPage = 3 };

    using Row = std::array<QLineEdit*, MaxGrades + 1>;

    // Loads the open company's definition and shows the screen modally, where the user left
    // it last time.
    void start();
    // What start does before showing: loads the definition.
    void prepare();
    // The base-amount window, made on first use and closed with this screen.
    TWS2011* baseAmounts();
    // Asked before the table is printed; true when printing may go on.
    bool confirmBeforePrint();

    int gradeCount() const { return m_gradeCount; }
    int lastPage() const { return m_lastPage; }
    int scaleCode() const { return m_codes[0]; }
    int secondCode() const { return m_codes[1]; }
    int thirdCode() const { return m_codes[2]; }
    // The screen's fields as a save reads them.
    WageTableTexts texts() const;

public Q_SLOTS:
    void btnAddClick();
    void btnCancelClick();
    void btnCloseClick();
    void btnSalaryListClick();
    void btnExcelClick();
    void btnKijungakuClick();
    void PageControl1Change(int index);
    void opt2JikyokusenClick();
    void opt3JiKyokusenClick();
    void optAutoClick();
    void optManualClick();
    void optUnitClick(int rounding); // 0 tens, 1 hundreds, 2 thousands

    void reject() override; // Escape and the window's close box act as 閉じる

private:
    QPushButton* btnAdd;
    QPushButton* btnCancel;
    QPushButton* btnSalaryList;
    QPushButton* btnExcel;
    QPushButton* btnClose;
    QTabWidget* PageControl1;

    // 基本設定
    QLineEdit* txtTokyusu;
    QLineEdit* txtTitle;
    QRadioButton* opt2Jikyokusen;
    QRadioButton* opt3JiKyokusen;
    QRadioButton* optAuto;
    QRadioButton* optManual;
    QRadioButton* optUnit10;
    QRadioButton* optUnit100;
    QRadioButton* optUnit1000;
    QComboBox* cmbScaleCode;
    QComboBox* cmb2JiCode;
    QComboBox* cmb3JiCode;

    // ｻﾗﾘｰｽｹｰﾙ; rows [1..9] by grade
    QComboBox* cmb2ScaleCode;
    Row txt1Tokyu{};
    Row txt1TKName{};
    Row txtKagen{};
    Row txtKiso{};
    Row txtJyogen{};
    Row txtSplet{};
    Row txtLenji{};
    QPushButton* btnKijungaku;

    // ２次曲線
    QComboBox* cmb2Ji;
    QLineEdit* txt2TKSuu;
    QLineEdit* txt2Kakeritsu;
    Row txt2Tokyu{};
    Row txt2Stgosu{};
    Row txt2Salary{};
    Row txt2Cgosu{};
    Row txt2CSalary{};
    Row txt2EndGosu{};
    Row txt2EndSalary{};

    // ３次曲線
    QComboBox* cmb3Ji;
    QLineEdit* txt3TKSuu;
    QLineEdit* txt3Kakeritsu;
    Row txt3Tokyu{};
    Row txtStGosu{};
    Row txtStSalary{};
    Row txtC1Gosu{};
    Row txtC1Salary{};
    Row txtC2Gosu{};
    Row txtC2Salary{};
    Row txtEndGosu{};
    Row txtEndSalary{};

    enum CodeKind { ScaleKind = 0, SecondKind = 1, ThirdKind = 2 };

    void buildBasicPage(QWidget* page);
    void buildScalePage(QWidget* page);
    void buildCurvePage(QWidget* page, CurveMethod method);
    QLineEdit* rowField(QWidget* page, const QString& stem, int grade, int width, bool readOnly);
    void addExit(QWidget* w, std::function<QString()> exit);
    void addCodeBox(QComboBox* box, CodeKind kind, bool keepsChangeFlag);
    void showCode(QComboBox* box, const QString& text);
    std::array<QComboBox*, 2> codeBoxes(int kind) const; // the two boxes of a kind

    // Field exits: each runs its check and its effects, returning the refusal message.
    QString codeBoxExit(QComboBox* box, CodeKind kind, bool keepsChangeFlag);
    QString scaleFigureExit(QLineEdit* w, int grade, FieldCheck (*check)(const QString&));
    QString shownExit(QLineEdit* w, FieldCheck (*check)(const QString&));
    void recomputeScaleRow(int grade);
    void refuse(QWidget* w, const QString& message);
    void setPage(int index);

    // Opening steps 2 to 4, also run by cancel and after a save.
    void reset();
    void fillCodeLists();
    void loadHead();
    void loadScaleSet(int code);
    void loadSecondSet(int code);
    void loadThirdSet(int code);
    void reload();

    void showScaleTexts(const std::array<ScaleRowTexts, MaxGrades + 1>& rows);
    void showCurveTexts(CurveMethod method, const CurvePageTexts& page);
    void showMethod(CurveMethod method);
    void showRounding(int rounding);
    void fillAutomaticAmounts(CurveMethod method);
    void checkPage();
    bool askToLeave(const QString& noLine);
    GradeNames gradeNames() const;
    const std::array<Row*, 4>& curveSteps(CurveMethod method) const;
    const std::array<Row*, 4>& curveAmounts(CurveMethod method) const;

    QHash<QComboBox*, QString> m_codeShown; // what the screen last showed in each code box
    FieldExits* m_exits;
    bool m_settingPage = false;

    int m_gradeCount = MaxGrades;
    CurveMethod m_method = CurveMethod::SecondOrder;
    bool m_manual = false;
    int m_rounding = 0;
    std::array<int, 3> m_codes{}; // scale, 2nd order, 3rd order
    int m_lastPage = BasicPage;
    std::array<Row*, 4> m_secondSteps{};
    std::array<Row*, 4> m_secondAmounts{};
    std::array<Row*, 4> m_thirdSteps{};
    std::array<Row*, 4> m_thirdAmounts{};
    QPointer<TWS2011> m_baseAmounts;
};
