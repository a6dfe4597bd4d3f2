// The regression and comparison screens: the regression's own settings stored in all six
// rows, a level box refusing text, the curves and their average in the plot window, the curves
// on their fit from service year 0; the comparisons widening the range by the reference curves of
// the sample company.

#include "core/analysis/RaiseCurve.h"
#include "core/plot/ChartSceneBuilder.h"
#include "core/plot/PlotGeometry.h"
#include "gui/analysis/WS1020_RaiseCurveRegression.h"
#include "gui/analysis/WS1030_LivingCostComparison.h"
#include "gui/analysis/WS1040_ModelWageComparison.h"
#include "gui/plot/WS1100_PlotWindow.h"
#include "gui/plot/WS1102_AnalysisResult.h"
#include "support/gui/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

template <class Screen> struct Fixture {
    ScreenEnvironment env;
    TWS1100 plot;
    Screen screen{&plot, nullptr};
    Fixture() {
        env.setToday(QDate(2024, 6, 15));
        env.openDatabases();
        if (!env.openCompany(1, 2023))
            qFatal("no sample company");
        screen.PrepareScreen();
        screen.show();
        QApplication::setActiveWindow(&screen);
    }
    void click(const QString& name) {
        auto* b = Control<QAbstractButton>(screen, name);
        if (qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b))
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
        else
            QTest::mouseClick(b, Qt::LeftButton);
    }
    void type(const QString& name, const QString& text, bool leave = true) {
        auto* b = Control<QLineEdit>(screen, name);
        b->setFocus();
        b->selectAll();
        QTest::keyClicks(b, text);
        if (leave)
            QTest::keyClick(b, Qt::Key_Tab);
    }
    void analyse() {
        click(QStringLiteral("btnPlotAll"));
        click(QStringLiteral("btnTokyuAll"));
        click(QStringLiteral("btnAnalize"));
        if (!plot.isVisible())
            qFatal("the plot window did not open");
        plot.resize(1200, 800);
        plot.Execute();
    }
    QString analysisLine(const QString& caption) {
        Control<QAction>(plot, QStringLiteral("mnAnalize"))->trigger();
        return Control<QLabel>(*Control<TWS1102>(plot, QStringLiteral("WS1102")), caption)->text();
    }
};

} // namespace

class TestWS1020 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void regressionSettingsCurvesAndAverages() {
        Fixture<TWS1020> f;
        f.click(QStringLiteral("opt3Jisiki"));
        f.click(QStringLiteral("optGraph"));
        f.type(QStringLiteral("txtLevel1"), QStringLiteral("10"));
        f.env.messages.expect(QStringLiteral("数値を入力してください。"));
        f.type(QStringLiteral("txtLevel2"), QStringLiteral("abc"));
        QCOMPARE(QApplication::focusWidget(),
                 Control<QLineEdit>(f.screen, QStringLiteral("txtLevel2")));
        f.type(QStringLiteral("txtLevel2"), QStringLiteral("0"));
        // Typed and analysed without leaving the box.
        f.type(QStringLiteral("txtLevel3"), QStringLiteral("-10"), false);
        f.analyse();
        QCOMPARE(
            f.env.rows(TDM::ACN2,
                       QStringLiteral("SELECT DISTINCT FKINJI, CGRAPH, SJYUN1, SJYUN2, SJYUN3, "
                                      "SJYUN4 FROM MCHART WHERE CHCO = 1020 AND KCO = 1 AND "
                                      "NENDO = 2023")),
            QStringList({"1|1|10|0|-10|0"}));
        // Six marks, each with three curves: the plot carries the average and the pitch.
        const QString averages = f.analysisLine(QStringLiteral("Caption6"));
        QVERIFY2(averages.contains(QStringLiteral("円")), qPrintable(averages));
        QCOMPARE(averages.count(QStringLiteral("円")), 3);
        QCOMPARE(f.analysisLine(QStringLiteral("Caption4")).count(QStringLiteral("円")), 3);
        QCOMPARE(Control<QLabel>(*Control<TWS1102>(f.plot, QStringLiteral("WS1102")),
                                 QStringLiteral("labTitle3"))
                     ->text(),
                 QStringLiteral("平均昇給　 :"));

