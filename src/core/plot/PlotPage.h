#pragma once

#include "core/common/Counts.h"
#include "core/plot/AnalysisTexts.h"

#include <QDate>
#include <QRect>
#include <QStringList>
#include <QVector>

// The printed page of a plot: A4 portrait in 600-dpi units from the paper's top-left corner.
// Texts are placed by their top-left corner, or centred on their x.
struct PageText {
    QPoint at;
    QString text;
    int pointSize = 10;
    bool centred = false;
};

struct PageRect {
    QRect rect;
    int penWidth = 5;
};

struct PlotPage {
    QVector<PageText> texts;
    QVector<PageRect> rects;
    QRect picture; // where the chart is drawn

    void text(int x, int y, const QString& t, int size) { texts.push_back({{x, y}, t, size}); }
    // A block line: label at x 450, value at x 850, size 10.
    void block(int y, const QString& label, const QString& value);
};

struct PlotPageInput {
    int chartNo = 0;
    QDate today;
    int eraMode = 0;
    int year = 0;
    QString companyName;
    QString title;
    int ageBaseOption = 0; // MKIGYOU1.FNK: ages counted to today when not 0
    int baseDate = 0;      // MKIGYOU1.KDATE
    QString xTitle;
    QString yTitle;
    AnalysisTexts analysis;
    std::array<bool, MaxGrades + 1> grades{}; // [1..9]
    QString explanation;
};

// Header, the chart's common text blocks, frame, explanation box and the picture's place.
PlotPage BuildPlotPage(const PlotPageInput& input);

// The explanation as printed: upper case, cut into lines of 40 characters.
QStringList ExplanationLines(const QString& explanation);
// "１等級  ２等級  ７等級  " for the grades selected.
QString SelectedGradesText(const std::array<bool, MaxGrades + 1>& grades);
// The date ages and service are counted to, as the page states it.
QString BaseDateText(int ageBaseOption, int baseDate, const QDate& today);
