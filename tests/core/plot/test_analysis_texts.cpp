// Counts and means of the analysis window and the printed page, the pop-up rows of an
// employee, and the printed page's texts and places.

#include "core/plot/AnalysisTexts.h"
#include "core/plot/PlotPage.h"
#include "core/plot/PointPopup.h"

#include <QtTest>

namespace {

const char* const Symbols[] = {"", "■", "□", "●", "○", "▲", "△"};

std::array<TMMARK, 7> marks() {
    std::array<TMMARK, 7> m;
    for (int k = 1; k <= 6; ++k)
        m[size_t(k)].MARK = QString::fromUtf8(Symbols[k]);
    return m;
}

// Marks 1..n each with `count` points at X 30 and Y 20 万円.
MarkStatistics statsOf(int n, int count = 2) {
    MarkStatistics s;
    for (int k = 1; k <= n; ++k) {
        s.count[size_t(k)] = count;
        s.sumX[size_t(k)] = 30 * count;
        s.sumY[size_t(k)] = Currency::fromInt(20 * count);
        s.totalCount += count;
        s.totalX += 30 * count;
        s.totalY += Currency::fromInt(20 * count);
    }
    return s;
}

// On which line (0, 1, 2) the totals went, or -1.
int totalLine(const auto& lines) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].contains(QStringLiteral("全体:")))
            return int(i);
    return -1;
}

} // namespace

class TestAnalysisTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void countsAndTotals() {
        MarkStatistics s;
        s.count[1] = 3;
        s.count[2] = 5;
        s.sumX[1] = 90;
        s.sumX[2] = 201; // 40.2
        s.totalCount = 8;
        s.totalX = 291; // 36.375
        const AnalysisTexts t = MakeAnalysisTexts(s, marks(), 1);
        QCOMPARE(t.counts[0], QStringLiteral("■:3  □:5  全体:8"));
        QCOMPARE(t.xMeans[0], QStringLiteral("■:30  □:40  全体:36"));
        QVERIFY(t.counts[1].isEmpty());

