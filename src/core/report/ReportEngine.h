#pragma once

#include "core/report/ReportDocument.h"
#include "core/report/ReportLayout.h"

#include <QMap>
#include <QString>
#include <optional>

// The report library every printing screen holds (its JIVE): fills a layout page by page into
// a document and writes the document to the work file. It is driven by the same calls, in the
// same order, as the library the printed forms were first designed for:
//
//   FormName, CharOverFlow, OutDevice, ImageFileName, DocName   what to compose, and where to
//   StartDoc, FontSize                                          opens the layout
//   FieldName -> the field's left, right, upper and lower edges
//   per page: SetFormText, DrawTextBox, LineStyle, LineWidth, DrawLine, then PrintForm, EndPage
//   EndDoc                                                      writes the work file
//
// A failing call (missing or broken layout, unknown field, unwritable work file) records the
// first error; every later call does nothing, and EndDoc then writes nothing and gives false.
class ReportEngine {
public:
    // OutDevice values.
    static constexpr int Memory = 0;   // the document stays in memory (command-line companion)
    static constexpr int WorkFile = 5; // EndDoc writes the work file

    struct Edges {
        int left = 0;
        int right = 0;
        int upper = 0;
        int lower = 0;
    };

    void FormName(const QString& layoutPath) { m_formName = layoutPath; }
    // 1: a text wider than its box is condensed to the box; 0: it is cut at the box's edges.
    void CharOverFlow(int mode) { m_overflow = mode; }
    void OutDevice(int device) { m_device = device; }
    void ImageFileName(const QString& path) { m_imageFile = path; }
    QString ImageFileName() const { return m_imageFile; }
    void DocName(const QString& name) { m_docName = name; }

    // Opens the layout and starts an empty document. An older work file at ImageFileName is
    // removed first, so a failed composition never leaves a stale document behind.
    bool StartDoc();
    // Size of DrawTextBox's texts, tenths of a point.
    void FontSize(int tenths) { m_fontSize = tenths; }

    // The rectangle of a field of the layout; nothing (and the error set) when it has none.
    std::optional<Edges> FieldName(const QString& field);
    // The text printed in a header field on the page being composed.
    void SetFormText(const QString& field, const QString& text);
    // A text in a rectangle; align 0 left, 1 right, 2 centred; vertically centred.
    void DrawTextBox(int left, int upper, int right, int lower, int align, const QString& text);
    // 0 solid, 1 dashed, 2 dotted, 3 dash-dot.
    void LineStyle(int style) { m_lineStyle = style; }
    // 0.01 mm; 0 = the thinnest line.
    void LineWidth(int width) { m_lineWidth = width; }
    void DrawLine(int x1, int y1, int x2, int y2);
    // Lays the form (boxes, rules, captions, header fields) under what was drawn on the page.
    void PrintForm();
    // Closes the page; the next call starts a new one.
    void EndPage();
    // Ends the document; with OutDevice 5 writes the work file (temporary file, then renamed).
    bool EndDoc();

    bool failed() const { return !m_error.isEmpty(); }
    // The first error, naming the file and what is wrong.
    const QString& error() const { return m_error; }
    const ReportLayout& layout() const { return m_layout; }
    const ReportDocument& document() const { return m_doc; }
    ReportDocument takeDocument() { return std::move(m_doc); }
    int pageCount() const { return int(m_doc.pages.size()); }

private:
    bool usable() const { return m_started && m_error.isEmpty(); }
    void fail(const QString& message);
    ReportText text(const UnitRect& box, const LayoutFont& font, TextAlign align,
                    const QString& value);

    QString m_formName;
    int m_overflow = 0;
    int m_device = WorkFile;
    QString m_imageFile;
    QString m_docName;
    int m_fontSize = 100;
    int m_lineStyle = 0;
    int m_lineWidth = 0;

    bool m_started = false;
    QString m_error;
    ReportLayout m_layout;
    ReportDocument m_doc;
    ReportPage m_page;              // being composed
    QMap<int, QString> m_formTexts; // field index -> text, for the page being composed
    bool m_formLaid = false;
    bool m_pageOpen = false;
};
