#include "cli/ReportCommand.h"

#include "cli/CliOptions.h"
#include "cli/WorkbookOutput.h"
#include "core/common/AppState.h"
#include "core/common/Counts.h"
#include "core/common/MessageTexts.h"
#include "core/report/GroupReport.h"
#include "core/report/ReportCatalogue.h"
#include "core/report/WageTablePrint.h"
#include "data/db/TDM.h"
#include "data/project/Project.h"
#include "data/report/GroupReportStore.h"
#include "data/report/ReportHeaders.h"
#include "data/wage/WageTableStore.h"
#include "render/report/ReportPainter.h"
#include "render/workbook/GroupReportWorkbook.h"

#include <QTextStream>
#include <optional>

namespace {

struct Options {
    GroupReportKind kind = GroupReportKind::Wage;
    int company = 0;
    int year = 0;
    ReportRange marks{1, MarkCount};
    ReportRange grades{1, MaxGrades};
    bool gradesGiven = false;
    QString pdf;
    QString xlsx;
};

// "A-B" or "A", both inside lo..hi.
std::optional<ReportRange> rangeOf(const QString& text, int lo, int hi) {
    const QStringList parts = text.split(QLatin1Char('-'));
    if (parts.size() > 2)
        return std::nullopt;
    bool okA = false, okB = false;
    const int a = parts[0].trimmed().toInt(&okA);
    const int b = parts.size() == 2 ? parts[1].trimmed().toInt(&okB) : (okB = okA, a);
    if (!okA || !okB || a < lo || b > hi || a > b)
        return std::nullopt;
    return ReportRange{a, b};
}

// Empty when the options make a command, else what is wrong with them.
QString parse(const QStringList& args, Options& o) {
    if (args.isEmpty() ||
        (args[0] != QStringLiteral("salary") && args[0] != QStringLiteral("raise")))
        return QStringLiteral("report needs salary or raise");
    o.kind = args[0] == QStringLiteral("raise") ? GroupReportKind::Raise : GroupReportKind::Wage;
    CliOptions table(QStringLiteral("report"), CliOptions::Layout::AllValued);
    table.companyYear(o.company, o.year, true);
    table.value(QStringLiteral("--marks"), QStringLiteral("A-B with 1 <= A <= B <= 6"),
                [&o](const QString& v) {
                    const std::optional<ReportRange> r = rangeOf(v, 1, MarkCount);
                    o.marks = r.value_or(o.marks);
                    return r.has_value();
                });
    table.value(QStringLiteral("--grades"), QStringLiteral("A-B with 1 <= A <= B <= 9"),
                [&o](const QString& v) {
                    const std::optional<ReportRange> r = rangeOf(v, 1, MaxGrades);
                    o.grades = r.value_or(o.grades);
                    o.gradesGiven = o.gradesGiven || r.has_value();
                    return r.has_value();
                });
    table.file(QStringLiteral("--pdf"), o.pdf, false);
    table.file(QStringLiteral("--xlsx"), o.xlsx, false);
    if (const QString mistake = table.read(args.mid(1)); !mistake.isEmpty())
        return mistake;
    if (o.pdf.isEmpty() && o.xlsx.isEmpty())
        return QStringLiteral("report needs --pdf FILE or --xlsx FILE");
    return {};
}

int writePdf(const ReportDocument& doc, const QString& path, QTextStream& out, QTextStream& err) {
    QString error;
    if (!WriteReportPdf(doc, path, &error)) {
        err << "tesvane-cli: " << QString(error).replace(QLatin1Char('\r'), QLatin1Char('\n'))
            << "\n";
        return 1;
    }
    out << "FILE,PAGES\n" << path << ',' << doc.pages.size() << "\n";
    out.flush();
    return 0;
}

int engineFailure(const ReportEngine& engine, QTextStream& err) {
    err << "tesvane-cli: " << QString(engine.error()).replace(QLatin1Char('\r'), QLatin1Char('\n'))
        << "\n";
    return 1;
}

} // namespace

int RunReportCommand(TDM& dm, const QStringList& options, QTextStream& out, QTextStream& err) {
    Options o;
    if (const QString problem = parse(options, o); !problem.isEmpty()) {
        err << "tesvane-cli: " << problem << "\n";
        return 2;
    }
    Project project;
    if (!project.open({o.company, o.year}))
        return 1; // the project has said the company is missing
    const std::optional<QVector<GroupReportEmployee>> employees =
        LoadGroupReportEmployees({o.company, o.year}, o.marks, o.grades);
    const std::optional<LeftOutEmployees> leftOut =
        employees ? LoadLeftOutEmployees({o.company, o.year}) : std::nullopt;
    if (!employees || !leftOut) {
        err << "tesvane-cli: " << dm.lastError() << "\n";
        return 1;
    }
    if (const QString left = LeftOutMessage(*leftOut); !left.isEmpty())
        err << left << "\n";
    if (employees->isEmpty()) {
        err << "tesvane-cli: " << MsgText::NothingToPrint() << "\n";
        return 1;
    }
    const TMKIGYOU2& settings = project.settings();
    const GroupReportHeader header =
        GroupReportHeaderOf(project, o.gradesGiven ? settings.TK[size_t(o.grades.from)] : QString(),
                            o.gradesGiven ? settings.TK[size_t(o.grades.to)] : QString());
    if (!o.pdf.isEmpty()) {
        ReportEngine engine;
        const bool raise = o.kind == GroupReportKind::Raise;
        PrepareReport(engine, raise ? ReportId::GroupRaise : ReportId::GroupWage, state().AppDir,
                      ReportEngine::Memory);
        if (!ComposeGroupReport(engine, o.kind, header, *employees))
            return engineFailure(engine, err);
        if (const int status = writePdf(engine.document(), o.pdf, out, err); status != 0)
            return status;
    }
    if (o.xlsx.isEmpty())
        return 0;
    return WriteWorkbookFile(ComposeGroupReportWorkbook(o.kind, header, *employees), o.xlsx,
                             employees->size(), out, err);
}

int WriteWageTablePdf(int company, int year, const QString& path, QTextStream& out,
                      QTextStream& err) {
    Project project;
    if (!project.open({company, year}))
        return 1;
    const QVector<WageTableRow> rows = LoadStoredWageTable(company, year);
    if (rows.isEmpty()) {
        err << "tesvane-cli: " << MsgText::NoPrintData() << "\n";
        return 1;
    }
    const std::optional<StoredHead> head = LoadWageTableHead(company, year);
    ReportEngine engine;
    PrepareReport(engine, ReportId::WageTable, state().AppDir, ReportEngine::Memory);
    if (!ComposeWageTablePrint(
            engine, WageTablePrintHeaderOf(project, head ? head->title : QString()), rows))
        return engineFailure(engine, err);
    return writePdf(engine.document(), path, out, err);
}
