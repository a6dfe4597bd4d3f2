// Rules joined for drawing: a table's cell edges that continue or repeat each other become
// one stroke, and nothing that shows differently is joined or lost.

#include "core/report/ReportRules.h"

#include <QtTest>
#include <algorithm>

namespace {

ReportLine rule(int x1, int y1, int x2, int y2, int width = 0, int style = 0) {
    ReportLine l;
    l.from = QPoint(x1, y1);
    l.to = QPoint(x2, y2);
    l.width = width;
    l.style = style;
    return l;
}

// A rule as text, its ends in order, so that lists compare whatever the direction drawn.
QString text(const ReportLine& l) {
    QPoint a = l.from, b = l.to;
    if (std::tie(b.rx(), b.ry()) < std::tie(a.rx(), a.ry()))
        std::swap(a, b);
    return QStringLiteral("%1,%2-%3,%4 w%5 s%6")
        .arg(a.x())
        .arg(a.y())
        .arg(b.x())
        .arg(b.y())
        .arg(l.width)
        .arg(l.style);
}

QStringList sorted(const QVector<ReportLine>& lines) {
    QStringList out;
    for (const ReportLine& l : lines)
        out << text(l);
    out.sort();
    return out;
}

} // namespace

class TestReportRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void joinsWhatContinuesOnOneLine_data() {
        QTest::addColumn<QVector<ReportLine>>("in");
        QTest::addColumn<QStringList>("out");
        QTest::newRow("a table's rows: edges repeat, columns continue")
            << QVector<ReportLine>{rule(0, 0, 100, 0),   rule(0, 50, 100, 50),
                                   rule(0, 0, 0, 50),    rule(100, 0, 100, 50),
                                   rule(0, 50, 100, 50), rule(0, 100, 100, 100),
                                   rule(0, 50, 0, 100),  rule(100, 50, 100, 100)}
            << QStringList{"0,0-0,100 w0 s0", "0,0-100,0 w0 s0", "0,100-100,100 w0 s0",
                           "0,50-100,50 w0 s0", "100,0-100,100 w0 s0"};
        QTest::newRow("drawn backwards and overlapping")
            << QVector<ReportLine>{rule(300, 10, 100, 10), rule(50, 10, 150, 10),
                                   rule(250, 10, 400, 10)}
            << QStringList{"50,10-400,10 w0 s0"};
        QTest::newRow("a gap stays a gap")
            << QVector<ReportLine>{rule(0, 10, 100, 10), rule(101, 10, 200, 10)}
            << QStringList{"0,10-100,10 w0 s0", "101,10-200,10 w0 s0"};
        QTest::newRow("widths are not mixed")
            << QVector<ReportLine>{rule(0, 10, 100, 10, 0), rule(100, 10, 200, 10, 30)}
            << QStringList{"0,10-100,10 w0 s0", "100,10-200,10 w30 s0"};
        QTest::newRow("parallel rules stay apart")
            << QVector<ReportLine>{rule(0, 10, 100, 10), rule(0, 11, 100, 11), rule(5, 0, 5, 9),
                                   rule(6, 0, 6, 9)}
            << QStringList{"0,10-100,10 w0 s0", "0,11-100,11 w0 s0", "5,0-5,9 w0 s0",
                           "6,0-6,9 w0 s0"};
        QTest::newRow("dashed, dotted and slanted rules as drawn")
            << QVector<ReportLine>{rule(0, 10, 100, 10, 0, 1), rule(100, 10, 200, 10, 0, 1),
                                   rule(0, 20, 100, 20, 0, 2), rule(0, 0, 100, 100),
                                   rule(0, 0, 100, 100)}
            << QStringList{"0,0-100,100 w0 s0", "0,0-100,100 w0 s0", "0,10-100,10 w0 s1",
                           "0,20-100,20 w0 s2", "100,10-200,10 w0 s1"};
    }
    void joinsWhatContinuesOnOneLine() {
        QFETCH(QVector<ReportLine>, in);
        QFETCH(QStringList, out);
        QCOMPARE(sorted(JoinRules(in)), out);
    }

    // Drawn pen by pen: every rule of one width and style comes before the next pen's.
    void rulesComeGroupedByPen() {
        const QVector<ReportLine> joined =
            JoinRules({rule(0, 0, 10, 0, 30), rule(0, 5, 10, 5, 0, 2), rule(0, 9, 10, 9, 0),
                       rule(0, 0, 0, 10, 30), rule(0, 7, 10, 7, 0, 2), rule(3, 0, 3, 10, 0)});
        QSet<QPair<int, int>> done;
        QPair<int, int> current{-1, -1};
        for (const ReportLine& l : joined) {
            const QPair<int, int> pen{l.width, l.style};
            if (pen != current) {
                QVERIFY2(!done.contains(pen), qPrintable(text(l)));
                done.insert(current);
                current = pen;
            }
        }
        QCOMPARE(joined.size(), 6);
    }

    void nothingInNothingOut() { QVERIFY(JoinRules({}).isEmpty()); }
};

QTEST_GUILESS_MAIN(TestReportRules)
#include "test_report_rules.moc"
