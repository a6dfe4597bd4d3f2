#pragma once

#include "core/common/CompanySettings.h"
#include "core/common/Counts.h"

#include <QString>
#include <array>

// The checks of the employee's fields, made when the user leaves a field of the employee
// screen; the grade range is shared with the import. No widgets: each check takes the typed
// text and gives the message of a refusal, or the code it accepted.

struct CodeCheck {
    QString message; // empty when accepted
    int code = 0;
    bool ok() const { return message.isEmpty(); }
};

// The code part of a "code : name" text: the text before the first blank.
CodeCheck CheckCodeNumber(const QString& text);
// 社員コード: a whole number other than 0.
CodeCheck CheckEmployeeCodeText(const QString& text);
// 社内身分: 0 to 4.
CodeCheck CheckStatusText(const QString& text);
// 資格等級: 1 to 9 (0 is chosen by emptying the box).
CodeCheck CheckGradeText(const QString& text);
// マーク: a mark of the company's six; any other code has no master.
CodeCheck CheckMarkText(const QString& text, const std::array<TMMARK, MarkCount + 1>& marks);
// 評価: a code of the year's evaluation codes.
CodeCheck CheckEvaluationText(const QString& text, const CodeList& codes);
// A whole number from `low` to `high` (dates' parts, the pay step).
QString CheckWholeNumberText(const QString& text, int low, int high);
// Any whole number; an empty text too when `emptyIsZero`.
QString CheckIntegerText(const QString& text, bool emptyIsZero);

// The grades an employee is stored with: 0 (none) and 1 to 9.
constexpr int HighestGrade = MaxGrades;
constexpr bool IsStorableGrade(int grade) {
    return grade >= 0 && grade <= HighestGrade;
}
