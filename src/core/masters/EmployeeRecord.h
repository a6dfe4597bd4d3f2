#pragma once

#include "core/common/Counts.h"
#include "core/common/Currency.h"

#include <QString>
#include <array>

// One employee of a company year: the MSYAIN1 row and the MSYAIN2 row with the same code, as
// the employee screen edits them. Arrays named after 1-based items keep index 0 unused.
struct EmployeeRecord {
    int SCO = 0;
    QString SCOT;     // employee number
    QString SNA;      // name
    int SEIBETSU = 0; // 0 male, 1 female
    qint64 SEIHI = 0; // birth date yyyymmdd, 0 none
    qint64 NYUHI = 0; // date of joining
    QString YAKU;     // position
    int SM1 = 0;      // in-company status 0..4
    QString GAKU;
    QString SENKOU;
    QString KSIKAKU;
    QString KEIKEN; // job assignment
    qint64 THI = 0; // date of appointment
    int TOUKYU = 0; // grade (also TCO)
    int GOUHOU = 0; // pay step
    int ZONEX = 0;
    Currency TRITSU; // achievement rate
    int HCO = 0;     // evaluation code of this year
    QString HNA1;
    QString HNA2;
    QString HNA3;
    int NENSU = 0;                                      // years of experience
    int TENSU = 0;                                      // job points
    int MCO = 0;                                        // plot mark
    QString SPATH;                                      // photo, relative to Picture/
    std::array<Currency, BasePayItemCount + 1> KKYU{};  // [1..3] base pay before the raise
    std::array<Currency, BasePayItemCount + 1> NKKYU{}; // [1..3] after
    std::array<Currency, AllowanceCount + 1> TEATE{};   // [1..5] allowances before
    std::array<Currency, AllowanceCount + 1> NTEATE{};  // [1..5] after
    Currency SYOUYO;                                    // bonus, first half-year
    Currency SYOUYO2;                                   // bonus, second half-year
    Currency SRITSU;                                    // retirement allowance rate
    int JISEKI = 0; // which base pay follows the wage table, 0 none
    int NENREI = 0; // derived when saving
    int KINZOKU = 0;
    // Read from the view only: the wage-table amounts at the current and the new grade and step.
    qint64 KIN = 0;
    qint64 NKIN = 0;
};

// The sums the screen shows and the save stores.
struct EmployeePay {
    Currency baseBefore; // base pay 1 + 2 + 3
    Currency baseAfter;
    Currency allowanceBefore; // allowances 1 .. 5
    Currency allowanceAfter;
    Currency scheduledBefore; // base + allowances
    Currency scheduledAfter;
    Currency annualBefore; // first bonus + scheduled x 12 + second bonus
    Currency annualAfter;  // the same two bonuses
    Currency baseRaise;    // after - before
    Currency allowanceRaise;
};

EmployeePay ComputeEmployeePay(const std::array<Currency, BasePayItemCount + 1>& baseBefore,
                               const std::array<Currency, BasePayItemCount + 1>& baseAfter,
                               const std::array<Currency, AllowanceCount + 1>& allowanceBefore,
                               const std::array<Currency, AllowanceCount + 1>& allowanceAfter,
                               Currency bonus1, Currency bonus2);
EmployeePay ComputeEmployeePay(const EmployeeRecord& e);

// A wage-table link as stored: 1..3, anything else 0.
int NormalisedLink(qint64 jiseki);

// "#,##0" of an amount (rounded half away from zero), "#,##0.000" of a rate.
QString MoneyBoxText(Currency value);
QString RetirementRateText(Currency value);
