// The wage plot of a company of 10,000 employees: building the chart and showing the plot
// window ("分　析" until the marks are placed and written back), and one full repaint of the
// maximised window. Prints medians; run by hand: build/bench/bench_plot [runs]
#include "core/common/AppState.h"
#include "data/project/Project.h"
#include "gui/plot/WS1010_WagePlot.h"
#include "gui/plot/WS1100_PlotWindow.h"
#include "support/data/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Wall-clock time, and the processor time the program itself spent (the machine may be busy
// with other work).
struct Times {
    std::vector<double> wall;
    std::vector<double> cpu;
};

template <typename F> void timed(Times& times, F&& f) {
    QElapsedTimer t;
    const double cpu = cpuMs();
    t.start();
    f();
    times.wall.push_back(double(t.nsecsElapsed()) / 1e6);
    times.cpu.push_back(cpuMs() - cpu);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    TestEnvironment env;
    env.setToday(QDate(2024, 4, 1));
    env.openDatabases();
    env.openCompany(1, 2023);
    // 10,000 employees spread over the six marks and grades, ages 18 to 65.
    env.exec(TDM::ACN2, QStringLiteral("DELETE FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2023"));
    env.exec(TDM::ACN2, QStringLiteral("DELETE FROM MSYAIN2 WHERE KCO = 1 AND NENDO = 2023"));
    env.exec(TDM::ACN2,
             QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                            "i < 10000) INSERT INTO MSYAIN1 (KCO, SCO, NENDO, SNA, NENREI, "
                            "KINZOKU, JISEKI, MCO, NEWDAY1) SELECT 1, i, 2023, '社員' || i, 18 + "
                            "i % 48, i % 40, 2, 1 + i % 6, printf('2023%06d', i) FROM n"));
    env.exec(
        TDM::ACN2,
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                       "i < 10000) INSERT INTO MSYAIN2 (KCO, SCO, NENDO, TOUKYU, GOUHOU, "
                       "KKYU1, KKYU2, KKYU3, SYOTEI) SELECT 1, i, 2023, 1 + i % 6, 1 + i % 50, "
                       "120000 + (i % 48) * 4000, 0, 20000, 200000 + (i % 48) * 5000 FROM n"));

    TWS1100 plot;
    TWS1010 screen(&plot, nullptr);
    screen.PrepareScreen();
    screen.findChild<QRadioButton*>(QStringLiteral("optYKihon"))->setChecked(true);
    screen.btnPlotAllClick();
    screen.btnTokyuAllClick();

    Times build, repaint;
    bool ok = true;
    // A first analysis opens the window; it is then given the size of a maximised window.
    screen.btnAnalizeClick();
    plot.setWindowState(Qt::WindowNoState);
    plot.resize(1600, 1000);
    plot.Execute();
    QApplication::processEvents();
    for (int i = 0; i < runs; ++i) {
        screen.show();
        // Until the window has drawn the new chart once.
        timed(build, [&] {
            screen.btnAnalizeClick();
            plot.repaint();
        });
        QApplication::processEvents();
        ok = ok && plot.isVisible() && plot.markCount() == 10000;
    }
    for (int i = 0; i < runs; ++i)
        timed(repaint, [&] { plot.repaint(); });
    if (!ok) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    std::printf("wage plot of 10,000 employees, 分析 until the window has drawn the chart: median "
                "%.1f ms (processor %.1f ms) over %d runs\n",
                median(build.wall), median(build.cpu), runs);
    std::printf("one full repaint of the %dx%d plot window with 10,000 marks: median %.1f ms "
                "(processor %.1f ms) over %d runs\n",
                plot.width(), plot.height(), median(repaint.wall), median(repaint.cpu), runs);
    return 0;
}
