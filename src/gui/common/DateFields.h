#pragma once

#include <QtGlobal>

class QComboBox;
class QLineEdit;

// The era box and the year, month and day edits through which a screen shows and takes a date.
struct DateFields {
    QComboBox* era;
    QLineEdit* year;
    QLineEdit* month;
    QLineEdit* day;
};

// Shows a stored yyyymmdd date (0 = no date) in the company's calendar (era mode 0 western
// years); an unknown era selects the empty last item.
void ShowDate(const DateFields& fields, qint64 ymd, int eraMode);
// The typed date as yyyymmdd (0 for month and day 0); false when it is no valid date.
bool TakeDate(const DateFields& fields, qint64& ymd, int eraMode);
