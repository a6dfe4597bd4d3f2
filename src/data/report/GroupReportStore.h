#pragma once

#include "core/common/CompanyYear.h"
#include "core/common/LeftOutEmployees.h"
#include "core/report/GroupReport.h"

#include <QVector>
#include <optional>

// The employees of the group reports, read from VSYAIN.
struct ReportRange {
    int from = 0;
    int to = 0;
};

// The employees of the company year whose mark and grade lie in the ranges, ordered by mark
// and employee code. Nothing when the read failed (the data module has reported it).
std::optional<QVector<GroupReportEmployee>>
LoadGroupReportEmployees(const CompanyYear& company, ReportRange marks, ReportRange grades);

// The employees of the company year whom no mark and grade range could include. Nothing when
// the read failed (the data module has reported it).
std::optional<LeftOutEmployees> LoadLeftOutEmployees(const CompanyYear& company);
