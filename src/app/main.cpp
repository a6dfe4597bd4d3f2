#include "app/Startup.h"
#include "app/WS0000_MainWindow.h"
#include "data/db/TDM.h"
#include "data/project/Project.h"

#include <QApplication>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.contains(QStringLiteral("--help"))) {
        std::printf("Usage: tesvane [--no-splash] [--data DIR] [--server URL]\n"
                    "  --no-splash  start without the splash screen\n"
                    "  --data DIR   program folder holding DATA/ (default: this program's folder)\n"
                    "  --server URL work on the PostgreSQL database at URL\n"
                    "               (postgresql://user@host:port/database); without it, a file\n"
                    "               server.ini beside DATA/ with a line url=URL does the same\n");
        return 0;
    }
    PrepareApplication();
    TDM dm;
    Project project;
    std::unique_ptr<TWS0000> main(StartUp(ParseStartupOptions(args)));
    return app.exec();
}
