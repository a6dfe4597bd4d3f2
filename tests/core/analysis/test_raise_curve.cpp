// Raise curves: the quadratic and cubic fits (exact data, noisy data against an independent
// least-squares solution, symmetric X, too few distinct X, many points), the drawing with its
// levels from any first X, and the average and pitch of a curve.

#include "core/analysis/RegressionChart.h"
#include "core/plot/AxisItems.h"
#include "core/plot/ChartScene.h"
#include "core/plot/PlotGeometry.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cmath>

namespace {

// Points on a polynomial, y in units of 1/10000 万円 (exact when the values have four
// decimals at most).
QVector<FitPoint> on(const std::array<double, 4>& p, const QVector<int>& xs) {
    QVector<FitPoint> points;
    for (int x : xs) {
        const long double y = p[0] + p[1] * x + p[2] * x * x + p[3] * x * x * x;
        points.push_back({x, qint64(std::llroundl(y * 10000))});
    }
    return points;
}

QVector<int> range(int from, int to) {
    QVector<int> xs;
    for (int x = from; x <= to; ++x)
        xs << x;
    return xs;
}

double coefficient(const RaiseCurve& c, int k) {
    return double(c.coef[size_t(k)]) / double(c.scale);
}

// An independent least-squares solution: modified Gram-Schmidt QR of the scaled Vandermonde
// matrix, back-substitution, then the scaling undone.
std::array<long double, 4> independentFit(const QVector<FitPoint>& points, int degree) {
    const int n = int(points.size()), m = degree + 1;
    long double mean = 0, spread = 0;
    for (const FitPoint& p : points)
        mean += p.x;
    mean /= n;
    for (const FitPoint& p : points)
        spread = std::max(spread, std::fabs(p.x - mean));
    QVector<QVector<long double>> q(m, QVector<long double>(n));
    QVector<long double> y(n);
    for (int i = 0; i < n; ++i) {
        const long double u = (points[i].x - mean) / spread;
        long double v = 1;
        for (int j = 0; j < m; ++j, v *= u)
            q[j][i] = v;
        y[i] = points[i].yUnits / 10000.0L;
    }
    std::array<std::array<long double, 4>, 4> r{};
    for (int j = 0; j < m; ++j) {
        for (int k = 0; k < j; ++k) {
            long double d = 0;
            for (int i = 0; i < n; ++i)
                d += q[k][i] * q[j][i];
            r[k][j] = d;
            for (int i = 0; i < n; ++i)
                q[j][i] -= d * q[k][i];
        }
        long double norm = 0;
        for (int i = 0; i < n; ++i)
            norm += q[j][i] * q[j][i];
        norm = std::sqrt(norm);
        r[j][j] = norm;
        for (int i = 0; i < n; ++i)
            q[j][i] /= norm;
    }
    std::array<long double, 4> qty{}, alpha{};
    for (int j = 0; j < m; ++j)
        for (int i = 0; i < n; ++i)
            qty[j] += q[j][i] * y[i];
    for (int j = m - 1; j >= 0; --j) {
        long double v = qty[j];
        for (int k = j + 1; k < m; ++k)
            v -= r[j][k] * alpha[k];
        alpha[j] = v / r[j][j];
    }
    // Σ alpha_j ((x - mean)/spread)^j expanded in powers of x.
    std::array<long double, 4> coef{};
    static constexpr int Binomial[4][4] = {{1, 0, 0, 0}, {1, 1, 0, 0}, {1, 2, 1, 0}, {1, 3, 3, 1}};
    for (int j = 0; j < m; ++j)
        for (int k = 0; k <= j; ++k)
            coef[k] += alpha[j] / std::pow(spread, j) * Binomial[j][k] * std::pow(-mean, j - k);
    return coef;
}

// The quadratic rounds c first and takes b and a from the rounded terms: b the slope of
// y − c x² on x, a the mean of what is left.
std::array<long double, 4> quadraticAsRounded(const QVector<FitPoint>& points) {
    const long double c = std::round(double(independentFit(points, 2)[2]) * 1e5) / 1e5L;
    long double mx = 0, my = 0;
    const long double n = points.size();
    for (const FitPoint& p : points) {
        mx += p.x / n;
        my += (p.yUnits / 10000.0L - c * p.x * p.x) / n;
    }
    long double sxy = 0, sxx = 0;
    for (const FitPoint& p : points) {
        const long double r = p.yUnits / 10000.0L - c * p.x * p.x;
        sxy += (p.x - mx) * (r - my);
        sxx += (p.x - mx) * (p.x - mx);
    }
    const long double b = std::round(double(sxy / sxx) * 1e5) / 1e5L;
    long double a = 0;
    for (const FitPoint& p : points)
        a += (p.yUnits / 10000.0L - b * p.x - c * p.x * p.x) / n;
    return {a, b, c, 0};
}

QVector<FitPoint> noisy(int count, int from, int to, quint32 seed) {
    QRandomGenerator random(seed);
    QVector<FitPoint> points;
    for (int i = 0; i < count; ++i) {
        const int x = from + int(random.bounded(to - from + 1));
        const double y = 12 + 0.9 * x - 0.008 * x * x + random.bounded(40000) / 10000.0 - 2;
        points.push_back({x, qint64(std::llround(y * 10000))});
    }
    return points;
}

PlotModel regressionModel(const QVector<FitPoint>& points, std::array<int, 4> levels) {
    PlotModel m;
    m.request.chartNo = RegressionChart;
    m.request.range = AxisRange{0, 70, 0, 60};
    m.header.chartNo = RegressionChart;
    m.header.curves = 1;
    m.header.marks[1] = true;
    for (int j = 1; j <= 4; ++j)
        m.header.levels[size_t(j)] = Currency::fromInt(levels[size_t(j - 1)]);
    m.marks[1].MARK = QStringLiteral("■");
    m.marks[1].KCOLOR = QStringLiteral("clBlue");
    m.marks[1].KSYURUI = 1;
    m.marks[1].KHABA = 1;
    for (const FitPoint& p : points) {
        PlotPoint pp;
        pp.mark = 1;
        pp.x = int(p.x);
        pp.y = Currency::fromRaw(p.yUnits);
        m.points.push_back(pp);
        ++m.stats.count[1];
    }
    m.frame = FrameForPicture(1200, 800);
    return m;
}

AxisLayout layoutOf(const PlotModel& m) {
    return LayoutAxes(m.frame, RegressionChart, 0, 1, m.request.range);
}

} // namespace

