#include "cli/CliCommands.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

int main(int argc, char* argv[]) {
    // Drawing a PDF needs the fonts of a GUI application, but never a display.
    bool draws = false;
    for (int i = 1; i < argc; ++i)
        draws = draws || QByteArray(argv[i]) == "--pdf";
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
