#pragma once

#include "core/common/Counts.h"
#include "core/common/Currency.h"
#include "core/masters/EmployeeCsv.h"

#include <QDate>
#include <QString>
#include <array>

// The employee list of the workbook: the columns of the CSV export and the employee's place
// in the wage table and pay.
struct EmployeeSheetRow {
    ExportRow csv;
    int GOUHOU = 0;
    int JISEKI = 0; // the base-pay item that follows the wage table, 0 none
    std::array<Currency, BasePayItemCount + 1>
        basePay{}; // [1..3]; the linked item is the wage-table amount
    std::array<Currency, AllowanceCount + 1> allowance{}; // [1..5]
};

// What the list's title and headings name.
struct EmployeeSheetHeader {
    QString nendoText;
    QString companyName;
    QDate today;
    std::array<QString, BasePayItemCount + 1> baseItemNames{}; // [1..3]
    std::array<QString, AllowanceCount + 1> allowanceNames{};  // [1..5]
    std::array<QString, MaxGrades + 1> gradeNames{};           // [1..9]
};

// The date of a stored yyyymmdd number; invalid for 0 or a number that is no date.
QDate DateOfYmd(qint64 ymd);
