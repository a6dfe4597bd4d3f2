#include "cli/RaiseCommand.h"

#include "cli/CliOptions.h"
#include "core/common/CompanySettings.h"
#include "core/common/NumberText.h"
#include "core/raise/EvaluationFile.h"
#include "core/raise/RaiseBudgetTable.h"
#include "core/raise/RaiseSummary.h"
#include "core/raise/RollOver.h"
#include "core/wage/WageTableDefinition.h"
#include "data/db/TDM.h"
#include "data/project/CompanySettingsCache.h"
#include "data/project/Project.h"
#include "data/raise/RaiseApply.h"
#include "data/raise/RaiseBudgetStore.h"
#include "data/raise/RaiseStore.h"
#include "data/wage/WageTableStore.h"
#include "render/workbook/RaiseBudgetWorkbook.h"

#include <QFile>
#include <QHash>
#include <QTextStream>

std::optional<RaiseArgs> ParseRaiseArgs(const QStringList& options, QTextStream& err) {
    RaiseArgs a;
    if (options.isEmpty()) {
        err << "tesvane-cli: raise needs apply, summary or budget\n";
        return std::nullopt;
    }
    const QString& action = options.first();
    if (action == QStringLiteral("apply")) {
        a.action = RaiseArgs::Action::Apply;
    } else if (action == QStringLiteral("summary")) {
        a.action = RaiseArgs::Action::Summary;
    } else if (action == QStringLiteral("budget")) {
        a.action = RaiseArgs::Action::Budget;
    } else {
        err << "tesvane-cli: unknown raise action: " << action << "\n";
        return std::nullopt;
    }
    CliOptions table(QStringLiteral("raise ") + action);
    table.companyYear(a.company, a.year, true);
    switch (a.action) {
    case RaiseArgs::Action::Apply:
        table.file(QStringLiteral("--evaluations"), a.evaluations, false);
        break;
    case RaiseArgs::Action::Summary:
        table.value(QStringLiteral("--by"), QStringLiteral("grade or mark"),
                    [&a](const QString& v) {
                        a.byMark = v == QStringLiteral("mark");
                        return a.byMark || v == QStringLiteral("grade");
                    });
        break;
    case RaiseArgs::Action::Budget:
        for (const bool months : {true, false}) {
            const QString name = months ? QStringLiteral("--months") : QStringLiteral("--oncost");
            table.option(name, [&a, months, name](const QString& v) -> QString {
                const FieldCheck c = months ? CheckBonusMonthsText(v) : CheckOnCostRateText(v);
                if (!c.ok())
                    return name + QStringLiteral(": ") + c.message;
                (months ? a.months : a.onCost) = c.shown;
                return QString();
            });
        }
        table.file(QStringLiteral("--xlsx"), a.xlsx, false);
        break;
    }
    if (!table.read(options.mid(1), err))
        return std::nullopt;
    if (a.action == RaiseArgs::Action::Apply && a.evaluations.isEmpty()) {
        err << "tesvane-cli: raise apply needs --evaluations FILE\n";
        return std::nullopt;
    }
    return a;
}

namespace {

QString moneyText(Currency c) {
    return c.toString();
}

int apply(TDM& dm, const RaiseArgs& a, QTextStream& out, QTextStream& err) {
    QFile file(a.evaluations);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "tesvane-cli: " << a.evaluations << ": " << file.errorString() << "\n";
        return 1;
    }
    const EvaluationFile read = ReadEvaluationFile(file.readAll());
    const RaiseApplyOutcome r = ApplyEvaluations({a.company, a.year}, read);
    switch (r.status) {
    case RaiseApplyOutcome::Stored:
        out << r.stored << " raises stored\n";
        out.flush();
        // Stored as asked; the next year, made before, does not have them.
        if (r.nextYearExists)
            err << "tesvane-cli: warning: " << RaiseAfterRollOverText(a.year) << "\n";
        return 0;
    case RaiseApplyOutcome::Refused:
        for (const EvaluationFault& f : r.faults) {
            err << a.evaluations << ":";
            if (f.line > 0)
                err << " line " << f.line << ":";
            err << " " << f.reason << "\n";
        }
        err << "tesvane-cli: nothing stored\n";
        return 1;
    case RaiseApplyOutcome::Failed:
        break;
    }
    err << "tesvane-cli: " << dm.lastError() << "; nothing stored\n";
    return 1;
}

