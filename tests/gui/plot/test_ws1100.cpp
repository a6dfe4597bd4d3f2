// The plot window as a user works it: range boxes, a click on an employee's mark and its
// pop-ups, the analysis window, copy and print, going back and leaving, and the window kept
// current when the employees change.

#include "PlotFixture.h"

#include "core/plot/ChartSceneBuilder.h"
#include "core/plot/PlotGeometry.h"
#include "data/masters/EmployeeStore.h"
#include "gui/plot/SpinButton.h"
#include "gui/plot/WS1101_PointPopup.h"
#include "gui/plot/WS1102_AnalysisResult.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>

namespace {

const QString OutOfRange = QStringLiteral("入力範囲外です。15 ～ 75の値を入力して下さい。");
const QString NotNumber = QStringLiteral("数値を入力してください。");

QString pdfText(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Texts of the scene at a place, to see what the window draws.
QStringList textsAt(const ChartScene& scene, QPoint at) {
    QStringList found;
    for (const SceneItem& item : scene.items)
        if (const auto* t = std::get_if<SceneText>(&item); t && t->at == at)
            found << t->text;
    return found;
}

} // namespace

class TestWS1100 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rangeBoxesCheckWhatIsTyped() {
        PlotFixture f;
        f.analyse();
        {
            const AxisRange r = f.plot.model().request.range;
            QCOMPARE(QList<int>({r.xMin, r.xMax, r.yMin, r.yMax}), QList<int>({15, 65, 15, 45}));
        }

        // Below the age bounds: the bounds are named, the box shows the lower one.
        f.env.messages.expect(OutOfRange);
        f.type(QStringLiteral("txtXMin"), QStringLiteral("10"));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.boxText(QStringLiteral("txtXMin")), QStringLiteral("15"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtXMin"));

        // Not a whole number: the axis value comes back.
        f.env.messages.expect(NotNumber);
        f.type(QStringLiteral("txtXMax"), QStringLiteral("6x"));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.boxText(QStringLiteral("txtXMax")), QStringLiteral("65"));
        f.env.messages.expect(NotNumber);
        f.type(QStringLiteral("txtXMax"), QStringLiteral("6.5"));
        VERIFY_MESSAGES(f.env.messages);

        // 1e3 reads as 1000, out of the bounds; a negative age too. The box then offers the
        // lower bound, taken when the box is left.
        f.env.messages.expect(OutOfRange);
        f.type(QStringLiteral("txtXMax"), QStringLiteral("1e3"));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.boxText(QStringLiteral("txtXMax")), QStringLiteral("15"));
        f.type(QStringLiteral("txtXMax"), QStringLiteral("65"));
        f.env.messages.expect(OutOfRange);
        f.type(QStringLiteral("txtXMin"), QStringLiteral("-5"));
        VERIFY_MESSAGES(f.env.messages);
        {
            const AxisRange r = f.plot.model().request.range;
            QCOMPARE(QList<int>({r.xMin, r.xMax, r.yMin, r.yMax}), QList<int>({15, 65, 15, 45}));
        }

        // Y bounds follow the Y item (基本給: 0 to 90).
        f.env.messages.expect(QStringLiteral("入力範囲外です。0 ～ 90の値を入力して下さい。"));
        f.type(QStringLiteral("txtYMax"), QStringLiteral("95"));
        VERIFY_MESSAGES(f.env.messages);
        f.type(QStringLiteral("txtYMax"), QStringLiteral("45"));

