#pragma once

#include "core/common/CompanyYear.h"
#include "core/raise/RaiseBudgetTable.h"
#include "data/db/SaveOutcome.h"
#include "data/masters/EmployeeStore.h"

#include <QVector>

// What the raise budget reads and keeps: the raise input of a company year with the wage-table
// amounts at the current and the new grade and step, and the two settings of its cost (bonus
// months and on-cost rate, kept in the company year's MKIGYOU2 row and so carried into the next
// year by the annual update). Failing statements are reported by the data module.

// The two settings of the company year. A company file made before they were kept has no
// columns for them: it reads the defaults. Missing when the company year has no settings row.
// forEditing: the screen's load, whose save is refused when another person saves the settings
// in between.
LoadResult LoadRaiseBudgetSettings(const CompanyYear& cy, RaiseBudgetSettings& settings,
                                   bool forEditing = false);

// Both settings or neither; refused over another person's save since the load for editing; a
// company year without its settings row is a failure (told).
SaveResult SaveRaiseBudgetSettings(const CompanyYear& cy, const RaiseBudgetSettings& s);

// Every employee of the year in code order, with the columns the budget reads. False when the
// read failed.
bool LoadRaiseBudgetInput(const CompanyYear& cy, QVector<RaiseRecord>& employees);

class Project;
// The budget of the open company year laid out for a print or a workbook: the year, the
// company's name, today, the settings used and the sections named after its grades and marks.
RaiseBudgetDocument RaiseBudgetDocumentOf(const Project& project, const RaiseBudget& budget,
                                          const RaiseBudgetSettings& settings);
