#pragma once

#include "core/analysis/ReferenceCurves.h"
#include "core/common/CompanyYear.h"
#include "data/db/SaveOutcome.h"

#include <optional>

// The shared reference tables: living-cost tables (MSEIKEI, company file) and model wage
// series (MDEL, MDCHINGIN, control file). Every value is bound; a table is replaced in one
// transaction. Failing statements are reported by the data module; `failed` says so. A master
// screen remembers the code it loads; its save is then refused (told, nothing written,
// ChangedByOther) when another person saved that code in between.

// The rows of a living-cost code by household members and age.
QVector<LivingCostRow> LoadLivingCostTable(int code, bool* failed = nullptr);
bool RememberLoadedLivingCost(int code);
// Replaces every row of the code (whoever wrote them) by the rows given, stamped with the
// company year: all or nothing.
SaveResult SaveLivingCostTable(int code, const QVector<LivingCostRow>& rows, const CompanyYear& cy);
bool DeleteLivingCostTable(int code);

std::optional<ModelDataRecord> LoadModelData(int code, bool* failed = nullptr);
bool RememberLoadedModelData(int code);
// Inserts the description, or changes it when the code has one.
SaveResult SaveModelData(const ModelDataRecord& record, bool exists);
// The description only; the series' wages stay.
bool DeleteModelData(int code);

// The wages of a model code by wage code; line kind 1..3 only those of that kind, 0 all.
QVector<ModelWageRow> LoadModelWages(int model, int lineKind = 0, bool* failed = nullptr);
std::optional<ModelWageRow> LoadModelWage(int model, int code, bool* failed = nullptr);
bool RememberLoadedModelWage(int model, int code);
SaveResult SaveModelWage(int model, const ModelWageRow& row, bool exists);
bool DeleteModelWage(int model, int code);
