#pragma once

#include "core/common/CompanySettings.h"
#include "core/common/Counts.h"
#include "core/common/NumberText.h"
#include "core/raise/RaiseBudget.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

// The raise budget as the screen, the print, the workbook and the command-line companion lay
// it out: the same columns in the same order, a section per grouping closed by its total.

enum class BudgetColumn {
    Heads,
    Undecided,
    Current,
    Next,
    Raise,
    Rate,
    Scheduled,
    BaseUp,
    Other,
    AnnualRaise,
    BonusChange,
    OnCost,
    AnnualCost
};
constexpr int BudgetColumnCount = int(BudgetColumn::AnnualCost) + 1;

// Column headings, in column order.
const QStringList& BudgetColumnCaptions();
// The value of a column (heads and undecided as counts, the rate in percent to four decimals;
// none only for the rate of a group without current pay).
std::optional<Currency> BudgetValue(const RaiseBudgetGroup& g, BudgetColumn column);
// "#,##0" of an amount or count, "0.00" of the rate, empty for none.
QString BudgetValueText(const RaiseBudgetGroup& g, BudgetColumn column);

struct RaiseBudgetLine {
    QString label;
    RaiseBudgetGroup values;
    bool total = false;
};
struct RaiseBudgetSection {
    QString title;                  // 等級別, マーク別
    QString groupCaption;           // the heading of the label column
    QVector<RaiseBudgetLine> lines; // the groups, then the total
};

// The sections by grade and by mark, each closed by the total of all employees. Labels name
// the grade or mark from the company's settings and marks; an employee without one is in
// "なし".
QVector<RaiseBudgetSection> RaiseBudgetSections(const RaiseBudget& budget,
                                                const TMKIGYOU2& settings,
                                                const std::array<TMMARK, MarkCount + 1>& marks);

// "賞与 2.5か月　法定福利費等 15.0%" for the page and sheet headers.
QString RaiseBudgetSettingsText(const RaiseBudgetSettings& s);
// How the 定昇 / ベア split is made, one line for prints and sheets.
QString RaiseBudgetSplitNote();

// What a print or a workbook of the budget shows.
struct RaiseBudgetDocument {
    QString nendoText; // NendoText of the year
    QString companyName;
    QDate today;
    RaiseBudgetSettings settings;
    QVector<RaiseBudgetSection> sections;
};

// The settings as typed into their boxes or given on the command line: bonus months from 0 to
// 24, the on-cost rate from 0 to 100 %, four decimals at most. A refusal carries the message.
FieldCheck CheckBonusMonthsText(const QString& text);
FieldCheck CheckOnCostRateText(const QString& text);
