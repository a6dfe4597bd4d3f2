#include "core/design/DesignCurves.h"

#include "core/common/ExactDivision.h"

QVector<CurvePoint> CurvePointsOf(const DesignCurve& c) {
    QVector<CurvePoint> points;
    for (int j = 1; j <= DesignPointCount; ++j) {
        if (c.x[size_t(j)] == 0)
            continue;
        // yen / 10,000 rounded to one decimal: a multiple of 1,000 in currency units.
        const qint64 raw = c.amount[size_t(j)].raw();
        const Int128 tenths = DivRoundHalfAway(raw, Int128(Currency::Scale) * 1000);
        points.push_back({c.x[size_t(j)], Currency::fromRaw(qint64(tenths) * 1000)});
    }
    return points;
}

LinePen CurvePenOf(const DesignCurve& c) {
    LinePen pen;
    pen.colour = ColorOfText(c.colour.isEmpty() ? QStringLiteral("clBlack") : c.colour);
    pen.kind = c.kind == 2 || c.kind == 3 ? c.kind : 1;
    pen.width = c.width == 0 ? 1 : c.width;
    return pen;
}

void DrawDesignCurves(ChartScene& s, const AxisLayout& a, const DesignCurves& curves) {
    int m = 1;
    for (int k = 1; k <= DesignCount; ++k) {
        const DesignCurve& c = curves[size_t(k)];
        const QVector<CurvePoint> points = CurvePointsOf(c);
        if (points.size() < 2 || !c.drawn)
            continue;
        const LinePen pen = CurvePenOf(c);
        QVector<QPoint> pixels;
        for (const CurvePoint& p : points)
            pixels.push_back({a.px(qint64(p.x)), a.py(p.y)});
        for (const QPoint& p : pixels)
            s.curveText({p.x() - 5, p.y() - 5}, QStringLiteral("＋"), 12, pen.colour);
        s.curveText({pixels.last().x() + 5, pixels.last().y() - 10}, QStringLiteral("(%1)").arg(k),
                    11, pen.colour);
        s.curveText({a.frame.right + 20, a.frame.top + m * 15 + 95},
                    QStringLiteral("(%1) ").arg(k) + c.legend, 11, pen.colour);
        ++m;
        for (qsizetype i = 1; i < pixels.size(); ++i)
            s.curveLine(pixels[i - 1], pixels[i], pen);
    }
}

void AddDesignPrintBlocks(PlotPage& page, const DesignCurves& curves,
                          const std::array<bool, DesignCount + 1>& stored) {
    const QPoint legendAt[] = {{},           {1000, 1300}, {1000, 1400},
                               {1000, 1500}, {2850, 1300}, {2850, 1400}};
    for (int k = 1; k <= DesignCount; ++k) {
        if (!stored[size_t(k)])
            continue;
        const DesignCurve& c = curves[size_t(k)];
        page.text(legendAt[k].x(), legendAt[k].y(), c.legend, 10);
        page.text(650, 4850 + 150 * (k - 1), c.description, 10);
    }
    page.text(450, 1300, QStringLiteral("曲線番号"), 10);
    const QPoint numberAt[] = {{},          {850, 1300},  {850, 1400},
                               {850, 1500}, {2700, 1300}, {2700, 1400}};
    for (int k = 1; k <= DesignCount; ++k) {
        page.text(numberAt[k].x(), numberAt[k].y(), QStringLiteral("(%1)").arg(k), 10);
        page.text(450, 4850 + 150 * (k - 1), QStringLiteral("(%1)").arg(k), 10);
    }
}
