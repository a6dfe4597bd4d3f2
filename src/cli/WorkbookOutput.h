#pragma once

#include <QString>

class QTextStream;
namespace Xlsx {
class Workbook;
}

// Saves a workbook for a command: "FILE,ROWS" and the path with the number of rows written
// on success (0), the save's message on failure (1), the file then left as it was.
int WriteWorkbookFile(const Xlsx::Workbook& book, const QString& path, qsizetype rows,
                      QTextStream& out, QTextStream& err);
