#pragma once

#include "core/company/BasicSettings.h"

// Loading and saving of the basic settings: MKIGYOU1 options and the era table in the control
// file, marks and graph lines in the company file. kco and nendo are the texts of
// CompanySettings.

// Reads every area. Read failures are reported by the data module; what could not be read
// stays at its default, colours "clBlack". The base date is also taken into the process-wide
// state.
void LoadBasicSettings(const QString& kco, const QString& nendo, BasicSettings* settings);

// Writes the changed areas in one transaction: all of them land or none. False when nothing
// was written (the data module has told the user why). After a save the era table and the
// base date in the process-wide state are the saved ones.
bool SaveBasicSettings(const QString& kco, const QString& nendo, const BasicSettings& settings,
                       SettingsAreas changed);
