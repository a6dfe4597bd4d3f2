#pragma once

#include "core/common/Currency.h"
#include "core/plot/LeastSquares.h"

#include <QVector>
#include <array>

struct AxisLayout;
struct ChartScene;
struct LinePen;
struct PlotPoint;

// A fitted raise curve of Y (万円) on X: the quadratic or the cubic fit with its coefficients
// exactly as rounded.
struct RaiseCurve {
    int order = 2;                // 2 or 3
    std::array<Int128, 4> coef{}; // a, b, c, d in units of 1/scale
    qint64 scale = QuadraticFit::CoefficientScale;

    long double valueAt(long double x) const;
    // The curve's value in whole yen, f(x) × 10000 rounded half away from zero; exact.
    qint64 yenAt(qint64 x) const;
    // "a,b,c" or "a,b,c,d" with five or six decimals.
    QString coefficientsText(QChar separator = QLatin1Char(',')) const;
};

// order 0 (FKINJI) quadratic, otherwise cubic.
RaiseCurve FitRaiseCurve(std::span<const FitPoint> points, qint64 yScale, int fkinji);

// The points of one mark as a fit takes them, with their smallest and largest X.
struct MarkSeries {
    QVector<FitPoint> points; // y in units of 1/10000 万円
    qint64 xLow = 0;
    qint64 xHigh = 0;
    bool empty() const { return points.isEmpty(); }
};

// A fit of order 2 or 3 needs order + 1 distinct X values to be determined by its points.
int DistinctXNeeded(int order);
int DistinctXCount(std::span<const FitPoint> points);

// The points of mark k in the order given; mark 0 takes every point.
MarkSeries SeriesOf(const QVector<PlotPoint>& points, int mark);
MarkSeries SeriesOf(const QVector<FitPoint>& points);
// The curve of the series with every y multiplied by (level / 100 + 1); level in percent.
RaiseCurve FitSeries(const MarkSeries& series, int fkinji, Currency level = {});

// Average wage and raise pitch of a curve over the whole steps from xLow: the pitch runs to
// the first step at which the curve falls after having risen, or to the last whole step below
// xHigh. Spans of fewer than three steps: one X value gives its value and pitch 0; two or three
// take the pitch over the first step.
struct CurveStatisticsResult {
    qint64 average = 0; // yen
    qint64 pitch = 0;   // yen per X unit
    qint64 startX = 0;
    qint64 endX = 0;
    int count = 0;
};
CurveStatisticsResult CurveStatistics(const RaiseCurve& curve, qint64 xLow, qint64 xHigh);

// Draws the fitted curve over the X range of its points in steps of 0.2, from X 0 as from any
// other first X.
void DrawRaiseCurve(ChartScene& scene, const AxisLayout& layout, const RaiseCurve& curve,
                    qint64 xLow, qint64 xHigh, const LinePen& pen);
