#pragma once

#include "core/common/CompanyYear.h"
#include "core/raise/RaiseComputation.h"
#include "core/raise/RaiseSummary.h"
#include "data/db/SaveOutcome.h"
#include "data/masters/EmployeeStore.h"

#include <QVector>

// The raise of the employees of a company year: the evaluation codes (MHYOUKA), the raise
// columns of MSYAIN2 and the rows the raise input lists. Failing statements are reported by the
// data module; a save lands whole or not at all.

// The evaluation codes in code order. False when the read failed. forEditing: the conversion
// screen's load, whose save is refused when another person saves the codes in between.
bool LoadEvaluationCodes(const CompanyYear& cy, EvaluationCodes& codes, bool forEditing = false);
// Replaces the year's codes with these (refused, nothing written, over another person's save).
SaveResult SaveEvaluationCodes(const CompanyYear& cy, const EvaluationCodes& codes);

// What the raise input lists of one employee.
struct RaiseListRow {
    int SCO = 0;
    QString SCOT;
    QString SNA;
    qint64 SEIHI = 0;
    qint64 NYUHI = 0;
    Currency TRITSU;
    int TOUKYU = 0;
    int NTOUKYU = 0;
    int GOUHOU = 0;
    int NGOUHOU = 0;
};
// The employees in code order; grade 0 lists all, 1..9 those of the current grade.
bool LoadRaiseList(const CompanyYear& cy, int grade, QVector<RaiseListRow>& rows);

// forEditing: the raise input's load, whose save is refused when another person saves the
// employee in between.
LoadResult LoadRaiseRecord(const CompanyYear& cy, int sco, RaiseRecord& r, bool forEditing = false);
// Every employee of the year in code order.
bool LoadRaiseRecords(const CompanyYear& cy, QVector<RaiseRecord>& records);

// The raise input's save of one employee loaded for editing (see RecordGuard): refused over
// another person's save of the employee since it was loaded; an employee deleted meanwhile is
// a failure (told). Saved: nextYearExists (when given) says whether year N + 1 was made before
// this raise.
SaveResult SaveRaise(const CompanyYear& cy, const RaiseEntry& entry,
                     bool* nextYearExists = nullptr);
// Saves every entry or none (an entry without an employee fails the whole).
SaveResult SaveRaises(const CompanyYear& cy, const QVector<RaiseEntry>& entries);
// Inside a transaction the caller holds: writes the entries; false when a statement failed
// (reported) or an entry has no employee.
bool WriteRaises(const CompanyYear& cy, const QVector<RaiseEntry>& entries);

// Grade, mark and scheduled pay before and after of every employee.
bool LoadRaiseSummaryInputs(const CompanyYear& cy, QVector<RaiseSummaryInput>& employees);

// The number of grades of the year's wage table, 9 without one.
int WageTableGradeCount(const CompanyYear& cy);
// True when the year has a generated wage table; failed is set when it could not be asked.
bool HasWageTable(const CompanyYear& cy, bool* failed = nullptr);
