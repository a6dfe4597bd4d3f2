#pragma once

#include "core/plot/ChartBuild.h"
#include "core/plot/PlotModel.h"
#include "core/plot/PointPopup.h"

#include <optional>

// The chart tables: MCHART (a chart's settings, six rows), DCHART (the points of the chart
// built last), DSPDRAW (designed curves), MGRAPH (the company's line styles). Every value is
// bound; writes that belong together land in one transaction or not at all. Failing
// statements are reported by the data module.

// Whether the chart has its rows; failed is set when the question could not be asked.
bool ChartSettingsExist(const CompanyYear& cy, int chartNo, bool* failed);
// Inserts the six rows of a new chart with the screen's defaults (marks and grades off,
// title and explanation empty, other columns 0).
bool CreateChartSettings(const CompanyYear& cy, const ChartSettings& defaults);
// The six rows as one record; nothing when the chart has no rows or the read failed.
std::optional<ChartSettings> LoadChartSettings(const CompanyYear& cy, int chartNo);
// Writes the record into the six rows.
bool SaveChartSettings(const CompanyYear& cy, const ChartSettings& settings);

// Empties DCHART and writes the points, all or nothing: a failure leaves the previous chart.
bool RebuildChartPoints(const QVector<ChartPoint>& points);
// The points in the order stored; mark 1..6 only those of that mark, 0 all.
QVector<ChartPoint> LoadChartPoints(int mark = 0, bool* failed = nullptr);
// Writes where the window placed each mark (LABELN, GTOP, GLEFT) by employee code.
bool WritePointPlaces(const QVector<PlotPoint>& points);
// The point of a mark name.
std::optional<ChartPoint> PointOfMark(const QString& markName);
// F1..F4: whether the pop-up of that kind is open for the employee.
bool SetPopupOpen(int sco, int kind, bool open);

// The line styles of the company year; a missing row or kind leaves the slot black and solid.
StyleSlots LoadStyleSlots(const CompanyYear& cy);

// The employees of the company year in the order they were entered; with a chart's settings
// only what that chart needs of them is read.
bool LoadPlotEmployees(const CompanyYear& cy, QVector<PlotEmployee>& employees,
                       const ChartSettings* forChart = nullptr);
// What the pop-ups show of one employee.
std::optional<PopupEmployee> LoadPopupEmployee(const CompanyYear& cy, int sco);

// A point picked for a designed curve: X and the amount in yen.
struct DesignCurvePoint {
    int x = 0;
    qint64 amount = 0;
};
// Replaces curve k of the axis pair by the points (drawn, solid black, width 1), in one
// transaction; points beyond the last are stored as 0.
bool ImportDesignCurve(const CompanyYear& cy, int curve, int xItem, int yItem, int selected,
                       const QVector<DesignCurvePoint>& points);
