#pragma once

#include "core/common/CompanySettings.h"
#include "core/common/Counts.h"

#include <QDate>
#include <QString>
#include <array>
#include <functional>

// What is truly process-wide: where the program lives, today's date, and the era calendar of
// the control file. The open company and everything about it belong to the project
// (data/project/Project.h); screens keep their own edit state.
struct AppState {
    QString AppDir;  // folder of the program, with trailing '/'
    QString DataDir; // AppDir + "DATA/"

    QDate Today;
    int TodayYear = 0;
    int TodayMonth = 0;
    int TodayDay = 0;

    // The era table (MSEIGYO): [1..3].
    std::array<QString, EraCount + 1> EraNames;
    std::array<int, EraCount + 1> EraStartYears{};
    std::array<int, EraCount + 1> EraStartMonths{};
    std::array<int, EraCount + 1> EraStartDays{};

    // The next plot print picture DATA/SDX3W<n>.bmp, n cycling 1 to 11.
    int PlotPrintNo = 1;

    // Where "today" comes from; tests fix it.
    std::function<QDate()> clock = [] { return QDate::currentDate(); };

    // Takes today's date into Today and its parts.
    void refreshToday();
};

AppState& state();
// Replaces the process-wide state with a fresh one (start-up and tests).
AppState& resetState();
