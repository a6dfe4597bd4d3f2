#include "core/common/Dates.h"

#include "core/common/AppState.h"
#include "core/common/Counts.h"

namespace {

QDate eraStart(const AppState& s, int i) {
    if (s.EraStartYears[i] <= 0)
        return {};
    int m = s.EraStartMonths[i] >= 1 && s.EraStartMonths[i] <= 12 ? s.EraStartMonths[i] : 1;
    int d = s.EraStartDays[i] >= 1 ? s.EraStartDays[i] : 1;
    QDate first(s.EraStartYears[i], m, 1);
    if (!first.isValid())
        return {};
    return QDate(s.EraStartYears[i], m, qMin(d, first.daysInMonth()));
}

QString twoDigits(int v) {
    return QString::number(v).rightJustified(2, QLatin1Char('0'));
}

} // namespace

int EraIndexOf(const QDate& date) {
    const AppState& s = state();
    int best = 0;
    QDate bestStart;
    for (int i = 1; i <= EraCount; ++i) {
        QDate start = eraStart(s, i);
        if (!start.isValid() || s.EraNames[i].isEmpty() || start > date)
            continue;
        if (!bestStart.isValid() || start >= bestStart) {
            best = i;
            bestStart = start;
        }
    }
    return best;
}

bool DateToParts(TYMD& d, int eraMode) {
    AppState& s = state();
    d.Era.clear();
    d.Year = d.Month = d.Day = QStringLiteral("0");
    d.DateValue = s.clock();
    if (d.Ymd.size() != 8)
        return true;
    d.Year = d.Ymd.mid(2, 2);
    d.Month = d.Ymd.mid(4, 2);
    d.Day = d.Ymd.mid(6, 2);
    bool okY = false, okM = false, okD = false;
    const int y = d.Ymd.left(4).toInt(&okY);
    const int m = d.Month.toInt(&okM);
    const int day = d.Day.toInt(&okD);
    QDate date(y, m, day);
    const bool valid = okY && okM && okD && date.isValid();
    if (valid)
        d.DateValue = date;
    if (eraMode != 0) {
        const int era = EraIndexOf(d.DateValue);
        if (era > 0) {
            d.Era = s.EraNames[era].left(2);
            d.Year = twoDigits(d.DateValue.year() - s.EraStartYears[era] + 1);
        } else {
            d.Year = QString::number(d.DateValue.year());
        }
    }
    return valid;
}

bool PartsToDate(TYMD& d, int eraMode) {
    AppState& s = state();
    const QString month = d.Month.trimmed().isEmpty() ? QStringLiteral("0") : d.Month.trimmed();
    const QString day = d.Day.trimmed().isEmpty() ? QStringLiteral("0") : d.Day.trimmed();
    bool okM = false, okD = false;
    const int m = month.toInt(&okM);
    const int dd = day.toInt(&okD);
    if (okM && okD && m == 0 && dd == 0) {
        d.Ymd = QStringLiteral("0");
        return true;
    }
    bool okY = false;
    int y = d.Year.trimmed().toInt(&okY);
    if (!okY)
        y = 0;
    bool result = true;
    if (eraMode == 0) {
        y = y <= 30 ? y + 2000 : y + 1900;
    } else {
        int era = 0;
        for (int i = 1; i <= EraCount && era == 0; ++i)
            if (!s.EraNames[i].isEmpty() && d.Era == s.EraNames[i])
                era = i;
        if (era > 0)
            y = y + s.EraStartYears[era] - 1;
        else
            result = false;
    }
    d.Year = QString::number(y);
    QDate date(y, okM ? m : 0, okD ? dd : 0);
    if (result && date.isValid()) {
        d.DateValue = date;
    } else {
        d.DateValue = s.clock();
        result = false;
    }
    d.Ymd = d.DateValue.toString(QStringLiteral("yyyyMMdd"));
    return result;
}

int YearsToBase(qint64 ymd, const AgeBase& base) {
    if (ymd == 0)
        return 0;
    AppState& s = state();
    const int year = int(ymd / 10000);
    const int month = int((ymd / 100) % 100);
    const int day = int(ymd % 100);
    int by, bm, bd;
    if (base.mode != 0) {
        s.refreshToday();
        by = s.TodayYear;
        bm = s.TodayMonth;
        bd = s.TodayDay;
    } else {
        by = base.date / 10000;
        bm = (base.date / 100) % 100;
        bd = base.date % 100;
    }
    int r = by - year;
    if (bm < month || (bm == month && bd < day))
        --r;
    return r;
}

int FiscalYearStart(int year) {
    return year * 10000 + 401;
}

int DateOneYearOn(int ymd) {
    if (ymd == 0)
        return 0;
    const int year = ymd / 10000, month = (ymd / 100) % 100, day = ymd % 100;
    if (!QDate(year, month, day).isValid())
        return ymd + 10000;
    const QDate first(year + 1, month, 1);
    return (year + 1) * 10000 + month * 100 + qMin(day, first.daysInMonth());
}

QString NendoText(int eraMode, int year) {
    if (eraMode != 0) {
        TYMD d;
        d.Ymd = QString::number(year) + QStringLiteral("0101");
        if (DateToParts(d, eraMode) && !d.Era.isEmpty())
            return d.Era + QLatin1Char(' ') + d.Year;
    }
    return QString::number(year);
}
