#include "cli/EmployeesCommand.h"

#include "cli/CliOptions.h"
#include "cli/WorkbookOutput.h"
#include "core/common/AppState.h"
#include "core/common/MessageTexts.h"
#include "data/masters/EmployeeTransfer.h"
#include "data/project/CompanySettingsCache.h"
#include "data/project/Project.h"
#include "data/report/ReportHeaders.h"
#include "render/workbook/EmployeeWorkbook.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}
QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

struct Options {
    QString action;
    QString file;
    int company = 0;
    int year = 0;
    QString outPath;
    QString xlsx;
    bool add = false;
    bool replace = false;
    bool withMark = false;
};

// Empty when the options make a command, else what is wrong with them.
QString parse(const QStringList& args, Options& o) {
    if (args.isEmpty())
        return QStringLiteral("employees needs export or import");
    o.action = args.first();
    if (o.action != QStringLiteral("export") && o.action != QStringLiteral("import"))
        return QStringLiteral("unknown employees action: ") + o.action;
    const bool exporting = o.action == QStringLiteral("export");
    CliOptions table(QStringLiteral("employees ") + o.action);
    table.companyYear(o.company, o.year, false);
    if (exporting) {
        table.file(QStringLiteral("--out"), o.outPath, false);
        table.file(QStringLiteral("--xlsx"), o.xlsx, true);
        table.flag(QStringLiteral("--with-mark"), o.withMark);
    } else {
        table.flag(QStringLiteral("--add"), o.add);
        table.flag(QStringLiteral("--replace"), o.replace);
        table.positional([&o](const QString& word) {
            if (!o.file.isEmpty())
                return false;
            o.file = word;
            return true;
        });
    }
    if (const QString mistake = table.read(args.mid(1)); !mistake.isEmpty())
        return mistake;
    if (!table.companyYearGiven())
        return QStringLiteral("employees ") + o.action +
               QStringLiteral(" needs --company and --year");
    if (!o.xlsx.isEmpty() && !o.outPath.isEmpty())
        return QStringLiteral("employees export takes --out or --xlsx, not both");
    if (!o.xlsx.isEmpty() && o.withMark)
        return QStringLiteral("--with-mark is for the CSV file; the workbook has no mark column");
    if (o.action == QStringLiteral("import")) {
        if (o.file.isEmpty())
            return QStringLiteral("employees import needs a file");
        if (o.add == o.replace)
            return QStringLiteral("employees import needs one of --add and --replace");
    }
    return {};
}

// Opens the company year as the company selection does; false when it does not exist.
bool openCompany(const Options& o) {
    TMKIGYOU2 settings;
    if (LoadCompanySettings({o.company, o.year}, settings))
        return true;
    err() << "tesvane-cli: no company " << o.company << " in year " << o.year << "\n";
    return false;
}

int exportEmployees(const Options& o) {
    const QString path = o.outPath.isEmpty() ? EmployeeExportPath() : o.outPath;
    const ExportOutcome r = ExportEmployees({o.company, o.year}, path, o.withMark);
    switch (r.status) {
    case ExportOutcome::Written:
        out() << "CSVデレクトリに社員マスタが出力されました。\n"
              << r.count << " employees written to " << QFileInfo(path).absoluteFilePath() << "\n";
        out().flush();
        return 0;
    case ExportOutcome::NoEmployees:
        err() << MsgText::NoEmployees() << "\n";
        return 1;
    case ExportOutcome::ReadFailed:
        return 1; // the data module has printed why
    case ExportOutcome::Unencodable:
    case ExportOutcome::WriteFailed:
        err() << QString(r.detail).replace(QLatin1Char('\r'), QLatin1Char('\n')) << "\n";
        return 1;
    }
    return 1;
}

// The employee list as a workbook; the CSV file is not written.
int exportWorkbook(const Options& o) {
    Project project;
    if (!project.open({o.company, o.year}))
        return 1;
    const std::optional<QVector<EmployeeSheetRow>> rows = LoadEmployeeSheet({o.company, o.year});
    if (!rows)
        return 1; // the data module has printed why
    if (rows->isEmpty()) {
        err() << MsgText::NoEmployees() << "\n";
        return 1;
    }
    return WriteWorkbookFile(ComposeEmployeeWorkbook(EmployeeSheetHeaderOf(project), *rows), o.xlsx,
                             rows->size(), out(), err());
}

int importEmployees(const Options& o) {
    ImportRead read = ReadImportPath(o.file);
    if (read.result != ImportRead::Ok) {
        err() << ImportReadProblem(read, o.file) << "\n";
        return 1;
    }
    const std::optional<ImportContext> context = LoadImportContext({o.company, o.year});
    if (!context) {
        err() << "tesvane-cli: no company " << o.company << " in year " << o.year << "\n";
        return 1;
    }
    const int faulty = CheckImportSheet(read.sheet, *context);
    for (qsizetype r = 0; r < read.sheet.rows.size(); ++r) {
        if (!read.sheet.faults[r].isEmpty())
            err() << "line " << read.sheet.lines[r] << ": "
                  << read.sheet.faults[r].join(QStringLiteral("; ")) << "\n";
        if (!read.sheet.warnings[r].isEmpty())
            err() << "line " << read.sheet.lines[r] << ": " << ImportWarnStatus() << ": "
                  << read.sheet.warnings[r].join(QStringLiteral("; ")) << "\n";
    }
    if (faulty > 0) {
        err() << "エラーが存在するので取込できません。\n";
        return 1;
    }
    int first = 0;
    if (!StoreImportedEmployees({o.company, o.year}, read.sheet.employees,
                                o.replace ? ImportMode::Replace : ImportMode::Add, state().clock(),
                                &first)) {
        err() << "データベースにエラーがありました。\n";
        return 1;
    }
    const qsizetype n = read.sheet.rows.size();
    out() << n << " employees imported";
    if (n > 0)
        out() << " (codes " << first << "-" << first + n - 1 << ")";
    out() << "\n";
    out().flush();
    // The same words as the import screen's: how many were stored and how many have no mark.
    err() << ImportDoneText(int(n), CountWithoutMark(read.sheet.employees))
                 .replace(QLatin1Char('\r'), QLatin1Char('\n'))
          << "\n";
    return 0;
}

} // namespace

int RunEmployeesCommand(const QStringList& options) {
    Options o;
    const QString problem = parse(options, o);
    if (!problem.isEmpty()) {
        err() << "tesvane-cli: " << problem << "\n";
        return 2;
    }
    if (!openCompany(o))
        return 1;
    if (o.action == QStringLiteral("export"))
        return o.xlsx.isEmpty() ? exportEmployees(o) : exportWorkbook(o);
    return importEmployees(o);
}
