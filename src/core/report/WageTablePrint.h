#pragma once

#include "core/report/ReportEngine.h"
#include "core/wage/WageTableDefinition.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <array>

// The printed wage table: every grade side by side, one line per pay step, 32 lines a page,
// and an average line on the last line of the last page.

struct WageTablePrintHeader {
    QString nendoText;
    QString companyName;
    QString title; // the table's title as the screen shows it
    QDate today;
    std::array<QString, MaxGrades + 1> gradeNames; // [1..9]
};

namespace WageTableLines {
constexpr int Pitch = 508;
constexpr int Offset = 100; // line i of a page is written at i x 508 + 100
constexpr int PerPage = 32;
constexpr int AverageLine = 31;
} // namespace WageTableLines

// Composes the stored table (rows in step order, not empty) into the engine prepared by
// PrepareReport. False when the engine failed (its error() says why).
bool ComposeWageTablePrint(ReportEngine& JIVE, const WageTablePrintHeader& header,
                           const QVector<WageTableRow>& rows);
