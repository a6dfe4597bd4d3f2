#include "cli/RaiseCommand.h"

#include "core/common/CompanySettings.h"
#include "core/common/NumberText.h"
#include "core/raise/EvaluationFile.h"
#include "core/raise/RaiseSummary.h"
#include "core/wage/WageTableDefinition.h"
#include "data/db/TDM.h"
#include "data/project/CompanySettingsCache.h"
#include "data/raise/RaiseStore.h"
#include "data/wage/WageTableStore.h"

#include <QFile>
#include <QHash>
#include <QTextStream>

std::optional<RaiseArgs> ParseRaiseArgs(const QStringList& options, QTextStream& err) {
    RaiseArgs a;
    if (options.isEmpty()) {
        err << "tesvane-cli: raise needs apply or summary\n";
        return std::nullopt;
    }
    const QString& action = options.first();
    if (action == QStringLiteral("apply")) {
        a.action = RaiseArgs::Action::Apply;
    } else if (action == QStringLiteral("summary")) {
        a.action = RaiseArgs::Action::Summary;
    } else {
        err << "tesvane-cli: unknown raise action: " << action << "\n";
        return std::nullopt;
    }
    bool company = false, year = false;
    for (int i = 1; i < options.size(); ++i) {
        const QString& o = options[i];
        const bool last = i + 1 >= options.size();
        if (o == QStringLiteral("--company") || o == QStringLiteral("--year")) {
            bool ok = false;
            const int v = last ? 0 : options[++i].toInt(&ok);
            if (!ok) {
                err << "tesvane-cli: " << o << " needs a number\n";
                return std::nullopt;
            }
            (o == QStringLiteral("--company") ? a.company : a.year) = v;
            (o == QStringLiteral("--company") ? company : year) = true;
        } else if (o == QStringLiteral("--evaluations") && a.action == RaiseArgs::Action::Apply) {
            if (last) {
                err << "tesvane-cli: --evaluations needs a file\n";
                return std::nullopt;
            }
            a.evaluations = options[++i];
        } else if (o == QStringLiteral("--by") && a.action == RaiseArgs::Action::Summary) {
            const QString by = last ? QString() : options[++i];
            if (by != QStringLiteral("grade") && by != QStringLiteral("mark")) {
                err << "tesvane-cli: --by needs grade or mark\n";
                return std::nullopt;
            }
            a.byMark = by == QStringLiteral("mark");
        } else {
            err << "tesvane-cli: unknown option for raise " << action << ": " << o << "\n";
            return std::nullopt;
        }
    }
    if (!company || !year) {
        err << "tesvane-cli: raise " << action << " needs --company K and --year N\n";
        return std::nullopt;
    }
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
    const CompanyYear cy{a.company, a.year};
    QVector<RaiseRecord> employees;
    EvaluationCodes codes;
    if (!LoadRaiseRecords(cy, employees) || !LoadEvaluationCodes(cy, codes)) {
        err << "tesvane-cli: " << dm.lastError() << "\n";
        return 1;
    }
    // The year's wage table, read once: the amount at a grade and step, 0 where it has none.
    QHash<int, WageTableRow> table;
    for (const WageTableRow& row : LoadStoredWageTable(a.company, a.year))
        table.insert(row.step, row);
    const WageAmountAt amountAt = [&table](int grade, int step) -> qint64 {
        if (grade < 1 || grade > MaxGrades || !table.contains(step))
            return 0;
        return table.value(step).amount[size_t(grade)];
    };
    const EvaluationPlan plan = PlanRaises(read, employees, codes, amountAt);
    if (!plan.faults.isEmpty()) {
        for (const EvaluationFault& f : plan.faults) {
            err << a.evaluations << ":";
            if (f.line > 0)
                err << " line " << f.line << ":";
            err << " " << f.reason << "\n";
        }
        err << "tesvane-cli: nothing stored\n";
        return 1;
    }
    switch (SaveRaises(cy, plan.entries)) {
    case RaiseSaveResult::Saved:
        out << plan.entries.size() << " raises stored\n";
        out.flush();
        return 0;
    case RaiseSaveResult::Missing:
        err << "tesvane-cli: an employee is gone; nothing stored\n";
        return 1;
    case RaiseSaveResult::Failed:
        break;
    }
    err << "tesvane-cli: " << dm.lastError() << "\n";
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

} // namespace

int RunRaise(TDM& dm, const RaiseArgs& a, QTextStream& out, QTextStream& err) {
    TMKIGYOU2 settings;
    if (!LoadCompanySettings({a.company, a.year}, settings)) {
        err << "tesvane-cli: no company " << a.company << " in " << a.year << "\n";
        return 1;
    }
    return a.action == RaiseArgs::Action::Apply ? apply(dm, a, out, err) : summary(dm, a, out, err);
}
