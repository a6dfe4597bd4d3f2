#include "cli/CliCommands.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstring>
#include <memory>

int main(int argc, char* argv[]) {
    // Drawing needs fonts, which need a GUI application; it never needs a display.
    bool draws = false;
    for (int i = 1; i < argc; ++i)
        draws = draws || std::strcmp(argv[i], "plot") == 0;
    std::unique_ptr<QCoreApplication> app;
    if (draws) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    return RunCli(QCoreApplication::arguments());
}
