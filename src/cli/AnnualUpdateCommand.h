#pragma once

#include <QStringList>
#include <optional>

class QTextStream;
class TDM;

// tesvane-cli annual-update --company K --year N --yes
struct AnnualUpdateArgs {
    int company = 0;
    int year = 0;
};

// The options of annual-update; a mistake (or no --yes, which stands for the answers to the
// screen's questions) is written to err and gives nothing.
std::optional<AnnualUpdateArgs> ParseAnnualUpdateArgs(const QStringList& options, QTextStream& err);
int RunAnnualUpdateCommand(TDM& dm, const AnnualUpdateArgs& args, QTextStream& out,
                           QTextStream& err);
