#include "core/plot/PlotModel.h"

#include "core/common/Counts.h"
#include "core/plot/AxisItems.h"

int MarkStatistics::marksUsed() const {
    int n = 0;
    for (int k = 1; k <= MarkCount; ++k)
        if (count[size_t(k)] > 0)
            ++n;
    return n;
}

int MarkSlotOf(int markCode) {
    return IsMark(markCode) ? markCode : 1;
}

bool ChartShowsMarks(const PlotModel& model) {
    const int chart = model.request.chartNo;
    if (chart == WageTableChart)
        return false;
    return chart != DesignChart || model.header.curves == 1;
}

QString MarkName(int number) {
    return QStringLiteral("Label") + QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

void PlacePoints(PlotModel& model, const AxisLayout& layout) {
    model.stats = MarkStatistics();
    model.frame = layout.frame;
    for (qsizetype i = 0; i < model.points.size(); ++i) {
        PlotPoint& p = model.points[i];
        p.px = layout.px(qint64(p.x));
        p.py = layout.py(p.y);
        p.labelName = MarkName(int(i) + 1);
        p.hasMark = !model.marks[size_t(MarkSlotOf(p.mark))].MKCOLOR.isEmpty();
        if (IsMark(p.mark)) {
            const size_t k = size_t(p.mark);
            ++model.stats.count[k];
            model.stats.sumX[k] += p.x;
            model.stats.sumY[k] += p.y;
            ++model.stats.totalCount;
            model.stats.totalX += p.x;
            model.stats.totalY += p.y;
        }
    }
    model.placed = true;
}

void RemoveMarks(PlotModel& model) {
    model.placed = false;
    for (PlotPoint& p : model.points)
        p.hasMark = false;
}

void SetModelPoints(PlotModel& model, const QVector<ChartPoint>& points) {
    model.points.clear();
    model.points.reserve(points.size());
    for (const ChartPoint& c : points) {
        PlotPoint p;
        p.sco = c.sco;
        p.name = c.name;
        p.markLabel = c.markLabel;
        p.mark = c.mark;
        p.x = c.x;
        p.y = c.y;
        p.storedRow = c.storedRow;
        model.points << p;
    }
    model.placed = false;
    model.stats = MarkStatistics();
}

PlotModel ModelForAspect(const PlotModel& model, int aspectWidth, int aspectHeight) {
    PlotModel m = model;
    const int width = std::max(1, model.frame.plotArea().width());
    const int height = aspectWidth > 0 ? int(qint64(width) * aspectHeight / aspectWidth) : width;
    m.frame = FrameForPicture(width, std::max(1, height));
    // Picked points keep their data values; their pixels follow the new frame.
    const AxisLayout layout =
        LayoutAxes(m.frame, m.request.chartNo, m.header.xItem, m.header.yItem, m.request.range);
    if (model.placed) {
        PlacePoints(m, layout);
        for (qsizetype i = 0; i < m.points.size(); ++i)
            m.points[i].hasMark = model.points[i].hasMark;
    }
    const AxisLayout old = LayoutAxes(model.frame, model.request.chartNo, model.header.xItem,
                                      model.header.yItem, model.request.range);
    for (PickedPoint& p : m.picked) {
        const auto scaled = [](int v, int from, int to, int oldSpan, int newSpan) {
            return oldSpan == 0 ? to : to + int(qint64(v - from) * newSpan / oldSpan);
        };
        p.pixel = QPoint(
            scaled(p.pixel.x(), old.originX, layout.originX, old.plotWidth, layout.plotWidth),
            scaled(p.pixel.y(), old.originY, layout.originY, old.plotHeight, layout.plotHeight));
    }
    return m;
}
