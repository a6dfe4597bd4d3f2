#include "core/plot/PlotGeometry.h"

#include "core/common/ExactDivision.h"
#include "core/common/Helpers.h"
#include "core/plot/AxisItems.h"

#include <cmath>

QRect ChartFrame::plotArea() const {
    // Right and bottom edges excluded, as the window rectangle (73, 0) - (W - 9, H - 36) is.
    return QRect(PanelWidth, 0, windowWidth - 9 - PanelWidth, windowHeight - 36);
}

ChartFrame FrameForWindow(int w, int h) {
    ChartFrame f;
    f.windowWidth = w;
    f.windowHeight = h;
    f.right = int((w - 9) * 87 / 100);
    f.top = int((h - 36) * 5 / 100);
    f.bottom = int((h - 36) * 95 / 100);
    return f;
}

ChartFrame FrameForPicture(int width, int height) {
    return FrameForWindow(width + ChartFrame::PanelWidth + 9, height + 36);
}

AxisLayout LayoutAxes(const ChartFrame& frame, int chartNo, int xItem, int yItem,
                      const AxisRange& range) {
    AxisLayout a;
    a.frame = frame;
    a.chartNo = chartNo;
    a.xItem = ValidAxisItem(xItem);
    a.yItem = ValidAxisItem(yItem);
    a.range = range;
    a.xRange = range.xMax - range.xMin;
    a.yRange = range.yMax - range.yMin;
    a.originX = range.xMin != 0 && chartNo != WageTableChart ? frame.left + 30 : frame.left;
    a.originY = range.yMin != 0 ? frame.bottom - 30 : frame.bottom;
    a.plotWidth = frame.right - frame.left - 50 + (range.xMin == 0 ? 30 : 0);
    a.plotHeight = frame.bottom - frame.top - 50 + (range.yMin == 0 ? 30 : 0);
    const AxisSteps xs = XAxisSteps(a.xItem);
    const AxisSteps ys = YAxisSteps(a.yItem);
    a.xStep = xs.step;
    a.xGridStep = xs.gridStep;
    a.yStep = ys.step;
    return a;
}

int AxisLayout::px(qint64 x) const {
    if (xRange == 0)
        return 0;
    return int(
        DivRoundHalfAway(Int128(x - range.xMin) * plotWidth + Int128(originX) * xRange, xRange));
}

int AxisLayout::px(double x) const {
    if (xRange == 0 || !std::isfinite(x))
        return 0;
    return int(RoundAt(1, (x - range.xMin) / xRange * plotWidth + originX));
}

int AxisLayout::py(Currency y) const {
    if (yRange == 0)
        return 0;
    const Int128 den = Int128(yRange) * Currency::Scale;
    const Int128 num = Int128(originY) * den -
                       (Int128(y.raw()) - Int128(range.yMin) * Currency::Scale) * plotHeight;
    return int(DivRoundHalfAway(num, den));
}

int AxisLayout::py(double y) const {
    if (yRange == 0 || !std::isfinite(y))
        return 0;
    return int(RoundAt(1, originY - (y - range.yMin) / yRange * plotHeight));
}

int AxisLayout::valueXAt(int pixelX) const {
    if (plotWidth == 0)
        return range.xMin;
    // (x - OriginX) / PlotWidth * XRange + AxisXMin, rounded
    return int(DivRoundHalfAway(Int128(pixelX - originX) * xRange + Int128(range.xMin) * plotWidth,
                                plotWidth));
}

qint64 AxisLayout::amountAt(int pixelY) const {
    if (plotHeight == 0)
        return qint64(range.yMin) * 10000;
    // ((OriginY - y) / PlotHeight * YRange + AxisYMin) * 10, rounded, in thousands of yen
    const Int128 num = (Int128(originY - pixelY) * yRange + Int128(range.yMin) * plotHeight) * 10;
    return qint64(DivRoundHalfAway(num, plotHeight)) * 1000;
}
