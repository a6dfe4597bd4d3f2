#include "data/report/ReportHeaders.h"

#include "core/common/AppState.h"
#include "core/common/Counts.h"
#include "data/project/Project.h"

namespace {

QDate today() {
    AppState& s = state();
    s.refreshToday();
    return s.Today;
}

} // namespace

GroupReportHeader GroupReportHeaderOf(const Project& project, const QString& gradeFromName,
                                      const QString& gradeToName) {
    GroupReportHeader h;
    h.nendoText = NendoText(project.eraMode(), project.companyYear().nendo);
    h.companyName = project.companyName();
    h.today = today();
    h.ageBase = project.ageBase();
    for (int i = 1; i <= BasePayItemCount; ++i)
        h.baseItemNames[size_t(i)] = project.settings().KKNA[size_t(i)];
    for (int m = 1; m <= MarkCount; ++m) {
        const TMMARK& mark = project.marks()[size_t(m)];
        h.markNames[size_t(m)] = mark.MARK + QStringLiteral(" : ") + mark.HANREI;
    }
    h.gradeFromName = gradeFromName;
    h.gradeToName = gradeToName;
    return h;
}

WageTablePrintHeader WageTablePrintHeaderOf(const Project& project, const QString& title) {
    WageTablePrintHeader h;
    h.nendoText = NendoText(project.eraMode(), project.companyYear().nendo);
    h.companyName = project.companyName();
    h.title = title;
    h.today = today();
    for (int g = 1; g <= MaxGrades; ++g)
        h.gradeNames[size_t(g)] = project.settings().TK[size_t(g)];
    return h;
}

EmployeeSheetHeader EmployeeSheetHeaderOf(const Project& project) {
    EmployeeSheetHeader h;
    h.nendoText = NendoText(project.eraMode(), project.companyYear().nendo);
    h.companyName = project.companyName();
    h.today = today();
    const TMKIGYOU2& s = project.settings();
    for (int i = 1; i <= BasePayItemCount; ++i)
        h.baseItemNames[size_t(i)] = s.KKNA[size_t(i)];
    for (int i = 1; i <= AllowanceCount; ++i)
        h.allowanceNames[size_t(i)] = s.TNA[size_t(i)];
    for (int g = 1; g <= MaxGrades; ++g)
        h.gradeNames[size_t(g)] = s.TK[size_t(g)];
    return h;
}
