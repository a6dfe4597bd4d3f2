#include "core/plot/ChartSceneBuilder.h"

#include "core/common/Counts.h"
#include "core/plot/AxisItems.h"
#include "core/plot/ChartExtension.h"

namespace {

constexpr ColorValue Blue = ColorFromRgb(0, 0, 255);
constexpr ColorValue Black = 0;

// The integer part of a quotient; 0 when the divisor is 0.
int steps(int range, int step) {
    return step == 0 ? 0 : range / step;
}

void drawScale(ChartScene& s, const PlotModel& m, const AxisLayout& a) {
    const int L = a.frame.left, R = a.frame.right, T = a.frame.top, B = a.frame.bottom;
    const bool wageTable = a.chartNo == WageTableChart;
    const AxisRange& r = a.range;
    const int nY = steps(a.yRange, a.yStep);
    const int nX = steps(a.xRange, a.xStep);
    auto yg = [&](int g) { return a.py(Currency::fromInt(r.yMin + qint64(g) * a.yStep)); };
    auto xu = [&](int u) { return a.px(qint64(r.xMin) + qint64(u) * a.xStep); };
    const LinePen& ticks = m.styles[2];
    const LinePen& grid = m.styles[3];
    const LinePen& centre = m.styles[4];

    if (r.yMin != 0)
        s.line({L - 5, B - 30}, {L + 5, B - 30}, ticks);
    s.line({L - 5, T + 20}, {L + 5, T + 20}, ticks);
    for (int g = 1; g <= nY - 1; ++g)
        s.line({L - 5, yg(g)}, {L + 5, yg(g)}, ticks);
    for (int g = 1; g <= nY; ++g)
        s.line({L, yg(g)}, {R, yg(g)}, grid);
    if (!wageTable) {
        const int y = a.py(m.request.meanY);
        s.line({L, y}, {R, y}, centre);
    }
    if (wageTable) {
        s.line({R - 20, B - 5}, {R - 20, B + 5}, ticks);
    } else {
        if (r.xMin != 0)
            s.line({L + 30, B - 5}, {L + 30, B + 5}, ticks);
        s.line({R - 20, B - 5}, {R - 20, B + 5}, ticks);
    }
    for (int u = 1; u <= nX - 1; ++u)
        s.line({xu(u), B - 5}, {xu(u), B + 5}, ticks);
    for (int u = 0; u <= nX; ++u) {
        const qint64 value = qint64(r.xMin) + qint64(u) * a.xStep;
        if (a.xGridStep != 0 && value % a.xGridStep == 0)
            s.line({xu(u), T}, {xu(u), B}, grid);
    }
    if (!wageTable) {
        const int x = a.px(qint64(m.request.meanX));
        s.line({x, T}, {x, B}, centre);
    }
    // The curves start from a blue solid pen of the last style's width.
    s.scalePen = LinePen{Blue, 1, wageTable ? grid.width : centre.width};

    const ColorValue numbers = ticks.colour;
    const QString zero = QStringLiteral("0");
    if (wageTable) {
        if (r.xMin != 0 && r.yMin == 0)
            s.text({L - 40, B - 10}, zero, 12, numbers);
        else if (r.xMin == 0)
            s.text({L - 10, B + 5}, zero, 12, numbers);
    } else if (r.xMin == 0 || r.yMin == 0) {
        s.text({L - 10, B + 5}, zero, 12, numbers);
    }
    if (r.yMin != 0)
        s.text({L - 40, B - 37}, QString::number(r.yMin), 12, numbers);
    s.text({L - 40, T + 13}, QString::number(r.yMax), 12, numbers);
    for (int g = 1; g <= nY - 1; ++g)
        s.text({L - 40, yg(g) - 7}, QString::number(r.yMin + qint64(g) * a.yStep), 12, numbers);
    if (r.xMin != 0)
        s.text({wageTable ? L - 5 : L + 25, B + 5}, QString::number(r.xMin), 12, numbers);
    s.text({R - 25, B + 5}, QString::number(r.xMax), 12, numbers);
    for (int u = 1; u <= nX - 1; ++u)
        s.text({xu(u) - 5, B + 5}, QString::number(r.xMin + qint64(u) * a.xStep), 12, numbers);

    s.text({R - 10, B + 20}, XAxisUnit(a.xItem), 11, numbers);
    s.text({L - 10, T - 20}, YAxisUnit(a.yItem), 11, numbers);
    s.text({L + 40, B + 20}, XAxisTitle(a.xItem), 11, numbers);
    const QStringList parts = YAxisTitleParts(a.yItem);
    for (int i = 0; i < parts.size(); ++i)
        s.text({L - 70, B - 80 + 23 * i}, parts[i], 11, numbers);
}

void drawLegend(ChartScene& s, const PlotModel& m, const AxisLayout& a) {
    const int R = a.frame.right, T = a.frame.top;
    s.text({R + 20, T - 20}, QStringLiteral("凡例"), 11, Black);
    int e = 0;
    for (const LegendEntry& entry : LegendOf(m)) {
        ++e;
        s.text({R + 20, T + e * 15 - 10}, entry.text, 11, entry.colour);
    }
}

void drawPointLabels(ChartScene& s, const PlotModel& m) {
    for (const PlotPoint& p : m.points) {
        const TMMARK& mark = m.marks[size_t(MarkSlotOf(p.mark))];
        if (mark.MKCOLOR.isEmpty() || p.markLabel.isEmpty())
            continue;
        s.labels.push_back(
            SceneText{{p.px - 5, p.py - 23}, p.markLabel, 11, ColorOfText(mark.MKCOLOR)});
    }
}

void drawPicked(ChartScene& s, const PlotModel& m) {
    const LinePen join{Black, 1, 1};
    for (qsizetype i = 0; i < m.picked.size(); ++i) {
        s.curveCircle(m.picked[i].pixel, 5, s.scalePen);
        if (i > 0)
            s.curveLine(m.picked[i - 1].pixel, m.picked[i].pixel, join);
    }
}

void addMarks(ChartScene& s, const PlotModel& m) {
    for (qsizetype i = 0; i < m.points.size(); ++i) {
        const PlotPoint& p = m.points[i];
        if (!p.hasMark)
            continue;
        const TMMARK& mark = m.marks[size_t(MarkSlotOf(p.mark))];
        s.marks.push_back(SceneMark{
            {p.px - 8, p.py - 8}, mark.MARK, mark.MKSIZE, ColorOfText(mark.MKCOLOR), int(i)});
    }
}

} // namespace

