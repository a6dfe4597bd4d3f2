#include "app/Startup.h"

#include "app/WS0000_MainWindow.h"
#include "app/WS0001_Splash.h"
#include "core/common/Messages.h"
#include "data/db/ServerAddress.h"
#include "gui/common/MessageBoxResponder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QLibraryInfo>
#include <QScreen>
#include <QThread>
#include <QTranslator>

namespace {
constexpr int MinimumSplashMs = 3000;
} // namespace

StartupOptions ParseStartupOptions(const QStringList& arguments) {
    StartupOptions o;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--no-splash")) {
            o.splash = false;
        } else if (arguments[i] == QStringLiteral("--data") && i + 1 < arguments.size()) {
            const QString& value = arguments[++i];
            if (IsServerUrl(value)) // a server named where a folder is expected
                o.server = value;
            else
                o.appDir = value;
        } else if (arguments[i] == QStringLiteral("--server") && i + 1 < arguments.size()) {
            o.server = arguments[++i];
        }
    }
    return o;
}

void PrepareApplication() {
    QApplication::setApplicationName(QStringLiteral("Tesvane賃金"));
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSize(10);
    QApplication::setFont(font);
    auto* qt = new QTranslator(qApp);
    if (qt->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                 QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qt);
    static MessageBoxResponder boxes;
    Msg::setResponder(&boxes);
}

TWS0000* StartUp(const StartupOptions& options) {
    QApplication::setApplicationDisplayName(QString());
    QString server = options.server;
    if (server.isEmpty()) {
        QString error;
        server = ServerUrlFromSettings(
            options.appDir.isEmpty() ? QCoreApplication::applicationDirPath() : options.appDir,
            &error);
        if (!error.isEmpty())
            Msg::error(error);
    }
    SetServerUrl(server);
    auto* main = new TWS0000(options.appDir);

    TWS0001* splash = nullptr;
    QElapsedTimer shown;
    if (options.splash) {
        splash = new TWS0001;
        splash->show();
        splash->repaint();
        QApplication::processEvents();
        shown.start();
    }

    if (splash) {
        while (shown.elapsed() <= MinimumSplashMs) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
            QThread::msleep(20);
        }
    }

    delete splash;
    // Without a window manager (a bare X server) maximising does nothing; fill the screen.
    if (QScreen* screen = main->screen())
        main->setGeometry(screen->availableGeometry());
    main->showMaximized();
    return main;
}
