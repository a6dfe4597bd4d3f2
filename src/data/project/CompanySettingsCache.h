#pragma once

#include "core/common/AppState.h"
#include "core/common/CompanyYear.h"
#include "core/common/Counts.h"

#include <array>

// Reads the company year's MKIGYOU2 row into `settings` (its KCO and NENDO are set from the
// company year). True when the row exists.
bool LoadCompanySettings(const CompanyYear& company, TMKIGYOU2& settings);
// Reads the six plot marks of the company year; true if any mark was read.
bool LoadMarks(const CompanyYear& company, std::array<TMMARK, MarkCount + 1>& marks);
// The wage-table amount of the company year at a grade and pay step as typed; 0 when none.
int WageTableAmount(const CompanyYear& company, const QString& gradeText, const QString& stepText);
