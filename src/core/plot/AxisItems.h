#pragma once

#include <QString>
#include <QStringList>

// The analysis charts, each fed by one screen of the family and drawn by the plot window.
constexpr int WagePlotChart = 1010;
constexpr int RegressionChart = 1020;
constexpr int LivingCostChart = 1030;
constexpr int ModelWageChart = 1040;
constexpr int DesignChart = 1050;
constexpr int WageTableChart = 1060;

// Axis items 0..5: what the X and Y axes show. An item outside 0..5 is taken as 0.
constexpr int AxisItemCount = 6;
int ValidAxisItem(int item);

// Tick, number and grid steps of an axis, and the bounds its range boxes accept.
struct AxisSteps {
    int step = 0;
    int gridStep = 0;
    int lowest = 0;
    int highest = 0;
};
AxisSteps XAxisSteps(int xItem);
AxisSteps YAxisSteps(int yItem);

// "年　齢" and its unit "歳"; the Y title is written down the axis as three texts.
QString XAxisTitle(int xItem);
QString XAxisUnit(int xItem);
QStringList YAxisTitleParts(int yItem);
QString YAxisTitle(int yItem); // the three parts joined, as printed
QString YAxisUnit(int yItem);
