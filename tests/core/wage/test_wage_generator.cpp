// The arithmetic of the wage table: the least-squares parabola, the two curve methods, the
// salary-scale figures, and properties every generated table must keep.

#include "core/plot/LeastSquares.h"
#include "core/wage/WageTableGenerator.h"
#include "core/wage/WageTableTexts.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

using Points = std::array<KeyPoint, 4>;

WageTableDefinition oneGrade(CurveMethod method, const Points& points, int rounding = 0,
                             const char* rate = "1") {
    WageTableDefinition d;
    d.head.gradeCount = 1;
    d.head.method = method;
    d.head.rounding = rounding;
    CurveSet& set = method == CurveMethod::ThirdOrder ? d.third : d.second;
    set.rate = Currency::fromString(QString::fromLatin1(rate));
    set.grades[1].points = points;
    return d;
}

WageTable generate(const WageTableDefinition& d) {
    const std::optional<WageTable> t = GenerateWageTable(d);
    if (!t)
        qFatal("no table generated");
    return *t;
}

// Amounts of grade g from the first row on.
QList<qint64> column(const WageTable& t, int g) {
    QList<qint64> out;
    for (const WageTableRow& r : t.rows)
        out << r.amount[size_t(g)];
    return out;
}

qint64 amountAt(const WageTable& t, int g, int step) {
    for (const WageTableRow& r : t.rows)
        if (r.step == step)
            return r.amount[size_t(g)];
    qFatal("no row for step %d", step);
}

// The parabola through three points by Lagrange's formula, truncated: an independent reference
// for the fit, exact in rational arithmetic.
Int128 lagrangeTruncated(const std::array<std::pair<int, Int128>, 3>& p, int s) {
    Int128 num = 0;
    Int128 den = 1;
    for (size_t i = 0; i < 3; ++i) {
        Int128 n = p[i].second;
        Int128 d = 1;
        for (size_t j = 0; j < 3; ++j)
            if (j != i) {
                n *= s - p[j].first;
                d *= p[i].first - p[j].first;
            }
        num = num * d + n * den;
        den *= d;
    }
    return DivTrunc(num, den);
}

} // namespace

class TestWageGenerator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void quadraticFit() {
        // On y = 2 + 0.5x + 0.01x² (currency units) at distinct x: the curve itself.
        QVector<FitPoint> on;
        for (int x = 0; x <= 10; ++x)
            on.append({x, 20000 + 5000 * x + 100 * x * x});
        QuadraticFit f = FitQuadratic(on, Currency::Scale);
        QCOMPARE(qint64(f.a), 200000);
        QCOMPARE(qint64(f.b), 50000);
        QCOMPARE(qint64(f.c), 1000);

        // The worked example of the wage table.
        const std::array<FitPoint, 3> example = {{{1, 200000}, {11, 250000}, {21, 290000}}};
        f = FitQuadratic(example);
        QCOMPARE(qint64(f.a), qint64(194450) * 100000);
        QCOMPARE(qint64(f.b), qint64(5600) * 100000);
        QCOMPARE(qint64(f.c), qint64(-50) * 100000);
        QCOMPARE(qint64(f.truncatedValueAt(2)), qint64(205450));

        // Points placed symmetrically around 0 still give their parabola: 100 + 3x + 2x².
        const std::array<FitPoint, 3> symmetric = {{{-10, 270}, {0, 100}, {10, 330}}};
        f = FitQuadratic(symmetric);
        QCOMPARE(double(f.a) / 100000, 100.0);
        QCOMPARE(double(f.b) / 100000, 3.0);
        QCOMPARE(double(f.c) / 100000, 2.0);

        // Coefficients round half away from zero at five decimals: y = x/8 at 0, 1 and 2
        // has b = 0.125 exactly; y = -x/3 gives -0.33333.
        const std::array<FitPoint, 3> eighth = {{{0, 0}, {8, 1}, {16, 2}}};
        QCOMPARE(qint64(FitQuadratic(eighth).b), qint64(12500));
        const std::array<FitPoint, 3> third = {{{0, 0}, {3, -1}, {6, -2}}};
        QCOMPARE(qint64(FitQuadratic(third).b), qint64(-33333));

        // Too few distinct x: the mean, or the straight line.
        const std::array<FitPoint, 3> same = {{{4, 10}, {4, 20}, {4, 60}}};
        f = FitQuadratic(same);
        QCOMPARE(qint64(f.a), qint64(30) * 100000);
        QCOMPARE(qint64(f.b), qint64(0));
        QCOMPARE(qint64(f.c), qint64(0));
        const std::array<FitPoint, 3> line = {{{1, 10}, {1, 10}, {3, 30}}};
        f = FitQuadratic(line);
        QCOMPARE(qint64(f.b), qint64(10) * 100000);
        QCOMPARE(qint64(f.c), qint64(0));
        QCOMPARE(FitQuadratic(std::span<const FitPoint>()).a, Int128(0));

