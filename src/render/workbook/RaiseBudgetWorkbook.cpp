#include "render/workbook/RaiseBudgetWorkbook.h"

#include "core/common/Currency.h"

#include <cmath>

using namespace Xlsx;

namespace {

CellStyle rateStyle(bool bold) {
    CellStyle s = percentStyle(bold);
    s.format = NumberFormat::Percent2; // as the screen shows it, to 0.01 %
    return s;
}

void composeSection(Sheet& s, const RaiseBudgetDocument& d, const RaiseBudgetSection& section) {
    const int lastCol = BudgetColumnCount;
    s.merge(0, 0, lastCol, QStringLiteral("昇給原資（") + section.title + QStringLiteral("）"),
            titleStyle());
    s.text(1, 0, d.nendoText + QStringLiteral(" 年度　") + d.companyName);
    s.text(2, 0, RaiseBudgetSettingsText(d.settings));
    const int head = RaiseBudgetSheet::HeadingRow;
    s.text(head, 0, section.groupCaption, headerStyle());
    for (int c = 0; c < BudgetColumnCount; ++c)
        s.text(head, c + 1, BudgetColumnCaptions()[c], headerStyle());

    const int rateCol = int(BudgetColumn::Rate) + 1;
    const int currentCol = int(BudgetColumn::Current) + 1;
    const int raiseCol = int(BudgetColumn::Raise) + 1;
    int row = head + 1;
    const int firstGroup = row;
    std::array<double, BudgetColumnCount + 1> sums{};
    for (const RaiseBudgetLine& l : section.lines) {
        if (l.total)
            continue;
        s.text(row, 0, l.label, textStyle());
        for (int c = 0; c < BudgetColumnCount; ++c) {
            const std::optional<Currency> v = BudgetValue(l.values, BudgetColumn(c));
            if (c + 1 == rateCol) {
                if (v)
                    s.number(row, c + 1, v->toDouble() / 100, rateStyle(false));
                else
                    s.text(row, c + 1, QString(), textStyle());
                continue;
            }
            s.money(row, c + 1, *v);
            sums[size_t(c + 1)] += v->toDouble();
        }
        ++row;
    }
    const int lastGroup = row - 1;
    s.text(row, 0, QStringLiteral("合計"), textStyle(true));
    for (int col = 1; col <= lastCol; ++col) {
        if (col == rateCol)
            continue;
        if (lastGroup < firstGroup) // no employees: nothing to sum
            s.number(row, col, 0, amountStyle(true));
        else
            s.formula(row, col,
                      QStringLiteral("SUM(") + Sheet::rangeName(firstGroup, col, lastGroup, col) +
                          QLatin1Char(')'),
                      sums[size_t(col)], amountStyle(true));
    }
    const double current = sums[size_t(currentCol)];
    // Rounded as the program rounds a rate (four decimals of a percent), so that the sheet
    // shows the total rate the screen and the print show.
    if (current != 0)
        s.formula(row, rateCol,
                  QStringLiteral("ROUND(") + Sheet::cellName(row, raiseCol) + QLatin1Char('/') +
                      Sheet::cellName(row, currentCol) + QStringLiteral(",6)"),
                  std::round(sums[size_t(raiseCol)] / current * 1e6) / 1e6, rateStyle(true));
    else
        s.text(row, rateCol, QString(), textStyle(true));
    s.text(row + 2, 0, RaiseBudgetSplitNote());
    s.setColumnWidth(0, 22);
    s.freeze(head + 1);
    s.repeatRows(head, head);
    s.setLandscape(true);
    s.setFitToWidth(true);
    s.setPageHeader(QStringLiteral("昇給原資　") + d.companyName);
}

} // namespace

Workbook ComposeRaiseBudgetWorkbook(const RaiseBudgetDocument& document) {
    Workbook book;
    for (const RaiseBudgetSection& section : document.sections)
        composeSection(book.addSheet(section.title), document, section);
    return book;
}
