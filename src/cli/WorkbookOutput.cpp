#include "cli/WorkbookOutput.h"

#include "render/workbook/Workbook.h"

#include <QTextStream>

int WriteWorkbookFile(const Xlsx::Workbook& book, const QString& path, qsizetype rows,
                      QTextStream& out, QTextStream& err) {
    QString error;
    if (!book.save(path, &error)) {
        err << "tesvane-cli: " << error.replace(QLatin1Char('\r'), QLatin1Char('\n')) << "\n";
        err.flush();
        return 1;
    }
    out << "FILE,ROWS\n" << path << ',' << rows << "\n";
    out.flush();
    return 0;
}
