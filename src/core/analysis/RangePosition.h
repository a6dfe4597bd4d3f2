#pragma once

#include "core/wage/WageTableGenerator.h"

#include <QString>
#include <QVector>
#include <optional>

// Where each employee's base pay lies in the salary-scale range of the grade. The range is the
// one the wage-table screen shows (ComputeScaleFigures): spread = upper / lower.
struct RangeEmployee {
    QString code;
    QString name;
    int grade = 0;      // 0 when the employee has no grade
    qint64 basePay = 0; // yen
    bool linked = true; // false: no link to the wage table's base-pay item
};

struct RangeEmployeeResult {
    RangeEmployee employee;
    bool hasScale = false;  // the grade has a scale row with a non-zero lower amount
    double compaRatio = 0;  // base pay / scale base (midpoint)
    double penetration = 0; // (pay − lower) / (upper − lower); 0 when the range is 0
    bool below = false;     // strictly under the lower amount
    bool above = false;     // strictly over the upper amount
};

struct RangeGradeResult {
    int grade = 0;
    bool hasScale = false;
    ScaleFigures figures;
    qint64 base = 0;
    int headCount = 0;
    qint64 minimum = 0;
    qint64 maximum = 0;
    qint64 average = 0;           // rounded half away from zero to whole yen
    double averageCompaRatio = 0; // over employees of the grade that have a scale
    int belowCount = 0;
    int aboveCount = 0;
};

struct RangeAnalysis {
    QVector<RangeGradeResult> grades;       // every grade 1..gradeCount, empty ones included
    QVector<RangeEmployeeResult> employees; // linked employees with a grade
    QVector<RangeEmployee> unlinked;        // listed apart: unlinked or without a grade
};

// scale[k-1] is grade k's row, or nullopt when the scale set has no row for it.
RangeAnalysis AnalyseRanges(const QVector<std::optional<ScaleGrade>>& scale,
                            const QVector<RangeEmployee>& employees);
