#pragma once

#include "core/common/Currency.h"

#include <QVector>
#include <optional>

// The cost of the year's raises per group of employees and for all of them.

struct RaiseSummaryInput {
    int grade = 0;            // TOUKYU
    int mark = 0;             // MCO
    Currency scheduledBefore; // SYOTEI
    Currency scheduledAfter;  // NSYOTEI, 0 while the raise is not decided
};

enum class RaiseGrouping { Grade, Mark };

struct RaiseGroupSummary {
    int group = 0; // the grade or mark
    int heads = 0;
    int undecided = 0;
    Currency current;             // scheduled pay before the raise
    Currency next;                // after it; an undecided employee counts with the current pay
    Currency raise;               // next - current
    std::optional<Currency> rate; // raise in percent of current; none when current is 0
    Currency annualCost;          // raise x 12
};

struct RaiseSummary {
    QVector<RaiseGroupSummary> groups; // in ascending group order
    RaiseGroupSummary total;
};

RaiseSummary SummariseRaises(const QVector<RaiseSummaryInput>& employees, RaiseGrouping by);
