#pragma once

#include <QStringList>
#include <optional>

class QTextStream;

// tesvane-cli design --company K --year N [--x ITEM --y ITEM] [--csv FILE] [--xlsx FILE]
struct DesignArgs {
    int company = 0;
    int year = 0;
    std::optional<int> xItem;
    std::optional<int> yItem;
    QString csv;
    QString xlsx;
};

// The options of design; a mistake is written to err and gives nothing.
std::optional<DesignArgs> ParseDesignArgs(const QStringList& options, QTextStream& err);
// Writes the designs of the axis pair (by default the pair stored for chart 1050), expanded
// as the design screen expands them, as its CSV file with chart 1050's title, and/or as a
// workbook. The expansion
// is made in memory: the database is not written.
int RunDesign(const DesignArgs& args, QTextStream& out, QTextStream& err);

#include "data/plot/ChartBuilder.h"
// The chart of the plot command built as its screen builds it: the wage plot from the
// employees, the design chart with the range widened by its designs, the wage-table chart from
// the key points (without employees). Nothing when a read failed (reported); no points and no
// request when there is nothing to draw.
std::optional<ChartBuildResult> BuildChartOf(const CompanyYear& cy, const ChartSettings& settings);
