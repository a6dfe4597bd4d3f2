#include "cli/CliCommands.h"
#include "core/common/PasswordMask.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

namespace {

// The offscreen platform asks for a runtime folder it never uses here; its warning would only
// clutter standard error, which carries the command's messages.
QtMessageHandler g_default = nullptr;
void messages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    g_default(type, context, text);
}

} // namespace

int main(int argc, char* argv[]) {
    HidePasswordsInLog();
    // Drawing a PDF or a plot needs the fonts of a GUI application, but never a display.
    bool draws = false;
    for (int i = 1; i < argc; ++i)
        draws = draws || QByteArray(argv[i]) == "--pdf" || QByteArray(argv[i]) == "plot";
    std::unique_ptr<QCoreApplication> app;
    if (draws) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        g_default = qInstallMessageHandler(messages);
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    return RunCli(QCoreApplication::arguments());
}
