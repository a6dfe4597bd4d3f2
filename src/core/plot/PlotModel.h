#pragma once

#include "core/common/AppState.h"
#include "core/common/Counts.h"
#include "core/plot/ChartRecords.h"
#include "core/plot/ChartScene.h"
#include "core/plot/PlotGeometry.h"

#include <array>

// What the plot window keeps between 実行 and the next: everything a repaint needs, so that
// a repaint reads no table.

// The four MGRAPH style slots of the company year: [1] axes, [2] ticks and axis numbers,
// [3] grid, [4] centre lines.
using StyleSlots = std::array<LinePen, 5>;

// A plotted point and where 実行 placed it.
struct PlotPoint {
    int sco = 0;
    QString name;
    QString markLabel;
    int mark = 0; // MKCO as stored
    int x = 0;
    Currency y;
    int px = 0;
    int py = 0;
    QString labelName;    // "Label001" ...
    bool hasMark = false; // a clickable mark was placed (the mark has a colour)
    qint64 storedRow = 0;
};

// Per mark 1..6 and in total: number of points and sums of their X and Y values.
struct MarkStatistics {
    std::array<int, MarkCount + 1> count{};
    std::array<qint64, MarkCount + 1> sumX{};
    std::array<Currency, MarkCount + 1> sumY{};
    int totalCount = 0;
    qint64 totalX = 0;
    Currency totalY;

    // Marks with at least one point.
    int marksUsed() const;
};

// A point picked on the design chart for a new curve.
struct PickedPoint {
    QPoint pixel;
    int x = 0;
    qint64 amount = 0; // yen
};

struct PlotModel {
    PlotRequest request;  // chart, company, axis items, range (as the range boxes hold it), means
    ChartSettings header; // the chart's MCHART rows
    StyleSlots styles;
    std::array<TMMARK, MarkCount + 1> marks; // [1..6]
    QVector<PlotPoint> points;
    MarkStatistics stats;
    ChartFrame frame;    // the window's geometry when the points were placed
    bool placed = false; // the marks exist (between 実行 and their removal)
    QVector<PickedPoint> picked;
};

// The mark style of a stored mark code; codes outside 1..6 draw as mark 1.
int MarkSlotOf(int markCode);
// Whether the chart shows the employees' marks: not the wage-table chart, and the design
// chart only when its points are shown.
bool ChartShowsMarks(const PlotModel& model);

// Places every point on the layout: pixel, mark name "Label" + three digits, and the mark
// statistics. Marks whose colour text is empty get no mark.
void PlacePoints(PlotModel& model, const AxisLayout& layout);
// Removes the marks (the points keep their labels until the next 実行).
void RemoveMarks(PlotModel& model);
// "Label001", "Label002", ... "Label1000".
QString MarkName(int number);

// The model's points from the chart's stored points, not yet placed.
void SetModelPoints(PlotModel& model, const QVector<ChartPoint>& points);

// The model laid out again on a plot area of the given aspect (the printed picture), as wide
// as the window's: the same chart, its marks placed for that frame.
PlotModel ModelForAspect(const PlotModel& model, int aspectWidth, int aspectHeight);
