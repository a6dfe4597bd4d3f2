#pragma once

#include "core/analysis/RangePosition.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

// What the range analysis shows, prints and saves: the company year, the wage table whose
// salary scale is used, and the analysis of its employees.
struct RangeHeader {
    QString companyName;
    QString nendoText;
    QString tableTitle;
    int scaleCode = 0;
    int gradeCount = 0;
    std::array<QString, MaxGrades + 1> gradeNames; // [1..9]
    QDate today;
};

struct RangeReport {
    RangeHeader header;
    RangeAnalysis analysis;
};

// Over every employee placed in a grade (the per-grade page's 合計 line).
struct RangeTotals {
    int headCount = 0;
    qint64 minimum = 0;
    qint64 maximum = 0;
    qint64 average = 0;           // rounded half away from zero to whole yen
    double averageCompaRatio = 0; // over employees whose grade has a scale
    int belowCount = 0;
    int aboveCount = 0;
};
RangeTotals TotalsOf(const RangeAnalysis& analysis);

// Why an employee is listed apart.
enum class RangeApart { Unlinked, NoGrade, GradeOutsideTable };
RangeApart ApartReasonOf(const RangeEmployee& e);

// The texts shared by the screen, the print, the workbook and the command line, so that all
// of them say the same.
namespace RangeText {
QString title();
// How the range, spread, compa-ratio and penetration are defined, one sentence a line.
QStringList definition();
QStringList gradeHeadings();
QStringList employeeHeadings();
QStringList apartHeadings();
QString total();
QString noScale();
// "95.3%" (one decimal, rounded half away from zero).
QString percent(double ratio);
// "1.33": the spread as the wage-table screen shows it.
QString spread(const Currency& spread);
// レンジ内, 下限未満, 上限超, or スケールなし when the grade has none.
QString position(const RangeEmployeeResult& r);
QString apartReason(RangeApart reason);
QString gradeName(const RangeHeader& h, int grade);
} // namespace RangeText

// The three tables as the print shows them, one text per column of the headings above.
QVector<QStringList> GradeRowTexts(const RangeReport& report); // with the 合計 line last
QVector<QStringList> EmployeeRowTexts(const RangeReport& report);
QVector<QStringList> ApartRowTexts(const RangeReport& report);
