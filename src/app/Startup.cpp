#include "app/Startup.h"

#include "app/WS0000_MainWindow.h"
#include "app/WS0001_Splash.h"
#include "gui/common/MessageBoxResponder.h"
#include "gui/company/WS0010_CompanySelection.h"
#include "gui/company/WS0020_CompanyData.h"
#include "gui/company/WS0070_BasicSettings.h"
#include "gui/masters/WS0030_Employee.h"
#include "gui/wage/WS2010_WageTable.h"
#include "gui/wage/WS2011_BaseAmounts.h"

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
        if (arguments[i] == QStringLiteral("--no-splash"))
            o.splash = false;
        else if (arguments[i] == QStringLiteral("--data") && i + 1 < arguments.size())
            o.appDir = arguments[++i];
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

    // The screens, created once in their fixed order; each lives until the program ends.
    main->WS0010 = new TWS0010(main, main);
    main->WS0010->WS0020 = new TWS0020(main->WS0010, main);
    main->WS0030 = new TWS0030(main);
    main->WS0070 = new TWS0070(main);
    // The last group: WS1060, WS3030, WS2010, WS2011, WS4010.
    main->WS2010 = new TWS2010(main);
    main->WS2011 = new TWS2011(main->WS2010);
    main->WS2010->WS2011 = main->WS2011;

    if (splash) {
        while (shown.elapsed() <= MinimumSplashMs) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
            QThread::msleep(20);
        }
    }

    main->updateCommands();
    delete splash;
    // Without a window manager (a bare X server) maximising does nothing; fill the screen.
    if (QScreen* screen = main->screen())
        main->setGeometry(screen->availableGeometry());
    main->showMaximized();
    return main;
}
