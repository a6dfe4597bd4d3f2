#pragma once

#include "core/common/Counts.h"
#include "core/common/Currency.h"

#include <QString>
#include <QVector>
#include <array>

// A wage-table definition as one company year holds it: the head, the salary scale and the
// two curve sets. Grade arrays are indexed 1..9 as the grades are numbered; index 0 is unused.

constexpr int LowestStep = -10;
constexpr int HighestStep = 80;

enum class CurveMethod { SecondOrder = 0, ThirdOrder = 1 };

// One key point of a curve: pay step and amount in whole yen, as entered.
struct KeyPoint {
    int step = 0;
    qint64 amount = 0;
};

// Key points of one grade: start, middle, end (2nd order) or start, middle, middle, end
// (3rd order).
struct CurveGrade {
    std::array<KeyPoint, 4> points{};
};

struct CurveSet {
    Currency rate = Currency::fromInt(1);
    std::array<CurveGrade, MaxGrades + 1> grades{};
};

// One salary-scale row: limits in percent of the base amount, the base in yen, and the spread
// and range as the screen computed them.
struct ScaleGrade {
    Currency lowerPercent;
    Currency base;
    Currency upperPercent;
    Currency spread;
    Currency range;
};

struct WageTableHead {
    int gradeCount = MaxGrades;
    CurveMethod method = CurveMethod::SecondOrder;
    bool manualAmounts = false; // key amounts typed instead of computed from the scale
    int rounding = 0;           // 0 tens, 1 hundreds, 2 thousands of yen
    QString title;
    int scaleCode = 0;
    int secondCode = 0;
    int thirdCode = 0;
};

struct StepRange {
    int lowest = HighestStep; // GOUHOU1
    int highest = LowestStep; // GOUHOU2
    int rowCount() const { return highest >= lowest ? highest - lowest + 1 : 0; }
};

struct WageTableDefinition {
    WageTableHead head;
    std::array<ScaleGrade, MaxGrades + 1> scale{};
    CurveSet second;
    CurveSet third;

    int keyPointCount() const { return head.method == CurveMethod::ThirdOrder ? 4 : 3; }
    const CurveSet& chosenSet() const {
        return head.method == CurveMethod::ThirdOrder ? third : second;
    }
    int startStep(int grade) const { return chosenSet().grades[size_t(grade)].points[0].step; }
    int endStep(int grade) const {
        return chosenSet().grades[size_t(grade)].points[size_t(keyPointCount() - 1)].step;
    }
    // GOUHOU1 and GOUHOU2: the lowest start and highest end step of grades 1 to the grade
    // count under the chosen method; 80 and -10 when there is no grade.
    StepRange steps() const;
};

// The generated table (DCHINGIN2): one row per step of the definition's step range.
struct WageTableRow {
    int step = 0;
    std::array<qint64, MaxGrades + 1> amount{}; // KIN1..KIN9
    std::array<qint64, MaxGrades + 1> index{};  // KS1..KS9
};

struct WageTable {
    StepRange steps;
    QVector<WageTableRow> rows;
};
