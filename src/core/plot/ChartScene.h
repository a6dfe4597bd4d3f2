#pragma once

#include "core/common/ColorText.h"

#include <QPoint>
#include <QString>
#include <QVector>
#include <variant>

// A chart as a list of drawing steps in window pixels, built by plain code and painted by the
// one chart painter on a window, an image, a printer or a PDF page.

// Line kind 0 no line, 1 solid, 2 dotted, 3 dash-dot; a width of 2 or more always draws solid.
struct LinePen {
    ColorValue colour = 0;
    int kind = 1;
    int width = 1;
    bool operator==(const LinePen&) const = default;
};

struct SceneLine {
    QPoint from;
    QPoint to;
    LinePen pen;
};

// A text placed by its top-left corner; the size is in points of a 96-dpi window.
struct SceneText {
    QPoint at;
    QString text;
    int pointSize = 12;
    ColorValue colour = 0;
};

struct SceneCircle {
    QPoint centre;
    int radius = 5;
    LinePen pen;
};

using SceneItem = std::variant<SceneLine, SceneText, SceneCircle>;

// An employee's mark: its symbol placed by its top-left corner. Marks lie above everything
// else, as the clickable marks of the window do.
struct SceneMark {
    QPoint at;
    QString symbol;
    int pointSize = 12;
    ColorValue colour = 0;
    int point = -1; // index of the point in the model
};

// Drawn in this order: the axes, scale and legend; the texts above the points; the chart's
// curves (and picked points); the marks. Labels and marks change only when the points are
// placed, so a window may keep them drawn between repaints.
struct ChartScene {
    QVector<SceneItem> items;
    QVector<SceneText> labels;
    QVector<SceneItem> curves;
    QVector<SceneMark> marks;
    // The pen the scale leaves set; the chart's curves start from it.
    LinePen scalePen;

    void line(QPoint from, QPoint to, const LinePen& pen) {
        items.push_back(SceneLine{from, to, pen});
    }
    void text(QPoint at, const QString& text, int pointSize, ColorValue colour) {
        items.push_back(SceneText{at, text, pointSize, colour});
    }
    // The chart's own drawing step.
    void curveLine(QPoint from, QPoint to, const LinePen& pen) {
        curves.push_back(SceneLine{from, to, pen});
    }
    void curveText(QPoint at, const QString& text, int pointSize, ColorValue colour) {
        curves.push_back(SceneText{at, text, pointSize, colour});
    }
    void curveCircle(QPoint centre, int radius, const LinePen& pen) {
        curves.push_back(SceneCircle{centre, radius, pen});
    }
};
