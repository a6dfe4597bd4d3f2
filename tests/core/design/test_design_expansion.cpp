// The designs expanded into one row per X value, and the CSV file written from the rows.

#include "core/design/DesignExpansion.h"
#include "core/masters/Cp932.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

DesignPoints design(std::initializer_list<std::pair<int, qint64>> points) {
    DesignPoints d;
    int p = 1;
    for (const auto& [x, amount] : points) {
        d.x[size_t(p)] = x;
        d.amount[size_t(p)] = amount;
        ++p;
    }
    return d;
}

const DesignRow& rowAt(const QVector<DesignRow>& rows, int x) {
    for (const DesignRow& r : rows)
        if (r.x == x)
            return r;
    qFatal("no row at %d", x);
}

QStringList csvLines(const QByteArray& bytes) {
    QString text;
    if (!Cp932::decode(bytes, text))
        qFatal("not CP932");
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class TestDesignExpansion : public QObject {
    Q_OBJECT
private slots:
    void threePointsRiseByRoundedIncrements() {
        const QVector<DesignRow> rows =
            ExpandDesign(1, design({{20, 180000}, {30, 230000}, {40, 260000}}));
        QCOMPARE(rows.size(), 21);
        QCOMPARE(rows.first().no, 1);
        QCOMPARE(rows.first().x, 20);
        QCOMPARE(rows.last().x, 40);
        for (int age = 21; age <= 30; ++age)
            QCOMPARE(rowAt(rows, age).amount, 180000 + 5000 * (age - 20));
        for (int age = 31; age <= 40; ++age)
            QCOMPARE(rowAt(rows, age).amount, 230000 + 3000 * (age - 30));
        QCOMPARE(rowAt(rows, 20).index, 100);
        QCOMPARE(rowAt(rows, 30).index, 128);
        QCOMPARE(rowAt(rows, 40).index, 144);
        QCOMPARE(rowAt(rows, 20).rateHundredths, 278);
        QCOMPARE(rowAt(rows, 20).increase, 5000);
        QCOMPARE(rowAt(rows, 35).increase, 3000);
        QCOMPARE(rowAt(rows, 40).increase, 0);
        QCOMPARE(rowAt(rows, 40).rateHundredths, 0);
    }

    // 10,001 over 3 steps: 3,330 a step, the row before the point takes the remaining 3,341.
    void roundingRemainderGoesToTheRowBeforeThePoint() {
        const QVector<DesignRow> rows = ExpandDesign(2, design({{20, 200000}, {23, 210001}}));
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rowAt(rows, 21).amount, 203330);
        QCOMPARE(rowAt(rows, 22).amount, 206660);
        QCOMPARE(rowAt(rows, 20).increase, 3330);
        QCOMPARE(rowAt(rows, 21).increase, 3330);
        QCOMPARE(rowAt(rows, 22).increase, 3341);
        QCOMPARE(rowAt(rows, 23).amount, 210001);
        QCOMPARE(rows.first().design, 2);
        // A falling segment rounds half away from zero: -25 a step becomes -30.
        const QVector<DesignRow> down = ExpandDesign(1, design({{30, 1000}, {32, 950}}));
        QCOMPARE(rowAt(down, 30).increase, -30);
        QCOMPARE(rowAt(down, 31).amount, 970);
        QCOMPARE(rowAt(down, 31).increase, -20);
    }

    void degenerateDesigns() {
        // One point: one row, index 100, no rate.
        QVector<DesignRow> rows = ExpandDesign(1, design({{25, 190000}}));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].index, 100);
        QCOMPARE(rows[0].rateHundredths, 0);
        QCOMPARE(rows[0].increase, 0);
        // The same X twice: one row, no increment; the later point counts.
        rows = ExpandDesign(1, design({{25, 190000}, {25, 200000}}));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].increase, 0);
        QCOMPARE(rows[0].amount, 200000);
        // Nothing typed, or amounts without any X value: no rows.
        QVERIFY(ExpandDesign(1, DesignPoints()).isEmpty());
        QVERIFY(ExpandDesign(1, design({{0, 150000}})).isEmpty());
        // A first amount of 0 gives index 0 everywhere rather than a division by zero.
        rows = ExpandDesign(1, design({{20, 0}, {22, 1000}}));
        QCOMPARE(rows[1].index, 0);
        QCOMPARE(rows[0].rateHundredths, 0);
    }

    // An empty point between filled ones is skipped, and points typed out of order are taken
    // in increasing X order: both give the rows of the tidy design.
    void gapsAndDisorderAreNormalised() {
        const QVector<DesignRow> tidy =
            ExpandDesign(3, design({{20, 180000}, {30, 230000}, {40, 260000}}));
        QCOMPARE(
            ExpandDesign(3, design({{20, 180000}, {0, 0}, {30, 230000}, {0, 55}, {40, 260000}})),
            tidy);
        QCOMPARE(ExpandDesign(3, design({{40, 260000}, {20, 180000}, {30, 230000}})), tidy);
    }

    void randomDesignsKeepTheirProperties() {
        QRandomGenerator random(20231);
        for (int round = 0; round < 2000; ++round) {
            DesignPoints d;
            QMap<int, qint64> byX; // the later point of an X value counts
            for (int p = 1; p <= 6; ++p) {
                if (random.bounded(5) == 0)
                    continue; // an empty point
                const int x = random.bounded(1, 100);
                const qint64 amount = random.bounded(0, 2000000) - (round % 7 == 0 ? 500000 : 0);
                d.x[size_t(p)] = x;
                d.amount[size_t(p)] = amount;
                byX[x] = amount;
            }
            const QVector<DesignRow> rows = ExpandDesign(1, d);
            if (byX.isEmpty()) {
                QVERIFY(rows.isEmpty());
                continue;
            }
            const int lo = byX.firstKey(), hi = byX.lastKey();
            QCOMPARE(rows.size(), hi - lo + 1);
            for (qsizetype r = 0; r < rows.size(); ++r) {
                const DesignRow& row = rows[r];
                QCOMPARE(row.no, int(r + 1));
                QCOMPARE(row.x, lo + int(r));
                if (byX.contains(row.x))
                    QCOMPARE(row.amount, byX[row.x]);
                const bool last = r == rows.size() - 1;
                const bool beforePoint = !last && byX.contains(row.x + 1);
                if (!beforePoint && !last)
                    QCOMPARE(row.increase % 10, 0);
                if (!last)
                    QCOMPARE(rows[r + 1].amount, row.amount + row.increase);
                if (rows[0].amount != 0 && r == 0)
                    QCOMPARE(row.index, 100);
                if (last)
                    QCOMPARE(row.rateHundredths, 0);
            }
        }
    }

    void csvOfTwoDesignsOfDifferentLengths() {
        std::array<DesignPoints, DesignCount + 1> designs;
        designs[1] = design({{20, 180000}, {23, 195000}});
        designs[3] = design({{30, 250000}});
        const DesignCsvEncoding csv =
            EncodeDesignCsv(QStringLiteral("モデル昇給"), ExpandDesigns(designs));
        QVERIFY(csv.ok);
        QVERIFY(csv.bytes.endsWith("\r\n"));
        QVERIFY(!csv.bytes.contains("\n\n"));
        const QStringList lines = csvLines(csv.bytes);
        QCOMPARE(lines.size(), 3 + 4 + 1);
        QCOMPARE(lines[0], QStringLiteral("モデル昇給"));
        QCOMPARE(lines[1], QStringLiteral(",設計１,,,設計２,,,設計３,,,設計４,,,設計５,"));
        QCOMPARE(lines[3], QStringLiteral("20,180000,100,0,0,0,30,250000,100,0,0,0,0,0,0"));
        QCOMPARE(lines[4], QStringLiteral("21,185000,103,0,0,0,0,0,0,0,0,0,0,0,0"));
        QCOMPARE(lines[6], QStringLiteral("23,195000,108,0,0,0,0,0,0,0,0,0,0,0,0"));
        // Averages: (180,000 + 185,000 + 190,000 + 195,000) / 4 and 15,000 / 3; one row has no
        // increment.
        QCOMPARE(lines[7], QStringLiteral("平均,187500,5000,,,,平均,250000,,,,,,,"));
    }

    void csvRefusesATitleCp932CannotHold() {
        std::array<DesignPoints, DesignCount + 1> designs;
        designs[1] = design({{20, 180000}});
        const DesignCsvEncoding csv =
            EncodeDesignCsv(QStringLiteral("昇給🙂案"), ExpandDesigns(designs));
        QVERIFY(!csv.ok);
        QVERIFY(csv.problem.contains(QStringLiteral("🙂")));
        QVERIFY(csv.bytes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDesignExpansion)
#include "test_design_expansion.moc"
