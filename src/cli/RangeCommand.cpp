#include "cli/RangeCommand.h"

#include "cli/CliOptions.h"
#include "core/masters/CsvLine.h"
#include "data/analysis/RangeStore.h"
#include "data/db/TDM.h"
#include "data/project/Project.h"
#include "render/workbook/RangeWorkbook.h"

#include <QTextStream>

std::optional<RangeArgs> ParseRangeArgs(const QStringList& options, QTextStream& err) {
    RangeArgs a;
    CliOptions table(QStringLiteral("range"));
    table.companyYear(a.company, a.year, true);
    table.file(QStringLiteral("--xlsx"), a.xlsx, true);
    if (!table.read(options, err))
        return std::nullopt;
    return a;
}

namespace {

const char* positionWord(const RangeEmployeeResult& r) {
    if (!r.hasScale)
        return "no-scale";
    return r.below ? "below" : r.above ? "above" : "in";
}

const char* apartWord(RangeApart reason) {
    switch (reason) {
    case RangeApart::Unlinked:
        return "unlinked";
    case RangeApart::NoGrade:
        return "no-grade";
    case RangeApart::GradeOutsideTable:
        break;
    }
    return "grade-outside-table";
}

void writeCsv(const RangeReport& report, QTextStream& out) {
    out << "SCOT,SNA,TOUKYU,PAY,LOWER,BASE,UPPER,COMPA_RATIO,PENETRATION,POSITION\n";
    for (const RangeEmployeeResult& r : report.analysis.employees) {
        const RangeEmployee& e = r.employee;
        out << QuoteCsvField(e.code) << ',' << QuoteCsvField(e.name) << ',' << e.grade << ','
            << e.basePay << ',';
        if (r.hasScale) {
            const RangeGradeResult& g = report.analysis.grades[e.grade - 1];
            out << g.figures.lowerAmount << ',' << g.base << ',' << g.figures.upperAmount << ','
                << QString::number(r.compaRatio, 'f', 4) << ','
                << QString::number(r.penetration, 'f', 4) << ',';
        } else {
            out << ",,,,,";
        }
        out << positionWord(r) << "\n";
    }
    for (const RangeEmployee& e : report.analysis.unlinked)
        out << QuoteCsvField(e.code) << ',' << QuoteCsvField(e.name) << ',' << e.grade << ",,,,,,,"
            << apartWord(ApartReasonOf(e)) << "\n";
}

} // namespace

int RunRange(const RangeArgs& a, QTextStream& out, QTextStream& err) {
    // The company is looked for first, so a missing one is said once, here.
    RangeReport report;
    RangeLoad loaded = LoadRangeReport(CompanyYear{a.company, a.year}, report);
    Project project;
    if (loaded != RangeLoad::NoCompany && !project.open({a.company, a.year}))
        loaded = RangeLoad::Failed;
    else
        FillRangeHeader(project, report.header);
    switch (loaded) {
    case RangeLoad::Loaded:
        break;
    case RangeLoad::NoCompany:
        err << "tesvane-cli: no company " << a.company << " in " << a.year << "\n";
        return 1;
    case RangeLoad::NoWageTable:
        err << "tesvane-cli: company " << a.company << " has no wage table in " << a.year << "\n";
        return 1;
    case RangeLoad::NoScale:
        err << "tesvane-cli: the wage table of company " << a.company << " in " << a.year
            << " has no salary scale (code " << report.header.scaleCode << ")\n";
        return 1;
    case RangeLoad::Failed:
        err << "tesvane-cli: " << DM().lastError() << "\n";
        return 1;
    }
    if (!a.xlsx.isEmpty()) {
        QString error;
        if (!ComposeRangeWorkbook(report).save(a.xlsx, &error)) {
            err << "tesvane-cli: " << error.replace(QLatin1Char('\r'), QLatin1Char('\n')) << "\n";
            return 1;
        }
        return 0;
    }
    writeCsv(report, out);
    out.flush();
    return 0;
}
