// Raise curves of a company of 10,000 employees in six marks: the fits (base curve and four
// deviation levels per mark) with the average and pitch, for the quadratic and the cubic; the
// curves drawn into the chart; and "分　析" of the regression screen until the plot window has
// drawn the chart. Prints medians; run by hand: build/bench/bench_regression [runs]
#include "core/analysis/RegressionChart.h"
#include "core/common/AppState.h"
#include "core/plot/AxisItems.h"
#include "core/plot/ChartSceneBuilder.h"
#include "data/project/Project.h"
#include "gui/analysis/WS1020_RaiseCurveRegression.h"
#include "gui/plot/WS1100_PlotWindow.h"
#include "support/data/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
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

// 10,000 points of ages 18 to 65 in six marks, pay rising and levelling off with some spread.
PlotModel companyModel(int order) {
    PlotModel m;
    m.request.chartNo = RegressionChart;
    m.request.range = AxisRange{15, 70, 0, 60};
    m.header.chartNo = RegressionChart;
    m.header.curves = 1;
    m.header.order = order;
    const int levels[] = {0, 10, 5, -5, -10};
    for (int j = 1; j <= 4; ++j)
        m.header.levels[size_t(j)] = Currency::fromInt(levels[j]);
    for (int k = 1; k <= 6; ++k) {
        m.header.marks[size_t(k)] = true;
        m.marks[size_t(k)].MARK = QStringLiteral("■");
        m.marks[size_t(k)].KCOLOR = QStringLiteral("clBlue");
        m.marks[size_t(k)].KSYURUI = 1;
        m.marks[size_t(k)].KHABA = 1;
    }
    for (int i = 1; i <= 10000; ++i) {
        PlotPoint p;
        p.mark = 1 + i % 6;
        p.x = 18 + i % 48;
        p.y = Currency::fromRaw(qint64((12 + 0.9 * p.x - 0.008 * p.x * p.x) * 10000) +
                                (i * 7919) % 30000 - 15000);
        m.points.push_back(p);
        ++m.stats.count[size_t(p.mark)];
    }
    m.frame = FrameForPicture(1527, 1000);
    return m;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    for (int order : {0, 1}) {
        const PlotModel m = companyModel(order);
        RaiseCurveChart chart;
        chart.load(m);
        Times fits, drawing;
        qint64 check = 0;
        for (int i = 0; i < runs; ++i) {
            timed(fits, [&] {
                // What the analysis and the page need: every mark's curves at all levels, its
                // average and pitch.
                for (int k = 1; k <= 6; ++k)
                    for (int j = 0; j <= 4; ++j)
                        check +=
                            FitSeries(chart.series()[size_t(k)], order, m.header.levels[size_t(j)])
                                .yenAt(40);
                const RegressionTexts t = MakeRegressionTexts(m, chart.series());
                check += t.averages[0].size();
            });
            timed(drawing, [&] {
                const ChartScene s = BuildChartScene(m, LayoutOf(m), &chart);
                check += s.curves.size();
            });
        }
        std::printf("%s fits of 10,000 employees in six marks (base and four levels each) with "
                    "average and pitch: median %.1f ms (processor %.1f ms); the chart with its "
                    "curves built: median %.1f ms over %d runs [%lld]\n",
                    order == 0 ? "quadratic" : "cubic", median(fits.wall), median(fits.cpu),
                    median(drawing.wall), runs, static_cast<long long>(check % 10));
    }

    TestEnvironment env;
    env.setToday(QDate(2024, 4, 1));
    env.openDatabases();
    env.openCompany(1, 2023);
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
                       "120000 + (i % 48) * 4000 + (i * 7919) % 30000, 0, 20000, 200000 FROM n"));
    TWS1100 plot;
    TWS1020 screen(&plot, nullptr);
    screen.PrepareScreen();
    screen.findChild<QRadioButton*>(QStringLiteral("optYKihon"))->setChecked(true);
    screen.findChild<QCheckBox*>(QStringLiteral("optGraph"))->setChecked(true);
    screen.findChild<QLineEdit*>(QStringLiteral("txtLevel1"))->setText(QStringLiteral("10"));
    screen.findChild<QLineEdit*>(QStringLiteral("txtLevel2"))->setText(QStringLiteral("-10"));
    screen.setWindowModified(true);
    screen.btnPlotAllClick();
    screen.btnTokyuAllClick();
    screen.btnAnalizeClick();
    plot.setWindowState(Qt::WindowNoState);
    plot.resize(1600, 1000);
    plot.Execute();
    QApplication::processEvents();
    Times build;
    bool ok = true;
    for (int i = 0; i < runs; ++i) {
        screen.show();
        timed(build, [&] {
            screen.btnAnalizeClick();
            plot.repaint();
        });
        QApplication::processEvents();
        ok = ok && plot.isVisible() && plot.markCount() == 10000;
    }
    if (!ok) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    std::printf("regression of 10,000 employees, 分析 until the window has drawn the chart with "
                "its curves: median %.1f ms (processor %.1f ms) over %d runs\n",
                median(build.wall), median(build.cpu), runs);
    return 0;
}
