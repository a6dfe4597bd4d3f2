#pragma once

#include "core/common/CompanySettings.h"
#include "core/common/CompanyYear.h"
#include "core/masters/EmployeeRecord.h"
#include "data/db/RecordGuard.h"
#include "data/db/SaveOutcome.h"

#include <QString>
#include <QVector>

// Loading and saving the employees of a company year (MSYAIN1, MSYAIN2, read back through the
// view VSYAIN). Every save writes both tables in one transaction: both rows land or neither.
// Failing statements are reported by the data module.

// What the employee list shows of one employee.
struct EmployeeListRow {
    int SCO = 0;
    QString SCOT;
    QString SNA;
    QString YAKU;
    qint64 SEIHI = 0;
    qint64 NYUHI = 0;
    int SM1 = 0;
    int TOUKYU = 0;
    int GOUHOU = 0;
    int ZONEX = 0;
};

// The employees in code order; grade 0 lists all, 1..9 only that grade. False when the read
// failed (the rows read so far stay).
bool LoadEmployeeList(const CompanyYear& cy, int grade, QVector<EmployeeListRow>& rows);

enum class LoadResult { Found, Missing, Failed };
// Both stored rows of an employee as a save compares them with what its screen loaded; one
// record for every screen that edits the employee.
GuardedRecord EmployeeGuard(const CompanyYear& cy, int sco, const QString& name);
LoadResult LoadEmployee(const CompanyYear& cy, int sco, EmployeeRecord& e);

// True when MSYAIN1 holds the code; failed is set when the question could not be asked.
bool EmployeeExists(const CompanyYear& cy, int sco, bool* failed);

// Insert writes every column of both rows; createdAt goes into NEWDAY1.
bool InsertEmployee(const CompanyYear& cy, const EmployeeRecord& e, const QString& createdAt);
// Update sets the columns the employee screen edits and leaves the raise columns alone; it is
// refused over another person's save of the employee since it was loaded.
SaveResult UpdateEmployee(const CompanyYear& cy, const EmployeeRecord& e);
bool DeleteEmployee(const CompanyYear& cy, int sco);

// The evaluation codes of the company year (HCO, HKIGOU) in the order the database gives.
bool LoadEvalCodes(const CompanyYear& cy, CodeList& list);
