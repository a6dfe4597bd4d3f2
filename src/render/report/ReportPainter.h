#pragma once

#include "core/report/ReportDocument.h"

#include <QRectF>
#include <QString>

class QPainter;
class QPdfWriter;

// One routine paints a recorded page; the preview, the printer, the PDF writer and the
// command-line companion all go through it.

// Paints the page so that the paper (doc.pageWidth x doc.pageHeight, 0.01 mm) fills `paper`,
// given in the painter's coordinates. The painter's state is left as it was.
void PaintReportPage(QPainter& painter, const ReportDocument& doc, int pageIndex,
                     const QRectF& paper);

// Writes every page as a PDF (A4 or the layout's paper, its orientation) through a temporary
// file renamed into place: a failure leaves no partial file and an older file as it was.
bool WriteReportPdf(const ReportDocument& doc, const QString& path, QString* error);
