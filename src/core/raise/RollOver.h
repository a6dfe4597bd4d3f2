#pragma once

#include "core/common/Counts.h"
#include "core/common/Currency.h"

#include <QString>
#include <QVector>
#include <array>

// What the annual update makes of an employee's pay record: the values of year N + 1 from the
// values of year N. Only the columns the roll-over changes are here; every other column of the
// employee's rows is copied as it is.
struct EmployeeYear {
    int TOUKYU = 0;
    int GOUHOU = 0;
    int HCO = 0;
    Currency UPK, UPT;
    std::array<Currency, BasePayItemCount + 1> KKYU{}, NKKYU{}; // [1..3]
    std::array<Currency, AllowanceCount + 1> TEATE{}, NTEATE{}; // [1..5]
    Currency NSRITSU;
    Currency NNENSYU;
    int NTOUKYU = 0;
    int SGOUHOU = 0;
    int NGOUHOU = 0;
    int FSKCHK = 0;
    int HCO1 = 0, HCO2 = 0, HCO3 = 0;
    QString HNA1, HNA2, HNA3;
    Currency SYOTEI, NSYOTEI;
    Currency NENSYU; // annual pay of the employee master (MSYAIN1)
};

// The employee in year N + 1. The next-year grade, step and pay of year N become the current
// ones; an employee whose raise was not decided keeps them instead: the grade and step when no
// new grade was saved, the pay and annual pay when no scheduled pay after the raise was saved.
// Either way the new year's next-year columns start equal to its current ones, the raise
// results are cleared, and the evaluation history moves down one place with this year's
// evaluation and its symbol (`symbol`, empty when the code has none) first.
EmployeeYear RollOverEmployee(const EmployeeYear& year, const QString& symbol);

// A title of year N in year N + 1: a title that begins with the year as the program writes it
// ("2023年度", "2023 年度", or in era mode "令和 05年度") begins with N + 1's text instead; any
// other title is the user's and stays as typed.
QString TitleOneYearOn(const QString& title, int year, int eraMode);

// A date the roll-over moved, for telling the user.
struct MovedDate {
    QString name; // "基準年月日", "調査日", "昇給日"
    int from = 0; // yyyymmdd of year N
    int to = 0;   // of year N + 1
};
// One line per date, "基準年月日 2023.04.01 → 2024.04.01"; no date (0) shows as "なし".
QString MovedDatesText(const QVector<MovedDate>& dates);

// What a raise stored into year N is told when year N + 1 already exists: the roll-over made
// that year before this raise, which therefore is not in it.
QString RaiseAfterRollOverText(int year);
