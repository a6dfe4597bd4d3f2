#include "core/raise/RollOver.h"

#include "core/common/Dates.h"
#include "core/company/BasicSettings.h"
#include "core/raise/RaiseComputation.h"

#include <QStringList>

EmployeeYear RollOverEmployee(const EmployeeYear& n, const QString& symbol) {
    EmployeeYear next = n;

    // A new grade of 0 was never decided: grade 0 and step 0 would wipe the employee's place
    // in the wage table.
    if (n.NTOUKYU != 0) {
        next.TOUKYU = n.NTOUKYU;
        next.GOUHOU = n.NGOUHOU;
    }
    // Without a scheduled pay after the raise the next-year items are not a decision (they
    // are 0 until the raise input saved the employee): the current pay carries on.
    if (RaiseDecided(n.NSYOTEI)) {
        next.KKYU = n.NKKYU;
        next.TEATE = n.NTEATE;
        next.SYOTEI = n.NSYOTEI;
        next.NENSYU = n.NNENSYU;
    }
    next.NTOUKYU = next.TOUKYU;
    next.NGOUHOU = next.GOUHOU;
    next.NKKYU = next.KKYU;
    next.NTEATE = next.TEATE;

    next.UPK = Currency();
    next.UPT = Currency();
    next.NSRITSU = Currency();
    next.NNENSYU = Currency();
    next.SGOUHOU = 0;
    next.FSKCHK = 0;
    next.NSYOTEI = Currency();

    next.HCO1 = n.HCO;
    next.HNA1 = symbol;
    next.HCO2 = n.HCO1;
    next.HNA2 = n.HNA1;
    next.HCO3 = n.HCO2;
    next.HNA3 = n.HNA2;
    return next;
}

QString TitleOneYearOn(const QString& title, int year, int eraMode) {
    QStringList forms{QString::number(year)};
    if (eraMode != 0)
        forms << NendoText(eraMode, year);
    for (const QString& form : forms)
        for (const QString& suffix : {QStringLiteral("年度"), QStringLiteral(" 年度")})
            if (title.startsWith(form + suffix)) {
                const QString next = form == forms.first() ? QString::number(year + 1)
                                                           : NendoText(eraMode, year + 1);
                return next + suffix + title.mid(form.size() + suffix.size());
            }
    return title;
}

namespace {
QString dateText(int ymd) {
    return ymd == 0 ? QStringLiteral("なし") : BaseDateText(ymd);
}
} // namespace

QString MovedDatesText(const QVector<MovedDate>& dates) {
    QStringList lines;
    for (const MovedDate& d : dates)
        lines << d.name + QLatin1Char(' ') + dateText(d.from) + QStringLiteral(" → ") +
                     dateText(d.to);
    return lines.join(QLatin1Char('\r'));
}

QString RaiseAfterRollOverText(int year) {
    return QStringLiteral("%1年度は、この昇給の登録より前に年次更新で作られています。この昇給は "
                          "%1年度には入っていません（入れるには %1年度の企業を削除して、"
                          "年次更新をやり直してください）。")
        .arg(year + 1);
}
