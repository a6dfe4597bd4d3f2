#pragma once

#include <QStringList>

// tesvane-cli employees export|import: the employee CSV exchange of the program's import and
// export commands, on the data module the dispatcher has opened. Returns the exit status.
int RunEmployeesCommand(const QStringList& options);
