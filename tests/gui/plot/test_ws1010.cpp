// The wage plot screen: its chart rows created once, the choices shown and stored (only when
// changed), the bulk buttons, "分　析" with and without employees to plot, and the main
// window's command that opens it.

#include "PlotFixture.h"

#include "app/WS0000_MainWindow.h"

#include <QAction>
#include <QTimer>
#include <QToolButton>

namespace {

const QString Rows = QStringLiteral("SELECT KNO, FCHK, TOUKYU, TOUKYU1, TITLE, FX, FY, MARKR, "
                                    "KAISETSU FROM MCHART WHERE CHCO = 1010 AND KCO = 1 AND "
                                    "NENDO = 2023 ORDER BY KNO");

bool checked(PlotFixture& f, const QString& name) {
    return f.get<QAbstractButton>(&f.screen, name)->isChecked();
}

} // namespace

class TestWS1010 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensWithItsRowsCreatedOnce() {
        PlotFixture f;
        f.openScreen();
        QCOMPARE(f.rows(Rows).size(), 6);
        QCOMPARE(f.rows(Rows).first(), QStringLiteral("1|0|0|0||0|0|0|"));
        QVERIFY(checked(f, QStringLiteral("optXNenrei")));
        QVERIFY(checked(f, QStringLiteral("optYSyokuno")));
        QVERIFY(checked(f, QStringLiteral("optMarkSeq")));
        QCOMPARE(f.get<QLineEdit>(&f.screen, QStringLiteral("txtTokyu3"))->text(),
                 QStringLiteral("主任"));
        // The company's marks name the mark boxes.
        QCOMPARE(f.get<QCheckBox>(&f.screen, QStringLiteral("optPlot1"))->text(),
                 QStringLiteral("■ 男子営業"));
        f.click(&f.screen, QStringLiteral("btnClose"));
        f.openScreen();
        QCOMPARE(f.rows(Rows).size(), 6);
        VERIFY_MESSAGES(f.env.messages);
    }

    void choicesAreStoredAndShownAgain() {
        PlotFixture f;
        f.openScreen();
        f.compose(Control<QLineEdit>(f.screen, QStringLiteral("txtTitle")),
                  QStringLiteral("O'Brien の賃金"));
        f.compose(Control<QPlainTextEdit>(f.screen, QStringLiteral("Memo1")),
                  QStringLiteral("it's"));
        // Enter in the title moves on; it neither closes the screen nor analyses.
        auto* title = Control<QLineEdit>(f.screen, QStringLiteral("txtTitle"));
        title->setFocus();
        QTest::keyClick(title, Qt::Key_Return);
        QVERIFY(f.screen.isVisible());
        QVERIFY(QApplication::focusWidget() != title);
        for (const char* b : {"optXKinzoku", "optYNensyu", "optMarkZone", "optPlot1", "optPlot3",
                              "optTokyu2", "optTokyu5", "optTokyu7"})
            f.click(&f.screen, QString::fromLatin1(b));
        f.click(&f.screen, QStringLiteral("btnClose"));
        QCOMPARE(f.rows(Rows),
                 QStringList(
                     {"1|1|0|1|O'Brien の賃金|1|4|2|it's", "2|0|1|0|O'Brien の賃金|1|4|2|it's",
                      "3|1|0|0|O'Brien の賃金|1|4|2|it's", "4|0|0|0|O'Brien の賃金|1|4|2|it's",
                      "5|0|1|0|O'Brien の賃金|1|4|2|it's", "6|0|0|0|O'Brien の賃金|1|4|2|it's"}));
        f.openScreen();
        QCOMPARE(Control<QLineEdit>(f.screen, QStringLiteral("txtTitle"))->text(),
                 QStringLiteral("O'Brien の賃金"));
        QCOMPARE(Control<QPlainTextEdit>(f.screen, QStringLiteral("Memo1"))->toPlainText(),
                 QStringLiteral("it's"));
        QVERIFY(checked(f, QStringLiteral("optXKinzoku")));
        QVERIFY(checked(f, QStringLiteral("optYNensyu")));
        QVERIFY(checked(f, QStringLiteral("optMarkZone")));
        QVERIFY(checked(f, QStringLiteral("optTokyu7")));
        QVERIFY(!checked(f, QStringLiteral("optTokyu8")));

        // Bulk buttons tick and clear every box.
        f.click(&f.screen, QStringLiteral("btnPlotAll"));
        f.click(&f.screen, QStringLiteral("btnTokyuNothing"));
        for (int k = 1; k <= 6; ++k)
            QVERIFY(checked(f, QStringLiteral("optPlot%1").arg(k)));
        for (int g = 1; g <= 9; ++g)
            QVERIFY(!checked(f, QStringLiteral("optTokyu%1").arg(g)));
        VERIFY_MESSAGES(f.env.messages);
    }

    void anUntouchedScreenWritesNothing() {
        PlotFixture f;
        f.openScreen();
        f.click(&f.screen, QStringLiteral("btnClose"));
        // A value no save of this screen would keep.
        f.env.exec(TDM::ACN2, QStringLiteral("UPDATE MCHART SET X1 = 7 WHERE CHCO = 1010"));
        f.openScreen();
        f.click(&f.screen, QStringLiteral("btnClose"));
        QCOMPARE(
            f.count(QStringLiteral("SELECT COUNT(*) FROM MCHART WHERE CHCO = 1010 AND X1 = 7")), 6);
        // Escape acts as 閉じる: the change is stored.
        f.openScreen();
        f.click(&f.screen, QStringLiteral("optPlot2"));
        QTest::keyClick(&f.screen, Qt::Key_Escape);
        QVERIFY(!f.screen.isVisible());
        QCOMPARE(f.count(QStringLiteral("SELECT FCHK FROM MCHART WHERE CHCO = 1010 AND KNO = 2")),
                 1);
    }

    void nothingToPlot() {
        PlotFixture f;
        f.openScreen();
        f.compose(Control<QLineEdit>(f.screen, QStringLiteral("txtTitle")), QStringLiteral("空'"));
        f.click(&f.screen, QStringLiteral("btnTokyuAll")); // grades, but no mark
        f.env.messages.expect(QStringLiteral("グラフに表示するデータがありません。"));
        f.click(&f.screen, QStringLiteral("btnAnalize"));
        VERIFY_MESSAGES(f.env.messages);
        QVERIFY(!f.plot.isVisible());
        QVERIFY(f.screen.isVisible());
        QCOMPARE(QApplication::focusWidget(),
                 Control<QLineEdit>(f.screen, QStringLiteral("txtTitle")));
        // The choices are still stored; the previous chart's points stay.
        QCOMPARE(
            f.env.scalar(TDM::ACN2,
                         QStringLiteral("SELECT TITLE FROM MCHART WHERE CHCO = 1010 AND KNO = 1")),
            QStringLiteral("空'"));
    }

    // Employees no mark or grade box can include (imported without a mark, no grade) are
    // counted before the plot opens; boxes the user cleared leave out nobody in this sense.
    void leftOutEmployeesAreNamedBeforeThePlot() {
        PlotFixture f;
        f.env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN1 SET MCO = 0 WHERE KCO = 1 AND "
                                             "NENDO = 2023 AND SCO IN (1, 2)"));
        f.env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN2 SET TOUKYU = 0 WHERE KCO = 1 AND "
                                             "NENDO = 2023 AND SCO IN (2, 3)"));
        f.env.messages.expect(
            QStringLiteral("対象外の社員が 3名あります（マークなし 2名、等級が範囲外 1名）。"));
        f.env.messages.whenShown([&] { QVERIFY(!f.plot.isVisible()); });
        f.analyse();
        QCOMPARE(f.plot.markCount(), 57);
        VERIFY_MESSAGES(f.env.messages);

        // Nothing left to plot: said after the count.
        f.openScreen();
        f.env.exec(TDM::ACN2,
                   QStringLiteral("UPDATE MSYAIN1 SET MCO = 0 WHERE KCO = 1 AND NENDO = 2023"));
        f.env.messages.expect(
            QStringLiteral("対象外の社員が 60名あります（マークなし 60名、等級が範囲外 0名）。"));
        f.env.messages.expect(QStringLiteral("グラフに表示するデータがありません。"));
        f.click(&f.screen, QStringLiteral("btnAnalize"));
        QVERIFY(f.screen.isVisible());
        VERIFY_MESSAGES(f.env.messages);
    }

    void analyseBuildsThePointsAndOpensThePlot() {
        PlotFixture f;
        f.openScreen();
        f.compose(Control<QLineEdit>(f.screen, QStringLiteral("txtTitle")),
                  QStringLiteral("年齢別"));
        f.analyse(QStringLiteral("optYSyokuno"));
        QVERIFY(!f.screen.isVisible());
        QVERIFY(f.plot.isVisible());
        QCOMPARE(f.plot.windowTitle(), QStringLiteral("プロット　 【　年齢別　】"));
        QCOMPARE(f.plot.chartNo(), 1010);
        const int n = f.count(QStringLiteral("SELECT COUNT(*) FROM DCHART"));
        QCOMPARE(n, int(f.plot.model().points.size()));
        QCOMPARE(f.count(QStringLiteral("SELECT MAX(SEQNO) FROM DCHART")), n);
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM DCHART WHERE LABELN <> ''")), n);
        QCOMPARE(f.plot.markCount(), n);

        // A second analysis replaces the points and the marks.
        f.openScreen();
        f.click(&f.screen, QStringLiteral("btnPlotNothing"));
        f.click(&f.screen, QStringLiteral("optPlot1"));
        f.click(&f.screen, QStringLiteral("btnAnalize"));
        const int men = f.count(QStringLiteral(
            "SELECT COUNT(*) FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023 AND MCO = 1"));
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM DCHART")), men);
        QCOMPARE(f.plot.markCount(), men);
        VERIFY_MESSAGES(f.env.messages);
    }

    void theMainWindowOpensIt() {
        ScreenEnvironment env;
        env.setToday(QDate(2024, 6, 15));
        env.openDatabases();
        TWS0000 mw(env.appDir());
        QVERIFY(env.openCompany(1, 2023));
        QVERIFY(mw.action(QStringLiteral("mnSalaryPlot"))->isEnabled());
        QString shown;
        QTimer::singleShot(0, [&] {
            QWidget* w = QApplication::activeModalWidget();
            shown = w ? w->objectName() : QString();
            if (w)
                w->findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
        });
        mw.action(QStringLiteral("mnSalaryPlot"))->trigger();
        QCOMPARE(shown, QStringLiteral("WS1010"));
        // The screen draws in the main window's one plot window.
        auto* plot = mw.findChild<TWS1100*>();
        QVERIFY(plot && !plot->isVisible());
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_MAIN(TestWS1010)
#include "test_ws1010.moc"
