#pragma once

#include "core/common/ExactDivision.h"
#include "core/common/NumberText.h"
#include "core/wage/WageTableDefinition.h"
#include "core/wage/WageTableGenerator.h"

#include <QString>
#include <array>
#include <optional>

// The wage-table screen's fields as texts: how stored values are shown, how a field is checked
// when it is left, and how the texts of a save become a definition. The screen and the
// command-line companion both go through here, so a definition saved from either is the same.

// "#,##0.000" and "#,##0.00", rounded half away from zero.
QString RateText(Currency rate);
QString SpreadText(Currency spread);

FieldCheck CheckGradeCountText(const QString& text); // txtTokyusu
// A code box: its first blank-separated piece; shown is the code alone. An empty text is not
// checked (ok, shown empty).
FieldCheck CheckCodeText(const QString& text);
FieldCheck CheckPercentText(const QString& text);    // txtKagen, txtJyogen
FieldCheck CheckBaseText(const QString& text);       // txtKiso
FieldCheck CheckStepText(const QString& text);       // the step fields
FieldCheck CheckAmountText(const QString& text);     // the amount fields
FieldCheck CheckSecondRateText(const QString& text); // txt2Kakeritsu
FieldCheck CheckThirdRateText(const QString& text);  // txt3Kakeritsu

// The head row (MCHINGIN) as stored.
struct StoredHead {
    int gradeCount = 0;
    int method = 0;    // KSENTAKUF
    int overwrite = 0; // UKAKIF
    int rounding = 0;  // MARUMEF
    QString title;
    int scaleCode = 0;
    int secondCode = 0;
    int thirdCode = 0;
    int lowestStep = 0;
    int highestStep = 0;
};

// Rows as stored in DSCALE, DKSEN2 and DKSEN3.
struct StoredScaleRow {
    int grade = 0;
    Currency lowerPercent;
    Currency base;
    Currency upperPercent;
    Currency spread;
    Currency range;
};
struct StoredCurveRow {
    int grade = 0;
    std::array<int, 4> steps{};        // key points in order: start, middle(s), end
    std::array<Currency, 4> amounts{}; // likewise
    Currency rate;
};

struct ScaleRowTexts {
    QString grade;
    QString name;
    QString lower = QStringLiteral("0");
    QString base = QStringLiteral("0");
    QString upper = QStringLiteral("0");
    QString spread = QStringLiteral("0");
    QString range = QStringLiteral("0");
};

// Key points of a curve row in order: start, middle, end on the 2nd-order page; start, two
// middles, end on the 3rd-order page.
struct CurveRowTexts {
    QString grade;
    std::array<QString, 4> step{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                QStringLiteral("0")};
    std::array<QString, 4> amount{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                  QStringLiteral("0")};
};

struct CurvePageTexts {
    QString rate = QStringLiteral("1.000");
    std::array<CurveRowTexts, MaxGrades + 1> rows; // [1..9]
};

using GradeNames = std::array<QString, MaxGrades + 1>; // [1..9]

// The salary-scale page reset (grade numbers 1 to 9, the company's grade names, figures "0"),
// then filled in order from the stored rows, at most nine.
std::array<ScaleRowTexts, MaxGrades + 1> ScalePageTexts(const QVector<StoredScaleRow>& stored,
                                                        const GradeNames& names);
// A curve page reset (grade numbers, steps and amounts "0", rate "1.000"), then filled in order
// from the stored rows; the rate is the first row's.
CurvePageTexts CurvePageTextsOf(const QVector<StoredCurveRow>& stored);

// Everything a save reads from the screen.
struct WageTableTexts {
    QString gradeCount = QStringLiteral("9"); // txtTokyusu; head.gradeCount is not read
    WageTableHead head;
    std::array<ScaleRowTexts, MaxGrades + 1> scale;
    CurvePageTexts second;
    CurvePageTexts third;
};

// The head taken into the texts as the screen takes it when it opens: grade count, title,
// method (1 the 3rd order, else the 2nd), overwrite (1 manual), rounding 0 to 2 (another value
// leaves texts.head.rounding as it was) and the three codes. Without a head: the 2nd order,
// automatic amounts, 10-yen rounding and no codes.
void ApplyStoredHead(WageTableTexts& texts, const std::optional<StoredHead>& head);

enum class WageField {
    GradeCount,
    Lower,
    Base,
    Upper,
    SecondRate,
    SecondStep,
    SecondAmount,
    ThirdRate,
    ThirdStep,
    ThirdAmount
};

// A field by kind, grade (1..9) and key point (0 = start).
struct FieldRef {
    WageField field = WageField::GradeCount;
    int grade = 0;
    int point = 0;
    // The control's name on the screen, such as "txtKiso3" or "txtC2Gosu5".
    QString controlName() const;
};

struct FieldProblem {
    FieldRef ref;
    QString message;
};

// The field a generation fault points at, for the chosen method.
FieldRef FaultField(CurveMethod method, const GenerationFault& fault);

// Control name stems of the curve pages by key point position.
QString CurveStepControl(CurveMethod method, int point);
QString CurveAmountControl(CurveMethod method, int point);

// Checks every field a save writes, in the screen's order: the grade count, the scale rows
// and the chosen curve page's rate and rows up to the grade count. The first refusal.
std::optional<FieldProblem> CheckSavedFields(const WageTableTexts& texts);
// The definition the texts stand for; call after CheckSavedFields found nothing.
WageTableDefinition DefinitionOfTexts(const WageTableTexts& texts);
