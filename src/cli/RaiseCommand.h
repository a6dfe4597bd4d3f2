#pragma once

#include <QStringList>
#include <optional>

class QTextStream;
class TDM;

// tesvane-cli raise apply --company K --year N --evaluations FILE
// tesvane-cli raise summary --company K --year N [--by grade|mark]
// tesvane-cli raise budget --company K --year N [--months M] [--oncost R] [--xlsx FILE]
struct RaiseArgs {
    enum class Action { Apply, Summary, Budget };
    Action action = Action::Summary;
    int company = 0;
    int year = 0;
    QString evaluations;    // apply: the file
    bool byMark = false;    // summary: groups by plot mark instead of grade
    QString months, onCost; // budget: the settings for this run, as given
    QString xlsx;           // budget: the workbook instead of CSV
};

// The options of raise; a mistake is written to err and gives nothing.
std::optional<RaiseArgs> ParseRaiseArgs(const QStringList& options, QTextStream& err);
int RunRaise(TDM& dm, const RaiseArgs& args, QTextStream& out, QTextStream& err);