AxisLayout LayoutOf(const PlotModel& m) {
    return LayoutAxes(m.frame, m.request.chartNo, m.header.xItem, m.header.yItem, m.request.range);
}

QVector<LegendEntry> LegendOf(const PlotModel& m) {
    QVector<LegendEntry> entries;
    for (int k = 1; k <= MarkCount; ++k) {
        if (!m.header.marks[size_t(k)])
            continue;
        const TMMARK& mark = m.marks[size_t(k)];
        entries.push_back(
            {k, mark.MARK + QStringLiteral("  ") + mark.HANREI, ColorOfText(mark.MKCOLOR)});
    }
    return entries;
}

ChartScene BuildChartScene(const PlotModel& m, const AxisLayout& a,
                           const ChartExtension* extension) {
    ChartScene s;
    const int L = a.frame.left, R = a.frame.right, T = a.frame.top, B = a.frame.bottom;
    s.line({L, T}, {L, B}, m.styles[1]);
    s.line({L, B}, {R, B}, m.styles[1]);
    drawScale(s, m, a);
    const int chart = m.request.chartNo;
    if (chart != WageTableChart)
        drawLegend(s, m, a);
    if (ChartShowsMarks(m))
        drawPointLabels(s, m);
    if (extension)
        extension->drawCurves(s, a, m);
    if (chart == DesignChart)
        drawPicked(s, m);
    if (m.placed && ChartShowsMarks(m))
        addMarks(s, m);
    return s;
}
