#pragma once

#include "core/common/Currency.h"
#include "core/raise/RaiseComputation.h"

#include <QVector>
#include <optional>

// What the year's raises cost, per grade, per mark and in total, with the raise of the base pay
// that follows the wage table split into the move along the table (定期昇給) and the move of the
// table itself under the employee (ベースアップ).

struct RaiseBudgetSettings {
    Currency bonusMonths;                           // bonuses as months of base pay
    Currency onCostPercent = Currency::fromInt(15); // employer on-costs on the raise
};

struct RaiseBudgetGroup {
    int group = 0; // grade or mark; unused in the total
    int heads = 0;
    int undecided = 0;
    Currency current, next, raise;
    std::optional<Currency> rate;
    Currency scheduled; // 定期昇給
    Currency baseUp;    // ベースアップ
    Currency other;     // other items, allowances, and a linked item off the table
    Currency baseRaise; // raise of the base-pay items, the ground of the bonuses
    Currency annualRaise, bonusChange, onCost, annualCost;
};

struct RaiseBudget {
    QVector<RaiseBudgetGroup> byGrade, byMark;
    RaiseBudgetGroup total;
};

// One employee's share: the split of the linked item and the rest.
struct RaiseBudgetShare {
    bool decided = false;
    Currency current, next;
    Currency scheduled, baseUp, other, baseRaise;
};
RaiseBudgetShare ShareOfRaise(const RaiseRecord& r);

RaiseBudget ComputeRaiseBudget(const QVector<RaiseRecord>& employees,
                               const RaiseBudgetSettings& settings);
