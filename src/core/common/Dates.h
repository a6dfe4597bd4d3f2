#pragma once

#include <QDate>
#include <QString>

// A date split for editing.
struct TYMD {
    QString Ymd;   // eight digits yyyymmdd, or "0" for no date
    QString Era;   // era name in era mode, else empty
    QString Year;  // two-digit era or western year as shown; four digits after conversion
    QString Month; // 1 or 2 digits
    QString Day;   // 1 or 2 digits
    QDate DateValue;
};

// Fills Era, Year, Month, Day and DateValue from Ymd; with an era mode other than 0 the year is
// the era year of the era table. True also when Ymd is no date ("0" or not 8 characters).
bool DateToParts(TYMD& d, int eraMode);
// Builds Ymd from the parts: a two-digit western year (30 or less 20xx) in era mode 0, else an
// era year of the named era. False for an invalid date (Ymd then holds today's date).
bool PartsToDate(TYMD& d, int eraMode);

// The date ages and years of service are counted to: today (mode other than 0) or a fixed
// date yyyymmdd (mode 0).
struct AgeBase {
    int mode = 0;
    int date = 0;
};
// Completed years from the date yyyymmdd to the age base; 0 for 0.
int YearsToBase(qint64 ymd, const AgeBase& base);
// The first day of a fiscal year (April 1): a new company's age base.
int FiscalYearStart(int year);
// A date of one fiscal year carried into the next: the same day a year on, February 29 becoming
// February 28; 0 (no date) stays 0, and a number that is no date moves by its year only.
int DateOneYearOn(int ymd);
// A fiscal year as shown: "令和 05" in era mode, "2023" otherwise.
QString NendoText(int eraMode, int year);

// The era of a date by the era table of the process-wide state: index 1..3, or 0 when the
// date lies before every era. Eras start on their start year, month and day (0 = January 1).
int EraIndexOf(const QDate& date);
