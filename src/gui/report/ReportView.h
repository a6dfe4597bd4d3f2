#pragma once

#include "core/report/ReportDocument.h"

#include <QDateTime>
#include <QScrollArea>
#include <optional>

class QPrinter;

// The viewer of a work file (the preview's PView): shows one page at a scale and prints the
// document. Pages are painted by the one report page painter.
class TReportView : public QScrollArea {
    Q_OBJECT
public:
    // PrintOut's result when the user cancelled (never reported as an error).
    static constexpr int Cancelled = -1030;
    static constexpr int PrintFailed = -1;

    explicit TReportView(QWidget* parent = nullptr);

    // Loads the work file (again when it changed on disk); false when it is missing or not
    // a work file, the view is then empty and lastError() says why.
    bool setFileName(const QString& path);
    QString fileName() const { return m_path; }
    void clear();

    // 1-based; kept inside the document.
    void setPage(int page);
    int page() const { return m_page; }
    // Percent of the paper's real size.
    void setScale(int percent);
    int scale() const { return m_scale; }
    // -1 while no document is loaded.
    int pageCount() const;
    const QString& lastError() const { return m_error; }
    const ReportDocument* document() const { return m_doc ? &*m_doc : nullptr; }

    void Redraw();
    // Prints pages from..to (1-based) on a printer already set up; 0 on success.
    int PrintOut(QPrinter& printer, int fromPage, int toPage, int copies);

private:
    class Paper;
    Paper* m_paper;
    QString m_path;
    QDateTime m_loadedStamp;
    qint64 m_loadedSize = -1;
    std::optional<ReportDocument> m_doc;
    QString m_error;
    int m_page = 1;
    int m_scale = 100;
};
