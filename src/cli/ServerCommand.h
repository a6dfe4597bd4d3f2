#pragma once

#include <QStringList>

class QTextStream;

// tesvane-cli server init|push|pull: laying out a server database and moving data between a
// program folder and the server. Counts per table go to out as CSV (TABLE,ROWS).
int RunServerCommand(const QStringList& options, QTextStream& out, QTextStream& err);
