// The design store (DSPDRAW, DCHINGIN), the wage table's key points, and tesvane-cli design
// and plot for the design and wage-table charts.

#include "core/masters/Cp932.h"
#include "data/design/DesignStore.h"
#include "data/design/WageTableChart.h"
#include "data/plot/ChartStore.h"
#include "support/data/TestSupport.h"

#include <QFile>
#include <QtTest>

namespace {

const CompanyYear Sample{1, 2023};

DesignCurve curve(int d, std::initializer_list<std::pair<int, qint64>> points) {
    DesignCurve c;
    c.curve = d;
    c.drawn = true;
    int p = 1;
    for (const auto& [x, amount] : points) {
        c.x[size_t(p)] = x;
        c.amount[size_t(p)] = Currency::fromInt(amount);
        ++p;
    }
    return c;
}

QStringList cli(const TestEnvironment& env, const QString& command, const QStringList& more) {
    return QStringList{QStringLiteral("--data"),    env.appDir(),        command,
                       QStringLiteral("--company"), QStringLiteral("1"), QStringLiteral("--year"),
                       QStringLiteral("2023")} +
           more;
}

} // namespace

class TestDesignStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A failed rebuild leaves the expansion built before.
    void expansionIsReplacedWhole() {
        TestEnvironment env;
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
        std::array<DesignPoints, DesignCount + 1> designs;
        designs[1].x[1] = 20;
        designs[1].amount[1] = 180000;
        QVERIFY(StoreDesignExpansion(Sample, 0, 0, ExpandDesigns(designs)));
        env.failWrites(QStringLiteral("no2"), QStringLiteral("INSERT"), QStringLiteral("DCHINGIN"),
                       QStringLiteral("NEW.SDCO = 2"));
        designs[1].x[2] = 25;
        designs[1].amount[2] = 200000;
        designs[2] = designs[1];
        env.messages.expect(QString());
        QVERIFY(!StoreDesignExpansion(Sample, 0, 0, ExpandDesigns(designs)));
        QCOMPARE(
            env.rows(TDM::ACN2, QStringLiteral("SELECT SDCO, NO, SNENREI, SKIN FROM DCHINGIN")),
            QStringList{QStringLiteral("1|1|20|180000")});
    }

    // A file whose DCHINGIN has its columns in another order still gets every value into its
    // column: the CSV export and the print read the expansion back unchanged.
    void expansionGoesIntoItsNamedColumns() {
        TestEnvironment env;
        if (!env.reverseColumns(TDM::ACN2, QStringLiteral("DCHINGIN")))
            QSKIP("the server lays out its work tables itself");
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
        std::array<DesignPoints, DesignCount + 1> designs;
        designs[2].x[1] = 20;
        designs[2].amount[1] = 180000;
        designs[2].x[2] = 22;
        designs[2].amount[2] = 190000;
        const QVector<DesignRow> rows = ExpandDesigns(designs);
        QVERIFY(StoreDesignExpansion(Sample, 1, 3, rows));
        QCOMPARE(env.rows(TDM::ACN2,
                          QStringLiteral("SELECT KCO, NENDO, SDCO, X, Y, NO, SNENREI, SKIN, UPKIN, "
                                         "UPRITSU, KAKUSA FROM DCHINGIN ORDER BY NO")),
                 QStringList({"1|2023|2|1|3|1|20|180000|5000|2.78|100",
                              "1|2023|2|1|3|2|21|185000|5000|2.7|103",
                              "1|2023|2|1|3|3|22|190000|0|0|106"}));
        bool failed = true;
        QCOMPARE(LoadDesignExpansion(Sample, &failed), rows);
        QVERIFY(!failed);
    }

    void styleCoversEveryAxisPair() {
        TestEnvironment env;
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
        std::array<DesignCurve, DesignCount + 1> designs;
        designs[2] = curve(2, {{20, 180000}, {30, 230000}});
        QVERIFY(SaveDesigns(Sample, 0, 0, designs, QString(), CurveStyle()).saved());
        QVERIFY(SaveDesigns(Sample, 1, 2, designs, QString(), CurveStyle()).saved());
        QVERIFY(SaveDesignStyle(Sample, 2, QStringLiteral("標準'案"), QStringLiteral("説明"),
                                CurveStyle{QStringLiteral("clRed"), 2, 3}));
        QCOMPARE(env.rows(TDM::ACN2, QStringLiteral("SELECT X, Y, HANREI, SCOLOR, SSYURUI, SHABA, "
                                                    "SNENREI2 FROM DSPDRAW ORDER BY X")),
                 (QStringList{QStringLiteral("0|0|標準'案|clRed|2|3|30"),
                              QStringLiteral("1|2|標準'案|clRed|2|3|30")}));
        // A design without a row gets one with all points 0; the design screen's save keeps
        // its style when points are added.
        QVERIFY(SaveDesignStyle(Sample, 4, QStringLiteral("空"), QString(), CurveStyle()));
        QCOMPARE(env.rows(TDM::ACN2, QStringLiteral("SELECT X, Y, SNENREI1, SKIN1, HANREI FROM "
                                                    "DSPDRAW WHERE SDCO = 4")),
                 QStringList{QStringLiteral("0|0|0|0|空")});
        designs[4] = curve(4, {{22, 190000}});
        QVERIFY(SaveDesigns(Sample, 0, 0, designs, QString(), CurveStyle()).saved());
        QCOMPARE(env.rows(TDM::ACN2, QStringLiteral("SELECT SNENREI1, HANREI FROM DSPDRAW WHERE "
                                                    "SDCO = 4")),
                 QStringList{QStringLiteral("22|空")});
    }

    // A grade without key points still takes its places, at (0, 0); the rate scales amounts.
    void wageTableKeyPoints() {
        TestEnvironment env;
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
        env.exec(TDM::ACN2, QStringLiteral("UPDATE DKSEN2 SET KRITSU = 1.01 WHERE KCO = 1 AND "
                                           "NENDO = 2023 AND TKNO = 1"));
        env.exec(TDM::ACN2, QStringLiteral("DELETE FROM DKSEN2 WHERE KCO = 1 AND NENDO = 2023 AND "
                                           "TKNO = 2"));
        const QVector<GradeLine> lines = LoadWageTableLines(Sample);
        QCOMPARE(lines.size(), 6);
        const QVector<WageKeyPoint> keys = KeyPointsOf(lines);
        QCOMPARE(keys.size(), 18);
        QCOMPARE(keys[0].x, 1);
        QCOMPARE(keys[0].yen, Currency::fromInt(99990)); // 99,000 x 1.01
        for (int i = 3; i < 6; ++i) {
            QCOMPARE(keys[i].x, 0);
            QCOMPARE(keys[i].yen, Currency());
        }
        ChartSettings s;
        s.chartNo = 1060;
        s.xItem = 3;
        const std::optional<PlotRequest> q = WageTableChartRequest(Sample, s, lines);
        QVERIFY(q);
        QCOMPARE(q->range.xMin, 0);
        QCOMPARE(q->range.yMin, 0);
        env.exec(TDM::ACN2, QStringLiteral("DELETE FROM MCHINGIN WHERE KCO = 1"));
        QVERIFY(!WageTableChartRequest(Sample, s, LoadWageTableLines(Sample)));
    }

    void cliDesignWritesTheScreensFile() {
        TestEnvironment env;
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
        std::array<DesignCurve, DesignCount + 1> designs;
        designs[1] = curve(1, {{20, 180000}, {30, 230000}, {40, 260000}});
        QVERIFY(SaveDesigns(Sample, 1, 0, designs, QString(), CurveStyle()).saved());
        env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MCHART (CHCO, KCO, NENDO, KNO, TITLE, FX, "
                                           "FY) VALUES (1050, 1, 2023, 1, '勤続カーブ', 1, 0)"));
        const QByteArray data = env.dataDigest();
        const QString csv = env.appDir() + QStringLiteral("design.csv");
        CliRun r = runCli(cli(env, QStringLiteral("design"), {QStringLiteral("--csv"), csv}));
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(env.dataDigest(), data);
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        file.close();
        QString text;
        QVERIFY(Cp932::decode(written, text));
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines[0], QStringLiteral("勤続カーブ"));
        QCOMPARE(lines[3], QStringLiteral("20,180000,100,0,0,0,0,0,0,0,0,0,0,0,0"));
        QCOMPARE(lines.size(), 3 + 21 + 1 + 1);

        // The pair with no designs: a message, a failure, and the file as it was.
        r = runCli(cli(env, QStringLiteral("design"),
                       {QStringLiteral("--x"), QStringLiteral("0"), QStringLiteral("--csv"), csv}));
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("賃金表データは有りません。")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), written);
        file.close();
        r = runCli(cli(env, QStringLiteral("design"),
                       {QStringLiteral("--csv"), env.appDir() + QStringLiteral("nofolder/x.csv")}));
        QCOMPARE(r.status, 1);
        r = runCli(
            cli(env, QStringLiteral("design"), {QStringLiteral("--x"), QStringLiteral("7")}));
        QCOMPARE(r.status, 2);
    }

    void cliPlotsTheDesignAndWageTableCharts() {
        TestEnvironment env;
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
        std::array<DesignCurve, DesignCount + 1> designs;
        designs[1] = curve(1, {{20, 180000}, {70, 650000}});
        QVERIFY(SaveDesigns(Sample, 0, 0, designs, QString(), CurveStyle()).saved());
        ChartSettings s;
        s.chartNo = 1050;
        s.curves = 1;
        s.marks.fill(true);
        s.grades.fill(true);
        QVERIFY(CreateChartSettings(Sample, s));
        const QByteArray data = env.dataDigest();
        for (const QString& chart : {QStringLiteral("1050"), QStringLiteral("1060")}) {
            const QString png = env.appDir() + chart + QStringLiteral(".png");
            const CliRun r = runCli(
                cli(env, QStringLiteral("plot"),
                    {QStringLiteral("--chart"), chart, QStringLiteral("--png"), png,
                     QStringLiteral("--pdf"), env.appDir() + chart + QStringLiteral(".pdf")}));
            QVERIFY2(r.status == 0, qPrintable(r.err));
            QVERIFY(QFileInfo(png).size() > 1000);
        }
        QCOMPARE(env.dataDigest(), data);
        env.exec(TDM::ACN2, QStringLiteral("DELETE FROM MCHINGIN WHERE KCO = 1"));
        const CliRun r =
            runCli(cli(env, QStringLiteral("plot"),
                       {QStringLiteral("--chart"), QStringLiteral("1060"), QStringLiteral("--png"),
                        env.appDir() + QStringLiteral("x.png")}));
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("グラフに表示するデータがありません。")));
    }
};

QTEST_GUILESS_MAIN(TestDesignStore)
#include "test_design_store.moc"
