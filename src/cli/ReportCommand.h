#pragma once

#include <QStringList>

class QTextStream;
class TDM;

// tesvane-cli report salary|raise --company K --year N [--marks A-B] [--grades A-B] --pdf FILE
// Composes the group report as the report screen does and writes it as a PDF file.
int RunReportCommand(TDM& dm, const QStringList& options, QTextStream& out, QTextStream& err);

// Writes the stored wage table of the company year as the printed wage table (PDF).
int WriteWageTablePdf(int company, int year, const QString& path, QTextStream& out,
                      QTextStream& err);