        // Back on the screen the choices are shown again.
        f.screen.PrepareScreen();
        QVERIFY(Control<QRadioButton>(f.screen, QStringLiteral("opt3Jisiki"))->isChecked());
        QCOMPARE(Control<QLineEdit>(f.screen, QStringLiteral("txtLevel3"))->text(),
                 QStringLiteral("-10"));
        VERIFY_MESSAGES(f.env.messages);
    }

    // Service years from 0 (女子営業 and 女子技術 of the sample, cubic): every vertex of a
    // mark's curve lies on the fit the analysis reports, over the points' range, above the X
    // axis.
    void curvesFromServiceZeroLieOnTheirFit() {
        Fixture<TWS1020> f;
        f.click(QStringLiteral("optXKinzoku"));
        f.click(QStringLiteral("optYKihon"));
        f.click(QStringLiteral("opt3Jisiki"));
        f.click(QStringLiteral("optGraph"));
        f.click(QStringLiteral("btnPlotNothing"));
        f.click(QStringLiteral("optPlot2"));
        f.click(QStringLiteral("optPlot6"));
        f.click(QStringLiteral("btnTokyuAll"));
        f.click(QStringLiteral("btnAnalize"));
        QVERIFY(f.plot.isVisible());
        f.plot.resize(1200, 800);
        f.plot.Execute();
        const PlotModel& m = f.plot.model();
        const AxisLayout a = LayoutOf(m);
        const ChartScene scene = f.plot.currentScene();
        qsizetype i = 0;
        for (int k : {2, 6}) {
            const MarkSeries series = SeriesOf(m.points, k);
            QCOMPARE(series.xLow, qint64(0));
            const RaiseCurve fit = FitSeries(series, 1);
            const auto at = [&](long double x) {
                return QPoint(a.px(double(x)), a.py(double(fit.valueAt(x))));
            };
            QCOMPARE(std::get<SceneLine>(scene.curves[i]).from, at(0));
            for (long double x = 0.2L; x < series.xHigh; x += 0.2L) {
                const SceneLine& line = std::get<SceneLine>(scene.curves[i++]);
                QCOMPARE(line.to, at(x));
                QVERIFY(line.to.y() <= a.originY);
            }
        }
        QCOMPARE(i, scene.curves.size());
        VERIFY_MESSAGES(f.env.messages);
    }

    void comparisonsWidenByTheirReferenceCurves() {
        {
            Fixture<TWS1030> f;
            QVERIFY(!Control<QRadioButton>(f.screen, QStringLiteral("optXKinzoku"))->isEnabled());
            QVERIFY(Control<QRadioButton>(f.screen, QStringLiteral("optYKihon"))->isChecked());
            f.env.exec(TDM::ACN2, QStringLiteral("UPDATE MSEIKEI SET SEIKEIHI = 600 WHERE "
                                                 "SKCO = 1 AND SNIN = 5"));
            f.analyse();
            // 600 thousand yen × 1.3 = 78 万円 sets the top of the Y axis.
            QCOMPARE(Control<QLineEdit>(f.plot, QStringLiteral("txtYMax"))->text(),
                     QStringLiteral("80"));
            VERIFY_MESSAGES(f.env.messages);
        }
        {
            Fixture<TWS1040> f;
            QVERIFY(Control<QRadioButton>(f.screen, QStringLiteral("optMaskSeq"))->isChecked());
            f.env.exec(TDM::ACN1, QStringLiteral("UPDATE MDCHINGIN SET NENREI = 70 WHERE MDCO = 1 "
                                                 "AND MCCO = 8"));
            f.analyse();
            QCOMPARE(Control<QLineEdit>(f.plot, QStringLiteral("txtXMax"))->text(),
                     QStringLiteral("75"));
            VERIFY_MESSAGES(f.env.messages);
        }
    }
};

QTEST_MAIN(TestWS1020)
#include "test_ws1020.moc"
