#include "render/report/ReportPainter.h"

#include "core/common/FileWrite.h"
#include "core/common/MessageTexts.h"
#include "core/report/ReportRules.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <array>
#include <cmath>
#include <memory>

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

// A font of a report: the glyph and advance of each character are looked up once and kept,
// so tens of thousands of short texts are laid out without asking the font again (a
// 10,000-employee report has 130,000).
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

    // The width of the text in this font; false when the font lacks a glyph for one of its
    // characters or the text has a character beyond the basic plane (the painter then lays
    // the text out itself).
    bool measure(const QString& text, double& width) {
        if (!m_raw.isValid())
            return false;
        double x = 0;
        for (const QChar c : text) {
            const Glyph& g = glyph(c);
            if (g.index == 0)
                return false;
            x += g.advance;
        }
        width = x;
        return true;
    }
    // Appends the glyphs of a text that measure() accepted, the first at `origin`. Positions
    // are kept to whole layout units (0.01 mm): the PDF then writes whole numbers, shorter to
    // write and to compress, at no visible cost.
    void place(const QString& text, QPointF origin, QList<quint32>& glyphs,
               QList<QPointF>& positions) {
        double x = origin.x();
        const double y = std::round(origin.y());
        for (const QChar c : text) {
            const Glyph& g = glyph(c);
            glyphs << g.index;
            positions << QPointF(std::round(x), y);
            x += g.advance;
        }
    }
    const QRawFont& raw() const { return m_raw; }

private:
    struct Glyph {
        quint32 index = 0; // 0: the font has none
        double advance = 0;
        bool known = false;
    };
    // Characters in blocks of 256, made when a character of the block first comes.
    const Glyph& glyph(QChar c) {
        static const Glyph none{0, 0, true};
        if (c.isSurrogate())
            return none;
        auto& block = m_blocks[c.unicode() >> 8];
        if (!block)
            block = std::make_unique<std::array<Glyph, 256>>();
        Glyph& g = (*block)[c.unicode() & 0xFF];
        if (!g.known) {
            const QList<quint32> found = m_raw.glyphIndexesForString(QString(c));
            g.index = found.size() == 1 ? found[0] : 0;
            if (g.index != 0)
                g.advance = m_raw.advancesForGlyphIndexes({g.index}).value(0).x();
            g.known = true;
        }
        return g;
    }

    QFont m_font;
    QRawFont m_raw;
    double m_ascent = 0;
    double m_descent = 0;
    std::array<std::unique_ptr<std::array<Glyph, 256>>, 256> m_blocks;
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
    double advance = 0;
    const bool shaped = f.measure(t.text, advance);
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
        f.place(t.text, QPointF(x, baseline), batch.glyphs, batch.positions);
        return;
    }
    p.save();
    if (wide && !t.fit)
        p.setClipRect(box, Qt::IntersectClip);
    p.translate(x, baseline);
    p.scale(sx, 1.0);
    if (shaped) {
        QGlyphRun run;
        QList<quint32> glyphs;
        QList<QPointF> positions;
        f.place(t.text, QPointF(0, 0), glyphs, positions);
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
    // Rules of one width and style are drawn together, joined where they continue each other.
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
    for (const ReportLine& l : JoinRules(page.lines)) {
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
            FileWriteFailureText(failed.created ? MsgText::CannotWritePdf()
                                                : QStringLiteral("PDFファイルを作成できません。"),
                                 path, failed);
        return false;
    }
    return true;
}
