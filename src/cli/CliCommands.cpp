#include "cli/CliCommands.h"

#include "cli/AnnualUpdateCommand.h"
#include "cli/CliOptions.h"
#include "cli/DesignCommand.h"
#include "cli/EmployeesCommand.h"
#include "cli/FitCommand.h"
#include "cli/PasswordHidingOutput.h"
#include "cli/PlotCommand.h"
#include "cli/RaiseCommand.h"
#include "cli/RangeCommand.h"
#include "cli/RegressionCommand.h"
#include "cli/ReportCommand.h"
#include "cli/ServerCommand.h"
#include "cli/WageTableCommand.h"

#include "core/common/AppState.h"
#include "core/masters/CsvLine.h"
#include "data/company/CompanyStore.h"
#include "data/db/Compaction.h"
#include "data/db/ServerAddress.h"
#include "data/db/TDM.h"
#include "data/project/EraTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <functional>
#include <optional>

namespace {

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}
QTextStream& err() {
    static PasswordHidingOutput device(stderr);
    static QTextStream s(&device);
    return s;
}

const char* const Usage =
    "Usage: tesvane-cli [--data DIR|URL] COMMAND [options]\n"
    "\n"
    "  --data DIR           program folder holding DATA/ (default: this program's folder)\n"
    "  --server URL         work on the PostgreSQL database at URL\n"
    "                       (postgresql://user@host:port/database) instead of DATA/; without\n"
    "                       it, a file server.ini beside DATA/ with a line url=URL does the same.\n"
    "                       --data URL is the same as --server URL. Keep the password out of\n"
    "                       the URL: the client library reads it from ~/.pgpass (or PGPASSFILE)\n"
    "  --help               this text\n"
    "\n"
    "Commands:\n"
    "  companies [--year N] list company code, year and name (all years, or year N)\n"
    "  compact [--yes]      compact both database files as データベース圧縮 does; it asks\n"
    "                       nothing, so it runs only with --yes\n"
    "  employees export --company K --year N [--out FILE | --xlsx FILE]\n"
    "                       write the employees of company K, year N as the program's export\n"
    "                       does (default FILE: CSV/社員マスタ出力.CSV of the program folder);\n"
    "                       --xlsx writes the employee list with grade, step and pay as an\n"
    "                       Excel workbook instead\n"
    "  employees import FILE --company K --year N --add|--replace\n"
    "                       check FILE as the import screen does; store its rows only when no\n"
    "                       row is faulty (--add keeps the year's employees, --replace\n"
    "                       deletes them first)\n"
    "  wage-table --company K --year N [--generate] [--pdf FILE] [--xlsx FILE]\n"
    "                       print the wage table of company K, year N as CSV (GOUHOU, then\n"
    "                       KIN1, KS1 ... KIN9, KS9); --generate first regenerates and stores\n"
    "                       it from the stored definition as the wage-table screen's save does;\n"
    "                       --pdf writes the printed wage table (連結賃金表) to FILE instead;\n"
    "                       --xlsx the table and its definition as an Excel workbook\n"
    "  range --company K --year N [--xlsx FILE]\n"
    "                       every employee's place in the salary-scale range of the grade as\n"
    "                       CSV (SCOT, SNA, TOUKYU, PAY, LOWER, BASE, UPPER, COMPA_RATIO,\n"
    "                       PENETRATION, POSITION); employees without a link to the wage\n"
    "                       table or without a grade last; --xlsx writes the workbook of\n"
    "                       等級別レンジ分析 to FILE instead. Writes nothing to the database\n"
    "  report salary|raise --company K --year N [--marks A-B] [--grades A-B] [--pdf FILE]\n"
    "       [--xlsx FILE]\n"
    "                       write the group wage report (salary) or the group raise report\n"
    "                       (raise) of marks A-B (default 1-6) and grades A-B (default 1-9)\n"
    "                       to FILE as PDF, as the report screen prints it, and/or as an Excel\n"
    "                       workbook with its subtotals and totals as formulas; says on\n"
    "                       standard error how many employees no range includes\n"
    "  annual-update --company K --year N --yes\n"
    "                       roll company K over from year N into N + 1 as 年度更新 does (runs\n"
    "                       only with --yes); prints how many employees had no decided raise\n"
    "  raise apply --company K --year N --evaluations FILE\n"
    "                       enter each employee's raise from FILE (CP932 or UTF-8 with BOM; a\n"
    "                       header, then SCOT,evaluation code[,new grade,new step]) as the\n"
    "                       raise input would; all rows or none\n"
    "  raise summary --company K --year N [--by grade|mark]\n"
    "                       head count, undecided raises, scheduled pay before and after, the\n"
    "                       raise, its rate and annual cost per grade (or mark) and in total\n"
    "  raise budget --company K --year N [--months M] [--oncost R] [--xlsx FILE]\n"
    "                       the raise budget per grade, per mark and in total: the summary's\n"
    "                       figures, the base pay's raise split into 定期昇給 and ベースアップ,\n"
    "                       other items, and the annual cost with bonuses of M months of base\n"
    "                       pay and on-costs of R % (default: the year's saved settings, which\n"
    "                       are not changed); --xlsx writes the workbook instead of CSV\n"
    "  plot --company K --year N --chart 1010 [--x ITEM --y ITEM] [--marks LIST]\n"
    "       [--grades LIST] [--png FILE [--size WxH]] [--pdf FILE]\n"
    "                       draw the wage plot from its stored settings: --png the chart as the\n"
    "                       plot window shows it (WxH pixels, default 1200x800), --pdf the\n"
    "                       printed page; ITEM 0-5 as the screen's radio buttons, LIST comma-\n"
    "                       separated (1,3). Giving only --marks takes every grade, only\n"
    "                       --grades every mark; a chart never saved takes every mark and\n"
    "                       grade. Says on standard error how many employees no choice\n"
    "                       includes (no mark, grade outside 1-9). Writes nothing to the\n"
    "                       database\n"
    "                       Charts 1020 (raise curves), 1030 (living costs) and 1040 (model\n"
    "                       wages) are drawn the same way\n"
    "  fit --order 2|3 [--points FILE]\n"
    "                       fit a raise curve to lines x,y (x whole, y in 10,000 yen) from FILE\n"
    "                       or standard input: prints a,b,c[,d] and then average,pitch in yen\n"
    "  regression --company K --year N --x ITEM --y ITEM --order 2|3 [--marks LIST]\n"
    "       [--grades LIST]\n"
    "                       the raise curve of every plotted mark as CSV: mark, count,\n"
    "                       coefficients, average and pitch; marks and grades as for plot; a\n"
    "                       mark with fewer distinct x than fit needs is skipped and named on\n"
    "                       standard error. Writes nothing to the database\n"
    "  design --company K --year N [--x ITEM --y ITEM] [--csv FILE] [--xlsx FILE]\n"
    "                       write the raise-curve designs of the axis pair (default: the pair\n"
    "                       stored for chart 1050) expanded per X value as the design screen's\n"
    "                       CSV file (CP932) with chart 1050's title, and/or as an Excel\n"
    "                       workbook; the database is not written, and FILE stays as it was\n"
    "                       when the export fails\n"
    "  server init URL [--with-sample]\n"
    "                       lay out an empty PostgreSQL database: tables, eras, templates,\n"
    "                       usage guide, living-cost and model-wage figures (--with-sample adds\n"
    "                       the sample company)\n"
    "  server push --from DIR URL\n"
    "                       copy every company and year of program folder DIR to the server in\n"
    "                       one transaction; refused when the server holds any of its company\n"
    "                       codes. Prints the rows written per table\n"
    "  server pull URL --to DIR\n"
    "                       write the server's data into fresh SQLite files in DIR/DATA\n";

