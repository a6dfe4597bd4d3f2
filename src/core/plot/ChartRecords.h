#pragma once

#include "core/common/CompanyYear.h"
#include "core/common/Counts.h"
#include "core/common/Currency.h"

#include <QString>
#include <QVector>
#include <array>

// The settings of one chart of a company year: its six MCHART rows held as one record.
// Row k also stands for plot mark k and grade k; grades 7 to 9 live in rows 1 to 3.
struct ChartSettings {
    int chartNo = 0;
    QString title;
    int xItem = 0;
    int yItem = 0;
    int markLabelKind = 0;                    // 0 employee code, 1 evaluation, 2 zone, 3 none
    std::array<bool, MarkCount + 1> marks{};  // [1..6] FCHK: plotted and listed in the legend
    std::array<bool, MaxGrades + 1> grades{}; // [1..9] TOUKYU of rows 1..6, TOUKYU1 of rows 1..3
    int order = 0;                            // FKINJI
    int curves = 0;                           // CGRAPH
    std::array<Currency, 5> levels;           // [1..4] SJYUN1..SJYUN4
    QString explanation;                      // KAISETSU
};

// One plotted point, a row of DCHART.
struct ChartPoint {
    int sco = 0;
    QString name;
    QString labelName;           // LABELN, the mark's name once placed
    QString markLabel;           // MARKL, the text above the point
    std::array<int, 6> popups{}; // [1..5] F1..F5: 1 while the pop-up of that kind is open
    int x = 0;
    Currency y;
    int seqNo = 0;
    int mark = 0;         // MKCO
    int left = 0;         // GLEFT, px - 5
    int top = 0;          // GTOP, py - 5
    qint64 storedRow = 0; // where the row was read from, 0 when not read
};

struct AxisRange {
    int xMin = 0;
    int xMax = 0;
    int yMin = 0;
    int yMax = 0;
    bool operator==(const AxisRange&) const = default;
};

// What an analysis screen hands to the plot window when it has built a chart: which chart of
// which company year, its title and axis items, the proposed axis range and the centre lines.
struct PlotRequest {
    int chartNo = 0;
    CompanyYear company;
    QString title;
    int xItem = 0;
    int yItem = 0;
    int markLabelKind = 0;
    AxisRange range;
    int meanX = 0;
    Currency meanY;
};

// A designed curve of DSPDRAW: for one pair of axis items, up to six points and its style.
struct DesignCurve {
    int curve = 0; // SDCO 1..5
    int xItem = 0;
    int yItem = 0;
    bool drawn = false;             // FCHKS
    bool selected = false;          // FREN
    std::array<int, 7> x{};         // [1..6] SNENREI; 0 is an empty point
    std::array<Currency, 7> amount; // [1..6] SKIN, yen
    QString explanation;            // KAISETSU
    QString legend;                 // HANREI
    QString description;            // SETSUMEI
    QString colour;                 // SCOLOR
    int kind = 0;                   // SSYURUI
    int width = 0;                  // SHABA
};
