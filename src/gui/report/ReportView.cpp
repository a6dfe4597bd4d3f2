#include "gui/report/ReportView.h"

#include "render/report/ReportPainter.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QWidget>
#include <cmath>

namespace {
constexpr int Margin = 16; // grey around the paper
} // namespace

// The paper on its grey desk.
class TReportView::Paper : public QWidget {
public:
    explicit Paper(TReportView* view) : QWidget(view), m_view(view) {
        setObjectName(QStringLiteral("Paper"));
    }

    QSize paperPixels() const {
        const ReportDocument* doc = m_view->document();
        if (!doc)
            return {};
        const double perUnit = logicalDpiX() / 2540.0 * m_view->scale() / 100.0;
        return {int(std::lround(doc->pageWidth * perUnit)),
                int(std::lround(doc->pageHeight * perUnit))};
    }

    void relayout() {
        const QSize p = paperPixels();
        resize(p.isEmpty() ? QSize(1, 1) : p + QSize(2 * Margin, 2 * Margin));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0x80, 0x80, 0x80));
        const ReportDocument* doc = m_view->document();
        if (!doc || doc->pages.isEmpty())
            return;
        const QRect paper(QPoint(Margin, Margin), paperPixels());
        painter.fillRect(paper.translated(3, 3), QColor(0x50, 0x50, 0x50));
        painter.fillRect(paper, Qt::white);
        PaintReportPage(painter, *doc, m_view->page() - 1, QRectF(paper));
    }

private:
    TReportView* m_view;
};

TReportView::TReportView(QWidget* parent) : QScrollArea(parent), m_paper(new Paper(this)) {
    setObjectName(QStringLiteral("PView"));
    setWidget(m_paper);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // One grey desk around the paper, however large the window.
    QPalette desk = viewport()->palette();
    desk.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    viewport()->setPalette(desk);
    viewport()->setBackgroundRole(QPalette::Window);
    viewport()->setAutoFillBackground(true);
    m_paper->relayout();
}

void TReportView::clear() {
    m_doc.reset();
    m_path.clear();
    m_loadedSize = -1;
    m_page = 1;
    m_paper->relayout();
}

bool TReportView::setFileName(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        clear();
        m_error = path + QStringLiteral("が見つかりません");
        return false;
    }
    // An unchanged file is not read again; a rewritten one is.
    if (m_doc && path == m_path && info.lastModified() == m_loadedStamp &&
        info.size() == m_loadedSize)
        return true;
    QString why;
    std::optional<ReportDocument> doc = LoadReportDocument(path, &why);
    if (!doc) {
        clear();
        m_error = why;
        return false;
    }
    m_doc = std::move(doc);
    m_path = path;
    m_loadedStamp = info.lastModified();
    m_loadedSize = info.size();
    m_error.clear();
    m_page = 1;
    m_paper->relayout();
    return true;
}

int TReportView::pageCount() const {
    return m_doc ? int(m_doc->pages.size()) : -1;
}

void TReportView::setPage(int page) {
    m_page = std::clamp(page, 1, std::max(1, pageCount()));
}

void TReportView::setScale(int percent) {
    m_scale = std::clamp(percent, 10, 400);
}

void TReportView::Redraw() {
    m_paper->relayout();
}

int TReportView::PrintOut(QPrinter& printer, int fromPage, int toPage, int copies) {
    if (!m_doc || m_doc->pages.isEmpty())
        return PrintFailed;
    fromPage = std::max(1, fromPage);
    toPage = std::min(pageCount(), toPage);
    printer.setCopyCount(std::max(1, copies));
    printer.setFullPage(true); // the layout positions are measured from the paper's edge
    QPainter painter;
    if (!painter.begin(&printer))
        return PrintFailed;
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    for (int p = fromPage; p <= toPage; ++p) {
        if (p > fromPage && !printer.newPage()) {
            painter.end();
            return PrintFailed;
        }
        PaintReportPage(painter, *m_doc, p - 1, QRectF(QPointF(0, 0), paper.size()));
    }
    return painter.end() ? 0 : PrintFailed;
}
