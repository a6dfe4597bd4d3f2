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

// Lines, texts and circles, then the marks above them.
void PaintChart(QPainter& painter, const ChartScene& scene);
void PaintChartItems(QPainter& painter, const QVector<SceneItem>& items);
void PaintChartMarks(QPainter& painter, const QVector<SceneMark>& marks);

// Where a mark lies on the window: a click inside it is a click on the mark.
QRect MarkBox(const SceneMark& mark);

// The plot area of the frame (everything right of the side panel) as a picture.
QImage RenderChartPicture(const ChartScene& scene, const ChartFrame& frame);

// The printed page, on a painter whose units are 600 dpi from the paper's corner; the chart is
// drawn as vectors into the page's picture rectangle from the frame's plot area.
void PaintPlotPage(QPainter& painter, const PlotPage& page, const ChartScene& scene,
                   const ChartFrame& frame);
