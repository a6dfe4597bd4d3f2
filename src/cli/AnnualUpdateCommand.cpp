#include "cli/AnnualUpdateCommand.h"

#include "cli/CliOptions.h"
#include "core/common/AppState.h"
#include "data/db/TDM.h"
#include "data/raise/AnnualUpdate.h"

#include <QTextStream>

std::optional<AnnualUpdateArgs> ParseAnnualUpdateArgs(const QStringList& options,
                                                      QTextStream& err) {
    AnnualUpdateArgs a;
    bool yes = false;
    CliOptions table(QStringLiteral("annual-update"));
    table.companyYear(a.company, a.year, true);
    table.flag(QStringLiteral("--yes"), yes);
    if (!table.read(options, err))
        return std::nullopt;
    if (!yes) {
        err << "tesvane-cli: annual-update writes the company's next year; pass --yes to go "
               "ahead\n";
        return std::nullopt;
    }
    return a;
}

int RunAnnualUpdateCommand(TDM& dm, const AnnualUpdateArgs& a, QTextStream& out, QTextStream& err) {
    const QDate today = state().clock();
    const AnnualUpdateResult r = RunAnnualUpdate(
        a.company, a.year, today.year() * 10000 + today.month() * 100 + today.day());
    switch (r.status) {
    case AnnualUpdateStatus::Done:
        out << "年次更新が終了しました。\n"
            << "company " << a.company << ": " << a.year << " -> " << a.year + 1 << ", "
            << r.employees << " employees, " << r.undecided
            << " without a decided raise (carried with their current grade, step and pay)\n"
            << MovedDatesText(r.moved).replace(QLatin1Char('\r'), QLatin1Char('\n')) << "\n";
        out.flush();
        return 0;
    case AnnualUpdateStatus::TargetExists:
        err << "既にデータが存在します。企業データ　を削除してから、再度年次更新を行ってください。"
               "\n";
        return 1;
    case AnnualUpdateStatus::NoSource:
        err << "企業マスターが存在しません。 (company " << a.company << ", year " << a.year
            << ")\n";
        return 1;
    case AnnualUpdateStatus::Refused:
        err << "賃金表　が作成できません。年次更新は行われませんでした。\n" << r.problem << "\n";
        return 1;
    case AnnualUpdateStatus::Locked:
        err << CompanyLockedText(r.problem) << "\n";
        return 1;
    case AnnualUpdateStatus::Failed:
        break;
    }
    err << "tesvane-cli: " << dm.lastError() << "; nothing written\n";
    return 1;
}