class TestRaiseCurve : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exactDataGiveTheirCoefficients() {
        const QVector<FitPoint> parabola = on({2, 0.5, 0.01, 0}, range(18, 60));
        const RaiseCurve q = FitRaiseCurve(parabola, 10000, 0);
        QCOMPARE(q.coefficientsText(), QStringLiteral("2.00000,0.50000,0.01000"));
        // The cubic of points on a parabola has no cubic term.
        const RaiseCurve c = FitRaiseCurve(parabola, 10000, 1);
        QCOMPARE(c.coefficientsText(), QStringLiteral("2.000000,0.500000,0.010000,0.000000"));
        const RaiseCurve cubic =
            FitRaiseCurve(on({1, 0.2, -0.003, 0.0001}, range(20, 60)), 10000, 1);
        QCOMPARE(cubic.coefficientsText(), QStringLiteral("1.000000,0.200000,-0.003000,0.000100"));
        // Three points: the parabola through them.
        const RaiseCurve three =
            FitRaiseCurve(QVector<FitPoint>{{20, 180000}, {40, 300000}, {60, 340000}}, 10000, 0);
        QCOMPARE(three.yenAt(20), qint64(180000));
        QCOMPARE(three.yenAt(40), qint64(300000));
        QCOMPARE(three.yenAt(60), qint64(340000));
    }

    // Where the literal elimination divides by Σx³-terms that vanish, the curve is still found.
    void symmetricAndSparseX() {
        const RaiseCurve symmetric =
            FitRaiseCurve(on({5, -1, 0.5, 0.25}, {-3, -2, -1, 0, 1, 2, 3}), 10000, 1);
        QCOMPARE(symmetric.coefficientsText(),
                 QStringLiteral("5.000000,-1.000000,0.500000,0.250000"));
        // Three distinct X for a cubic: the parabola through them, d = 0.
        const RaiseCurve sparse =
            FitRaiseCurve(on({3, 0.4, 0.002, 0}, {20, 20, 30, 40, 40}), 10000, 1);
        QCOMPARE(sparse.coefficientsText(), QStringLiteral("3.000000,0.400000,0.002000,0.000000"));
        // One X value: the mean.
        const RaiseCurve single =
            FitRaiseCurve(QVector<FitPoint>{{30, 200000}, {30, 220000}}, 10000, 1);
        QCOMPARE(single.yenAt(30), qint64(210000));
        QCOMPARE(FitRaiseCurve(QVector<FitPoint>{}, 10000, 1).coefficientsText(),
                 QStringLiteral("0.000000,0.000000,0.000000,0.000000"));
    }

    void noisyDataAgreeWithAnIndependentSolution() {
        for (quint32 seed : {1u, 7u, 42u}) {
            // Well beyond the old limit of 500 points.
            const QVector<FitPoint> points = noisy(2000, 18, 64, seed);
            for (int order : {2, 3}) {
                const RaiseCurve fit = FitRaiseCurve(points, 10000, order == 2 ? 0 : 1);
                const std::array<long double, 4> ref =
                    order == 2 ? quadraticAsRounded(points) : independentFit(points, 3);
                const double unit = order == 2 ? 1e-5 : 1e-6;
                for (int k = 0; k <= order; ++k) {
                    const double rounded = std::round(double(ref[size_t(k)]) / unit) * unit;
                    QVERIFY2(std::fabs(coefficient(fit, k) - rounded) < unit / 2,
                             qPrintable(QStringLiteral("seed %1 order %2 term %3: %4 vs %5")
                                            .arg(seed)
                                            .arg(order)
                                            .arg(k)
                                            .arg(coefficient(fit, k), 0, 'f', 8)
                                            .arg(double(ref[size_t(k)]), 0, 'f', 8)));
                }
            }
        }
    }

    void levelsDrawTheirCurves() {
        const QVector<FitPoint> points = on({2, 0.5, 0.01, 0}, range(20, 40));
        RaiseCurveChart chart;
        PlotModel m = regressionModel(points, {10, 0, -10, 0});
        chart.load(m);
        ChartScene scene;
        chart.drawCurves(scene, layoutOf(m), m);
        const RaiseCurve base = FitSeries(chart.series()[1], 0);
        const RaiseCurve up = FitSeries(chart.series()[1], 0, Currency::fromInt(10));
        // 100 steps of 0.2 from 20 below 40 each: the base curve, 110 % and 90 %.
        QCOMPARE(scene.curves.size(), 3 * 99);
        QCOMPARE(up.coefficientsText(), QStringLiteral("2.20000,0.55000,0.01100"));
        QCOMPARE(base.coefficientsText(), QStringLiteral("2.00000,0.50000,0.01000"));

        // A level no pay scale has still draws (off the chart) without overflowing.
        const RaiseCurve huge = FitSeries(chart.series()[1], 1, Currency::fromInt(99999999));
        QCOMPARE(huge.yenAt(20), qint64(160000158400)); // 16 万円 × 1,000,000.99
        PlotModel far = m;
        far.header.levels[1] = Currency::fromInt(99999999);
        ChartScene off;
        chart.drawCurves(off, layoutOf(far), far);
        QCOMPARE(off.curves.size(), 3 * 99);

        m.header.curves = 0; // graph display off: no curve and no average
        chart.load(m);
        ChartScene none;
        chart.drawCurves(none, layoutOf(m), m);
        QVERIFY(none.curves.isEmpty());
        AnalysisPanel panel;
        QVERIFY(chart.analysis(m, panel));
        QCOMPARE(panel.values[1], QStringLiteral("■:21  "));
        QVERIFY(panel.values[3].isEmpty() && panel.values[6].isEmpty());
    }

    // Every vertex lies on the fit, also for points from X 0 (service years), where a ramp
    // once pulled the curve down to the axis.
    void curveFollowsItsFitFromAnyFirstX() {
        for (int from : {0, 20}) {
            const QVector<FitPoint> points = on({18, -0.5, 0.06, -0.001}, range(from, 37));
            for (int order : {0, 1}) {
                RaiseCurveChart chart;
                PlotModel m = regressionModel(points, {0, 0, 0, 0});
                m.header.order = order;
                chart.load(m);
                ChartScene s;
                const AxisLayout a = layoutOf(m);
                chart.drawCurves(s, a, m);
                const RaiseCurve fit = FitSeries(chart.series()[1], order);
                QVERIFY(!s.curves.isEmpty());
                long double x = from;
                QCOMPARE(std::get<SceneLine>(s.curves.first()).from,
                         QPoint(a.px(double(x)), a.py(double(fit.valueAt(x)))));
                for (const SceneItem& item : s.curves) {
                    x += 0.2L;
                    const QPoint to = std::get<SceneLine>(item).to;
                    QCOMPARE(to, QPoint(a.px(double(x)), a.py(double(fit.valueAt(x)))));
                    QVERIFY(to.y() < a.originY); // never under the X axis
                }
                QVERIFY(x > 36.7L); // up to the last X
            }
        }
    }

    void statisticsRunToTheFirstFall() {
        // 30 − 0.01 (x − 27.4)²: rises to 27, falls from 28.
        RaiseCurve c;
        c.order = 2;
        c.coef = {2249240, 54800, -1000, 0};
        QCOMPARE(c.yenAt(27), qint64(299984));
        QCOMPARE(c.yenAt(28), qint64(299964));
        const CurveStatisticsResult r = CurveStatistics(c, 20, 30);
        QCOMPARE(r.startX, qint64(20));
        QCOMPARE(r.endX, qint64(28));
        QCOMPARE(r.count, 10);
        qint64 sum = 0;
        for (int x = 20; x <= 29; ++x)
            sum += c.yenAt(x);
        QCOMPARE(r.average, qint64(std::llround(sum / 10.0)));
        QCOMPARE(r.pitch, qint64(std::llround((c.yenAt(28) - c.yenAt(20)) / 8.0)));

        // Spans too short for the loop.
        const CurveStatisticsResult one = CurveStatistics(c, 25, 25);
        QCOMPARE(one.average, c.yenAt(25));
        QCOMPARE(one.pitch, qint64(0));
        const CurveStatisticsResult two = CurveStatistics(c, 25, 27);
        QCOMPARE(two.endX, qint64(26));
        QCOMPARE(two.pitch, c.yenAt(26) - c.yenAt(25));
    }
};

QTEST_GUILESS_MAIN(TestRaiseCurve)
#include "test_raise_curve.moc"
