#pragma once

#include "core/plot/ChartRecords.h"

#include <QSize>
#include <QStringList>
#include <QVector>
#include <optional>

class QTextStream;

// tesvane-cli plot --company K --year N --chart 1010 [--x ITEM --y ITEM] [--marks LIST]
//                  [--grades LIST] [--png FILE [--size WxH]] [--pdf FILE]
struct PlotArgs {
    int company = 0;
    int year = 0;
    int chart = 0;
    std::optional<int> xItem;
    std::optional<int> yItem;
    std::optional<QVector<int>> marks;
    std::optional<QVector<int>> grades;
    QString png;
    QString pdf;
    QSize size{1200, 800};
};

// The marks and grades a command draws: those given; when only one of the two is given, all
// of the other; when neither, the chart's stored choice, or all of both for a chart never saved
// (stored false).
void ChooseMarksAndGrades(ChartSettings& settings, bool stored,
                          const std::optional<QVector<int>>& marks,
                          const std::optional<QVector<int>>& grades);

// The options of plot; a mistake is written to err and gives nothing.
std::optional<PlotArgs> ParsePlotArgs(const QStringList& options, QTextStream& err);
// Draws the chart from the stored settings (with the options' overrides) as a PNG of the plot
// area and/or the printed page as a PDF. Builds the chart in memory; writes nothing to the
// database.
int RunPlot(const PlotArgs& args, QTextStream& err);
