#include "core/masters/EmployeeRecord.h"

#include "core/common/Counts.h"

#include <QLocale>

EmployeePay ComputeEmployeePay(const std::array<Currency, BasePayItemCount + 1>& baseBefore,
                               const std::array<Currency, BasePayItemCount + 1>& baseAfter,
                               const std::array<Currency, AllowanceCount + 1>& allowanceBefore,
                               const std::array<Currency, AllowanceCount + 1>& allowanceAfter,
                               Currency bonus1, Currency bonus2) {
    EmployeePay p;
    for (size_t i = 1; i <= BasePayItemCount; ++i) {
        p.baseBefore += baseBefore[i];
        p.baseAfter += baseAfter[i];
    }
    for (size_t i = 1; i <= AllowanceCount; ++i) {
        p.allowanceBefore += allowanceBefore[i];
        p.allowanceAfter += allowanceAfter[i];
    }
    p.scheduledBefore = p.baseBefore + p.allowanceBefore;
    p.scheduledAfter = p.baseAfter + p.allowanceAfter;
    p.annualBefore = bonus1 + p.scheduledBefore * 12 + bonus2;
    p.annualAfter = bonus1 + p.scheduledAfter * 12 + bonus2;
    p.baseRaise = p.baseAfter - p.baseBefore;
    p.allowanceRaise = p.allowanceAfter - p.allowanceBefore;
    return p;
}

EmployeePay ComputeEmployeePay(const EmployeeRecord& e) {
    return ComputeEmployeePay(e.KKYU, e.NKKYU, e.TEATE, e.NTEATE, e.SYOUYO, e.SYOUYO2);
}

int NormalisedLink(qint64 jiseki) {
    return IsBasePayItem(jiseki) ? int(jiseki) : 0;
}

namespace {
const QLocale& english() {
    static const QLocale l(QLocale::English, QLocale::UnitedStates);
    return l;
}
} // namespace

QString MoneyBoxText(Currency value) {
    return english().toString(value.rounded());
}

QString RetirementRateText(Currency value) {
    // Three decimals, the third rounded half away from zero, from the exact fixed point value.
    const qint64 raw = value.raw();
    const qint64 thousandths = (raw < 0 ? raw - 5 : raw + 5) / 10;
    const qint64 whole = thousandths / 1000;
    const qint64 frac = qAbs(thousandths % 1000);
    QString text = english().toString(whole) + QLatin1Char('.') +
                   QString::number(frac).rightJustified(3, QLatin1Char('0'));
    if (thousandths < 0 && whole == 0)
        text.prepend(QLatin1Char('-'));
    return text;
}
