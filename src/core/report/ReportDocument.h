#pragma once

#include "core/report/ReportLayout.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// A composed report: pages of vector operations in layout units (0.01 mm). The work file
// (.rdf) holds exactly this, so a preview zooms and prints it sharp and a test reads back
// what was placed where.

struct ReportText {
    UnitRect box;
    int font = 0; // index into ReportDocument::fonts
    int size = 0; // tenths of a point
    bool bold = false;
    bool fit = false; // condensed to the box's width when wider (else clipped to the box)
    TextAlign align = TextAlign::Left;
    QString text;
};

struct ReportLine {
    QPoint from;
    QPoint to;
    int width = 0; // 0.01 mm; 0 = the thinnest line the device draws
    int style = 0; // 0 solid, 1 dashed, 2 dotted, 3 dash-dot
};

struct ReportBox {
    UnitRect rect;
    int width = 0; // frame; -1 for none
    QString fill;  // "#rrggbb" or empty
};

// Painted in this order: boxes, lines, texts.
struct ReportPage {
    QVector<ReportBox> boxes;
    QVector<ReportLine> lines;
    QVector<ReportText> texts;
};

struct ReportDocument {
    QString name;
    int pageWidth = 21000;
    int pageHeight = 29700;
    PageOrientation orientation = PageOrientation::Portrait;
    QStringList fonts; // families used by the texts
    QVector<ReportPage> pages;

    int fontIndex(const QString& family);
};

// The work file's bytes (compact JSON).
QByteArray ReportDocumentJson(const ReportDocument& doc);
std::optional<ReportDocument> ParseReportDocument(const QByteArray& json, QString* error);

// Writes the work file through a temporary file renamed into place: a failure leaves no
// half-written file (and an older file at the path as it was). False with `error` set.
bool SaveReportDocument(const ReportDocument& doc, const QString& path, QString* error);
// Reads a work file; nothing with `error` set when it is missing or not a work file.
std::optional<ReportDocument> LoadReportDocument(const QString& path, QString* error);
