// The chart tables: a chart's six settings rows, the points rebuilt all or nothing, the marks'
// places and pop-up flags, the designed curves, the line styles, and building a chart from the
// sample company's employees, also from more than 500 of them.

#include "core/common/AppState.h"
#include "core/plot/ChartSceneBuilder.h"
#include "data/design/DesignStore.h"
#include "data/plot/ChartBuilder.h"
#include "data/plot/ChartStore.h"
#include "support/data/TestSupport.h"

#include <QtTest>

namespace {

const CompanyYear Sample{1, 2023};
// Every column in the table's order (the server adds its insertion order after them).
const QString AllPointColumns =
    QStringLiteral("SELECT SCO, SNA, LABELN, MARKL, F1, F2, F3, F4, F5, X, Y, SEQNO, MKCO, GLEFT, "
                   "GTOP FROM DCHART");
const QString SqlFailure = QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。");

struct Fixture {
    TestEnvironment env;
    Fixture() {
        env.setToday(QDate(2024, 6, 15));
        env.openDatabases();
        env.openCompany(1, 2023);
    }
    QStringList rows(const QString& sql) { return env.rows(TDM::ACN2, sql); }
    int count(const QString& sql) { return env.scalar(TDM::ACN2, sql).toInt(); }
};

ChartPoint point(int sco, int x, const char* y, int mark) {
    ChartPoint p;
    p.sco = sco;
    p.name = QStringLiteral("社員'%1").arg(sco);
    p.markLabel = QString::number(sco);
    p.x = x;
    p.y = Currency::fromString(QString::fromLatin1(y));
    p.mark = mark;
    p.seqNo = sco;
    return p;
}

ChartSettings allOn() {
    ChartSettings s;
    s.chartNo = 1010;
    s.xItem = 0;
    s.yItem = 1;
    s.marks.fill(true);
    s.grades.fill(true);
    return s;
}

} // namespace

class TestChartStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void settingsRowsRoundTrip() {
        Fixture f;
        bool failed = true;
        QVERIFY(!ChartSettingsExist(Sample, 1010, &failed));
        QVERIFY(!failed);
        ChartSettings d;
        d.chartNo = 1010;
        d.yItem = 1;
        QVERIFY(CreateChartSettings(Sample, d));
        QVERIFY(ChartSettingsExist(Sample, 1010, &failed));
        QCOMPARE(f.rows(QStringLiteral("SELECT KNO, FCHK, TOUKYU, TOUKYU1, TITLE, FX, FY, MARKR, "
                                       "KAISETSU FROM MCHART WHERE CHCO = 1010 ORDER BY KNO")),
                 QStringList({"1|0|0|0||0|1|0|", "2|0|0|0||0|1|0|", "3|0|0|0||0|1|0|",
                              "4|0|0|0||0|1|0|", "5|0|0|0||0|1|0|", "6|0|0|0||0|1|0|"}));

