#pragma once

#include <QStringList>
#include <optional>

class QTextStream;

// tesvane-cli design --company K --year N [--x ITEM --y ITEM] --csv FILE
struct DesignArgs {
    int company = 0;
    int year = 0;
    std::optional<int> xItem;
    std::optional<int> yItem;
    QString csv;
};

// The options of design; a mistake is written to err and gives nothing.
std::optional<DesignArgs> ParseDesignArgs(const QStringList& options, QTextStream& err);
// Writes the designs of the axis pair (by default the pair stored for chart 1050), expanded
// as the design screen expands them, as its CSV file with chart 1050's title. The expansion
// is made in memory: the database is not written.
int RunDesign(const DesignArgs& args, QTextStream& err);
