#pragma once

#include <QStringList>
#include <optional>

class QTextStream;

// tesvane-cli range --company K --year N [--xlsx FILE]
struct RangeArgs {
    int company = 0;
    int year = 0;
    QString xlsx; // save the workbook into this file instead of writing CSV
};

// The options of range; a mistake is written to err and gives nothing.
std::optional<RangeArgs> ParseRangeArgs(const QStringList& options, QTextStream& err);
// Every employee's place in the salary-scale range of the grade as CSV (those listed apart
// last, without figures), or the workbook of the range screen. Reads only.
int RunRange(const RangeArgs& args, QTextStream& out, QTextStream& err);
