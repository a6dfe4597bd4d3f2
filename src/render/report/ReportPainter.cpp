#include "render/report/ReportPainter.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
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

// Fonts and their metrics, made once per family, size and weight of a document.
class FontCache {
public:
    struct Entry {
        QFont font;
        QFontMetricsF metrics;
    };
    const Entry& get(const ReportDocument& doc, const ReportText& t) {
        const quint64 key = (quint64(t.font) << 32) | (quint64(t.size) << 1) | (t.bold ? 1 : 0);
        auto it = m_entries.find(key);
        if (it == m_entries.end()) {
            QFont f(doc.fonts.value(t.font));
            f.setPixelSize(std::max(1, int(std::lround(t.size / 10.0 * UnitsPerPoint))));
            f.setBold(t.bold);
            // Glyph positions as designed; hinting for a screen's pixels would move them.
            f.setHintingPreference(QFont::PreferNoHinting);
            it = m_entries.insert(key, Entry{f, QFontMetricsF(f)});
        }
        return *it;
    }

private:
    QHash<quint64, Entry> m_entries;
};

void paintText(QPainter& p, const FontCache::Entry& e, const ReportText& t) {
    const QRectF box = rectOf(t.box);
    const double advance = e.metrics.horizontalAdvance(t.text);
    const bool wide = advance > box.width();
    const double sx = wide && t.fit ? box.width() / advance : 1.0;
    const double width = advance * sx;
    double x = box.left();
    if (t.align == TextAlign::Right)
        x = box.right() - width;
    else if (t.align == TextAlign::Centre)
        x = box.left() + (box.width() - width) / 2;
    const double baseline = box.center().y() + (e.metrics.ascent() - e.metrics.descent()) / 2;
    p.save();
    if (wide && !t.fit)
        p.setClipRect(box, Qt::IntersectClip);
    p.translate(x, baseline);
    if (sx != 1.0)
        p.scale(sx, 1.0);
    p.setFont(e.font);
    p.drawText(QPointF(0, 0), t.text);
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
    for (const ReportLine& l : page.lines) {
        QPen pen(Qt::black, std::max<double>(l.width == 0 ? ThinLine : l.width, pixel),
                 penStyle(l.style), Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(l.from, l.to);
    }
    painter.setPen(Qt::black);
    FontCache fonts;
    for (const ReportText& t : page.texts)
        paintText(painter, fonts.get(doc, t), t);
    painter.restore();
}

bool WriteReportPdf(const ReportDocument& doc, const QString& path, QString* error) {
    if (doc.pages.isEmpty()) {
        *error = QStringLiteral("印刷するページがありません。");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("PDFファイルを作成できません。\r") + path + QStringLiteral("\r") +
                 file.errorString();
        return false;
    }
    bool painted = false;
    {
        QPdfWriter writer(&file);
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
    if (!painted || file.error() != QFileDevice::NoError || !file.commit()) {
        *error = QStringLiteral("PDFファイルを書き込めません。\r") + path + QStringLiteral("\r") +
                 file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

QImage RenderReportPage(const ReportDocument& doc, int pageIndex, double dotsPerInch) {
    const QSize size(int(std::lround(doc.pageWidth / 2540.0 * dotsPerInch)),
                     int(std::lround(doc.pageHeight / 2540.0 * dotsPerInch)));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(int(std::lround(dotsPerInch / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dotsPerInch / 0.0254)));
    QPainter painter(&image);
    PaintReportPage(painter, doc, pageIndex, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}
