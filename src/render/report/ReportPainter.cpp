#include "render/report/ReportPainter.h"

#include "core/common/FileWrite.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <cmath>

namespace {

constexpr double UnitsPerPoint = 2540.0 / 72.0; // 0.01 mm in one point
constexpr int ThinLine = 10;                    // a rule of width 0 is 0.1 mm

Qt::PenStyle penStyle(int style) {
    switch (style) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    default:
        return Qt::SolidLine;
    }
}

QRectF rectOf(const UnitRect& r) {
    return QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom));
}

// A font of a report: its glyphs are looked up once and kept, so tens of thousands of short
// texts are laid out without shaping each again (a 10,000-employee report has 130,000).
class ReportFont {
public:
    ReportFont(const QString& family, int tenths, bool bold) {
        m_font = QFont(family);
        m_font.setPixelSize(std::max(1, int(std::lround(tenths / 10.0 * UnitsPerPoint))));
        m_font.setBold(bold);
        // Glyph positions as designed; hinting for a screen's pixels would move them.
        m_font.setHintingPreference(QFont::PreferNoHinting);
        m_raw = QRawFont::fromFont(m_font);
        const QFontMetricsF m(m_font);
        m_ascent = m.ascent();
        m_descent = m.descent();
    }
    const QFont& font() const { return m_font; }
    double ascent() const { return m_ascent; }
    double descent() const { return m_descent; }

    // The text as glyphs of this font appended to `glyphs`, with positions from the start
    // of the baseline appended to `positions`; false when the font lacks a glyph (the painter
    // then lays the text out itself).
    bool layout(const QString& text, QList<quint32>& glyphs, QList<QPointF>& positions,
                double& width) {
        if (!m_raw.isValid())
            return false;
        const QList<quint32> found = m_raw.glyphIndexesForString(text);
        double x = 0;
        for (quint32 g : found) {
            if (g == 0)
                return false;
            auto it = m_advances.find(g);
            if (it == m_advances.end())
                it = m_advances.insert(g, m_raw.advancesForGlyphIndexes({g}).value(0).x());
            positions << QPointF(x, 0);
            x += *it;
        }
        glyphs += found;
        width = x;
        return true;
    }
    const QRawFont& raw() const { return m_raw; }

private:
    QFont m_font;
    QRawFont m_raw;
    double m_ascent = 0;
    double m_descent = 0;
    QHash<quint32, double> m_advances;
};

ReportFont& reportFont(const QString& family, int tenths, bool bold) {
    static QHash<QString, ReportFont*> fonts; // few: the families and sizes of the layouts
    const QString key = family + QLatin1Char('/') + QString::number(tenths) +
                        (bold ? QStringLiteral("b") : QString());
    auto it = fonts.find(key);
    if (it == fonts.end())
        it = fonts.insert(key, new ReportFont(family, tenths, bold));
    return **it;
}

// The plain texts of a page in one font, drawn as one glyph run: a PDF then writes one text
// object for them instead of one per text.
struct GlyphBatch {
    QList<quint32> glyphs;
    QList<QPointF> positions;
};

// A text that fits its box joins the batch of its font; a condensed or clipped text, or one
// the font's glyphs cannot show, is drawn at once with its own painter state.
void paintText(QPainter& p, ReportFont& f, const ReportText& t, GlyphBatch& batch) {
    const QRectF box = rectOf(t.box);
    QList<quint32> glyphs;
    QList<QPointF> positions;
    double advance = 0;
    const bool shaped = f.layout(t.text, glyphs, positions, advance);
    if (!shaped)
        advance = QFontMetricsF(f.font()).horizontalAdvance(t.text);
    const bool wide = advance > box.width();
    const double sx = wide && t.fit ? box.width() / advance : 1.0;
    const double width = advance * sx;
    double x = box.left();
    if (t.align == TextAlign::Right)
        x = box.right() - width;
    else if (t.align == TextAlign::Centre)
        x = box.left() + (box.width() - width) / 2;
    const double baseline = box.center().y() + (f.ascent() - f.descent()) / 2;
    if (shaped && !wide) {
        batch.glyphs += glyphs;
        for (const QPointF& at : positions)
            batch.positions << QPointF(x + at.x(), baseline);
        return;
    }
    p.save();
    if (wide && !t.fit)
        p.setClipRect(box, Qt::IntersectClip);
    p.translate(x, baseline);
    p.scale(sx, 1.0);
    if (shaped) {
        QGlyphRun run;
        run.setRawFont(f.raw());
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        p.drawGlyphRun(QPointF(0, 0), run);
    } else {
        p.drawText(QPointF(0, 0), t.text);
    }
    p.restore();
}

} // namespace