        // One mark: no totals.
        MarkStatistics one;
        one.count[4] = 2;
        one.totalCount = 2;
        QCOMPARE(MakeAnalysisTexts(one, marks(), 1).counts[0], QStringLiteral("○:2  "));
        // No points: nothing.
        QVERIFY(MakeAnalysisTexts(MarkStatistics(), marks(), 1).counts[0].isEmpty());
    }

    void yMeansInYenRoundedToTens() {
        MarkStatistics s;
        s.count[1] = 1;
        s.sumY[1] = Currency::fromString(QStringLiteral("23.4567"));
        s.totalCount = 1;
        s.totalY = s.sumY[1];
        QCOMPARE(MakeAnalysisTexts(s, marks(), 1).yMeans[0], QStringLiteral("■:234,570円  "));
        // The payment ratio keeps one decimal.
        s.sumY[1] = Currency::fromString(QStringLiteral("2.35"));
        QCOMPARE(MakeAnalysisTexts(s, marks(), 5).yMeans[0], QStringLiteral("■:2.4倍  "));
    }

    void linesTheTotalsGoTo_data() {
        QTest::addColumn<int>("marksUsed");
        QTest::addColumn<int>("countLine");
        QTest::addColumn<int>("yenLine");
        QTest::addColumn<int>("ratioLine");
        QTest::newRow("2") << 2 << 0 << 0 << 0;
        QTest::newRow("3") << 3 << 0 << 1 << 0;
        QTest::newRow("5") << 5 << 0 << 1 << 1;
        QTest::newRow("6") << 6 << 1 << 2 << 2;
    }
    void linesTheTotalsGoTo() {
        QFETCH(int, marksUsed);
        QFETCH(int, countLine);
        QFETCH(int, yenLine);
        QFETCH(int, ratioLine);
        const MarkStatistics s = statsOf(marksUsed);
        const AnalysisTexts yen = MakeAnalysisTexts(s, marks(), 1);
        QCOMPARE(totalLine(yen.counts), countLine);
        QCOMPARE(totalLine(yen.xMeans), countLine);
        QCOMPARE(totalLine(yen.yMeans), yenLine);
        QCOMPARE(totalLine(MakeAnalysisTexts(s, marks(), 5).yMeans), ratioLine);
        // Marks 4 to 6 start the second Y line; every count stays on the first.
        QCOMPARE(yen.yMeans[1].startsWith(QStringLiteral("○:")), marksUsed >= 4);
        QCOMPARE(yen.counts[0].count(QLatin1Char(':')), marksUsed + (countLine == 0 ? 1 : 0));
        QVERIFY(yen.yMeans[yenLine].endsWith(QStringLiteral("全体:200,000円  ")));

        const AnalysisPanel p = WagePlotAnalysis(yen);
        QCOMPARE(p.titles[6], QStringLiteral("Ｙ軸平均　 :"));
        QCOMPARE(p.values[6 + yenLine], yen.yMeans[size_t(yenLine)]);
    }

    void popupRows() {
        PopupEmployee e;
        e.pay.sco = 12;
        e.pay.age = 41;
        e.pay.grade = 0;
        e.pay.step = 17;
        e.pay.baseItems = {Currency(), Currency::fromInt(150000), Currency::fromInt(90000),
                           Currency()};
        e.pay.wageLink = 1;
        e.pay.tableAmount = Currency::fromInt(60000);
        e.pay.scheduled = Currency::fromInt(310000);
        e.pay.bonus1 = Currency::fromInt(500000);
        e.pay.bonus2 = Currency::fromInt(420000);
        e.allowances[1] = Currency::fromInt(10000);
        e.allowances[5] = Currency::fromInt(5000);
        std::array<QString, 10> grades;
        grades[2] = QStringLiteral("主任");

        const PopupContent pay = MakePopupContent(4, e, grades, 0);
        QCOMPARE(pay.caption, QStringLiteral("4.賃金情報"));
        QCOMPARE(pay.values[1], QStringLiteral("150,000 円")); // 60,000 + 90,000: item 1 linked
        QCOMPARE(pay.values[2], QStringLiteral("15,000 円"));
        QCOMPARE(pay.values[4], QStringLiteral("920,000 円"));
        QCOMPARE(pay.values[5], QStringLiteral("4,640,000 円"));

        const PopupContent career = MakePopupContent(3, e, grades, 6);
        QCOMPARE(career.values[2], QString()); // grade 0 has no name
        QCOMPARE(career.values[3], QStringLiteral("17 号"));
        QCOMPARE(career.values[4], QStringLiteral("6 年"));
        e.pay.grade = 2;
        QCOMPARE(MakePopupContent(3, e, grades, 6).values[2], QStringLiteral("主任"));
        QCOMPARE(MakePopupContent(1, e, grades, 0).values[2], QStringLiteral("41 歳"));
        QVERIFY(MakePopupContent(2, e, grades, 0).titles[5].isEmpty());
        QCOMPARE(PopupBand(12, QStringLiteral("橋本　学")), QStringLiteral("12  橋本　学"));
    }

    void printedPage() {
        PlotPageInput in;
        in.chartNo = 1010;
        in.today = QDate(2024, 6, 15);
        in.year = 2023;
        in.companyName = QStringLiteral("サンプル企業");
        in.title = QStringLiteral("賃金'分布");
        in.baseDate = 20230401;
        in.xTitle = QStringLiteral("年　齢");
        in.yTitle = QStringLiteral("基本給");
        in.grades[1] = in.grades[2] = in.grades[7] = true;
        in.explanation = QString(60, QLatin1Char('x')) + QString(40, QChar(u'漢'));
        const PlotPage page = BuildPlotPage(in);
        auto at = [&page](int x, int y) {
            for (const PageText& t : page.texts)
                if (t.at == QPoint(x, y))
                    return t.text;
            return QStringLiteral("<none>");
        };
        QCOMPARE(at(3550, 280), QStringLiteral("2024 年  6 月  15 日"));
        QCOMPARE(at(550, 400), QStringLiteral("2023 年度  :  サンプル企業　　様"));
        QCOMPARE(at(2500, 720), QStringLiteral("賃金'分布"));
        QCOMPARE(at(850, 1000), QStringLiteral("2023 年  4 月  1 日時点"));
        QCOMPARE(at(850, 1100), QStringLiteral("Ｘ軸： 年　齢 、　Ｙ軸：　基本給"));
        QCOMPARE(at(450, 1500), QStringLiteral("等級選択"));
        QCOMPARE(at(850, 1500), QStringLiteral("１等級  ２等級  ７等級  "));
        QCOMPARE(at(450, 4850), QStringLiteral("【解説】"));
        // 100 characters: lines of 40, 40 and 20 in upper case.
        QCOMPARE(at(600, 5100), QString(40, QLatin1Char('X')));
        QCOMPARE(at(600, 5240), QString(20, QLatin1Char('X')) + QString(20, QChar(u'漢')));
        QCOMPARE(at(600, 5380), QString(20, QChar(u'漢')));
        QCOMPARE(at(600, 5520), QStringLiteral("<none>"));
        QCOMPARE(page.picture, QRect(QPoint(470, 1720), QPoint(4480, 4730)));

        // Six marks: the overall Y mean goes on the row below, or it runs off the page.
        in.analysis = MakeAnalysisTexts(statsOf(6), marks(), 1);
        const PlotPage six = BuildPlotPage(in);
        auto sixAt = [&six](int y) {
            for (const PageText& t : six.texts)
                if (t.at == QPoint(850, y))
                    return t.text;
            return QStringLiteral("<none>");
        };
        QVERIFY(!sixAt(1300).contains(QStringLiteral("全体")));
        QVERIFY(sixAt(1400).startsWith(QStringLiteral("全体:")));
        in.analysis = MakeAnalysisTexts(statsOf(5), marks(), 1);
        const PlotPage five = BuildPlotPage(in);
        for (const PageText& t : five.texts)
            QVERIFY(t.at.y() != 1400);
        in.analysis = {};

        QCOMPARE(BaseDateText(0, 0, in.today), QStringLiteral("     年     月     日時点"));
        QCOMPARE(BaseDateText(1, 20230401, in.today), QStringLiteral("2024年6月15日時点"));
        // A comparison chart shows counts and starts its frame lower.
        in.chartNo = 1030;
        const PlotPage comparison = BuildPlotPage(in);
        QCOMPARE(comparison.picture.top(), 1820);
        bool counts = false;
        for (const PageText& t : comparison.texts)
            counts = counts || (t.text == QStringLiteral("データ数") && t.at == QPoint(450, 1200));
        QVERIFY(counts);
    }
};

QTEST_GUILESS_MAIN(TestAnalysisTexts)
#include "test_analysis_texts.moc"
