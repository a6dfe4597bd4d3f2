#pragma once

#include <QStringList>

// The command-line companion: works on a program folder's DATA/ without a display and calls
// the same code as the screens. Returns the process exit status.
int RunCli(const QStringList& arguments);