// Opens both files of the program folder; messages of the data module go to standard error.
bool openData(TDM& dm, const QString& folder) {
    AppState& s = state();
    QString dir = QDir(folder).absolutePath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    s.AppDir = dir;
    s.DataDir = dir + QStringLiteral("DATA/");
    s.refreshToday();
    if (!dm.OpenConnection(TDM::ACN1, s.DataDir + QStringLiteral("SEIGYO.db")))
        return false;
    if (!dm.OpenConnection(TDM::ACN2, s.DataDir + QStringLiteral("DATA.db")))
        return false;
    LoadEraTable();
    return true;
}

int companies(TDM& dm, const QStringList& opts) {
    int year = 0;
    CliOptions table(QStringLiteral("companies"));
    // Year 0 would list every year, which is what leaving --year out is for.
    table.option(
        QStringLiteral("--year"),
        [&year](const QString& v) -> QString {
            bool ok = false;
            year = v.toInt(&ok);
            return ok && year != 0 ? QString() : QStringLiteral("--year needs a number");
        },
        QStringLiteral("unknown option for companies: --year"));
    if (!table.read(opts, err()))
        return 2;
    QVector<CompanyYearRow> rows;
    if (!ListCompanyYears(year, rows)) {
        err() << "tesvane-cli: " << dm.lastError() << "\n";
        return 1;
    }
    out() << "KCO,NENDO,KNA\n";
    for (const CompanyYearRow& r : rows)
        out() << r.kco << ',' << r.nendo << ',' << CsvText(r.name) << '\n';
    out().flush();
    return 0;
}

// compact runs only with --yes, which stands for the answers to the program's questions.
// 0 when it may run, else the exit status.
int compactRefusal(const QStringList& opts) {
    bool yes = false;
    CliOptions table(QStringLiteral("compact"));
    table.flag(QStringLiteral("--yes"), yes);
    if (!table.read(opts, err()))
        return 2;
    if (!yes) {
        err() << "tesvane-cli: compact rewrites both database files; pass --yes to go ahead\n";
        return 2;
    }
    return 0;
}

// The same compaction as the program's command.
int compact(TDM& dm) {
    const QString dataDir = state().DataDir;
    RemoveCompactionCopies(dataDir);
    const CompactionResult result = CompactDatabases(dm, dataDir);
    if (!result.ok) {
        err() << CompactionFailureText(result) << "\n";
        if (!result.inUse && result.lockError == 0)
            err() << "  " << result.reason << "\n";
        return 1;
    }
    if (!dm.isOpen(TDM::ACN1) || !dm.isOpen(TDM::ACN2))
        return 1; // the data module has said which file would not open again
    out() << "DB圧縮処理が完了しました。\n";
    out().flush();
    return 0;
}

