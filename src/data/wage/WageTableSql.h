#pragma once

#include "core/wage/WageTableDefinition.h"
#include "core/wage/WageTableTexts.h"

#include "data/db/BoundStatement.h"

// The statements of a wage-table save, in the order they run: the head, the salary-scale set
// of the current scale code, the set of the chosen method under its current code (the other
// method's set is left as stored), then the generated table replacing the year's old one.
// Only grades 1 to the grade count are written to the sets.
BoundStatements WageTableSaveStatements(int kco, int year, const WageTableDefinition& definition,
                                        const GradeNames& gradeNames, const WageTable& table);

// One INSERT of a generated row: KCO, NENDO, GOUHOU, then KIN and KS of grades 1 to 9.
BoundStatement WageTableRowInsert(int kco, int year, const WageTableRow& row);
