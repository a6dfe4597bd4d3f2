// The plot window's geometry and what it draws: pixel mapping, the scale for a range, the
// centre lines, the legend, point labels and marks, and picking a value from a pixel.

#include "core/plot/AxisItems.h"
#include "core/plot/ChartSceneBuilder.h"

#include <QtTest>

namespace {

constexpr ColorValue Red = ColorFromRgb(255, 0, 0);

PlotModel model(int chart, int xItem, int yItem, AxisRange range) {
    PlotModel m;
    m.request.chartNo = chart;
    m.request.xItem = xItem;
    m.request.yItem = yItem;
    m.request.range = range;
    m.header.chartNo = chart;
    m.header.xItem = xItem;
    m.header.yItem = yItem;
    m.frame = FrameForWindow(1600, 1000);
    m.styles[3] = LinePen{ColorFromRgb(192, 192, 192), 2, 1};
    m.styles[4] = LinePen{Red, 3, 1};
    for (int k = 1; k <= 6; ++k) {
        m.marks[size_t(k)].MKCO = k;
        m.marks[size_t(k)].MARK = QStringLiteral("■");
        m.marks[size_t(k)].HANREI = QStringLiteral("印%1").arg(k);
        m.marks[size_t(k)].MKCOLOR = QStringLiteral("clRed");
        m.marks[size_t(k)].MKSIZE = 12;
    }
    return m;
}

QStringList textsAt(const ChartScene& s, QPoint at) {
    QStringList found;
    for (const SceneItem& i : s.items)
        if (const auto* t = std::get_if<SceneText>(&i); t && t->at == at)
            found << t->text;
    for (const SceneText& t : s.labels)
        if (t.at == at)
            found << t.text;
    return found;
}

QStringList allTexts(const ChartScene& s) {
    QStringList found;
    for (const SceneItem& i : s.items)
        if (const auto* t = std::get_if<SceneText>(&i))
            found << t->text;
    return found;
}

// Vertical lines of a pen reaching from the top of the frame to its bottom: their x.
QList<int> verticals(const ChartScene& s, const LinePen& pen, int top, int bottom) {
    QList<int> xs;
    for (const SceneItem& i : s.items)
        if (const auto* l = std::get_if<SceneLine>(&i); l && l->pen == pen && l->from.y() == top &&
                                                        l->to.y() == bottom &&
                                                        l->from.x() == l->to.x())
            xs << l->from.x();
    return xs;
}

bool hasLine(const ChartScene& s, QPoint from, QPoint to) {
    for (const SceneItem& i : s.items)
        if (const auto* l = std::get_if<SceneLine>(&i); l && l->from == from && l->to == to)
            return true;
    return false;
}

} // namespace

class TestChartScene : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void geometryOfTheWindow() {
        const ChartFrame f = FrameForWindow(1600, 1000);
        QCOMPARE(QList<int>({f.left, f.right, f.top, f.bottom}), QList<int>({153, 1384, 48, 915}));
        QCOMPARE(f.plotArea(), QRect(73, 0, 1518, 964));
        const ChartFrame p = FrameForPicture(1518, 964);
        QCOMPARE(QList<int>({p.right, p.top, p.bottom}), QList<int>({f.right, f.top, f.bottom}));

        // A range starting at 0 has no gap; the upper ends fall 20 pixels inside the frame.
        AxisLayout a = LayoutAxes(f, 1010, 0, 1, {0, 60, 0, 40});
        QCOMPARE(a.px(qint64(0)), f.left);
        QCOMPARE(a.px(qint64(60)), f.right - 20);
        QCOMPARE(a.py(Currency()), f.bottom);
        QCOMPARE(a.py(Currency::fromInt(40)), f.top + 20);
        // Not at 0: a 30-pixel gap before the first value.
        a = LayoutAxes(f, 1010, 0, 1, {20, 60, 15, 45});
        QCOMPARE(a.px(qint64(20)), f.left + 30);
        QCOMPARE(a.px(qint64(60)), f.right - 20);
        QCOMPARE(a.py(Currency::fromInt(15)), f.bottom - 30);
        QCOMPARE(a.py(Currency::fromInt(45)), f.top + 20);
        QCOMPARE(a.py(Currency::fromString(QStringLiteral("30.5"))), a.py(30.5));
        // The wage-table chart keeps no gap on X.
        QCOMPARE(LayoutAxes(f, 1060, 3, 0, {10, 60, 0, 40}).originX, f.left);

