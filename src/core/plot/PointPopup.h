#pragma once

#include "core/common/Counts.h"
#include "core/plot/ChartBuild.h"

#include <array>

// The four pop-up kinds of a plotted employee: 1 profile, 2 evaluations, 3 career, 4 pay.
constexpr int PopupKinds = 4;

// What the pop-ups show of an employee, read from VSYAIN.
struct PopupEmployee {
    PlotEmployee pay; // base items, wage-table link and amount, scheduled pay, bonuses
    QString scot;
    QString school;    // GAKU
    QString major;     // SENKOU
    QString pastEval3; // HNA3
    QString pastEval2;
    QString pastEval1;
    QString post;                                        // YAKU
    qint64 stayDate = 0;                                 // THI, yyyymmdd
    std::array<Currency, AllowanceCount + 1> allowances; // [1..5] TEATE1..TEATE5
};

struct PopupContent {
    QString caption;               // "1.プロフィール"
    std::array<QString, 6> titles; // [1..5]
    std::array<QString, 6> values;
};

QString PopupCaption(int kind);
// The band across the pop-up: code, two blanks, name.
QString PopupBand(int sco, const QString& name);
// The rows of one kind. gradeNames [1..9]; yearsStayed is the stay date counted to the age base.
PopupContent MakePopupContent(int kind, const PopupEmployee& e,
                              const std::array<QString, MaxGrades + 1>& gradeNames,
                              int yearsStayed);
