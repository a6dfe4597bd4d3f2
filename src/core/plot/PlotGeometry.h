#pragma once

#include "core/common/Currency.h"
#include "core/plot/ChartRecords.h"

#include <QRect>

// The plot window's geometry in client pixels, from its outer size W x H. The side panel
// takes the first 73 pixels; the plot area (what is copied and printed) is the rest.
struct ChartFrame {
    static constexpr int PanelWidth = 73;
    int windowWidth = 0;
    int windowHeight = 0;
    int left = 153;
    int right = 0;
    int top = 0;
    int bottom = 0;

    QRect plotArea() const;
};

ChartFrame FrameForWindow(int windowWidth, int windowHeight);
// The frame of a window whose plot area is a picture of the given size.
ChartFrame FrameForPicture(int width, int height);

// The axes of a chart for its current range: where values fall on the window.
struct AxisLayout {
    ChartFrame frame;
    int chartNo = 0;
    int xItem = 0;
    int yItem = 0;
    AxisRange range;
    int xRange = 0;
    int yRange = 0;
    int originX = 0;
    int originY = 0;
    int plotWidth = 0;
    int plotHeight = 0;
    int xStep = 0;
    int xGridStep = 0;
    int yStep = 0;

    // Pixel of a value, rounded half away from zero; 0 when the axis range is 0.
    int px(qint64 x) const;
    int px(double x) const;
    int py(Currency y) const;
    int py(double y) const;
    // What a click at a pixel stands for (picking a design curve): X rounded to a whole
    // number, the Y value in yen rounded to thousands.
    int valueXAt(int pixelX) const;
    qint64 amountAt(int pixelY) const;
};

AxisLayout LayoutAxes(const ChartFrame& frame, int chartNo, int xItem, int yItem,
                      const AxisRange& range);