        // Quotes in the title and the explanation are stored and read back unchanged.
        ChartSettings s = d;
        s.title = QStringLiteral("O'Brien's \"plot\"");
        s.explanation = QStringLiteral("it's\r\n'; DROP TABLE MCHART; --");
        s.xItem = 5;
        s.markLabelKind = 2;
        s.marks[1] = s.marks[3] = true;
        for (int g : {2, 5, 7, 9})
            s.grades[size_t(g)] = true;
        QVERIFY(SaveChartSettings(Sample, s));
        QCOMPARE(f.rows(QStringLiteral("SELECT KNO, FCHK, TOUKYU, TOUKYU1 FROM MCHART WHERE "
                                       "CHCO = 1010 ORDER BY KNO")),
                 QStringList({"1|1|0|1", "2|0|1|0", "3|1|0|1", "4|0|0|0", "5|0|1|0", "6|0|0|0"}));
        const ChartSettings back = *LoadChartSettings(Sample, 1010);
        QCOMPARE(back.title, s.title);
        QCOMPARE(back.explanation, s.explanation);
        QCOMPARE(back.marks, s.marks);
        QCOMPARE(back.grades, s.grades);
        QCOMPARE(QList<int>({back.xItem, back.yItem, back.markLabelKind}), QList<int>({5, 1, 2}));
        // Another company year has nothing.
        QVERIFY(!LoadChartSettings({1, 2022}, 1010));
        QVERIFY(f.env.messages.problems().isEmpty());
    }

    void pointsAreRebuiltAllOrNothing() {
        Fixture f;
        QVERIFY(RebuildChartPoints(
            {point(3, 30, "25.5", 1), point(1, 41, "31.25", 2), point(2, 22, "18", 7)}));
        QCOMPARE(f.rows(AllPointColumns), QStringList({"3|社員'3||3|0|0|0|0|0|30|25.5|3|1|0|0",
                                                       "1|社員'1||1|0|0|0|0|0|41|31.25|1|2|0|0",
                                                       "2|社員'2||2|0|0|0|0|0|22|18|2|7|0|0"}));
        const QVector<ChartPoint> back = LoadChartPoints();
        QCOMPARE(back.size(), 3);
        QCOMPARE(back[1].y, Currency::fromString(QStringLiteral("31.25")));
        QCOMPARE(LoadChartPoints(2).size(), 1);

        // A statement that fails half-way leaves the previous chart.
        const QStringList before = f.rows(AllPointColumns);
        f.env.failWrites(QStringLiteral("refuse"), QStringLiteral("INSERT"),
                         QStringLiteral("DCHART"), QStringLiteral("NEW.SCO = 999"));
        f.env.messages.expect(SqlFailure);
        QVERIFY(!RebuildChartPoints({point(5, 30, "1", 1), point(999, 30, "1", 1)}));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.rows(AllPointColumns), before);

        // An empty chart empties the table.
        QVERIFY(RebuildChartPoints({}));
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM DCHART")), 0);
    }

    // A file whose DCHART has its columns in another order still gets every value into its
    // column, and the plot reads the points back as they were built.
    void pointsGoIntoTheirNamedColumns() {
        TestEnvironment env;
        if (!env.reverseColumns(TDM::ACN2, QStringLiteral("DCHART")))
            QSKIP("the server lays out its work tables itself");
        env.openDatabases();
        ChartPoint p = point(3, 30, "25.5", 4);
        p.labelName = QStringLiteral("Label001");
        p.popups[2] = 1;
        p.left = 120;
        p.top = 80;
        QVERIFY(RebuildChartPoints({p, point(1, 41, "31.25", 2)}));
        QCOMPARE(env.rows(TDM::ACN2, AllPointColumns + QStringLiteral(" ORDER BY SEQNO")),
                 QStringList({"1|社員'1||1|0|0|0|0|0|41|31.25|1|2|0|0",
                              "3|社員'3|Label001|3|0|1|0|0|0|30|25.5|3|4|120|80"}));
        const QVector<ChartPoint> back = LoadChartPoints(4);
        QCOMPARE(back.size(), 1);
        QCOMPARE(QList<int>({back[0].sco, back[0].x, back[0].mark, back[0].popups[2]}),
                 QList<int>({3, 30, 4, 1}));
        QCOMPARE(back[0].y, Currency::fromString(QStringLiteral("25.5")));
    }

    void placesAndPopupFlagsByEmployee() {
        Fixture f;
        QVERIFY(RebuildChartPoints({point(3, 30, "25.5", 1), point(1, 41, "31.25", 2)}));
        QVector<PlotPoint> placed(3);
        placed[0].sco = 3, placed[0].labelName = QStringLiteral("Label001");
        placed[0].px = 400, placed[0].py = 300;
        placed[1].sco = 1, placed[1].labelName = QStringLiteral("Label002");
        placed[1].px = 500, placed[1].py = 200;
        placed[2].sco = 0; // no employee: not written
        QVERIFY(WritePointPlaces(placed));
        QCOMPARE(f.rows(QStringLiteral("SELECT SCO, LABELN, GLEFT, GTOP FROM DCHART")),
                 QStringList({"3|Label001|395|295", "1|Label002|495|195"}));
        const std::optional<ChartPoint> p = PointOfMark(QStringLiteral("Label002"));
        QVERIFY(p);
        QCOMPARE(QList<int>({p->sco, p->left, p->top}), QList<int>({1, 495, 195}));
        QCOMPARE(p->name, QStringLiteral("社員'1"));
        QVERIFY(!PointOfMark(QStringLiteral("Label' OR '1'='1")));

        QVERIFY(SetPopupOpen(1, 3, true));
        QCOMPARE(PointOfMark(QStringLiteral("Label002"))->popups[3], 1);
        QCOMPARE(PointOfMark(QStringLiteral("Label001"))->popups[3], 0);
        QVERIFY(SetPopupOpen(1, 3, false));
        QCOMPARE(PointOfMark(QStringLiteral("Label002"))->popups[3], 0);
        QVERIFY(!SetPopupOpen(1, 5, true)); // only kinds 1 to 4 exist
    }

    void buildsTheSampleChartWithoutWriting() {
        Fixture f;
        QVERIFY(RebuildChartPoints({point(3, 30, "25.5", 1)}));
        const ChartBuildResult r = BuildChart(Sample, allOn(), ProposalRules{1, true});
        QVERIFY(!r.failed);
        const int plotted = f.count(QStringLiteral(
            "SELECT COUNT(*) FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023 AND MCO BETWEEN 1 AND 6 "
            "AND TOUKYU BETWEEN 1 AND 9"));
        QVERIFY(plotted > 50);
        QCOMPARE(r.points.size(), plotted);
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM DCHART")), 1);
        QCOMPARE(r.request.chartNo, 1010);
        QCOMPARE(r.request.range.xMax % 5, 0);

        // Marks 1 and 3, grades 2 and 5 only, in the order employees were entered.
        ChartSettings s = allOn();
        s.marks.fill(false);
        s.grades.fill(false);
        s.marks[1] = s.marks[3] = true;
        s.grades[2] = s.grades[5] = true;
        const QStringList expected = f.rows(QStringLiteral(
            "SELECT SCO FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023 AND MCO IN (1, 3) AND TOUKYU "
            "IN (2, 5) ORDER BY NEWDAY1, SCO"));
        QVERIFY(!expected.isEmpty());
        QStringList got;
        for (const ChartPoint& p : BuildChart(Sample, s, ProposalRules{1, true}).points)
            got << QString::number(p.sco);
        QCOMPARE(got, expected);

        // 職能給 of an employee whose pay is not linked to the wage table is 0.
        f.env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN1 SET JISEKI = 0 WHERE KCO = 1 AND "
                                             "NENDO = 2023 AND SCO = 1"));
        s = allOn();
        s.yItem = 0;
        for (const ChartPoint& p : BuildChart(Sample, s, ProposalRules{1, true}).points)
            QCOMPARE(p.y.isZero(), p.sco == 1);

        // Nothing selected: no points, no request.
        s.marks.fill(false);
        const ChartBuildResult none = BuildChart(Sample, s, ProposalRules{1, true});
        QVERIFY(none.points.isEmpty());
        QCOMPARE(none.request.chartNo, 0);
    }

    void moreThanFiveHundredEmployees() {
        Fixture f;
        f.env.exec(
            TDM::ACN2,
            QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                "WHERE i < 1200) INSERT INTO MSYAIN1 (KCO, SCO, NENDO, SNA, "
                "NENREI, MCO, NEWDAY1) SELECT 1, 10000 + i, 2023, 'x', 20 + i % "
                "40, 1 + i % 6, 'z' || substr('0000' || i, length('0000' || i) - 4, 5) FROM n"));
        f.env.exec(TDM::ACN2,
                   QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                  "WHERE i < 1200) INSERT INTO MSYAIN2 (KCO, SCO, NENDO, TOUKYU, "
                                  "KKYU1) SELECT 1, 10000 + i, 2023, 1 + i % 6, 150000 + i * 100 "
                                  "FROM n"));
        const ChartBuildResult r = BuildChart(Sample, allOn(), ProposalRules{1, true});
        QVERIFY(r.points.size() > 1200);
        QVERIFY(RebuildChartPoints(r.points));
        PlotModel m;
        m.request = r.request;
        QVERIFY(LoadPlotModel(m));
        QCOMPARE(m.points.size(), r.points.size());
        m.frame = FrameForWindow(1600, 1000);
        PlacePoints(m, LayoutOf(m));
        QVERIFY(WritePointPlaces(m.points));
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM DCHART WHERE LABELN = ''")), 0);
        const QString last = MarkName(int(m.points.size()));
        QCOMPARE(f.env.scalar(TDM::ACN2, QStringLiteral("SELECT SCO FROM DCHART WHERE LABELN = '") +
                                             last + QLatin1Char('\'')),
                 QStringLiteral("11200"));
    }

    void designCurveImport() {
        Fixture f;
        const QString Curve2 = QStringLiteral("SELECT COUNT(*) FROM DSPDRAW WHERE KCO = 1 AND "
                                              "NENDO = 2023 AND SDCO = 2");
        QCOMPARE(f.count(Curve2), 0);
        QVERIFY(ImportDesignCurve(Sample, 2, 0, 1, 1,
                                  {{22, 180000}, {30, 230000}, {40, 260000}, {50, 290000}}));
        QVERIFY(ImportDesignCurve(Sample, 2, 0, 1, 1, {{22, 190000}, {30, 240000}, {45, 300000}}));
        QCOMPARE(f.count(Curve2), 1);
        // As the design screen reads it.
        std::array<DesignCurve, DesignCount + 1> designs;
        QVERIFY(LoadDesigns(Sample, 0, 1, designs));
        const DesignCurve& d = designs[2];
        QCOMPARE(QList<int>(d.x.begin() + 1, d.x.end()), QList<int>({22, 30, 45, 0, 0, 0}));
        QCOMPARE(d.amount[3], Currency::fromInt(300000));
        QCOMPARE(d.amount[4], Currency());
        QVERIFY(d.drawn && d.selected);
        QCOMPARE(d.colour, QStringLiteral("clBlack"));
        QCOMPARE(QList<int>({d.kind, d.width}), QList<int>({1, 1}));
        // Another pair of axis items keeps its own curve.
        QVERIFY(LoadDesigns(Sample, 1, 1, designs));
        QVERIFY(!designs[2].drawn && designs[2].x[1] == 0);
    }

    void lineStylesOfTheCompany() {
        Fixture f;
        const StyleSlots s = LoadStyleSlots(Sample);
        QCOMPARE(s[3].kind, 2); // grid dotted
        QCOMPARE(s[4].kind, 3); // centre lines dash-dot
        QCOMPARE(s[4].colour, ColorFromRgb(255, 0, 0));
        // A company year without rows draws black solid lines.
        const StyleSlots none = LoadStyleSlots({9, 2023});
        QCOMPARE(none[1], (LinePen{0, 1, 1}));
    }
};

QTEST_GUILESS_MAIN(TestChartStore)
#include "test_chart_store.moc"
