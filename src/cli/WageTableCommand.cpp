#include "cli/WageTableCommand.h"

#include "cli/CliOptions.h"
#include "cli/ReportCommand.h"
#include "cli/WorkbookOutput.h"
#include "core/common/AppState.h"
#include "core/common/MessageTexts.h"
#include "data/db/TDM.h"
#include "data/project/CompanySettingsCache.h"
#include "data/project/Project.h"
#include "data/report/ReportHeaders.h"
#include "data/wage/WageTableStore.h"
#include "render/workbook/WageTableWorkbook.h"

#include <QTextStream>

std::optional<WageTableArgs> ParseWageTableArgs(const QStringList& options, QTextStream& err) {
    WageTableArgs a;
    CliOptions table(QStringLiteral("wage-table"));
    table.companyYear(a.company, a.year, true);
    table.flag(QStringLiteral("--generate"), a.generate);
    table.file(QStringLiteral("--pdf"), a.pdf, true);
    table.file(QStringLiteral("--xlsx"), a.xlsx, true);
    if (!table.read(options, err))
        return std::nullopt;
    return a;
}

namespace {

int generate(TDM& dm, const WageTableArgs& a, const GradeNames& names, QTextStream& err) {
    // Loaded as the screen loads it: a save of another person between this read and this
    // save refuses it by name instead of mixing the two.
    if (!RememberLoadedWageTable(a.company, a.year)) {
        err << "tesvane-cli: " << dm.lastError() << "\n";
        return 1;
    }
    const std::optional<WageTableTexts> texts = OpenStoredWageTable(a.company, a.year, names);
    if (!texts) {
        err << "tesvane-cli: company " << a.company << " has no wage-table definition in " << a.year
            << "\n";
        return 1;
    }
    if (const std::optional<FieldProblem> problem = CheckSavedFields(*texts)) {
        err << "tesvane-cli: " << problem->ref.controlName() << ": " << problem->message << "\n";
        return 1;
    }
    const WageTableDefinition definition = DefinitionOfTexts(*texts);
    switch (SaveWageTable(a.company, a.year, definition, names).outcome) {
    case SaveOutcome::Saved:
        return 0;
    case SaveOutcome::OutOfRange:
        err << "tesvane-cli: "
            << (definition.head.method == CurveMethod::ThirdOrder ? "txt3Kakeritsu"
                                                                  : "txt2Kakeritsu")
            << ": 入力範囲外です。\n";
        return 1;
    case SaveOutcome::ChangedByOther:
        err << "tesvane-cli: the wage table was not generated; nothing written\n";
        return 1; // who changed what was said on standard error
    case SaveOutcome::Failed:
        break;
    }
    err << "tesvane-cli: " << dm.lastError() << "\n";
    return 1;
}

} // namespace

int WriteWageTableWorkbook(int company, int year, const QString& path, QTextStream& out,
                           QTextStream& err) {
    Project project;
    if (!project.open({company, year}))
        return 1;
    const StoredWageTable table = LoadWholeWageTable(company, year);
    if (table.rows.isEmpty()) {
        err << "tesvane-cli: " << MsgText::NoPrintData() << "\n";
        return 1;
    }
    const WageTablePrintHeader header =
        WageTablePrintHeaderOf(project, table.head ? table.head->title : QString());
    return WriteWorkbookFile(ComposeWageTableWorkbook(header, table), path, table.rows.size(), out,
                             err);
}

int RunWageTable(TDM& dm, const WageTableArgs& a, QTextStream& out, QTextStream& err) {
    TMKIGYOU2 settings;
    if (!LoadCompanySettings({a.company, a.year}, settings)) {
        err << "tesvane-cli: no company " << a.company << " in " << a.year << "\n";
        return 1;
    }
    GradeNames names;
    for (int g = 1; g <= MaxGrades; ++g)
        names[size_t(g)] = settings.TK[size_t(g)];
    if (a.generate)
        if (const int status = generate(dm, a, names, err))
            return status;
    if (!a.pdf.isEmpty())
        if (const int status = WriteWageTablePdf(a.company, a.year, a.pdf, out, err);
            status != 0 || a.xlsx.isEmpty())
            return status;
    if (!a.xlsx.isEmpty())
        return WriteWageTableWorkbook(a.company, a.year, a.xlsx, out, err);

    out << "GOUHOU";
    for (int g = 1; g <= MaxGrades; ++g)
        out << ",KIN" << g << ",KS" << g;
    out << "\n";
    for (const WageTableRow& row : LoadStoredWageTable(a.company, a.year)) {
        out << row.step;
        for (int g = 1; g <= MaxGrades; ++g)
            out << ',' << row.amount[size_t(g)] << ',' << row.index[size_t(g)];
        out << "\n";
    }
    out.flush();
    return 0;
}
