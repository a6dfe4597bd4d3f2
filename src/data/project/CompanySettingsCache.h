#pragma once

#include "core/common/AppState.h"

#include <array>

// Reads the open company's MKIGYOU2 row; the caller sets KCO and NENDO first.
// True when the row exists.
bool LoadCompanySettings(TMKIGYOU2& settings);
// Reads the six plot marks of the company in CompanySettings; true if any mark was read.
bool LoadMarks(std::array<TMMARK, 7>& marks);
// The wage-table amount of the open company and year at a grade and pay step; 0 when none.
int WageTableAmount(const QString& gradeText, const QString& stepText);
