#pragma once

#include "core/analysis/RangeReport.h"
#include "core/common/CompanyYear.h"

// What the range analysis reads of a company year: the wage table's head (MCHINGIN), the
// salary-scale set it names (DSCALE) and every employee with grade and the current amount of
// the base-pay item linked to the wage table (KKYU1..KKYU3 chosen by JISEKI). Nothing is written.

enum class RangeLoad {
    Loaded,
    NoCompany,   // the company has no settings row in the year
    NoWageTable, // no wage-table head
    NoScale,     // the head's scale set has no rows
    Failed       // a statement failed (reported by the data module)
};

struct RangeInputs {
    RangeHeader header;                       // without nendoText and today, which the caller knows
    QVector<std::optional<ScaleGrade>> scale; // grade k at [k-1], 1..the table's grade count
    QVector<RangeEmployee> employees;         // in employee-code order
};

RangeLoad LoadRangeInputs(const CompanyYear& cy, RangeInputs& inputs);

// Loads and analyses; the report's header is complete but for nendoText and today.
RangeLoad LoadRangeReport(const CompanyYear& cy, RangeReport& report);

class Project;
// The same for the open company of a project, with the header as the prints fill it: the
// company's name, the year as the project shows years, and today's date.
RangeLoad LoadRangeReport(const Project& project, RangeReport& report);
// Just those header fields, for a report loaded by company year.
void FillRangeHeader(const Project& project, RangeHeader& header);