        // A zero range puts every value at pixel 0 on that axis.
        a = LayoutAxes(f, 1010, 0, 1, {40, 40, 20, 20});
        QCOMPARE(a.px(qint64(40)), 0);
        QCOMPARE(a.px(55.0), 0);
        QCOMPARE(a.py(Currency::fromInt(30)), 0);
    }

    void pickingReadsTheValueUnderAPixel() {
        const AxisLayout a = LayoutAxes(FrameForWindow(1600, 1000), 1050, 0, 1, {20, 60, 15, 45});
        // The pixel of X 30.4 and Y 25.04 万円: X 30 and 250,000 yen.
        const int x = a.px(30.4);
        const int y = a.py(25.04);
        QCOMPARE(a.valueXAt(x), 30);
        QCOMPARE(a.amountAt(y), qint64(250000));
        QCOMPARE(a.valueXAt(a.px(qint64(57))), 57);
        QCOMPARE(a.amountAt(a.py(Currency::fromInt(33))), qint64(330000));
    }

    void scaleWithoutGaps() {
        PlotModel m = model(1010, 0, 1, {0, 60, 0, 40});
        const ChartFrame& f = m.frame;
        const ChartScene s = BuildChartScene(m, LayoutOf(m));
        // One "0" at the origin, no tick at L + 30, the upper numbers at their places.
        QCOMPARE(allTexts(s).count(QStringLiteral("0")), 1);
        QCOMPARE(textsAt(s, {f.left - 10, f.bottom + 5}), QStringList{QStringLiteral("0")});
        QVERIFY(!hasLine(s, {f.left + 30, f.bottom - 5}, {f.left + 30, f.bottom + 5}));
        QVERIFY(hasLine(s, {f.right - 20, f.bottom - 5}, {f.right - 20, f.bottom + 5}));
        QCOMPARE(textsAt(s, {f.right - 25, f.bottom + 5}), QStringList{QStringLiteral("60")});
        QCOMPARE(textsAt(s, {f.left - 40, f.top + 13}), QStringList{QStringLiteral("40")});
        // Axis titles and units of 年齢 and 基本給.
        QCOMPARE(textsAt(s, {f.left + 40, f.bottom + 20}), QStringList{QStringLiteral("年　齢")});
        QCOMPARE(textsAt(s, {f.right - 10, f.bottom + 20}), QStringList{QStringLiteral("歳")});
        QCOMPARE(textsAt(s, {f.left - 10, f.top - 20}), QStringList{QStringLiteral("万円")});
        QCOMPARE(textsAt(s, {f.left - 70, f.bottom - 57}), QStringList{QStringLiteral("本")});
    }

    void scaleFromAnAgeOfTwenty() {
        PlotModel m = model(1010, 0, 1, {20, 65, 15, 45});
        const ChartFrame& f = m.frame;
        const AxisLayout a = LayoutOf(m);
        const ChartScene s = BuildChartScene(m, a);
        QCOMPARE(textsAt(s, {f.left + 25, f.bottom + 5}), QStringList{QStringLiteral("20")});
        QVERIFY(hasLine(s, {f.left + 30, f.bottom - 5}, {f.left + 30, f.bottom + 5}));
        // Numbers every 5, grid only at multiples of 10.
        QCOMPARE(textsAt(s, {a.px(qint64(25)) - 5, f.bottom + 5}),
                 QStringList{QStringLiteral("25")});
        QCOMPARE(verticals(s, m.styles[3], f.top, f.bottom),
                 QList<int>({a.px(qint64(20)), a.px(qint64(30)), a.px(qint64(40)), a.px(qint64(50)),
                             a.px(qint64(60))}));
        QCOMPARE(textsAt(s, {f.left - 40, f.bottom - 37}), QStringList{QStringLiteral("15")});
        QCOMPARE(allTexts(s).count(QStringLiteral("0")), 0);
    }

    void bonusScaleStepsByFifty() {
        PlotModel m = model(1010, 0, 3, {20, 60, 0, 200});
        const ChartFrame& f = m.frame;
        const AxisLayout a = LayoutOf(m);
        const ChartScene s = BuildChartScene(m, a);
        for (int v : {50, 100, 150})
            QCOMPARE(textsAt(s, {f.left - 40, a.py(Currency::fromInt(v)) - 7}),
                     QStringList{QString::number(v)});
        QCOMPARE(textsAt(s, {f.left - 40, f.top + 13}), QStringList{QStringLiteral("200")});
        QVERIFY(textsAt(s, {f.left - 40, a.py(Currency::fromInt(25)) - 7}).isEmpty());
        // Horizontal grid lines at 50, 100, 150 and 200.
        int grid = 0;
        for (const SceneItem& i : s.items)
            if (const auto* l = std::get_if<SceneLine>(&i);
                l && l->pen == m.styles[3] && l->from.x() == f.left && l->to.x() == f.right)
                ++grid;
        QCOMPARE(grid, 4);
    }

    void zeroRangeDrawsOnlyTheEnds() {
        PlotModel m = model(1010, 0, 1, {40, 40, 30, 30});
        const ChartFrame& f = m.frame;
        const ChartScene s = BuildChartScene(m, LayoutOf(m));
        QStringList numbers = allTexts(s);
        numbers.removeIf([](const QString& t) { return !t.front().isDigit(); });
        QCOMPARE(numbers, QStringList({QStringLiteral("30"), QStringLiteral("30"),
                                       QStringLiteral("40"), QStringLiteral("40")}));
        QCOMPARE(verticals(s, m.styles[3], f.top, f.bottom).size(), 1);
    }

    void centreLinesLegendLabelsAndMarks() {
        PlotModel m = model(1010, 0, 1, {20, 60, 15, 45});
        m.request.meanX = 41;
        m.request.meanY = Currency::fromString(QStringLiteral("29.7"));
        m.header.marks[1] = m.header.marks[3] = true;
        m.marks[3].MARK = QStringLiteral("●");
        m.marks[3].MKCOLOR = QStringLiteral("$00FF0000"); // blue
        m.marks[2].MKCOLOR.clear();
        QVector<ChartPoint> points(4);
        const int marks[] = {1, 3, 0, 2};
        for (int i = 0; i < 4; ++i) {
            points[i].sco = i + 1;
            points[i].markLabel = QString::number(i + 1);
            points[i].x = 30 + i;
            points[i].y = Currency::fromInt(25 + i);
            points[i].mark = marks[i];
        }
        SetModelPoints(m, points);
        const AxisLayout a = LayoutOf(m);
        PlacePoints(m, a);
        const ChartFrame& f = m.frame;
        const ChartScene s = BuildChartScene(m, a);

        const int cy = a.py(m.request.meanY);
        QVERIFY(hasLine(s, {f.left, cy}, {f.right, cy}));
        QCOMPARE(verticals(s, m.styles[4], f.top, f.bottom), QList<int>({a.px(qint64(41))}));

        // Legend: only the marks plotted, one under the other.
        QCOMPARE(textsAt(s, {f.right + 20, f.top - 20}), QStringList{QStringLiteral("凡例")});
        QCOMPARE(textsAt(s, {f.right + 20, f.top + 5}), QStringList{QStringLiteral("■  印1")});
        QCOMPARE(textsAt(s, {f.right + 20, f.top + 20}), QStringList{QStringLiteral("●  印3")});
        QCOMPARE(LegendOf(m).size(), 2);

        // Mark 0 draws as mark 1; a mark without colour has no label and no mark.
        QCOMPARE(s.marks.size(), 3);
        QCOMPARE(s.marks[2].symbol, QStringLiteral("■"));
        QCOMPARE(s.marks[2].colour, Red);
        QCOMPARE(s.marks[1].colour, ColorFromRgb(0, 0, 255));
        const PlotPoint& p = m.points[1];
        QCOMPARE(s.marks[1].at, QPoint(p.px - 8, p.py - 8));
        QCOMPARE(textsAt(s, {p.px - 5, p.py - 23}), QStringList{QStringLiteral("2")});
        QVERIFY(textsAt(s, {m.points[3].px - 5, m.points[3].py - 23}).isEmpty());
        QVERIFY(!m.points[3].hasMark);
        QCOMPARE(m.points[0].labelName, QStringLiteral("Label001"));
        QCOMPARE(MarkName(1000), QStringLiteral("Label1000"));

        // Statistics count marks 1..6 only.
        QCOMPARE(m.stats.totalCount, 3);
        QCOMPARE(m.stats.count[1], 1);
        QCOMPARE(m.stats.marksUsed(), 3);

        // Removed marks leave the labels until the next placing.
        RemoveMarks(m);
        const ChartScene after = BuildChartScene(m, a);
        QVERIFY(after.marks.isEmpty());
        QCOMPARE(textsAt(after, {p.px - 5, p.py - 23}), QStringList{QStringLiteral("2")});
    }

    void chartsWithoutMarksOrLegend() {
        PlotModel m = model(1060, 3, 0, {0, 60, 0, 40});
        m.header.marks.fill(true);
        QVector<ChartPoint> points(1);
        points[0].mark = 1;
        points[0].x = 10;
        SetModelPoints(m, points);
        QVERIFY(!ChartShowsMarks(m));
        const ChartScene s = BuildChartScene(m, LayoutOf(m));
        QVERIFY(!allTexts(s).contains(QStringLiteral("凡例")));
        QVERIFY(verticals(s, m.styles[4], m.frame.top, m.frame.bottom).isEmpty());
        // The design chart shows the employees only when asked.
        m = model(1050, 0, 1, {20, 60, 15, 45});
        QVERIFY(!ChartShowsMarks(m));
        m.header.curves = 1;
        QVERIFY(ChartShowsMarks(m));
    }
};

QTEST_GUILESS_MAIN(TestChartScene)
#include "test_chart_scene.moc"
