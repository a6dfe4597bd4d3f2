#include "app/Startup.h"
#include "app/WS0000_MainWindow.h"
#include "core/common/PasswordMask.h"
#include "data/db/TDM.h"
#include "data/project/Project.h"

#include <QApplication>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[]) {
    HidePasswordsInLog();
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.contains(QStringLiteral("--help"))) {
        std::printf("Usage: tesvane [--no-splash] [--data DIR|URL] [--server URL]\n"
                    "  --no-splash  start without the splash screen\n"
                    "  --data DIR   program folder holding DATA/ (default: this program's folder)\n"
                    "  --server URL work on the PostgreSQL database at URL\n"
                    "               (postgresql://user@host:port/database); without it, a file\n"
                    "               server.ini beside DATA/ with a line url=URL does the same.\n"
                    "               --data URL is the same as --server URL. Keep the password\n"
                    "               out of the URL: put it in ~/.pgpass (or PGPASSFILE)\n");
        return 0;
    }
    PrepareApplication();
    TDM dm;
    Project project;
    std::unique_ptr<TWS0000> main(StartUp(ParseStartupOptions(args)));
    return app.exec();
}
