#pragma once

#include <QDate>
#include <QString>
#include <QVector>
#include <array>
#include <functional>

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
    std::array<QString, 5> KKNA; // [1..3] base-pay item names; [4] never filled
    std::array<QString, 6> TNA;  // [1..5] allowance names
    int MCCO = 0;
    int MDCO = 0;
    std::array<QString, 10> TK; // [1..9] grade names
    int FRSTKYU = 3;            // the company's saved salary option, never overwritten at run time
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

// Process-wide state shared by the screens. Created at start-up, one per process.
struct AppState {
    QString AppDir;  // folder of the program, with trailing '/'
    QString DataDir; // AppDir + "DATA/"
    QString SqlText;

    int ProjectState = 0; // main window's project state 0..4; no other screen writes it
    int CompanyChosen = 0;
    int DataChanged = 0;
    int SelNendo = 0;
    int SelKco = 0;
    QString SelKna;
    double ListKco = 0;

    QDate Today;
    int TodayYear = 0;
    int TodayMonth = 0;
    int TodayDay = 0;

    std::array<QString, 4> EraNames;    // [1..3]
    std::array<int, 4> EraStartYears{}; // [1..3]
    std::array<int, 4> EraStartMonths{};
    std::array<int, 4> EraStartDays{};

    int EraMode = 0;
    int AgeBaseMode = 0;
    int AgeBaseDate = 0;
    int ReportKind = 0;
    QString PreviewFile;
    int PlotPrintNo = 1;
    int WageRoundUnit = 0; // MARUMEF of the wage table: 0 tens, 1 hundreds, 2 thousands

    TMKIGYOU2 CompanySettings;
    std::array<TMMARK, 7> Marks; // [1..6]

    CodeList EvalCodeList;
    CodeList LivingCodeList;
    CodeList ModelDataCodeList;
    CodeList ModelWageCodeList;

    // Where "today" comes from; tests fix it.
    std::function<QDate()> clock = [] { return QDate::currentDate(); };

    // Takes today's date into Today and its parts.
    void refreshToday();
};

AppState& state();
// Replaces the process-wide state with a fresh one (start-up and tests).
AppState& resetState();
