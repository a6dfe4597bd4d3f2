#include "core/analysis/ReferenceCurves.h"

#include "core/common/ColorText.h"
#include "core/common/ExactDivision.h"
#include "core/plot/ChartScene.h"
#include "core/plot/PlotGeometry.h"
#include "core/plot/PlotModel.h"
#include "core/plot/PlotPage.h"

#include <algorithm>

namespace {

constexpr ColorValue Black = 0;
constexpr ColorValue Red = ColorFromRgb(255, 0, 0);
constexpr ColorValue Blue = ColorFromRgb(0, 0, 255);
constexpr ColorValue Standard = ColorFromRgb(128, 64, 64);
constexpr int LegendSize = 11;

// Rounds value (scaled by 10^4 per factor) / 10 to whole 万円.
// Rounds value (scaled by 10^4 per factor) / 10 to whole 万円; absurd multipliers are held
// at a billion 万円 so the chart's arithmetic stays in range.
qint64 manYen(Int128 product, Int128 scale) {
    const Int128 v = DivRoundHalfAway(product, scale * 10);
    constexpr Int128 Limit = 1000000000;
    return qint64(v > Limit ? Limit : v < -Limit ? -Limit : v);
}

} // namespace

std::array<qint64, 4> LivingCostValues(const LivingCostRow& r) {
    const Int128 base = Int128(r.factor.raw()) * r.cost.raw(); // scale 10^8
    constexpr Int128 S = Currency::Scale;
    return {manYen(base, S * S), manYen(base * r.comfort.raw(), S * S * S),
            manYen(base * r.minimum.raw(), S * S * S), manYen(base * r.single.raw(), S * S * S)};
}

LivingCostCurves LivingCostCurvesOf(const QVector<LivingCostRow>& rows) {
    LivingCostCurves c;
    for (qsizetype i = 0; i < rows.size() && i < 6; ++i) {
        if (rows[i].age == 0)
            continue;
        c.age[size_t(i)] = rows[i].age;
        c.value[size_t(i)] = LivingCostValues(rows[i]);
        c.maxAge = std::max(c.maxAge, rows[i].age);
    }
    return c;
}

void WidenByLivingCosts(DataExtents& e, const QVector<LivingCostRow>& rows) {
    for (const LivingCostRow& r : rows) {
        if (r.age == 0)
            continue;
        e.xMin = std::min(e.xMin, r.age);
        e.xMax = std::max(e.xMax, r.age);
        for (qint64 v : LivingCostValues(r)) {
            e.yMin = std::min(e.yMin, Currency::fromInt(v));
            e.yMax = std::max(e.yMax, Currency::fromInt(v));
        }
    }
}

ModelPoint ModelPointOf(const ModelWageRow& r, int xItem, int yItem) {
    ModelPoint p;
    p.x = xItem == 0 ? r.age : xItem == 1 ? r.service : xItem == 2 ? r.experience : 0;
    Currency amount;
    switch (yItem) {
    case 1:
        amount = r.basic;
        break;
    case 2:
        amount = r.scheduled;
        break;
    case 3:
        amount = r.bonus;
        break;
    case 4:
        amount = r.annual;
        break;
    default:
        break;
    }
    p.y = manYen(amount.raw(), Currency::Scale);
    return p;
}

ModelSeries ModelSeriesOf(const QVector<ModelWageRow>& rows, int xItem, int yItem) {
    ModelSeries s;
    for (const ModelWageRow& r : rows)
        if (r.lineKind >= 1 && r.lineKind <= 3)
            s[size_t(r.lineKind)].push_back(ModelPointOf(r, xItem, yItem));
    return s;
}

void WidenByModelWages(DataExtents& e, const ModelSeries& series) {
    for (int k = 1; k <= 3; ++k)
        for (const ModelPoint& p : series[size_t(k)]) {
            e.xMin = std::min(e.xMin, p.x);
            e.xMax = std::max(e.xMax, p.x);
            e.yMin = std::min(e.yMin, Currency::fromInt(p.y));
            e.yMax = std::max(e.yMax, Currency::fromInt(p.y));
        }
}

void LivingCostComparison::setRows(const QVector<LivingCostRow>& rows) {
    m_curves = LivingCostCurvesOf(rows);
    m_first.reset();
    if (!rows.isEmpty())
        m_first = rows.first();
}

