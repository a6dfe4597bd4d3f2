#include "data/analysis/RangeStore.h"

#include "core/common/AppState.h"
#include "core/common/Counts.h"
#include "core/common/Dates.h"
#include "data/db/TDM.h"
#include "data/project/CompanySettingsCache.h"
#include "data/project/Project.h"
#include "data/wage/WageTableStore.h"

#include <algorithm>

namespace {

// A head with SKCO 0 still names set 0: the wage-table screen saves and shows the scale under
// the code it holds, 0 included, so the range uses the same rows the screen shows.
RangeLoad loadScale(const CompanyYear& cy, RangeInputs& in) {
    TQuery head = DM().select(
        TDM::ACN2,
        QStringLiteral("SELECT TKSU, SKCO, TITLE FROM MCHINGIN WHERE KCO = ? AND NENDO = ? AND "
                       "CGCO = 1"),
        {cy.kco, cy.nendo});
    if (!head.active())
        return RangeLoad::Failed;
    if (head.eof())
        return RangeLoad::NoWageTable;
    const int gradeCount = std::clamp(head.asInt(QStringLiteral("TKSU")), 1, MaxGrades);
    in.header.gradeCount = gradeCount;
    in.header.scaleCode = head.asInt(QStringLiteral("SKCO"));
    in.header.tableTitle = head.asText(QStringLiteral("TITLE"));

    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT TKNO, RITSU1, KKIN, RITSU2, SPKIN, RNKIN FROM "
                                          "DSCALE WHERE KCO = ? AND NENDO = ? AND SKCO = ? ORDER "
                                          "BY TKNO"),
                           {cy.kco, cy.nendo, in.header.scaleCode});
    if (!q.active())
        return RangeLoad::Failed;
    if (q.eof())
        return RangeLoad::NoScale;
    in.scale = QVector<std::optional<ScaleGrade>>(gradeCount);
    for (; !q.eof(); q.next()) {
        const int grade = q.asInt(QStringLiteral("TKNO"));
        if (grade < 1 || grade > gradeCount)
            continue; // rows of grades the table no longer has
        in.scale[grade - 1] = ScaleGrade{
            q.asCurrency(QStringLiteral("RITSU1")), q.asCurrency(QStringLiteral("KKIN")),
            q.asCurrency(QStringLiteral("RITSU2")), q.asCurrency(QStringLiteral("SPKIN")),
            q.asCurrency(QStringLiteral("RNKIN"))};
    }
    return RangeLoad::Loaded;
}

bool loadEmployees(const CompanyYear& cy, QVector<RangeEmployee>& employees) {
    TQuery q = DM().select(
        TDM::ACN2,
        QStringLiteral("SELECT S1.SCO, S1.SCOT, S1.SNA, S1.JISEKI, S2.TOUKYU, S2.KKYU1, "
                       "S2.KKYU2, S2.KKYU3 FROM MSYAIN1 AS S1 INNER JOIN MSYAIN2 AS S2 ON "
                       "S2.KCO = S1.KCO AND S2.NENDO = S1.NENDO AND S2.SCO = S1.SCO WHERE "
                       "S1.KCO = ? AND S1.NENDO = ? ORDER BY S1.SCO"),
        {cy.kco, cy.nendo});
    if (!q.active())
        return false;
    employees.reserve(q.recordCount());
    // Columns by position: the statement above fixes their order.
    for (; !q.eof(); q.next()) {
        RangeEmployee e;
        const QString scot = VariantText(q.value(1));
        e.code = scot.isEmpty() ? VariantText(q.value(0)) : scot;
        e.name = VariantText(q.value(2));
        const int link = int(VariantInt(q.value(3)));
        e.grade = int(VariantInt(q.value(4)));
        e.linked = IsBasePayItem(link);
        e.basePay = e.linked ? VariantCurrency(q.value(4 + link)).rounded() : 0;
        employees.push_back(std::move(e));
    }
    return true;
}

} // namespace

RangeLoad LoadRangeInputs(const CompanyYear& cy, RangeInputs& in) {
    in = RangeInputs();
    TMKIGYOU2 settings;
    if (!LoadCompanySettings(cy, settings))
        return RangeLoad::NoCompany;
    in.header.companyName = settings.KNA;
    for (int g = 1; g <= MaxGrades; ++g)
        in.header.gradeNames[size_t(g)] = settings.TK[size_t(g)];
    const RangeLoad scale = loadScale(cy, in);
    if (scale != RangeLoad::Loaded)
        return scale;
    return loadEmployees(cy, in.employees) ? RangeLoad::Loaded : RangeLoad::Failed;
}

RangeLoad LoadRangeReport(const CompanyYear& cy, RangeReport& report) {
    RangeInputs in;
    const RangeLoad result = LoadRangeInputs(cy, in);
    report = RangeReport();
    report.header = in.header;
    if (result == RangeLoad::Loaded)
        report.analysis = AnalyseRanges(in.scale, in.employees);
    return result;
}

RangeLoad LoadRangeReport(const Project& project, RangeReport& report) {
    const CompanyYear cy = project.companyYear();
    const RangeLoad result = LoadRangeReport(cy, report);
    FillRangeHeader(project, report.header);
    return result;
}

void FillRangeHeader(const Project& project, RangeHeader& header) {
    header.companyName = project.companyName();
    header.nendoText = NendoText(project.eraMode(), project.companyYear().nendo);
    AppState& s = state();
    s.refreshToday();
    header.today = s.Today;
}
