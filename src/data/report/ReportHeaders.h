#pragma once

#include "core/masters/EmployeeSheet.h"
#include "core/report/GroupReport.h"
#include "core/report/WageTablePrint.h"

class Project;

// The page headers of the open company year, as the printing screens and the command-line
// companion fill them: names, today's date, the age base, item and grade names, marks.
GroupReportHeader GroupReportHeaderOf(const Project& project, const QString& gradeFromName,
                                      const QString& gradeToName);
WageTablePrintHeader WageTablePrintHeaderOf(const Project& project, const QString& title);
EmployeeSheetHeader EmployeeSheetHeaderOf(const Project& project);
