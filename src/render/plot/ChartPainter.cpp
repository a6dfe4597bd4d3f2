#include "render/plot/ChartPainter.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QStaticText>
#include <cmath>

namespace {

QColor colourOf(ColorValue c) {
    return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c));
}

// Dotted and dash-dot lines exist only one pixel wide; wider lines are solid.
QPen penOf(const LinePen& p) {
    if (p.kind < 1 || p.kind > 3)
        return QPen(Qt::NoPen);
    const int width = std::max(1, p.width);
    Qt::PenStyle style = Qt::SolidLine;
    if (width == 1 && p.kind == 2)
        style = Qt::DotLine;
    else if (width == 1 && p.kind == 3)
        style = Qt::DashDotLine;
    QPen pen(colourOf(p.colour), width, style, Qt::FlatCap);
    return pen;
}

int pixelsOf(int pointSize, int dpi) {
    return int(std::lround(pointSize * double(dpi) / 72.0));
}

QFont fontOf(int pointSize, int dpi) {
    QFont f(QStringLiteral("IPAPGothic"));
    f.setPixelSize(std::max(1, pixelsOf(pointSize, dpi)));
    return f;
}

// Laid-out texts kept between repaints: a chart of 10,000 points repaints its labels and
// marks without laying each one out again.
QStaticText& laidOut(const QString& text, int pixelSize) {
    static QHash<QPair<QString, int>, QStaticText> cache;
    if (cache.size() > 100000)
        cache.clear();
    auto it = cache.find({text, pixelSize});
    if (it == cache.end()) {
        QStaticText t(text);
        t.setTextFormat(Qt::PlainText);
        it = cache.insert({text, pixelSize}, t);
    }
    return it.value();
}

struct Painter {
    QPainter& p;
    // Laid-out texts only on the raster engine without scaling; printers and PDFs draw text
    // as text.
    bool cached = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Raster &&
                  p.transform().type() <= QTransform::TxTranslate;
    int currentSize = -1;
    int pixelSize = 0;
    int ascent = 0;
    ColorValue currentColour = 0xFFFFFFFF;

    void setFont(int size) {
        if (size == currentSize)
            return;
        const QFont font = ChartFont(size);
        p.setFont(font);
        ascent = p.fontMetrics().ascent();
        pixelSize = font.pixelSize();
        currentSize = size;
    }
    // Text placed by the top-left corner of its line.
    void textAt(QPoint at, const QString& text) {
        if (cached)
            p.drawStaticText(at, laidOut(text, pixelSize));
        else
            p.drawText(QPoint(at.x(), at.y() + ascent), text);
    }
    void setColour(ColorValue c) {
        if (c == currentColour)
            return;
        p.setPen(colourOf(c));
        currentColour = c;
    }
    void operator()(const SceneLine& l) {
        currentColour = 0xFFFFFFFF;
        p.setPen(penOf(l.pen));
        p.drawLine(l.from, l.to);
    }
    void operator()(const SceneText& t) {
        setFont(t.pointSize);
        setColour(t.colour);
        textAt(t.at, t.text);
    }
    void operator()(const SceneCircle& c) {
        currentColour = 0xFFFFFFFF;
        p.setPen(penOf(c.pen));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c.centre, c.radius, c.radius);
    }
};

} // namespace

QFont ChartFont(int pointSize) {
    return fontOf(pointSize, 96);
}

void PaintChartItems(QPainter& painter, const QVector<SceneItem>& items) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    Painter visit{painter};
    for (const SceneItem& item : items)
        std::visit(visit, item);
    painter.restore();
}

void PaintChartLabels(QPainter& painter, const QVector<SceneText>& labels) {
    painter.save();
    Painter visit{painter};
    for (const SceneText& t : labels)
        visit(t);
    painter.restore();
}

void PaintChartMarks(QPainter& painter, const QVector<SceneMark>& marks) {
    painter.save();
    Painter visit{painter};
    for (const SceneMark& m : marks) {
        visit.setFont(m.pointSize);
        visit.setColour(m.colour);
        visit.textAt(m.at, m.symbol);
    }
    painter.restore();
}

void PaintChart(QPainter& painter, const ChartScene& scene) {
    PaintChartItems(painter, scene.items);
    PaintChartLabels(painter, scene.labels);
    PaintChartItems(painter, scene.curves);
    PaintChartMarks(painter, scene.marks);
}

void ChartLayers::clear() {
    m_valid = false;
    m_labels = QImage();
    m_marks = QImage();
}

void ChartLayers::paint(QPainter& painter, const ChartScene& scene, const QRect& area,
                        quint64 generation) {
    if (!m_valid || generation != m_generation || area != m_area) {
        auto layer = [&area](auto draw) {
            QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter p(&image);
            p.translate(-area.topLeft());
            draw(p);
            return image;
        };
        m_labels = layer([&scene](QPainter& p) { PaintChartLabels(p, scene.labels); });
        m_marks = layer([&scene](QPainter& p) { PaintChartMarks(p, scene.marks); });
        m_area = area;
        m_generation = generation;
        m_valid = true;
    }
    PaintChartItems(painter, scene.items);
    painter.drawImage(area.topLeft(), m_labels);
    PaintChartItems(painter, scene.curves);
    painter.drawImage(area.topLeft(), m_marks);
}

QRect MarkBox(const SceneMark& mark) {
    // A chart has a few kinds of mark and thousands of points: each size is measured once.
    static QHash<QPair<QString, int>, QSize> sizes;
    auto it = sizes.constFind({mark.symbol, mark.pointSize});
    if (it == sizes.constEnd()) {
        if (sizes.size() > 1000)
            sizes.clear();
        const QFontMetrics fm(ChartFont(mark.pointSize));
        it = sizes.insert({mark.symbol, mark.pointSize},
                          QSize(std::max(1, fm.horizontalAdvance(mark.symbol)), fm.height()));
    }
    return QRect(mark.at, *it);
}

QImage RenderChartPicture(const ChartScene& scene, const ChartFrame& frame) {
    const QRect area = frame.plotArea();
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.translate(-area.topLeft());
    ChartLayers().paint(p, scene, area, 0);
    p.end();
    return image;
}

void PaintPlotPage(QPainter& painter, const PlotPage& page, const ChartScene& scene,
                   const ChartFrame& frame) {
    painter.save();
    for (const PageText& t : page.texts) {
        const QFont font = fontOf(t.pointSize, 600);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QFontMetrics fm(font);
        int x = t.at.x();
        if (t.centred)
            x -= fm.horizontalAdvance(t.text) / 2;
        painter.drawText(QPoint(x, t.at.y() + fm.ascent()), t.text);
    }
    painter.setBrush(Qt::NoBrush);
    for (const PageRect& r : page.rects) {
        painter.setPen(QPen(Qt::black, r.penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(QRectF(r.rect.topLeft(), r.rect.bottomRight()));
    }

    // The chart, scaled from the plot area into the picture's rectangle.
    const QRect area = frame.plotArea();
    const QRectF target(page.picture.topLeft(), page.picture.bottomRight());
    painter.setClipRect(target);
    painter.translate(target.topLeft());
    painter.scale(double(target.width()) / area.width(), double(target.height()) / area.height());
    painter.translate(-area.topLeft());
    PaintChart(painter, scene);
    painter.restore();
}
