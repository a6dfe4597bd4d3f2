#pragma once

#include "core/masters/EmployeeSheet.h"
#include "render/workbook/Workbook.h"

#include <QVector>

// The employee list as a workbook: the columns of the CSV export, then grade, step and pay,
// one employee a row, and a total line.
namespace EmployeeSheet {
// Columns from 0.
enum Column {
    Number,
    Name,
    Position,
    Sex,
    Education,
    Major,
    Experience,
    Status,
    Birth,
    Joined,
    Grade,
    GradeName,
    Step,
    Base1,
    Base2,
    Base3,
    BaseTotal,
    Allowance1,
    Allowance5 = Allowance1 + 4,
    AllowanceTotal,
    Scheduled,
    ColumnCount
};
constexpr int HeadingRow = 2;
constexpr int FirstRow = 3; // the first employee
} // namespace EmployeeSheet

Xlsx::Workbook ComposeEmployeeWorkbook(const EmployeeSheetHeader& header,
                                       const QVector<EmployeeSheetRow>& rows);