        // Sums beyond 128 bits fall back to extended precision and still find the curve.
        QVector<FitPoint> huge;
        for (qint64 x : {10000000LL, 20000000LL, 30000000LL, 40000000LL})
            huge.append({x, 3 * x * 1000});
        f = FitQuadratic(huge, 1000);
        QVERIFY2(std::fabs(f.bValue() - 3.0) < 1e-4, qPrintable(QString::number(f.bValue())));
        QVERIFY(std::fabs(f.cValue()) < 1e-4);
    }

    void secondOrderWorkedExample() {
        const WageTable t = generate(
            oneGrade(CurveMethod::SecondOrder, {{{1, 200000}, {11, 250000}, {21, 290000}}}));
        QCOMPARE(t.steps.lowest, 1);
        QCOMPARE(t.steps.highest, 21);
        QCOMPARE(column(t, 1).mid(0, 6),
                 (QList<qint64>{200000, 205450, 210800, 216050, 221200, 226250}));
        QCOMPARE(amountAt(t, 1, 11), 250000);
        QCOMPARE(amountAt(t, 1, 20), 286450);
        QCOMPARE(amountAt(t, 1, 21), 290000);
        QList<qint64> indexes;
        for (const WageTableRow& r : t.rows)
            indexes << r.index[1];
        QCOMPARE(indexes.mid(0, 6), (QList<qint64>{100, 103, 105, 108, 111, 113}));
        QCOMPARE(indexes[10], 125);
        QCOMPARE(indexes.last(), 145);
        for (int g = 2; g <= 9; ++g)
            QCOMPARE(column(t, g), QList<qint64>(21, 0));
    }

    // Exactly halfway amounts go up, never down through binary noise.
    void exactDecimalArithmetic() {
        const WageTable t = generate(
            oneGrade(CurveMethod::SecondOrder, {{{1, 200000}, {11, 250000}, {21, 290000}}}, 1));
        QCOMPARE(amountAt(t, 1, 2), 205500);

        // 1.010 × 230,000 − 1.010 × 200,000 is 30,300; over two steps 15,150 → 15,200.
        const WageTable r =
            generate(oneGrade(CurveMethod::ThirdOrder,
                              {{{1, 200000}, {3, 230000}, {5, 250000}, {7, 260000}}}, 1, "1.010"));
        QCOMPARE(column(r, 1).mid(0, 3), (QList<qint64>{202000, 217200, 232300}));

        // A rated key amount: 201,234 × 1.010 = 203,246.34 → 203,200.
        const WageTable k =
            generate(oneGrade(CurveMethod::ThirdOrder,
                              {{{1, 201234}, {2, 210000}, {3, 220000}, {4, 230000}}}, 1, "1.010"));
        QCOMPARE(amountAt(k, 1, 1), 203200);
    }

    void thirdOrderWorkedExample() {
        const WageTable t = generate(oneGrade(
            CurveMethod::ThirdOrder, {{{1, 200000}, {6, 230000}, {16, 270000}, {21, 285000}}}));
        QList<qint64> expected;
        for (int s = 1; s <= 21; ++s)
            expected << (s <= 6    ? 200000 + 6000 * (s - 1)
                         : s <= 16 ? 230000 + 4000 * (s - 6)
                                   : 270000 + 3000 * (s - 16));
        QCOMPARE(column(t, 1), expected);
        QCOMPARE(t.rows.first().index[1], 100);
    }

    void thirdOrderSegments() {
        // Increments rounded to the unit: the last row before a key row may be off by more
        // than an increment, the key row itself is exact.
        const WageTable t = generate(oneGrade(
            CurveMethod::ThirdOrder, {{{1, 200000}, {4, 210000}, {5, 210000}, {8, 221000}}}, 2));
        QCOMPARE(column(t, 1),
                 (QList<qint64>{200000, 203000, 206000, 210000, 210000, 214000, 218000, 221000}));

        // Two key points on one step: a segment of no length climbs by 0.
        const WageTable same = generate(oneGrade(
            CurveMethod::ThirdOrder, {{{1, 100000}, {3, 120000}, {3, 130000}, {5, 150000}}}));
        QCOMPARE(column(same, 1), (QList<qint64>{100000, 110000, 130000, 140000, 150000}));

        // A key amount of 0 leaves its row at 0 and the next segment climbs from there.
        const WageTable zero = generate(
            oneGrade(CurveMethod::ThirdOrder, {{{1, 100000}, {3, 120000}, {5, 0}, {7, 20000}}}));
        QCOMPARE(column(zero, 1), (QList<qint64>{100000, 110000, 120000, 60000, 0, 10000, 20000}));
    }

    void gradesAndSteps() {
        // Grade 1 on steps 5..20, grade 2 on 1..30: the table runs 1..30 and grade 1 is 0
        // outside its own steps; a grade beyond the count stays 0.
        WageTableDefinition d;
        d.head.gradeCount = 2;
        d.second.grades[1].points = {{{5, 150000}, {12, 180000}, {20, 200000}}};
        d.second.grades[2].points = {{{1, 160000}, {15, 210000}, {30, 250000}}};
        d.second.grades[4].points = {{{1, 100000}, {2, 110000}, {3, 120000}}};
        WageTable t = generate(d);
        QCOMPARE(t.rows.size(), 30);
        QCOMPARE(t.rows.first().step, 1);
        QCOMPARE(t.rows.last().step, 30);
        for (const WageTableRow& r : t.rows) {
            const bool inside = r.step >= 5 && r.step <= 20;
            QCOMPARE(r.amount[1] != 0, inside);
            QCOMPARE(r.index[1] != 0, inside);
            QVERIFY(r.amount[2] != 0);
            QCOMPARE(r.amount[4], 0);
        }
        QCOMPARE(amountAt(t, 1, 5), 150000);
        QCOMPARE(amountAt(t, 1, 20), 200000);

        // A grade left all 0 gets no amounts, though its steps of 0 widen the table.
        d.head.gradeCount = 3;
        t = generate(d);
        QCOMPARE(t.rows.first().step, 0);
        QCOMPARE(column(t, 3), QList<qint64>(31, 0));
        QCOMPARE(amountAt(t, 2, 1), 160000);

        // Negative steps, and key steps symmetric around 0: the start row still holds the
        // rated start amount with index 100, the end row the rated end amount.
        for (const std::array<int, 3>& s :
             {std::array<int, 3>{-3, 5, 13}, {-10, 0, 10}, {-5, 0, 5}, {-6, 1, 5}, {40, 60, 80}}) {
            const WageTable n =
                generate(oneGrade(CurveMethod::SecondOrder,
                                  {{{s[0], 180000}, {s[1], 200000}, {s[2], 230000}}}, 0, "1.01"));
            QCOMPARE(n.rows.first().step, s[0]);
            QCOMPARE(n.rows.first().amount[1], 181800);
            QCOMPARE(n.rows.first().index[1], 100);
            QCOMPARE(amountAt(n, 1, s[1]), 202000);
            QCOMPARE(n.rows.last().amount[1], 232300);
        }

        // No grade fits the limits of a table: nothing is generated.
        d.head.gradeCount = 10;
        QVERIFY(!GenerateWageTable(d));
        GenerationFault fault;
        QVERIFY(!GenerateWageTable(d, &fault));
        QCOMPARE(FaultField(CurveMethod::SecondOrder, fault).controlName(),
                 QStringLiteral("txtTokyusu"));
        d.head.gradeCount = 1;
        d.second.grades[1].points[1].step = 81;
        QVERIFY(!GenerateWageTable(d, &fault));
        // The refusal names the field that caused it, so the screen can put the focus there.
        QCOMPARE(FaultField(CurveMethod::SecondOrder, fault).controlName(),
                 QStringLiteral("txt2Cgosu1"));
        WageTableDefinition third = oneGrade(
            CurveMethod::ThirdOrder, {{{0, 100}, {1, 200}, {2, 300}, {3, 2000000000000LL}}});
        QVERIFY(!GenerateWageTable(third, &fault));
        QCOMPARE(FaultField(CurveMethod::ThirdOrder, fault).controlName(),
                 QStringLiteral("txtEndSalary1"));
        third.third.grades[1].points[3].amount = 400;
        third.third.rate = Currency::fromInt(2000000);
        QVERIFY(!GenerateWageTable(third, &fault));
        QCOMPARE(FaultField(CurveMethod::ThirdOrder, fault).controlName(),
                 QStringLiteral("txt3Kakeritsu"));
    }

    void scaleFigures() {
        ScaleFigures f = ComputeScaleFigures(Currency::fromInt(-20), Currency::fromInt(200000),
                                             Currency::fromInt(30));
        QCOMPARE(f.lowerAmount, 160000);
        QCOMPARE(f.upperAmount, 260000);
        QCOMPARE(f.spread.toString(), QStringLiteral("1.63"));
        QCOMPARE(f.range, 100000);
        f = ComputeScaleFigures(Currency::fromInt(-20), Currency(), Currency::fromInt(30));
        QCOMPARE(f.spread.toString(), QStringLiteral("0"));
        QCOMPARE(f.range, 0);
        f = ComputeScaleFigures(Currency::fromInt(-100), Currency::fromInt(200000),
                                Currency::fromInt(10));
        QCOMPARE(f.lowerAmount, 0);
        QCOMPARE(f.spread.toString(), QStringLiteral("0"));
        QCOMPARE(f.range, 220000);
        // Percentages with decimals round half away from zero: 12.5 % of 1,001 is 125.125.
        f = ComputeScaleFigures(Currency::fromString(QStringLiteral("-12.5")),
                                Currency::fromInt(1001),
                                Currency::fromString(QStringLiteral("0.05")));
        QCOMPARE(f.lowerAmount, 876);
        QCOMPARE(f.upperAmount, 1002);

        const AutomaticAmounts a =
            AutomaticKeyAmounts(Currency::fromInt(-10), 135000, Currency::fromInt(20));
        QCOMPARE(a.start, 121500);
        QCOMPARE(a.middle, 135000);
        QCOMPARE(a.end, 162000);
    }

    // Many random definitions: what every table must keep, whatever the numbers.
    void randomDefinitions() {
        QRandomGenerator rng(20231201);
        for (int run = 0; run < 1500; ++run) {
            WageTableDefinition d;
            d.head.gradeCount = rng.bounded(1, 10);
            d.head.method = rng.bounded(2) ? CurveMethod::ThirdOrder : CurveMethod::SecondOrder;
            d.head.rounding = rng.bounded(3);
            const int n = d.keyPointCount();
            CurveSet& set = d.head.method == CurveMethod::ThirdOrder ? d.third : d.second;
            set.rate = Currency::fromRaw(rng.bounded(9000, 13001)); // 0.9000 .. 1.3000
            for (int g = 1; g <= d.head.gradeCount; ++g) {
                // Strictly rising key steps within -10..80, amounts up to 8 digits.
                QList<int> steps;
                while (steps.size() < n) {
                    const int s = rng.bounded(LowestStep, HighestStep + 1);
                    if (!steps.contains(s))
                        steps << s;
                }
                std::sort(steps.begin(), steps.end());
                for (int p = 0; p < n; ++p)
                    set.grades[size_t(g)].points[size_t(p)] = {
                        steps[p], qint64(rng.bounded(1, 100000)) * rng.bounded(1, 1000)};
            }
            const WageTable t = generate(d);
            const qint64 unit = WageUnitYen(d.head.rounding);
            const StepRange range = d.steps();
            QCOMPARE(t.rows.size(), range.highest - range.lowest + 1);
            for (int r = 0; r < t.rows.size(); ++r)
                QCOMPARE(t.rows[r].step, range.lowest + r);

            for (int g = 1; g <= MaxGrades; ++g) {
                const auto& pts = set.grades[size_t(g)].points;
                auto rated = [&](int p) {
                    return qint64(RoundWageUnitExact(Int128(pts[size_t(p)].amount) * set.rate.raw(),
                                                     Currency::Scale, d.head.rounding));
                };
                for (const WageTableRow& row : t.rows) {
                    const qint64 a = row.amount[size_t(g)];
                    QCOMPARE(a % unit, 0);
                    const bool inside = g <= d.head.gradeCount && row.step >= pts[0].step &&
                                        row.step <= pts[size_t(n - 1)].step;
                    if (!inside) {
                        QCOMPARE(a, 0);
                        QCOMPARE(row.index[size_t(g)], 0);
                    }
                }
                if (g > d.head.gradeCount)
                    continue;
                for (int p = 0; p < n; ++p)
                    QCOMPARE(amountAt(t, g, pts[size_t(p)].step), rated(p));
                QCOMPARE(t.rows[pts[0].step - range.lowest].index[size_t(g)], 100);

                if (d.head.method == CurveMethod::SecondOrder) {
                    // Within one unit of the exact parabola through the rated points.
                    const std::array<std::pair<int, Int128>, 3> exact = {{{pts[0].step, rated(0)},
                                                                          {pts[1].step, rated(1)},
                                                                          {pts[2].step, rated(2)}}};
                    for (int s = pts[0].step; s <= pts[2].step; ++s) {
                        const Int128 reference =
                            RoundWageUnitExact(lagrangeTruncated(exact, s), 1, d.head.rounding);
                        QVERIFY(std::abs(qint64(reference) - amountAt(t, g, s)) <= unit);
                    }
                } else {
                    // Between key rows the amounts change by one increment each.
                    for (int p = 1; p < n; ++p) {
                        const int from = pts[size_t(p - 1)].step;
                        const int to = pts[size_t(p)].step;
                        if (to - from < 3)
                            continue;
                        const qint64 step = amountAt(t, g, from + 1) - amountAt(t, g, from);
                        for (int s = from + 1; s < to; ++s)
                            QCOMPARE(amountAt(t, g, s) - amountAt(t, g, s - 1), step);
                    }
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestWageGenerator)
#include "test_wage_generator.moc"
