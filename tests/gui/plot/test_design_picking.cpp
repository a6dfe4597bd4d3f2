// Picking a designed curve on the design chart (1050): the curve number box, up to six
// points, one-point removal and the import into DSPDRAW.

#include "PlotFixture.h"

#include "core/plot/ChartSceneBuilder.h"
#include "data/plot/ChartBuilder.h"
#include "data/plot/ChartStore.h"

namespace {

struct DesignOwner : PlotOwner {
    int imported = 0;
    void showAgain() override {}
    void closeScreen() override {}
    std::optional<PlotRequest> rebuildChart() override { return std::nullopt; }
    int designSelected(int curve) const override { return curve == 2 ? 1 : 0; }
    void designsImported() override { ++imported; }
};

// The design chart of the sample company with the employees shown, opened in the window.
void openDesignChart(PlotFixture& f, DesignOwner& owner) {
    ChartSettings s;
    s.chartNo = 1050;
    s.yItem = 1;
    s.curves = 1;
    s.marks.fill(true);
    s.grades.fill(true);
    QVERIFY(CreateChartSettings({1, 2023}, s));
    const ChartBuildResult r = BuildChart({1, 2023}, s, ProposalRules{1, false});
    QVERIFY(RebuildChartPoints(r.points));
    f.plot.ShowPlot(r.request, &owner);
    f.plot.resize(1273, 800);
    f.plot.Execute();
    QApplication::setActiveWindow(&f.plot);
}

} // namespace

class TestDesignPicking : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void curveNumberBox() {
        PlotFixture f;
        DesignOwner owner;
        openDesignChart(f, owner);
        QVERIFY(f.get<QWidget>(&f.plot, QStringLiteral("btnImport"))->isVisible());
        f.env.messages.expect(QStringLiteral("入力範囲外です。1 ～ 5 の値を入力して下さい。"));
        f.type(QStringLiteral("txtDispNo"), QStringLiteral("9"));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.boxText(QStringLiteral("txtDispNo")), QStringLiteral("0"));
        f.type(QStringLiteral("txtDispNo"), QStringLiteral("3"));
        f.env.messages.expect(QStringLiteral("数値を入力してください。"));
        f.type(QStringLiteral("txtDispNo"), QStringLiteral("x"));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.boxText(QStringLiteral("txtDispNo")), QStringLiteral("3"));
        f.type(QStringLiteral("txtDispNo"), QStringLiteral("0")); // accepted, nothing else
        VERIFY_MESSAGES(f.env.messages);
    }

    void pickRemoveAndImport() {
        PlotFixture f;
        DesignOwner owner;
        openDesignChart(f, owner);
        const AxisLayout a = LayoutOf(f.plot.model());
        QVector<QPoint> clicks;
        for (int i = 0; i < 7; ++i) // the empty upper left of the chart
            clicks << QPoint(a.px(qint64(20 + i)), a.py(Currency::fromInt(40 + i % 3)));
        auto pickAt = [&](QPoint at) { QTest::mouseClick(&f.plot, Qt::LeftButton, {}, at); };

        f.env.messages.expect(QStringLiteral("描画番号 を、入力して下さい。"));
        pickAt(clicks[0]);
        f.env.messages.expect(QStringLiteral("消去する点はありません。"));
        f.click(&f.plot, QStringLiteral("btn1Dlt"));
        f.env.messages.expect(QStringLiteral("取込む点を２～６箇所をポイントして下さい。"));
        f.click(&f.plot, QStringLiteral("btnImport"));
        VERIFY_MESSAGES(f.env.messages);
        QVERIFY(f.plot.model().picked.isEmpty());

        f.type(QStringLiteral("txtDispNo"), QStringLiteral("2"));
        for (int i = 0; i < 6; ++i)
            pickAt(clicks[i]);
        f.env.messages.expect(QStringLiteral("６点以上は、プロットできません。"));
        pickAt(clicks[6]);
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.plot.model().picked.size(), 6);
        QCOMPARE(f.plot.model().picked[3].x, 23);
        QCOMPARE(f.plot.model().picked[3].amount, qint64(400000));
        // The picked points are drawn: a circle each.
        int circles = 0;
        for (const SceneItem& i : f.plot.currentScene().curves)
            circles += std::holds_alternative<SceneCircle>(i);
        QCOMPARE(circles, 6);

        f.click(&f.plot, QStringLiteral("btn1Dlt"));
        f.click(&f.plot, QStringLiteral("btn1Dlt"));
        f.click(&f.plot, QStringLiteral("btn1Dlt"));
        QCOMPARE(f.plot.model().picked.size(), 3);
        f.click(&f.plot, QStringLiteral("btnImport"));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.rows(QStringLiteral(
                     "SELECT SDCO, X, Y, FCHKS, FREN, SNENREI1, SKIN1, SNENREI2, SKIN2, SNENREI3, "
                     "SKIN3, SNENREI4, SKIN4, SNENREI5, SKIN5, SNENREI6, SKIN6, SCOLOR, SSYURUI, "
                     "SHABA FROM DSPDRAW WHERE KCO = 1 AND NENDO = 2023")),
                 QStringList{QStringLiteral("2|0|1|1|1|20|400000|21|410000|22|420000|0|0|0|0|0|"
                                            "0|clBlack|1|1")});
        QVERIFY(f.plot.model().picked.isEmpty());
        QCOMPARE(f.boxText(QStringLiteral("txtDispNo")), QStringLiteral("0"));
        QCOMPARE(owner.imported, 1);
        QCOMPARE(f.plot.markCount(), int(f.plot.model().points.size()));

        // A curve number changed to 0 after picking stores nothing under curve 0.
        f.type(QStringLiteral("txtDispNo"), QStringLiteral("4"));
        pickAt(clicks[0]);
        pickAt(clicks[1]);
        f.get<QLineEdit>(&f.plot, QStringLiteral("txtDispNo"))->setText(QStringLiteral("0"));
        f.env.messages.expect(QStringLiteral("描画番号 を、入力して下さい。"));
        f.click(&f.plot, QStringLiteral("btnImport"));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM DSPDRAW WHERE SDCO <> 2")), 0);
    }
};

QTEST_MAIN(TestDesignPicking)
#include "test_design_picking.moc"
