#include "core/plot/ChartBuild.h"

#include "core/common/Counts.h"
#include "core/common/ExactDivision.h"

namespace {

// yen / 10,000 rounded half away from zero to `decimals` decimals (at most four).
Currency manYen(Currency yen, int decimals) {
    qint64 unit = 1;
    for (int i = decimals; i < 4; ++i)
        unit *= 10;
    return Currency::fromRaw(qint64(DivRoundHalfAway(yen.raw(), Int128(unit) * 10000)) * unit);
}

Currency roundedTo(Currency value, int decimals) {
    qint64 unit = 1;
    for (int i = decimals; i < 4; ++i)
        unit *= 10;
    return Currency::fromRaw(qint64(DivRoundHalfAway(value.raw(), unit)) * unit);
}

int trunc10(int v) {
    return v / 10 * 10;
}

} // namespace

Currency BasePayOf(const PlotEmployee& e) {
    std::array<Currency, BasePayItemCount + 1> b = e.baseItems;
    if (IsBasePayItem(e.wageLink))
        b[size_t(e.wageLink)] = e.tableAmount;
    return b[1] + b[2] + b[3];
}

bool IsPlotted(const PlotEmployee& e, const ChartSettings& settings) {
    return IsMark(e.mark) && settings.marks[size_t(e.mark)] && IsGrade(e.grade) &&
           settings.grades[size_t(e.grade)];
}

QString MarkLabelOf(const PlotEmployee& e, int markLabelKind) {
    switch (markLabelKind) {
    case 0:
        return QString::number(e.sco);
    case 1:
        return e.evalSymbol;
    case 2:
        return QString::number(e.zone);
    default:
        return QString();
    }
}

int XValueOf(const PlotEmployee& e, int xItem) {
    switch (xItem) {
    case 1:
        return e.service;
    case 2:
        return e.experience;
    case 3:
        return e.step;
    case 4:
        return int(e.achievement.truncated());
    case 5:
        return e.jobPoints;
    default:
        return e.age;
    }
}

Currency YValueOf(const PlotEmployee& e, int yItem) {
    switch (yItem) {
    case 1:
        return manYen(BasePayOf(e), 2);
    case 2:
        return manYen(e.scheduled, 2);
    case 3:
        return manYen(e.bonus1 + e.bonus2, 2);
    case 4:
        return manYen(e.scheduled * 12 + e.bonus1 + e.bonus2, 2);
    case 5:
        return roundedTo(e.payRatio, 2);
    default:
        return IsBasePayItem(e.wageLink) ? manYen(e.tableAmount, 3) : Currency();
    }
}

QVector<ChartPoint> SelectPoints(const QVector<PlotEmployee>& employees,
                                 const ChartSettings& settings) {
    QVector<ChartPoint> points;
    for (const PlotEmployee& e : employees) {
        if (!IsPlotted(e, settings))
            continue;
        ChartPoint p;
        p.sco = e.sco;
        p.name = e.name;
        p.markLabel = MarkLabelOf(e, settings.markLabelKind);
        p.x = XValueOf(e, settings.xItem);
        p.y = YValueOf(e, settings.yItem);
        p.seqNo = int(points.size()) + 1;
        p.mark = e.mark;
        points << p;
    }
    return points;
}

std::optional<DataExtents> ExtentsOf(const QVector<ChartPoint>& points) {
    if (points.isEmpty())
        return std::nullopt;
    DataExtents d{points.first().x, points.first().x, points.first().y, points.first().y};
    for (const ChartPoint& p : points) {
        d.xMin = std::min(d.xMin, p.x);
        d.xMax = std::max(d.xMax, p.x);
        d.yMin = std::min(d.yMin, p.y);
        d.yMax = std::max(d.yMax, p.y);
    }
    return d;
}

int MeanXOf(const QVector<ChartPoint>& points) {
    if (points.isEmpty())
        return 0;
    qint64 sum = 0;
    for (const ChartPoint& p : points)
        sum += p.x;
    return int(DivRoundHalfAway(sum, points.size()));
}

Currency MeanYOf(const QVector<ChartPoint>& points, int decimals) {
    if (points.isEmpty())
        return Currency();
    Int128 sum = 0;
    for (const ChartPoint& p : points)
        sum += p.y.raw();
    qint64 unit = 1;
    for (int i = decimals; i < 4; ++i)
        unit *= 10;
    return Currency::fromRaw(qint64(DivRoundHalfAway(sum, Int128(points.size()) * unit)) * unit);
}

AxisRange ProposeAxisRange(const DataExtents& d, int xItem, const ProposalRules& rules) {
    AxisRange r;
    int t = trunc10(d.xMin);
    r.xMin = d.xMin - t > 4 ? t + 5 : t;
    t = trunc10(d.xMax);
    if (rules.xJobPointsPlus10 && xItem == 5)
        r.xMax = t + 10;
    else
        r.xMax = d.xMax - t >= 5 ? t + 10 : t + 5;

    constexpr qint64 ten = 10 * Currency::Scale;
    constexpr qint64 five = 5 * Currency::Scale;
    qint64 ty = d.yMin.raw() / ten * ten;
    r.yMin = int(ty / Currency::Scale) + (d.yMin.raw() - ty >= five ? 5 : 0);
    ty = d.yMax.raw() / ten * ten;
    r.yMax = int(ty / Currency::Scale) + (d.yMax.raw() - ty >= five ? 10 : 5);
    return r;
}
