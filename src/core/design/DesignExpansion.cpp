#include "core/design/DesignExpansion.h"

#include "core/common/ExactDivision.h"
#include "core/masters/Cp932.h"
#include "core/plot/ChartBuild.h"

#include <algorithm>

bool DesignPoints::isEmpty() const {
    for (int p = 1; p <= DesignPointCount; ++p)
        if (x[size_t(p)] != 0 || amount[size_t(p)] != 0)
            return false;
    return true;
}

DesignPoints PointsOf(const DesignCurve& curve) {
    DesignPoints d;
    for (int p = 1; p <= DesignPointCount; ++p) {
        d.x[size_t(p)] = curve.x[size_t(p)];
        d.amount[size_t(p)] = curve.amount[size_t(p)].truncated();
    }
    return d;
}

namespace {

struct Point {
    int x = 0;
    qint64 amount = 0;
};

// The used points in increasing X order, one per X value (the later of equal ones).
QVector<Point> usedPoints(const DesignPoints& d) {
    QVector<Point> points;
    for (int p = 1; p <= DesignPointCount; ++p)
        if (d.x[size_t(p)] != 0)
            points.push_back({d.x[size_t(p)], d.amount[size_t(p)]});
    std::stable_sort(points.begin(), points.end(),
                     [](const Point& a, const Point& b) { return a.x < b.x; });
    QVector<Point> unique;
    for (const Point& p : points) {
        if (!unique.isEmpty() && unique.last().x == p.x)
            unique.last() = p;
        else
            unique.push_back(p);
    }
    return unique;
}

} // namespace

QVector<DesignRow> ExpandDesign(int design, const DesignPoints& d) {
    QVector<DesignRow> rows;
    if (d.isEmpty())
        return rows;
    const QVector<Point> points = usedPoints(d);
    if (points.isEmpty())
        return rows; // amounts without any X value have no place
    const int lo = points.first().x;
    const int hi = points.last().x;
    const qsizetype n = qsizetype(hi) - lo + 1;
    QVector<qint64> amount(n, 0), increase(n, 0);
    for (const Point& p : points)
        amount[p.x - lo] = p.amount;
    for (qsizetype i = 1; i < points.size(); ++i) {
        const Point& from = points[i - 1];
        const Point& to = points[i];
        const qsizetype r0 = from.x - lo, r1 = to.x - lo;
        const qint64 width = qint64(to.x) - from.x; // > 0: X values are distinct
        // Rounded to 10 yen whatever the wage table's unit.
        const qint64 step =
            10 * qint64(DivRoundHalfAway(Int128(to.amount - from.amount), Int128(width) * 10));
        for (qsizetype r = r0 + 1; r < r1; ++r)
            amount[r] = amount[r - 1] + step;
        for (qsizetype r = r0; r <= r1 - 2; ++r)
            increase[r] = step;
        increase[r1 - 1] = amount[r1] - amount[r1 - 1];
    }
    rows.reserve(n);
    for (qsizetype r = 0; r < n; ++r) {
        DesignRow row;
        row.design = design;
        row.no = int(r + 1);
        row.x = lo + int(r);
        row.amount = amount[r];
        row.increase = increase[r];
        if (r != n - 1 && amount[r] != 0)
            row.rateHundredths =
                qint64(DivRoundHalfAway(Int128(increase[r]) * 10000, Int128(amount[r])));
        row.index = qint64(DivRoundHalfAway(Int128(amount[r]) * 100, Int128(amount[0])));
        rows.push_back(row);
    }
    return rows;
}

QVector<DesignRow> ExpandDesigns(const std::array<DesignPoints, DesignCount + 1>& designs) {
    QVector<DesignRow> rows;
    for (int d = 1; d <= DesignCount; ++d)
        rows += ExpandDesign(d, designs[size_t(d)]);
    return rows;
}

void DesignRun::add(qint64 amount) {
    if (count == 0)
        first = amount;
    last = amount;
    sum += amount;
    ++count;
}

qint64 DesignRun::average() const {
    return qint64(DivRoundHalfAway(sum, count));
}

qint64 DesignRun::averageIncrease() const {
    return count > 1 ? qint64(DivRoundHalfAway(last - first, count - 1)) : 0;
}

namespace {

// "###": rounded already; empty for 0.
QString hashes(qint64 v) {
    return v == 0 ? QString() : QString::number(v);
}

} // namespace

DesignCsvEncoding EncodeDesignCsv(const QString& title, const QVector<DesignRow>& rows) {
    DesignCsvEncoding out;
    int lastNo = 0;
    // [design][no] -> row
    std::array<QVector<const DesignRow*>, DesignCount + 1> byNo;
    for (const DesignRow& r : rows)
        lastNo = std::max(lastNo, r.no);
    for (auto& v : byNo)
        v.fill(nullptr, lastNo + 1);
    std::array<DesignRun, DesignCount + 1> runs{};
    for (const DesignRow& r : rows) {
        if (r.design < 1 || r.design > DesignCount || r.no < 1)
            continue;
        byNo[size_t(r.design)][r.no] = &r;
        runs[size_t(r.design)].add(r.amount);
    }

    QStringList lines;
    lines << title;
    lines << QStringLiteral(",設計１,,,設計２,,,設計３,,,設計４,,,設計５,");
    lines << QStringLiteral("年齢,職能給,格差,年齢,職能給,格差,年齢,職能給,格差,年齢,職能給,格差,"
                            "年齢,職能給,格差");
    for (int no = 1; no <= lastNo; ++no) {
        QStringList fields;
        for (int d = 1; d <= DesignCount; ++d) {
            const DesignRow* r = byNo[size_t(d)][no];
            fields << QString::number(r ? r->x : 0) << QString::number(r ? r->amount : 0)
                   << QString::number(r ? r->index : 0);
        }
        lines << fields.join(QLatin1Char(','));
    }
    QStringList averages;
    for (int d = 1; d <= DesignCount; ++d) {
        const DesignRun& run = runs[size_t(d)];
        if (run.count == 0)
            averages << QStringLiteral(",,");
        else
            averages << QStringLiteral("平均,") + hashes(run.average()) + QLatin1Char(',') +
                            hashes(run.averageIncrease());
    }
    lines << averages.join(QLatin1Char(','));

    // Only the title is typed by the user; the rest is ours and encodes.
    QByteArray encoded;
    qsizetype bad = 0;
    if (!Cp932::encode(title, encoded, &bad)) {
        out.ok = false;
        out.problem = QStringLiteral("タイトルに Shift-JIS（CP932）で書けない文字「") +
                      Cp932::characterAt(title, bad) +
                      QStringLiteral("」があります。昇給カーブの設計の出力を中止しました。");
        return out;
    }
    for (const QString& line : lines) {
        Cp932::encode(line, encoded);
        out.bytes += encoded;
        out.bytes += "\r\n";
    }
    return out;
}

void WidenByDesigns(DataExtents& e, const std::array<DesignPoints, DesignCount + 1>& designs) {
    for (int d = 1; d <= DesignCount; ++d)
        for (int p = 1; p <= DesignPointCount; ++p) {
            const int x = designs[size_t(d)].x[size_t(p)];
            if (x == 0)
                continue; // an empty point has no place on the chart
            const Currency y = Currency::fromInt(
                qint64(DivRoundHalfAway(designs[size_t(d)].amount[size_t(p)], 10000)));
            e.xMin = std::min(e.xMin, x);
            e.xMax = std::max(e.xMax, x);
            e.yMin = std::min(e.yMin, y);
            e.yMax = std::max(e.yMax, y);
        }
}
