// Living-cost and model-wage curves: their values, the widening of the axis range, the
// horizontal continuation, the series by line kind; and how the masters show and read figures.

#include "core/analysis/ReferenceCurves.h"
#include "core/analysis/ReferenceFields.h"
#include "core/plot/AxisItems.h"
#include "core/plot/ChartScene.h"
#include "core/plot/PlotGeometry.h"
#include "core/plot/PlotModel.h"
#include "core/plot/PlotPage.h"

#include <QtTest>

namespace {

Currency money(const char* text) {
    return Currency::fromString(QString::fromLatin1(text));
}

LivingCostRow living(int members, int age, const char* cost, const char* comfort = "1.3") {
    LivingCostRow r;
    r.members = members;
    r.age = age;
    r.cost = money(cost);
    r.comfort = money(comfort);
    r.minimum = money("0.8");
    r.single = money("1");
    r.factor = money("1");
    r.source = QStringLiteral("人事院");
    return r;
}

PlotModel pointsUpTo(int chart, int lastAge) {
    PlotModel m;
    m.request.chartNo = chart;
    m.request.range = AxisRange{20, 70, 0, 50};
    for (int age : {22, 40, lastAge}) {
        PlotPoint p;
        p.x = age;
        p.y = Currency::fromInt(30);
        m.points.push_back(p);
    }
    m.frame = FrameForPicture(1200, 800);
    return m;
}

} // namespace

