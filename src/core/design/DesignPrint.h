#pragma once

#include "core/design/DesignExpansion.h"
#include "core/report/ReportEngine.h"

#include <QDate>

// The printed raise-curve designs (昇給設計レポート): the five designs side by side, one line per
// row number, 32 lines a page, the averages on the last line of the last page.

struct DesignPrintHeader {
    QString nendoText;
    QString companyName;
    QString title;
    QDate today;
    int xItem = 0;
    int yItem = 0;
};

namespace DesignLines {
constexpr int Pitch = 508;
constexpr int Offset = 200;         // line i of a page is written at i x 508 + 200
constexpr int HeadingOffset = -308; // the column headings above line 0
constexpr int LastLine = 31;
} // namespace DesignLines

// "年齢", "勤続" ... and "職能給", "基本給" ...: the axis items as the design columns name them.
QString DesignXCaption(int xItem);
QString DesignYCaption(int yItem);

// Composes the rows (not empty) into the engine prepared by PrepareReport. False when the
// engine failed (its error() says why).
bool ComposeDesignPrint(ReportEngine& JIVE, const DesignPrintHeader& header,
                        const QVector<DesignRow>& rows);
