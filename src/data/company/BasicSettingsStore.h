#pragma once

#include "core/common/CompanyYear.h"
#include "core/company/BasicSettings.h"
#include "data/db/SaveOutcome.h"

// Loading and saving of the basic settings: MKIGYOU1 options and the era table in the control
// file, marks and graph lines in the company file.

// Reads every area. Read failures are reported by the data module; what could not be read
// stays at its default, colours "clBlack".
void LoadBasicSettings(const CompanyYear& company, BasicSettings* settings);

// Remembers every area as the settings screen loads it: a later save of an area is refused
// when another person saved that area in between (see RecordGuard).
bool RememberLoadedBasicSettings(const CompanyYear& company);

// Writes the changed areas in one transaction: all of them land or none, refused over another
// person's save of an area since it was loaded. The caller then has the project read its
// settings again.
SaveResult SaveBasicSettings(const CompanyYear& company, const BasicSettings& settings,
                             SettingsAreas changed);