class TestReferenceCurves : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void livingCostValuesRoundHalfAway() {
        const std::array<qint64, 4> v = LivingCostValues(living(1, 25, "250"));
        QCOMPARE(v[0], qint64(25));
        QCOMPARE(v[1], qint64(33)); // 32.5
        QCOMPARE(v[2], qint64(20));
        QCOMPARE(v[3], qint64(25));
        LivingCostRow doubled = living(2, 30, "114.48");
        doubled.factor = money("2");
        QCOMPARE(LivingCostValues(doubled)[0], qint64(23)); // 22.896
    }

    void curvesContinueLevelAndWidenTheRange() {
        QVector<LivingCostRow> rows;
        for (int i = 0; i < 6; ++i)
            rows << living(i + 1, 25 + 5 * i, "250");
        rows[5].cost = money("480"); // 48 万円 at 50
        DataExtents e{22, 63, Currency::fromInt(18), Currency::fromInt(39)};
        WidenByLivingCosts(e, rows);
        QCOMPARE(e.yMax, Currency::fromInt(62)); // 480 × 1.3
        QCOMPARE(ProposeAxisRange(e, 0, ProposalRules{0, false}).yMax, 65);
        rows[5].comfort = money("1");
        DataExtents f{22, 63, Currency::fromInt(18), Currency::fromInt(39)};
        WidenByLivingCosts(f, rows);
        QCOMPARE(ProposeAxisRange(f, 0, ProposalRules{0, false}).yMax, 50);

        LivingCostComparison chart;
        chart.setRows(rows);
        const PlotModel m = pointsUpTo(LivingCostChart, 63);
        const AxisLayout a = LayoutAxes(m.frame, LivingCostChart, 0, 1, m.request.range);
        ChartScene s;
        chart.drawCurves(s, a, m);
        // Per curve: legend line and text, five joins, the continuation from 50 to 63.
        QCOMPARE(s.curves.size(), 4 * (2 + 5 + 1));
        const auto& level = std::get<SceneLine>(s.curves[7]);
        QCOMPARE(level.from, QPoint(a.px(qint64(50)), a.py(Currency::fromInt(48))));
        QCOMPARE(level.to, QPoint(a.px(qint64(63)), a.py(Currency::fromInt(48))));
        QCOMPARE(std::get<SceneText>(s.curves[1]).text, QStringLiteral("標準生計費"));

        // No table: legends only, and the extents stay.
        LivingCostComparison empty;
        empty.setRows({});
        ChartScene t;
        empty.drawCurves(t, a, m);
        QCOMPARE(t.curves.size(), 8);
        DataExtents g{22, 63, Currency::fromInt(18), Currency::fromInt(39)};
        WidenByLivingCosts(g, {});
        QCOMPARE(g.xMin, 22);
    }

    void modelWagesByLineKindAndItem() {
        QVector<ModelWageRow> rows;
        auto row = [](int code, int age, int service, const char* basic, int kind) {
            ModelWageRow r;
            r.code = code;
            r.age = age;
            r.service = service;
            r.basic = money(basic);
            r.scheduled = money(basic);
            r.lineKind = kind;
            return r;
        };
        rows << row(1, 22, 0, "245", 1) << row(2, 40, 18, "339", 1) << row(3, 60, 38, "403", 1)
             << row(4, 30, 12, "233", 2) << row(5, 35, 0, "999", 0);
        const ModelSeries byAge = ModelSeriesOf(rows, 0, 1);
        QCOMPARE(byAge[1].first().y, qint64(25)); // 24.5
        QCOMPARE(byAge[1].size(), 3);
        QCOMPARE(byAge[2].size(), 1);
        QCOMPARE(byAge[0].size(), 0); // line kind 0 is never drawn
        QCOMPARE(ModelSeriesOf(rows, 1, 1)[1][1].x, 18);

        DataExtents e{22, 55, Currency::fromInt(18), Currency::fromInt(39)};
        WidenByModelWages(e, byAge);
        QCOMPARE(ProposeAxisRange(e, 0, ProposalRules{0, false}).xMax, 65);

        ModelWageComparison chart;
        chart.setModel(byAge, std::nullopt);
        const PlotModel m = pointsUpTo(ModelWageChart, 55);
        ChartScene s;
        chart.drawCurves(s, LayoutAxes(m.frame, ModelWageChart, 0, 1, m.request.range), m);
        // Two joins of the solid series, none of the one-point series, three legend lines.
        QCOMPARE(s.curves.size(), 2 + 3);
        QCOMPARE(std::get<SceneLine>(s.curves[0]).pen, (LinePen{ColorFromRgb(0, 0, 255), 1, 2}));

        ModelDataRecord d;
        d.source = QStringLiteral("広島県商工会議所連合会");
        d.firms = 0;
        chart.setModel(byAge, d);
        PlotPage page;
        chart.addPrintBlocks(m, page);
        QStringList texts;
        for (const PageText& t : page.texts)
            texts << t.text;
        QVERIFY(texts.contains(QStringLiteral("広島県商工会議所連合会")));
        QVERIFY(!texts.join(QString()).contains(QStringLiteral("回答あった")));
    }

    void figuresKeepTheirDecimals() {
        QCOMPARE(FigureText(money("114.48"), 0), QStringLiteral("114.48"));
        QCOMPARE(FigureText(money("1234"), 0), QStringLiteral("1,234"));
        QCOMPARE(FigureText(money("1.3"), 2), QStringLiteral("1.30"));
        QCOMPARE(FigureText(money("1"), 3), QStringLiteral("1.000"));
        QCOMPARE(CheckFigureText(QStringLiteral("1234567"), 6), QStringLiteral("入力範囲外です。"));
        QCOMPARE(CheckFigureText(QStringLiteral("-5"), 6), QStringLiteral("入力範囲外です。"));
        QCOMPARE(CheckFigureText(QStringLiteral("1,2,3"), 6), QString());
        QCOMPARE(CheckFigureText(QStringLiteral("abc"), 6),
                 QStringLiteral("数値を入力してください。"));
        QCOMPARE(WholeFigureOf(QStringLiteral("2.5")), 0);
        QCOMPARE(WholeFigureOf(QStringLiteral("1e1")), 10);
        QCOMPARE(CheckCodeBoxText(QStringLiteral("0"), QStringLiteral("zero")).message,
                 QStringLiteral("zero"));
        QCOMPARE(CheckCodeBoxText(QStringLiteral("3 : 人事院"), QString()).code, 3);
    }
};

QTEST_GUILESS_MAIN(TestReferenceCurves)
#include "test_reference_curves.moc"