void LivingCostComparison::drawCurves(ChartScene& scene, const AxisLayout& layout,
                                      const PlotModel& model) const {
    static const LinePen Pens[4] = {{Standard, 1, 2}, {Black, 3, 1}, {Red, 2, 1}, {Blue, 1, 1}};
    static const char* const Legends[4] = {"標準生計費", "愉楽率", "最低率", "単身率"};
    const int R = layout.frame.right, T = layout.frame.top;
    int xHigh = 0;
    for (qsizetype i = 0; i < model.points.size(); ++i)
        if (i == 0 || model.points[i].x > xHigh)
            xHigh = model.points[i].x;
    for (int c = 0; c < 4; ++c) {
        const LinePen& pen = Pens[c];
        scene.curveLine({R + 20, T + 110 + 15 * c}, {R + 50, T + 110 + 15 * c}, pen);
        scene.curveText({R + 60, T + 105 + 15 * c}, QString::fromUtf8(Legends[c]), LegendSize,
                        pen.colour);
        if (!m_curves.any())
            continue;
        std::optional<QPoint> last;
        for (int i = 0; i < 6; ++i) {
            if (m_curves.age[size_t(i)] == 0)
                continue;
            const QPoint p(layout.px(qint64(m_curves.age[size_t(i)])),
                           layout.py(Currency::fromInt(m_curves.value[size_t(i)][size_t(c)])));
            if (last)
                scene.curveLine(*last, p, pen);
            last = p;
        }
        if (last && m_curves.maxAge < xHigh)
            scene.curveLine(*last, {layout.px(qint64(xHigh)), last->y()}, pen);
    }
}

void LivingCostComparison::addPrintBlocks(const PlotModel&, PlotPage& page) const {
    page.text(450, 1400, QStringLiteral("比較資料"), 10);
    page.text(850, 1400, QStringLiteral("出　　　所："), 10);
    page.text(850, 1500, QStringLiteral("対象地域："), 10);
    page.text(850, 1600, QStringLiteral("調査時点："), 10);
    if (!m_first)
        return;
    page.text(1300, 1400, m_first->source, 10);
    page.text(1300, 1500, m_first->region, 10);
    page.text(1300, 1600, m_first->surveyed, 10);
}

void ModelWageComparison::setModel(const ModelSeries& series,
                                   const std::optional<ModelDataRecord>& model) {
    m_series = series;
    m_model = model;
}

void ModelWageComparison::drawCurves(ChartScene& scene, const AxisLayout& layout,
                                     const PlotModel&) const {
    static const LinePen Pens[4] = {{}, {Blue, 1, 2}, {Blue, 2, 1}, {Blue, 3, 1}};
    for (int s = 1; s <= 3; ++s) {
        const QVector<ModelPoint>& points = m_series[size_t(s)];
        for (qsizetype i = 1; i < points.size(); ++i)
            scene.curveLine(
                {layout.px(qint64(points[i - 1].x)), layout.py(Currency::fromInt(points[i - 1].y))},
                {layout.px(qint64(points[i].x)), layout.py(Currency::fromInt(points[i].y))},
                Pens[s]);
    }
    const int R = layout.frame.right, T = layout.frame.top;
    for (int s = 1; s <= 3; ++s)
        scene.curveLine({R + 20, T + 95 + 15 * s}, {R + 60, T + 95 + 15 * s}, LinePen{Blue, s, 1});
}

void ModelWageComparison::addPrintBlocks(const PlotModel&, PlotPage& page) const {
    page.text(450, 1400, QStringLiteral("比較資料"), 10);
    page.text(850, 1400, QStringLiteral("出　　　所："), 10);
    page.text(2700, 1400, QStringLiteral("対象地域："), 10);
    page.text(850, 1500, QStringLiteral("事業所数："), 10);
    page.text(2700, 1500, QStringLiteral("調査時点："), 10);
    page.text(850, 1600, QStringLiteral("業　　　種："), 10);
    page.text(2700, 1600, QStringLiteral("規　　　模："), 10);
    if (!m_model)
        return;
    page.text(1300, 1400, m_model->source, 10);
    page.text(3150, 1400, m_model->region, 10);
    // A survey that does not publish its number of responding firms is stored with 0; the page
    // then leaves the count blank rather than claim none answered.
    if (m_model->firms != 0)
        page.text(1300, 1500,
                  QStringLiteral("回答あった ") + QString::number(m_model->firms) +
                      QStringLiteral(" 社"),
                  10);
    page.text(3150, 1500, m_model->surveyed, 10);
    page.text(1300, 1600, m_model->industry, 10);
    page.text(3150, 1600, m_model->size, 10);
}
