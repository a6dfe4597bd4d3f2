#pragma once

#include <QString>

class TWS0000;

struct StartupOptions {
    bool splash = true;
    QString appDir; // empty: the executable's folder
    QString server; // --server URL; empty: the settings file beside DATA/, else the files
};

// Start-up in its fixed order: the main window (which opens both databases), the splash and
// its minimum time, then the main window shown maximised. Screens are made when first used.
// The data module and the project must exist. The caller owns the returned window.
TWS0000* StartUp(const StartupOptions& options);

// Reads --no-splash, --data DIR and --server URL from the command line.
StartupOptions ParseStartupOptions(const QStringList& arguments);

// Japanese fonts, translations of the standard dialogs, real message boxes.
void PrepareApplication();
