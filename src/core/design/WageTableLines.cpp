#include "core/design/WageTableLines.h"

#include "core/common/Counts.h"
#include "core/common/ExactDivision.h"
#include "core/plot/AxisItems.h"
#include "core/plot/LeastSquares.h"

#include <cmath>

Currency RatedAmount(Currency amount, Currency rate) {
    const Int128 product = Int128(amount.raw()) * rate.raw(); // scale 10^8
    return Currency::fromRaw(qint64(DivRoundHalfAway(product, Int128(100000))) * 10);
}

QVector<WageKeyPoint> KeyPointsOf(const QVector<GradeLine>& lines) {
    QVector<WageKeyPoint> points;
    for (const GradeLine& g : lines) {
        const int places = g.thirdOrder ? 4 : 3;
        for (int i = 0; i < places; ++i) {
            if (g.stored && i < g.steps.size())
                points.push_back({g.steps[i], g.amounts[i]});
            else
                points.push_back({0, Currency()});
        }
    }
    return points;
}

namespace {

// Yen to 万円 with four decimals.
Currency manYen(Currency yen) {
    return Currency::fromRaw(qint64(DivRoundHalfAway(yen.raw(), 10000)));
}

// 万円 to three decimals, as the lines are drawn.
Currency manYenOnChart(Currency yen) {
    return Currency::fromRaw(qint64(DivRoundHalfAway(yen.raw(), 100000)) * 10);
}

const char* const Numerals[] = {"", "Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ", "Ⅴ", "Ⅵ", "Ⅶ", "Ⅷ", "Ⅸ"};

} // namespace

std::optional<PlotRequest> WageTableChartRequest(const CompanyYear& cy,
                                                 const ChartSettings& settings,
                                                 const QVector<GradeLine>& lines) {
    const QVector<WageKeyPoint> keys = KeyPointsOf(lines);
    if (keys.isEmpty())
        return std::nullopt;
    QVector<ChartPoint> points;
    for (const WageKeyPoint& k : keys) {
        ChartPoint p;
        p.x = k.x;
        p.y = manYen(k.yen);
        points.push_back(p);
    }
    const ProposalRules rules{1, true};
    PlotRequest q;
    q.chartNo = WageTableChart;
    q.company = cy;
    q.title = settings.title;
    q.xItem = settings.xItem;
    q.yItem = settings.yItem;
    q.markLabelKind = settings.markLabelKind;
    q.meanX = MeanXOf(points);
    q.meanY = MeanYOf(points, rules.meanYDecimals);
    q.range = ProposeAxisRange(*ExtentsOf(points), settings.xItem, rules);
    return q;
}

void DrawWageTableLines(ChartScene& s, const AxisLayout& a, const QVector<GradeLine>& lines,
                        ColorValue textColour) {
    const LinePen pen = s.scalePen;
    for (const GradeLine& g : lines) {
        if (!g.stored || g.steps.isEmpty())
            continue;
        QVector<Currency> y;
        for (Currency yen : g.amounts)
            y.push_back(manYenOnChart(yen));
        const int start = g.steps.first();
        QPoint last;
        if (g.thirdOrder) {
            QPoint previous(a.px(qint64(start)), start == 0 ? a.originY : a.py(y.first()));
            for (qsizetype i = 0; i < g.steps.size(); ++i) {
                const QPoint next(a.px(qint64(g.steps[i])), a.py(y[i]));
                s.curveLine(previous, next, pen);
                previous = next;
            }
            last = previous;
        } else {
            QVector<FitPoint> fit;
            for (qsizetype i = 0; i < g.steps.size(); ++i)
                fit.push_back({g.steps[i], y[i].raw()});
            const QuadraticFit f = FitQuadratic(fit, Currency::Scale);
            const int xLow = start, xHigh = g.steps.last();
            const int x0 = start > 0 ? 0 : start;
            QPoint previous(a.px(qint64(x0)), start == 0 ? a.originY : a.py(f.valueAt(x0)));
            // From the first key point on in steps of 0.2; a parabola starting at step 0
            // rises from the origin instead of from its constant.
            for (int i = 1;; ++i) {
                const double x = xLow + 0.2 * i;
                if (!(x < xHigh))
                    break;
                const double v = xLow == 0 ? f.aValue() * x / std::max(1, xHigh) / 2 +
                                                 f.bValue() * x + f.cValue() * x * x
                                           : f.valueAt(x);
                const QPoint next(a.px(x), a.py(v));
                s.curveLine(previous, next, LinePen{pen.colour, 1, 1});
                previous = next;
            }
            last = previous;
        }
        if (IsGrade(g.grade))
            s.curveText({last.x() + 10, last.y() - 10}, QString::fromUtf8(Numerals[g.grade]), 12,
                        textColour);
    }
}
