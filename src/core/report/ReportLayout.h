#pragma once

#include <QHash>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QVector>
#include <optional>

// A report layout (.jfm): the page, its named fields, fixed captions, rules and shaded boxes.
// Every length is in layout units of 0.01 mm, measured from the top left corner of the paper.
// The format is described in resources/report/README.md.

// A rectangle by its four edges, in layout units.
struct UnitRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    UnitRect shifted(int dy) const { return {left, top + dy, right, bottom + dy}; }
    bool operator==(const UnitRect&) const = default;
};

enum class TextAlign { Left = 0, Right = 1, Centre = 2 };

enum class PageOrientation { Portrait, Landscape };

struct LayoutFont {
    QString family;
    int size = 100; // tenths of a point
    bool bold = false;
};

// A named rectangle: header fields print the text given to them on every page, detail fields
// give the position of a column's first line.
struct LayoutField {
    QString name;
    UnitRect rect;
    LayoutFont font;
    TextAlign align = TextAlign::Left;
    bool detail = false;
};

struct LayoutText {
    UnitRect rect;
    QString text;
    LayoutFont font;
    TextAlign align = TextAlign::Centre;
};

// Line styles of rules and of the engine's LineStyle: 0 solid, 1 dashed, 2 dotted, 3 dash-dot.
struct LayoutLine {
    QPoint from;
    QPoint to;
    int width = 0; // 0.01 mm; 0 draws the thinnest line the device shows
    int style = 0;
};

struct LayoutBox {
    UnitRect rect;
    int width = 0; // frame width, 0.01 mm; -1 for no frame
    QString fill;  // "#rrggbb", or empty for none
};

struct ReportLayout {
    QString path; // the file it was read from
    QString title;
    int pageWidth = 0; // after orientation
    int pageHeight = 0;
    PageOrientation orientation = PageOrientation::Portrait;
    QString textFont; // family used by DrawTextBox
    QVector<LayoutField> fields;
    QHash<QString, int> fieldIndex; // upper-case name -> index into fields
    QVector<LayoutText> texts;
    QVector<LayoutLine> lines;
    QVector<LayoutBox> boxes;

    const LayoutField* field(const QString& name) const;
};

// Reads and checks a layout. On failure gives nothing and sets `error` to a message that names
// the file and what is wrong with it.
std::optional<ReportLayout> LoadReportLayout(const QString& path, QString* error);
// The same from the file's bytes (the path only names it in messages).
std::optional<ReportLayout> ParseReportLayout(const QByteArray& json, const QString& path,
                                              QString* error);

// Width and height in 0.01 mm of the paper sizes layouts may name, portrait.
std::optional<QSize> PaperSize(const QString& name);
