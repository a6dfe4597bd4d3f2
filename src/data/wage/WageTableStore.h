#pragma once

#include "core/wage/StoredWageTable.h"
#include "core/wage/WageTableTexts.h"
#include "data/db/SaveOutcome.h"

#include <QVector>
#include <array>
#include <optional>

// Loading and saving of the wage table of one company year (MCHINGIN, DSCALE, DKSEN2, DKSEN3,
// DCHINGIN2).

std::optional<StoredHead> LoadWageTableHead(int kco, int year);
// A set's rows in grade order; empty when the code has no stored set.
QVector<StoredScaleRow> LoadScaleSet(int kco, int year, int code);
QVector<StoredCurveRow> LoadSecondOrderSet(int kco, int year, int code);
QVector<StoredCurveRow> LoadThirdOrderSet(int kco, int year, int code);
// Every code stored for the company year, ascending.
QVector<int> LoadScaleCodes(int kco, int year);
QVector<int> LoadSecondOrderCodes(int kco, int year);
QVector<int> LoadThirdOrderCodes(int kco, int year);

// The stored definition as the wage-table screen shows it on opening; empty without a head.
std::optional<WageTableTexts> OpenStoredWageTable(int kco, int year, const GradeNames& names);

// Remembers the stored definition as the wage-table screen loads it: its next save is refused
// when another person saved a definition in between (see RecordGuard).
bool RememberLoadedWageTable(int kco, int year);

// Generates the table of a checked definition and writes head, scale set, the chosen curve
// set and the table in one transaction: all of them land or none; refused over another
// person's save of the definition since it was loaded. OutOfRange: the definition gives
// amounts no table can hold, and `fault` (when given) says which part of it.
SaveResult SaveWageTable(int kco, int year, const WageTableDefinition& definition,
                         const GradeNames& gradeNames, GenerationFault* fault = nullptr);

// The same save inside a transaction the caller holds (the annual update's): nothing of it
// lands unless the caller commits.
SaveResult SaveWageTableWithin(int kco, int year, const WageTableDefinition& definition,
                               const GradeNames& gradeNames, GenerationFault* fault = nullptr);

// The stored table (DCHINGIN2) in step order.
QVector<WageTableRow> LoadStoredWageTable(int kco, int year);

// Average current base pay of the company's employees per grade 1..9 ([0] unused), as a guide
// for the scale's base amounts: the first base-pay item, or the wage-table amount when the
// company's saved salary option links the base pay to the wage table. Employees of a grade
// outside 1 to 9 count under grade 1.
std::array<qint64, MaxGrades + 1> LoadBaseAmounts(int kco, int year);

// Head, scale set, the curve set of the head's method and the table, as stored.
StoredWageTable LoadWholeWageTable(int kco, int year);