// What a command does once the data is open.
using Run = std::function<int(TDM&)>;

// For the commands whose messages come from several writers: all of them out before the exit.
int flushed(int status) {
    err().flush();
    return status;
}

template <class Args>
std::optional<Run> after(const std::optional<Args>& args,
                         std::function<int(TDM&, const Args&)> run) {
    if (!args)
        return std::nullopt;
    return Run([args, run](TDM& dm) { return run(dm, *args); });
}

// Reads a command's options before the data is opened, so a mistake in them is said without
// touching the data; nothing after a mistake. The commands whose options need the data read
// them when they run.
std::optional<Run> prepare(const QString& command, const QStringList& opts) {
    if (command == QStringLiteral("wage-table"))
        return after<WageTableArgs>(
            ParseWageTableArgs(opts, err()),
            [](TDM& dm, const WageTableArgs& a) { return RunWageTable(dm, a, out(), err()); });
    if (command == QStringLiteral("raise"))
        return after<RaiseArgs>(ParseRaiseArgs(opts, err()), [](TDM& dm, const RaiseArgs& a) {
            return RunRaise(dm, a, out(), err());
        });
    if (command == QStringLiteral("annual-update"))
        return after<AnnualUpdateArgs>(ParseAnnualUpdateArgs(opts, err()),
                                       [](TDM& dm, const AnnualUpdateArgs& a) {
                                           return RunAnnualUpdateCommand(dm, a, out(), err());
                                       });
    if (command == QStringLiteral("plot"))
        return after<PlotArgs>(ParsePlotArgs(opts, err()),
                               [](TDM&, const PlotArgs& a) { return flushed(RunPlot(a, err())); });
    if (command == QStringLiteral("design"))
        return after<DesignArgs>(ParseDesignArgs(opts, err()), [](TDM&, const DesignArgs& a) {
            return flushed(RunDesign(a, out(), err()));
        });
    if (command == QStringLiteral("range"))
        return after<RangeArgs>(ParseRangeArgs(opts, err()), [](TDM&, const RangeArgs& a) {
            return flushed(RunRange(a, out(), err()));
        });
    if (command == QStringLiteral("compact"))
        return Run(compact);
    if (command == QStringLiteral("employees"))
        return Run([opts](TDM&) { return RunEmployeesCommand(opts); });
    if (command == QStringLiteral("report"))
        return Run([opts](TDM& dm) { return RunReportCommand(dm, opts, out(), err()); });
    if (command == QStringLiteral("regression"))
        return Run([opts](TDM&) { return flushed(RunRegressionCommand(opts, out(), err())); });
    return Run([opts](TDM& dm) { return companies(dm, opts); });
}

} // namespace

int RunCli(const QStringList& arguments) {
    const GlobalOptions a = ReadGlobalOptions(arguments);
    if (!a.error.isEmpty()) {
        err() << "tesvane-cli: " << a.error << "\n" << Usage;
        return 2;
    }
    if (a.help || a.rest.isEmpty()) {
        (a.help ? out() : err()) << Usage;
        return a.help ? 0 : 2;
    }
    const QString command = a.rest.first();
    const QStringList opts = a.rest.mid(1);
    if (command != QStringLiteral("companies") && command != QStringLiteral("compact") &&
        command != QStringLiteral("employees") && command != QStringLiteral("wage-table") &&
        command != QStringLiteral("report") && command != QStringLiteral("raise") &&
        command != QStringLiteral("annual-update") && command != QStringLiteral("plot") &&
        command != QStringLiteral("fit") && command != QStringLiteral("regression") &&
        command != QStringLiteral("design") && command != QStringLiteral("range") &&
        command != QStringLiteral("server")) {
        err() << "tesvane-cli: unknown command: " << command << "\n" << Usage;
        return 2;
    }
    if (command == QStringLiteral("server"))
        return flushed(RunServerCommand(opts, out(), err()));
    if (command == QStringLiteral("compact"))
        if (const int status = compactRefusal(opts))
            return status;
    if (command == QStringLiteral("fit"))
        return RunFitCommand(opts, out(), err());
    const std::optional<Run> run = prepare(command, opts);
    if (!run)
        return 2;
    const QString folder = a.dataDir.isEmpty() ? QCoreApplication::applicationDirPath() : a.dataDir;
    QString settingsError;
    const QString server =
        a.server.isEmpty() ? ServerUrlFromSettings(folder, &settingsError) : a.server;
    if (!settingsError.isEmpty()) {
        err() << "tesvane-cli: " << settingsError << "\n";
        return 1;
    }
    SetServerUrl(server);
    if (command == QStringLiteral("compact") && UsingServer()) {
        err() << "tesvane-cli: " << ServerCompactionText() << "\n";
        return 1;
    }
    TDM dm;
    if (!openData(dm, folder))
        return 1;
    return (*run)(dm);
}