void printGroup(QTextStream& out, const QString& group, const RaiseGroupSummary& g) {
    out << group << ',' << g.heads << ',' << g.undecided << ',' << moneyText(g.current) << ','
        << moneyText(g.next) << ',' << moneyText(g.raise) << ',' << RaiseRateText(g.rate) << ','
        << moneyText(g.annualCost) << "\n";
}

int summary(TDM& dm, const RaiseArgs& a, QTextStream& out, QTextStream& err) {
    QVector<RaiseSummaryInput> employees;
    if (!LoadRaiseSummaryInputs({a.company, a.year}, employees)) {
        err << "tesvane-cli: " << dm.lastError() << "\n";
        return 1;
    }
    const RaiseSummary s =
        SummariseRaises(employees, a.byMark ? RaiseGrouping::Mark : RaiseGrouping::Grade);
    out << (a.byMark ? "MCO" : "TOUKYU")
        << ",HEADS,UNDECIDED,SYOTEI,NSYOTEI,RAISE,RATE,ANNUAL_COST\n";
    for (const RaiseGroupSummary& g : s.groups)
        printGroup(out, QString::number(g.group), g);
    printGroup(out, QStringLiteral("TOTAL"), s.total);
    out.flush();
    return 0;
}

// The settings saved for the year, each replaced by its option when given; nothing is written.
int budget(TDM& dm, const RaiseArgs& a, QTextStream& out, QTextStream& err) {
    const CompanyYear cy{a.company, a.year};
    RaiseBudgetSettings settings;
    QVector<RaiseRecord> employees;
    if (LoadRaiseBudgetSettings(cy, settings) == LoadResult::Failed ||
        !LoadRaiseBudgetInput(cy, employees)) {
        err << "tesvane-cli: " << dm.lastError() << "\n";
        return 1;
    }
    if (!a.months.isEmpty())
        settings.bonusMonths = NumberOfText(a.months);
    if (!a.onCost.isEmpty())
        settings.onCostPercent = NumberOfText(a.onCost);
    const RaiseBudget b = ComputeRaiseBudget(employees, settings);
    if (!a.xlsx.isEmpty()) {
        Project project;
        if (!project.open(cy))
            return 1; // the project has said why
        QString error;
        if (!ComposeRaiseBudgetWorkbook(RaiseBudgetDocumentOf(project, b, settings))
                 .save(a.xlsx, &error)) {
            err << "tesvane-cli: " << QString(error).replace(QLatin1Char('\r'), QLatin1Char('\n'))
                << "\n";
            return 1;
        }
        return 0;
    }
    out << "BY,GROUP,HEADS,UNDECIDED,SYOTEI,NSYOTEI,RAISE,RATE,SCHEDULED,BASE_UP,OTHER,"
           "ANNUAL_RAISE,BONUS_CHANGE,ONCOST,ANNUAL_COST\n";
    auto line = [&out](const char* by, const QString& group, const RaiseBudgetGroup& g) {
        out << by << ',' << group;
        for (int c = 0; c < BudgetColumnCount; ++c) {
            const std::optional<Currency> v = BudgetValue(g, BudgetColumn(c));
            out << ','
                << (BudgetColumn(c) == BudgetColumn::Rate ? RaiseRateText(v) : moneyText(*v));
        }
        out << "\n";
    };
    for (const RaiseBudgetGroup& g : b.byGrade)
        line("grade", QString::number(g.group), g);
    for (const RaiseBudgetGroup& g : b.byMark)
        line("mark", QString::number(g.group), g);
    line("total", QString(), b.total);
    out.flush();
    return 0;
}

} // namespace

int RunRaise(TDM& dm, const RaiseArgs& a, QTextStream& out, QTextStream& err) {
    TMKIGYOU2 settings;
    if (!LoadCompanySettings({a.company, a.year}, settings)) {
        err << "tesvane-cli: no company " << a.company << " in " << a.year << "\n";
        return 1;
    }
    switch (a.action) {
    case RaiseArgs::Action::Apply:
        return apply(dm, a, out, err);
    case RaiseArgs::Action::Budget:
        return budget(dm, a, out, err);
    case RaiseArgs::Action::Summary:
        break;
    }
    return summary(dm, a, out, err);
}
