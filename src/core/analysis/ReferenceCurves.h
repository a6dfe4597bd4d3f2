#pragma once

#include "core/common/Currency.h"
#include "core/plot/ChartBuild.h"
#include "core/plot/ChartExtension.h"

#include <QString>
#include <QVector>
#include <array>

// The public reference figures the comparison charts lay over the employees' points: standard
// living costs by household (thousand yen a month) and model wage series.

// One row of a living-cost table (MSEIKEI).
struct LivingCostRow {
    int members = 0;  // SNIN
    int age = 0;      // SNENREI, of the household head
    Currency cost;    // SEIKEIHI, thousand yen
    Currency comfort; // YURITSU
    Currency minimum; // STRITSU
    Currency single;  // TNRITSU
    Currency factor;  // KKRITSU, the multiplier
    QString source;   // DEDOKORO
    QString region;   // TCHIIKI
    QString surveyed; // CJITEN
    QString notes;    // NSUCHI
};

// The four curves: standard living cost and the comfort, minimum and single-person levels, each
// a whole number of 万円 (multiplier × cost × rate / 10, rounded half away from zero).
std::array<qint64, 4> LivingCostValues(const LivingCostRow& row);

// The living-cost curves as the chart keeps them: up to six slots in table order (a row whose
// age is 0 keeps its slot empty) and the largest age.
struct LivingCostCurves {
    std::array<int, 6> age{};
    std::array<std::array<qint64, 4>, 6> value{};
    int maxAge = 0;
    bool any() const { return maxAge != 0; }
};
LivingCostCurves LivingCostCurvesOf(const QVector<LivingCostRow>& rows);
// Widens the extents so every curve fits: ages and values of the rows with an age.
void WidenByLivingCosts(DataExtents& extents, const QVector<LivingCostRow>& rows);

// One model wage (MDCHINGIN); amounts in thousand yen.
struct ModelWageRow {
    int code = 0;       // MCCO
    int age = 0;        // NENREI
    int service = 0;    // KNENSU
    int experience = 0; // KKNENSU
    Currency basic;     // KKIN
    Currency scheduled; // SKIN
    Currency bonus;     // SYOUYO
    Currency annual;    // NENSYU
    int lineKind = 0;   // SENSYU: 0 not drawn, 1 solid, 2 dotted, 3 dash-dot
};

// A model description (MDEL).
struct ModelDataRecord {
    int code = 0;     // MDCO
    QString name;     // MDNA
    QString source;   // DEDOKORO
    QString region;   // TCHIIKI
    qint64 firms = 0; // JSU
    QString surveyed; // CJITEN
    QString industry; // GYOUSYU
    QString size;     // KIBO
    QString remarks;  // BIKOU, lines separated by CR LF
};

// A model wage as a point of the chart: X by the X item (age, service, experience), Y the
// amount of the Y item (basic, scheduled, bonus, annual) in whole 万円.
struct ModelPoint {
    int x = 0;
    qint64 y = 0;
};
ModelPoint ModelPointOf(const ModelWageRow& row, int xItem, int yItem);

// Points of the line kinds 1..3 in the order given; rows of other kinds are left out.
using ModelSeries = std::array<QVector<ModelPoint>, 4>;
ModelSeries ModelSeriesOf(const QVector<ModelWageRow>& rows, int xItem, int yItem);
void WidenByModelWages(DataExtents& extents, const ModelSeries& series);

// The living-cost chart: the four curves with their legends, continued level to the largest
// X of the points, and the table's source on the page. The rows come from the owner.
class LivingCostComparison : public ChartExtension {
public:
    void setRows(const QVector<LivingCostRow>& rows);
    void drawCurves(ChartScene& scene, const AxisLayout& layout,
                    const PlotModel& model) const override;
    void addPrintBlocks(const PlotModel& model, PlotPage& page) const override;

private:
    LivingCostCurves m_curves;
    std::optional<LivingCostRow> m_first;
};

// The model-wage chart: three series in blue, their legend lines, the model's description on
// the page.
class ModelWageComparison : public ChartExtension {
public:
    void setModel(const ModelSeries& series, const std::optional<ModelDataRecord>& model);
    void drawCurves(ChartScene& scene, const AxisLayout& layout,
                    const PlotModel& model) const override;
    void addPrintBlocks(const PlotModel& model, PlotPage& page) const override;

private:
    ModelSeries m_series;
    std::optional<ModelDataRecord> m_model;
};
