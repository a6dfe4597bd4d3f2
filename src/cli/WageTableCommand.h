#pragma once

#include <QStringList>
#include <optional>

class QTextStream;
class TDM;

// tesvane-cli wage-table --company K --year N [--generate] [--pdf FILE] [--xlsx FILE]
struct WageTableArgs {
    int company = 0;
    int year = 0;
    bool generate = false;
    QString pdf;  // print the table into this PDF file instead of writing CSV
    QString xlsx; // the table and its definition as a workbook, instead of CSV
};

// The options of wage-table; a mistake is written to err and gives nothing.
std::optional<WageTableArgs> ParseWageTableArgs(const QStringList& options, QTextStream& err);
// Prints the stored table as CSV, or as the printed wage table into a PDF file; with generate,
// first regenerates and stores it from the stored definition through the same checks and the
// same save as the wage-table screen.
int RunWageTable(TDM& dm, const WageTableArgs& args, QTextStream& out, QTextStream& err);

// The stored table and its definition as a workbook.
int WriteWageTableWorkbook(int company, int year, const QString& path, QTextStream& out,
                           QTextStream& err);
