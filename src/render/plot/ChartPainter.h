#pragma once

#include "core/plot/ChartScene.h"
#include "core/plot/PlotGeometry.h"
#include "core/plot/PlotPage.h"

#include <QFont>
#include <QImage>
#include <QRect>

class QPainter;

// The one painter of a chart: the window, the clipboard, the printed page, the PDF and the
// PNG of the command-line companion all draw a ChartScene through here.

// The chart's font (IPAPGothic stands for ＭＳ Ｐゴシック) at a size in points of a 96-dpi
// window, as pixels so the picture is the same on every device.
QFont ChartFont(int pointSize);

// Axes and scale, point labels, curves, then the marks above them, all drawn as they are.
// This is how a printer or PDF page gets the chart: vectors at its resolution.
void PaintChart(QPainter& painter, const ChartScene& scene);
void PaintChartItems(QPainter& painter, const QVector<SceneItem>& items);
void PaintChartLabels(QPainter& painter, const QVector<SceneText>& labels);
void PaintChartMarks(QPainter& painter, const QVector<SceneMark>& marks);

// A chart on a window or an image: the point labels and the marks are drawn once into two
// transparent layers and kept until the points change (a new generation), so a repaint of
// 10,000 points draws two images. The window, the clipboard and the command line's PNG all
// draw through here, so they give the same picture.
class ChartLayers {
public:
    // Paints the scene on the area (in the scene's coordinates) of a painter without scaling.
    void paint(QPainter& painter, const ChartScene& scene, const QRect& area, quint64 generation);
    void clear();

private:
    QImage m_labels;
    QImage m_marks;
    QRect m_area;
    quint64 m_generation = 0;
    bool m_valid = false;
};

// Where a mark lies on the window: a click inside it is a click on the mark.
QRect MarkBox(const SceneMark& mark);

// The plot area of the frame (everything right of the side panel) as a picture, drawn as the
// window draws it.
QImage RenderChartPicture(const ChartScene& scene, const ChartFrame& frame);

// The printed page, on a painter whose units are 600 dpi from the paper's corner; the chart is
// drawn as vectors into the page's picture rectangle from the frame's plot area.
void PaintPlotPage(QPainter& painter, const PlotPage& page, const ChartScene& scene,
                   const ChartFrame& frame);
