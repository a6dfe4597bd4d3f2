// Start-up to the shown main window with --no-splash, on a fresh copy of the delivered data.
// Prints the median of several runs; run by hand: build/bench/bench_startup [runs]
#include "app/Startup.h"
#include "app/WS0000_MainWindow.h"
#include "support/data/TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        TestEnvironment env(true);
        StartupOptions o;
        o.splash = false;
        o.appDir = env.appDir();
        QElapsedTimer t;
        t.start();
        TWS0000* main = StartUp(o);
        QApplication::processEvents();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
        delete main;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("start-up to shown main window (--no-splash): median %.1f ms, min %.1f ms, "
                "max %.1f ms over %d runs\n",
                ms[ms.size() / 2], ms.front(), ms.back(), runs);
    return 0;
}
