#pragma once

#include "core/common/Counts.h"

#include <QString>
#include <array>

// What the basic settings screen edits for the open company and year, as held between load
// and save. Colours are colour texts (common/ColorText.h).

struct EraEntry {
    QString name;
    int startYear = 0;
    int startMonth = 0;
    int startDay = 0;
};

struct MarkStyle {
    QString symbol;
    QString legend;
    QString markColor;
    int size = 0;
    QString lineColor;
    int lineKind = 0;
    int lineWidth = 0;
};

struct GraphLineStyle {
    QString color;
    int lineKind = 0;
    int lineWidth = 0;
};

struct BasicSettings {
    // MKIGYOU1 of the company and year
    int ageBaseOption = 0;  // 1: ages counted to today, 0: to the base date
    int baseDate = 0;       // yyyymmdd
    int calendarOption = 0; // 0 western years, 1 era years
    // MSEIGYO row 0, shared by every company
    std::array<EraEntry, EraCount> eras;
    int selectedEra = 0; // 0..2
    // MMARK 1..6 and MGRAPH 1..4 at index 0..5 and 0..3
    std::array<MarkStyle, MarkCount> marks;
    std::array<GraphLineStyle, 4> graphLines;
};

// The four parts of the screen, each saved only when something in it changed.
enum class SettingsArea { CompanyOptions = 1, EraTable = 2, Marks = 4, Graph = 8 };
using SettingsAreas = int; // a set of SettingsArea bits

inline bool hasArea(SettingsAreas areas, SettingsArea a) {
    return (areas & int(a)) != 0;
}

// Field rules of the screen. Each returns the message to show, or empty when the text is
// accepted; the value is stored only when accepted.

// Base date typed with or without dots: a number, shown back as 0000.00.00.
QString CheckBaseDateText(const QString& text, int* ymd);
// 20040401 -> "2004.04.01"
QString BaseDateText(int ymd);
// Era start year: 0, or 1900 to 2050.
QString CheckEraYearText(const QString& text, int* year);
// Era start month 0 to 12, start day 0 to 31 (0 means the first).
QString CheckEraMonthText(const QString& text, int* month);
QString CheckEraDayText(const QString& text, int* day);
// Mark size 8 to 18.
QString CheckMarkSizeText(const QString& text, int* size);
// A line kind chosen in a style box ("2 : 点線"): 1 to 3.
QString CheckLineKindText(const QString& text, int* kind);
// A line width 1 to 5.
QString CheckLineWidthText(const QString& text, int* width);
