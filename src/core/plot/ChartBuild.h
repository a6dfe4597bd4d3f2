#pragma once

#include "core/common/Counts.h"
#include "core/plot/ChartRecords.h"

#include <optional>

// An employee as the analysis screens read it from VSYAIN: what selects it, what labels it and
// what its X and Y values come from. Amounts are in yen.
struct PlotEmployee {
    int sco = 0;
    QString name;
    int evalCode = 0;                                     // HCO
    int mark = 0;                                         // MCO
    int grade = 0;                                        // TOUKYU
    QString evalSymbol;                                   // HYOUKA
    int zone = 0;                                         // ZONEX
    int age = 0;                                          // NENREI
    int service = 0;                                      // KINZOKU
    int experience = 0;                                   // NENSU
    int step = 0;                                         // GOUHOU
    Currency achievement;                                 // TRITSU
    int jobPoints = 0;                                    // TENSU
    std::array<Currency, BasePayItemCount + 1> baseItems; // [1..3] KKYU1..KKYU3
    int wageLink = 0;     // JISEKI: which base item follows the wage table
    Currency tableAmount; // KIN, the wage-table amount of grade and step
    Currency scheduled;   // SYOTEI
    Currency bonus1;      // SYOUYO
    Currency bonus2;      // SYOUYO2
    Currency payRatio;    // SRITSU
};

// Base pay: the three base items, the one linked to the wage table taking its amount.
Currency BasePayOf(const PlotEmployee& e);

bool IsPlotted(const PlotEmployee& e, const ChartSettings& settings);
QString MarkLabelOf(const PlotEmployee& e, int markLabelKind);
int XValueOf(const PlotEmployee& e, int xItem);
// 万円 for items 0 to 4 (item 0 is 0 without a wage-table link), the ratio itself for item 5.
Currency YValueOf(const PlotEmployee& e, int yItem);

// The points of the selected employees, in the order given, numbered from 1.
QVector<ChartPoint> SelectPoints(const QVector<PlotEmployee>& employees,
                                 const ChartSettings& settings);

// Smallest and largest values over the points; screens of the family widen them by what
// their curves need.
struct DataExtents {
    int xMin = 0;
    int xMax = 0;
    Currency yMin;
    Currency yMax;
};
std::optional<DataExtents> ExtentsOf(const QVector<ChartPoint>& points);

// How the members of the family differ when they propose a chart.
struct ProposalRules {
    int meanYDecimals = 1;        // 1: one decimal; 0: a whole number
    bool xJobPointsPlus10 = true; // X item 5: the upper bound always 10 above
};

// Centre lines: mean X rounded to a whole number, mean Y to the rules' decimals.
int MeanXOf(const QVector<ChartPoint>& points);
Currency MeanYOf(const QVector<ChartPoint>& points, int decimals);
// The proposed axis range: each end on a multiple of 5 around the data.
AxisRange ProposeAxisRange(const DataExtents& extents, int xItem, const ProposalRules& rules);
