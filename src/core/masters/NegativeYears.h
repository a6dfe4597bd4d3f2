#pragma once

#include "core/common/Dates.h"

// A birth or joining date after the date ages are counted to (the company's age base date, or
// today when it counts to today) makes the age or the years of service negative. Such a date
// is allowed, but the user is asked before it is saved, and an import marks its line.
struct YearsBelowZero {
    bool age = false;     // birth date after the base date
    bool service = false; // joining date after the base date
    bool any() const { return age || service; }
};

// Dates yyyymmdd, 0 for none (a date of 0 counts 0 years).
YearsBelowZero NegativeYears(qint64 birth, qint64 joining, const AgeBase& base);

// The date ages are counted to, yyyymmdd: the base date, or today.
qint64 AgeBaseYmd(const AgeBase& base);
