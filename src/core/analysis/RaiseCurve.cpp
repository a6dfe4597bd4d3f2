#include "core/analysis/RaiseCurve.h"

#include "core/plot/ChartScene.h"
#include "core/plot/PlotGeometry.h"
#include "core/plot/PlotModel.h"

#include <QSet>
#include <algorithm>
#include <cmath>

long double RaiseCurve::valueAt(long double x) const {
    const long double s = scale;
    long double v = 0;
    for (int k = order; k >= 0; --k)
        v = v * x + (long double)(coef[size_t(k)]) / s;
    return v;
}

qint64 RaiseCurve::yenAt(qint64 x) const {
    CheckedInt128 k;
    Int128 v = 0;
    for (int i = order; i >= 0; --i)
        v = k.add(k.mul(v, x), coef[size_t(i)]);
    if (k.overflow)
        return qint64(std::llroundl(valueAt(x) * 10000));
    return qint64(DivRoundHalfAway(k.mul(v, 10000), scale));
}

QString RaiseCurve::coefficientsText(QChar separator) const {
    const int places = order == 2 ? 5 : 6;
    QStringList parts;
    for (int k = 0; k <= order; ++k) {
        const Int128 v = coef[size_t(k)];
        const Int128 whole = (v < 0 ? -v : v) / scale;
        const Int128 frac = (v < 0 ? -v : v) % scale;
        parts << QStringLiteral("%1%2.%3")
                     .arg(v < 0 ? QStringLiteral("-") : QString())
                     .arg(qint64(whole))
                     .arg(qint64(frac), places, 10, QLatin1Char('0'));
    }
    return parts.join(separator);
}

RaiseCurve FitRaiseCurve(std::span<const FitPoint> points, qint64 yScale, int fkinji) {
    RaiseCurve r;
    if (fkinji == 0) {
        const QuadraticFit f = FitQuadratic(points, yScale);
        r.order = 2;
        r.scale = QuadraticFit::CoefficientScale;
        r.coef = {f.a, f.b, f.c, 0};
    } else {
        const CubicFit f = FitCubic(points, yScale);
        r.order = 3;
        r.scale = CubicFit::CoefficientScale;
        r.coef = {f.a, f.b, f.c, f.d};
    }
    return r;
}

int DistinctXNeeded(int order) {
    return order + 1;
}

int DistinctXCount(std::span<const FitPoint> points) {
    QSet<qint64> xs;
    for (const FitPoint& p : points)
        xs.insert(p.x);
    return int(xs.size());
}

MarkSeries SeriesOf(const QVector<FitPoint>& points) {
    MarkSeries s;
    s.points = points;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const qint64 x = points[i].x;
        if (i == 0 || x < s.xLow)
            s.xLow = x;
        if (i == 0 || x > s.xHigh)
            s.xHigh = x;
    }
    return s;
}

MarkSeries SeriesOf(const QVector<PlotPoint>& points, int mark) {
    QVector<FitPoint> fit;
    for (const PlotPoint& p : points)
        if (mark == 0 || p.mark == mark)
            fit.push_back({p.x, p.y.raw()});
    return SeriesOf(fit);
}

RaiseCurve FitSeries(const MarkSeries& series, int fkinji, Currency level) {
    if (level.isZero())
        return FitRaiseCurve(series.points, Currency::Scale, fkinji);
    // m = level / 100 + 1 holds exactly in millionths: y × m keeps every decimal.
    const qint64 m = level.raw() + 1000000;
    QVector<FitPoint> scaled;
    scaled.reserve(series.points.size());
    bool overflow = false;
    for (const FitPoint& p : series.points) {
        qint64 y = 0;
        overflow |= __builtin_mul_overflow(p.yUnits, m, &y);
        scaled.push_back({p.x, y});
    }
    if (!overflow)
        return FitRaiseCurve(scaled, Currency::Scale * 1000000, fkinji);
    // A level far beyond any pay scale: y × m in extended precision, to the yen.
    const long double factor = (long double)(m) / 1000000;
    for (qsizetype i = 0; i < scaled.size(); ++i)
        scaled[i].yUnits =
            qint64(std::clamp((long double)(series.points[i].yUnits) * factor, -9e18L, 9e18L));
    return FitRaiseCurve(scaled, Currency::Scale, fkinji);
}

CurveStatisticsResult CurveStatistics(const RaiseCurve& curve, qint64 xLow, qint64 xHigh) {
    CurveStatisticsResult r;
    qint64 x = xLow;
    const qint64 startV = curve.yenAt(x);
    Int128 sum = startV;
    r.count = 1;
    r.startX = x;
    r.endX = x;
    qint64 endV = startV;
    if (xHigh > xLow) {
        x += 1;
        const qint64 v = curve.yenAt(x);
        sum += v;
        r.count = 2;
        qint64 prev = v;
        r.endX = x;
        endV = v;
        int state = prev > startV ? 1 : 0;
        for (x += 1; x < xHigh; ++x) {
            const qint64 w = curve.yenAt(x);
            sum += w;
            ++r.count;
            if (state < 2) {
                r.endX = x;
                endV = w;
                if (state == 0 && endV > prev)
                    state = 1;
                else if (state == 1 && endV < prev)
                    state = 2;
                prev = endV;
            }
        }
    }
    r.average = qint64(DivRoundHalfAway(sum, r.count));
    r.pitch = r.endX == r.startX ? 0 : qint64(DivRoundHalfAway(endV - startV, r.endX - r.startX));
    return r;
}

void DrawRaiseCurve(ChartScene& scene, const AxisLayout& layout, const RaiseCurve& curve,
                    qint64 xLow, qint64 xHigh, const LinePen& pen) {
    // The fit itself, from X 0 too: starting on the axis and ramping the constant term in
    // drew the curve below its fit (by half the constant term at the last X) while the
    // analysis reports the fit. Where the constant term is 0 the ramp was the fit anyway.
    // Values far off the chart are held a thousand ranges away, so every pixel stays an int.
    const long double span = std::max(1, layout.yRange) * 1000.0L;
    const long double low = layout.range.yMin - span, high = layout.range.yMax + span;
    auto f = [&](long double x) { return double(std::clamp(curve.valueAt(x), low, high)); };
    QPoint previous(layout.px(double(xLow)), layout.py(f(xLow)));
    for (long double x = (long double)(xLow) + 0.2L; x < (long double)(xHigh); x += 0.2L) {
        const QPoint next(layout.px(double(x)), layout.py(f(x)));
        scene.curveLine(previous, next, pen);
        previous = next;
    }
}