        // Typed and 実行 clicked at once: the box is checked first and the chart is drawn for it.
        f.type(QStringLiteral("txtXMin"), QStringLiteral("20"));
        f.type(QStringLiteral("txtXMax"), QStringLiteral("60"), false);
        f.click(&f.plot, QStringLiteral("btnExec"));
        VERIFY_MESSAGES(f.env.messages);
        {
            const AxisRange r = f.plot.model().request.range;
            QCOMPARE(QList<int>({r.xMin, r.xMax, r.yMin, r.yMax}), QList<int>({20, 60, 15, 45}));
        }
        const AxisLayout layout = LayoutOf(f.plot.model());
        const ChartFrame& fr = layout.frame;
        const ChartScene scene = f.plot.currentScene();
        QCOMPARE(textsAt(scene, {fr.left + 25, fr.bottom + 5}), QStringList{QStringLiteral("20")});
        QCOMPARE(textsAt(scene, {fr.right - 25, fr.bottom + 5}), QStringList{QStringLiteral("60")});
        // Marks were placed anew for the new range.
        for (const PlotPoint& p : f.plot.model().points)
            QCOMPARE(p.px, layout.px(qint64(p.x)));

        // A spin button steps by one within the bounds and takes the value at once.
        auto* up = f.get<TSpinButton>(&f.plot, QStringLiteral("spnXMax"))->upButton();
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(f.boxText(QStringLiteral("txtXMax")), QStringLiteral("61"));
        QCOMPARE(f.plot.model().request.range.xMax, 61);
        f.type(QStringLiteral("txtXMax"), QStringLiteral("75"));
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(f.boxText(QStringLiteral("txtXMax")), QStringLiteral("75"));
        VERIFY_MESSAGES(f.env.messages);
    }

    void aClickOnAMarkOpensItsMenuAndPopups() {
        PlotFixture f;
        f.analyse();
        const std::optional<QPoint> at = f.plot.markCentre(1);
        QVERIFY(at);
        QTest::mouseClick(&f.plot, Qt::LeftButton, {}, *at);
        QTRY_VERIFY(Control<QMenu>(f.plot, QStringLiteral("PopupMenu1"))->isVisible());
        // Placed on the screen near the point (left + 10, top + 35 of the stored place).
        const QStringList place =
            f.rows(QStringLiteral("SELECT GLEFT, GTOP, LABELN FROM DCHART WHERE SCO = 1"));
        QCOMPARE(place.size(), 1);
        const QStringList g = place.first().split(QLatin1Char('|'));
        QCOMPARE(Control<QMenu>(f.plot, QStringLiteral("PopupMenu1"))->pos(),
                 f.plot.mapToGlobal(QPoint(g[0].toInt() + 10, g[1].toInt() + 35)));
        QVERIFY(QRect(f.plot.mapToGlobal(QPoint(g[0].toInt(), g[1].toInt())), QSize(60, 60))
                    .contains(Control<QMenu>(f.plot, QStringLiteral("PopupMenu1"))->pos()));
        Control<QMenu>(f.plot, QStringLiteral("PopupMenu1"))->hide();

        // The same pop-up twice opens one; clicked away, it opens again.
        Control<QAction>(f.plot, QStringLiteral("mnProfile"))->trigger();
        Control<QAction>(f.plot, QStringLiteral("mnProfile"))->trigger();
        QCOMPARE(f.plot.popups().size(), 1);
        TWS1101* profile = f.plot.popups().first();
        QCOMPARE(profile->windowTitle(), QStringLiteral("1.プロフィール"));
        QVERIFY(Control<QLabel>(*profile, QStringLiteral("Label1"))
                    ->text()
                    .startsWith(QStringLiteral("1  ")));
        QCOMPARE(profile->pos(), f.plot.mapToGlobal(QPoint(g[0].toInt() + 10, g[1].toInt() + 35)));
        QCOMPARE(f.env.scalar(TDM::ACN2, QStringLiteral("SELECT F1 FROM DCHART WHERE SCO = 1")),
                 QStringLiteral("1"));
        QTest::mouseClick(Control<QLabel>(*profile, QStringLiteral("Caption3")), Qt::LeftButton);
        QTRY_COMPARE(f.plot.popups().size(), 0);
        QCOMPARE(f.env.scalar(TDM::ACN2, QStringLiteral("SELECT F1 FROM DCHART WHERE SCO = 1")),
                 QStringLiteral("0"));
        Control<QAction>(f.plot, QStringLiteral("mnProfile"))->trigger();
        QCOMPARE(f.plot.popups().size(), 1);

        // The other kinds open beside it, one each; the pay shows the employee's amounts.
        Control<QAction>(f.plot, QStringLiteral("mnJinji"))->trigger();
        Control<QAction>(f.plot, QStringLiteral("mnCarya"))->trigger();
        Control<QAction>(f.plot, QStringLiteral("mnSalary"))->trigger();
        Control<QAction>(f.plot, QStringLiteral("mnSalary"))->trigger();
        QCOMPARE(f.plot.popups().size(), 4);
        TWS1101* pay = f.plot.popups().last();
        QCOMPARE(pay->windowTitle(), QStringLiteral("4.賃金情報"));
        const QString scheduled = f.env.scalar(
            TDM::ACN2,
            QStringLiteral(
                "SELECT SYOTEI FROM MSYAIN2 WHERE KCO = 1 AND NENDO = 2023 AND SCO = 1"));
        QCOMPARE(Control<QLabel>(*pay, QStringLiteral("Caption3"))->text(),
                 QLocale(QLocale::English).toString(scheduled.toLongLong()) +
                     QStringLiteral(" 円"));
        TWS1101* career = f.plot.popups()[2];
        QCOMPARE(Control<QLabel>(*career, QStringLiteral("labTitle3"))->text(),
                 QStringLiteral("号　俸　:"));
        QVERIFY(Control<QLabel>(*career, QStringLiteral("Caption3"))
                    ->text()
                    .endsWith(QStringLiteral(" 号")));

        // Leaving the window closes them all and clears their marks in the points.
        Control<QAction>(f.plot, QStringLiteral("mnEnd"))->trigger();
        QTRY_COMPARE(f.plot.popups().size(), 0);
        QVERIFY(!f.plot.isVisible());
        QCOMPARE(f.plot.chartNo(), 0);
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM DCHART WHERE F1 + F2 + F3 + F4 > 0")),
                 0);
    }

    void rightClickOnTheBackgroundOpensTheWindowMenu() {
        PlotFixture f;
        f.analyse();
        const QPoint empty(f.plot.model().frame.left + 3, f.plot.model().frame.top + 3);
        QTest::mouseClick(&f.plot, Qt::RightButton, {}, empty);
        QTRY_VERIFY(Control<QMenu>(f.plot, QStringLiteral("PopupMenu2"))->isVisible());
        QCOMPARE(Control<QMenu>(f.plot, QStringLiteral("PopupMenu2"))->pos(),
                 f.plot.mapToGlobal(empty));
        Control<QMenu>(f.plot, QStringLiteral("PopupMenu2"))->hide();
        QVERIFY(!Control<QMenu>(f.plot, QStringLiteral("PopupMenu1"))->isVisible());
    }

    void analysisWindowShowsCountsAndMeans() {
        PlotFixture f;
        f.analyse();
        Control<QAction>(f.plot, QStringLiteral("mnAnalize"))->trigger();
        TWS1102* w = Control<TWS1102>(f.plot, QStringLiteral("WS1102"));
        QVERIFY(w->isVisible());
        // Six marks are used: the total count on the second count line.
        const int employees = f.count(QStringLiteral(
            "SELECT COUNT(*) FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023 AND MCO BETWEEN 1 AND 6 "
            "AND TOUKYU BETWEEN 1 AND 9"));
        QCOMPARE(Control<QLabel>(*w, QStringLiteral("Caption2"))->text(),
                 QStringLiteral("全体:%1").arg(employees));
        QCOMPARE(Control<QLabel>(*w, QStringLiteral("labTitle1"))->text(),
                 QStringLiteral("プロット数 :"));
        QVERIFY(Control<QLabel>(*w, QStringLiteral("Caption1"))
                    ->text()
                    .startsWith(QStringLiteral("■:")));
        QVERIFY(Control<QLabel>(*w, QStringLiteral("Caption8"))
                    ->text()
                    .startsWith(QStringLiteral("全体:")));
        QVERIFY(Control<QLabel>(*w, QStringLiteral("Caption8"))
                    ->text()
                    .endsWith(QStringLiteral("円  ")));
        QTest::mouseClick(w, Qt::LeftButton);
        QVERIFY(!w->isVisible());
    }

    void copyPutsThePlotAreaOnTheClipboard() {
        PlotFixture f;
        f.analyse();
        Control<QAction>(f.plot, QStringLiteral("mnCopy"))->trigger();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), f.plot.model().frame.plotArea().size());
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
                 f.plot.picture().convertToFormat(QImage::Format_RGB32));
    }

    void printsThePageThroughThePrintDialog() {
        PlotFixture f;
        f.openScreen();
        Control<QLineEdit>(f.screen, QStringLiteral("txtTitle"))
            ->setText(QStringLiteral("O'Brien の賃金"));
        Control<QPlainTextEdit>(f.screen, QStringLiteral("Memo1"))
            ->setPlainText(QString(95, QLatin1Char('a')) + QStringLiteral("END"));
        f.analyse();
        const QString pdf = f.env.appDir() + QStringLiteral("plot.pdf");
        f.env.dialogs.printToPdf = pdf;

        // Cancelled: nothing printed, no picture kept.
        f.env.dialogs.printAnswer = false;
        Control<QAction>(f.plot, QStringLiteral("mnPrint"))->trigger();
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(!QFile::exists(f.env.dataDir() + QStringLiteral("SDX3W1.bmp")));

        f.env.dialogs.printAnswer = true;
        Control<QAction>(f.plot, QStringLiteral("mnPrint"))->trigger();
        QVERIFY(QFile::exists(pdf));
        // pdftotext lays out blanks its own way: compare without them.
        QString text = pdfText(pdf);
        text.remove(QRegularExpression(QStringLiteral("\\s")));
        for (const QString& expected :
             {QStringLiteral("2024年6月15日"), QStringLiteral("サンプル企業"),
              QStringLiteral("O'Brienの賃金"), QStringLiteral("年齢勤続"),
              QStringLiteral("ＸＹ座標"), QStringLiteral("基本給"), QStringLiteral("Ｘ平均値"),
              QStringLiteral("Ｙ平均値"), QStringLiteral("全体:"), QStringLiteral("等級選択"),
              QStringLiteral("１等級"), QStringLiteral("９等級"), QStringLiteral("【解説】"),
              QString(40, QLatin1Char('A')), QStringLiteral("AEND"), QStringLiteral("凡例"),
              QStringLiteral("男子営業")})
            QVERIFY2(text.contains(expected), qPrintable(expected));
        QVERIFY(!text.contains(QLatin1Char('a')) || !text.contains(QString(40, QLatin1Char('a'))));

        // The picture is kept as DATA/SDX3W<n>.bmp, n cycling 1 to 11.
        QImage kept(f.env.dataDir() + QStringLiteral("SDX3W1.bmp"));
        QCOMPARE(kept.size(), f.plot.model().frame.plotArea().size());
        QCOMPARE(state().PlotPrintNo, 2);
        state().PlotPrintNo = 11;
        f.click(&f.plot, QStringLiteral("btnPrint"));
        QVERIFY(QFile::exists(f.env.dataDir() + QStringLiteral("SDX3W11.bmp")));
        QCOMPARE(state().PlotPrintNo, 1);
        VERIFY_MESSAGES(f.env.messages);
    }

    void backShowsTheScreenAndItsCloseClosesThePlot() {
        PlotFixture f;
        f.analyse();
        QVERIFY(!f.screen.isVisible());
        bool screenShown = false;
        QTimer::singleShot(0, [&] {
            screenShown = f.screen.isVisible() && f.plot.isVisible();
            f.click(&f.screen, QStringLiteral("btnClose"));
        });
        f.click(&f.plot, QStringLiteral("btnBack"));
        QVERIFY(screenShown);
        QVERIFY(!f.screen.isVisible());
        QVERIFY(!f.plot.isVisible());
        QCOMPARE(f.plot.chartNo(), 0);
    }

    // A size that leaves the plot area as it was (a window resized and back before the size
    // settles, a frame that moves) places nothing again: the 10,000 marks of a large company
    // are placed, written back and painted once. A new size places them anew once it settles.
    void theWindowPlacesItsMarksAgainOnlyForANewSize() {
        PlotFixture f;
        f.analyse();
        const auto frameFits = [&f] {
            const ChartFrame now =
                FrameForPicture(f.plot.width() - ChartFrame::PanelWidth, f.plot.height());
            return f.plot.model().frame.windowWidth == now.windowWidth &&
                   f.plot.model().frame.windowHeight == now.windowHeight;
        };
        QTRY_VERIFY(frameFits());
        QTest::qWait(300); // the platform's own resizes settled
        // The places as written back, marked to see whether they are written again.
        const QString marked = QStringLiteral("SELECT COUNT(*) FROM DCHART WHERE GTOP = -999");
        f.env.exec(TDM::ACN2, QStringLiteral("UPDATE DCHART SET GTOP = -999"));
        const int points = f.count(marked);
        QVERIFY(points > 0);
        const QSize size = f.plot.size();
        f.plot.resize(size - QSize(40, 20));
        f.plot.resize(size);
        QTest::qWait(400);
        QCOMPARE(f.count(marked), points);
        QVERIFY(frameFits());

        const QPoint before = *f.plot.markCentre(1);
        f.plot.resize(size - QSize(200, 100));
        QTRY_VERIFY(frameFits());
        QCOMPARE(f.count(marked), 0);
        QVERIFY(*f.plot.markCentre(1) != before);
    }

    void theWindowFollowsTheEmployees() {
        PlotFixture f;
        f.analyse();
        const qsizetype before = f.plot.model().points.size();
        QVERIFY(f.plot.markCentre(1));
        // The store tells the open window, as the employee screen's deletion does.
        QVERIFY(DeleteEmployee({1, 2023}, 1));
        QCOMPARE(f.plot.model().points.size(), before - 1);
        QVERIFY(!f.plot.markCentre(1));
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM DCHART")), int(before - 1));

        f.env.project.close();
        QVERIFY(!f.plot.isVisible());
    }

    void theWindowDrawsWhatTheCommandLineDraws() {
        PlotFixture f;
        f.analyse(QStringLiteral("optYKihon"), QSize(1273, 800));
        const QRect area = f.plot.model().frame.plotArea();
        QCOMPARE(area.size(), QSize(1200, 800));
        const QImage window = f.plot.grab(area).toImage().convertToFormat(QImage::Format_RGB32);
        const QString png = f.env.appDir() + QStringLiteral("cli.png");
        const CliRun run = runCli(
            {QStringLiteral("--data"), f.env.appDir(), QStringLiteral("plot"),
             QStringLiteral("--company"), QStringLiteral("1"), QStringLiteral("--year"),
             QStringLiteral("2023"), QStringLiteral("--chart"), QStringLiteral("1010"),
             QStringLiteral("--png"), png, QStringLiteral("--size"), QStringLiteral("1200x800")});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QImage cli = QImage(png).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(cli.size(), window.size());
        int differing = 0;
        for (int y = 0; y < cli.height(); ++y)
            for (int x = 0; x < cli.width(); ++x)
                differing += cli.pixel(x, y) != window.pixel(x, y);
        QCOMPARE(differing, 0);
    }
};

QTEST_MAIN(TestWS1100)
#include "test_ws1100.moc"