void PaintReportPage(QPainter& painter, const ReportDocument& doc, int pageIndex,
                     const QRectF& paper) {
    if (pageIndex < 0 || pageIndex >= doc.pages.size() || doc.pageWidth <= 0 || doc.pageHeight <= 0)
        return;
    const ReportPage& page = doc.pages[pageIndex];
    painter.save();
    painter.translate(paper.topLeft());
    const double sx = paper.width() / doc.pageWidth;
    const double sy = paper.height() / doc.pageHeight;
    painter.scale(sx, sy);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // The thinnest rule still covers one device pixel.
    const double pixel = 1.0 / std::max(1e-9, std::min(sx, sy));

    for (const ReportBox& b : page.boxes) {
        const QRectF r = rectOf(b.rect);
        if (!b.fill.isEmpty())
            painter.fillRect(r, QColor(b.fill));
        if (b.width >= 0) {
            QPen pen(Qt::black, std::max<double>(b.width == 0 ? ThinLine : b.width, pixel));
            pen.setJoinStyle(Qt::MiterJoin);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(r);
        }
    }
    // Rules of one width and style are drawn together.
    QList<QLineF> rules;
    int penWidth = -1;
    int penStyleNow = -1;
    const auto flushRules = [&] {
        if (rules.isEmpty())
            return;
        painter.setPen(QPen(Qt::black, std::max<double>(penWidth == 0 ? ThinLine : penWidth, pixel),
                            penStyle(penStyleNow), Qt::FlatCap));
        painter.drawLines(rules);
        rules.clear();
    };
    for (const ReportLine& l : page.lines) {
        if (l.width != penWidth || l.style != penStyleNow) {
            flushRules();
            penWidth = l.width;
            penStyleNow = l.style;
        }
        rules << QLineF(l.from, l.to);
    }
    flushRules();

    painter.setPen(Qt::black);
    QHash<ReportFont*, GlyphBatch> batches;
    ReportFont* current = nullptr;
    for (const ReportText& t : page.texts) {
        ReportFont& f = reportFont(doc.fonts.value(t.font), t.size, t.bold);
        if (&f != current) {
            painter.setFont(f.font()); // for texts the font's glyphs cannot show
            current = &f;
        }
        paintText(painter, f, t, batches[&f]);
    }
    for (auto it = batches.begin(); it != batches.end(); ++it) {
        if (it->glyphs.isEmpty())
            continue;
        QGlyphRun run;
        run.setRawFont(it.key()->raw());
        run.setGlyphIndexes(it->glyphs);
        run.setPositions(it->positions);
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    painter.restore();
}

bool WriteReportPdf(const ReportDocument& doc, const QString& path, QString* error) {
    if (doc.pages.isEmpty()) {
        *error = QStringLiteral("印刷するページがありません。");
        return false;
    }
    // Drawn in memory and written in one go: the file is either the whole PDF or as it was.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter writer(&pdf);
        writer.setCreator(QStringLiteral("Tesvane賃金"));
        writer.setTitle(doc.name);
        writer.setResolution(600);
        const bool landscape = doc.orientation == PageOrientation::Landscape;
        // The paper as the layout gives it, named (A4, ...) when it is a standard size.
        const QSizeF portrait = landscape ? QSizeF(doc.pageHeight, doc.pageWidth) / 100.0
                                          : QSizeF(doc.pageWidth, doc.pageHeight) / 100.0;
        writer.setPageLayout(QPageLayout(
            QPageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
            landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (painter.begin(&writer)) {
            const QRectF paper(0, 0, writer.width(), writer.height());
            for (int i = 0; i < doc.pages.size(); ++i) {
                if (i > 0)
                    writer.newPage();
                PaintReportPage(painter, doc, i, paper);
            }
            painted = painter.end();
        }
    }
    if (!painted) {
        *error = QStringLiteral("PDFファイルを書き込めません。\r") + path;
        return false;
    }
    FileWriteError failed;
    if (!WriteWholeFile(path, pdf.data(), &failed)) {
        *error =
            FileWriteFailureText(failed.created ? QStringLiteral("PDFファイルを書き込めません。")
                                                : QStringLiteral("PDFファイルを作成できません。"),
                                 path, failed);
        return false;
    }
    return true;
}
