#include "core/masters/NegativeYears.h"

#include "core/common/AppState.h"

YearsBelowZero NegativeYears(qint64 birth, qint64 joining, const AgeBase& base) {
    return {YearsToBase(birth, base) < 0, YearsToBase(joining, base) < 0};
}

qint64 AgeBaseYmd(const AgeBase& base) {
    if (base.mode == 0)
        return base.date;
    AppState& s = state();
    s.refreshToday();
    return qint64(s.TodayYear) * 10000 + s.TodayMonth * 100 + s.TodayDay;
}
