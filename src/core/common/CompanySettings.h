#pragma once

#include "core/common/Counts.h"

#include <QString>
#include <QVector>
#include <array>

// Arrays named after 1-based lists (grades 1..9, marks 1..6, item names) keep index 0 unused,
// so code reads like the numbering users see on screen.

// The open company's settings row of MKIGYOU2.
struct TMKIGYOU2 {
    QString KCO;   // company code as decimal text
    QString NENDO; // fiscal year as decimal text
    QString KNA;
    int CYOUSAHI = 0;
    double BEARITSU = 0;
    QString TAIKEI;
    std::array<QString, 5> KKNA;                 // [1..3] base-pay item names; [4] never filled
    std::array<QString, AllowanceCount + 1> TNA; // [1..5] allowance names
    int MCCO = 0;
    int MDCO = 0;
    std::array<QString, MaxGrades + 1> TK; // [1..9] grade names
    int FRSTKYU = 3; // the company's saved salary option, never overwritten at run time
    int SKCO = 0;
    int SYOUKYUHI = 0;
    int FRSTKYUM = 3;

    void clearLoaded(); // every field but KCO and NENDO back to its value for no row
};

// One plot mark of MMARK.
struct TMMARK {
    int MKCO = 0;
    QString MARK;
    QString HANREI;
    QString MKCOLOR = QStringLiteral("0");
    int MKSIZE = 0;
    QString KCOLOR = QStringLiteral("0");
    int KSYURUI = 0;
    int KHABA = 0;
};

struct CodeEntry {
    QString code;
    QString name;
};
using CodeList = QVector<CodeEntry>;

// The code a master screen's 前 / 次 moves to from `code` in a list in code order: with no code
// (0) the first / last one; a code not in the list goes by its place in it; 0 when there is
// none before / after it.
inline int CodeBefore(const CodeList& codes, int code) {
    if (codes.isEmpty())
        return 0;
    if (code == 0)
        return codes.first().code.toInt();
    int before = 0;
    for (const CodeEntry& e : codes)
        if (e.code.toInt() < code)
            before = e.code.toInt();
    return before;
}
inline int CodeAfter(const CodeList& codes, int code) {
    if (codes.isEmpty())
        return 0;
    if (code == 0)
        return codes.last().code.toInt();
    for (const CodeEntry& e : codes)
        if (e.code.toInt() > code)
            return e.code.toInt();
    return 0;
}
