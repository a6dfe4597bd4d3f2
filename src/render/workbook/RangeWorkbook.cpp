#include "render/workbook/RangeWorkbook.h"

using namespace Xlsx;

namespace {

QString heading(const RangeReport& r) {
    return RangeText::title() + QStringLiteral("　") + r.header.companyName + QStringLiteral("　") +
           r.header.nendoText + QStringLiteral(" 年度");
}

void headings(Sheet& s, int row, const QStringList& names) {
    for (int c = 0; c < names.size(); ++c)
        s.text(row, c, names[c], headerStyle());
}

void gradeSheet(Workbook& book, const RangeReport& r) {
    Sheet& s = book.addSheet(QStringLiteral("等級別"));
    const QStringList names = RangeText::gradeHeadings();
    const int last = int(names.size()) - 1;
    s.merge(0, 0, last, heading(r), titleStyle());
    s.text(1, 0,
           QStringLiteral("賃金表：") + r.header.tableTitle + QStringLiteral("　スケールコード ") +
               QString::number(r.header.scaleCode));
    const QStringList definition = RangeText::definition();
    for (int i = 0; i < definition.size(); ++i)
        s.text(2 + i, 0, definition[i]);
    const int head = 2 + int(definition.size());
    headings(s, head, names);
    s.setColumnWidth(0, 6); // the definition's long lines would otherwise widen the grade column
    int row = head + 1;
    const int first = row;
    for (const RangeGradeResult& g : r.analysis.grades) {
        s.number(row, 0, g.grade);
        s.text(row, 1, RangeText::gradeName(r.header, g.grade), textStyle());
        if (g.hasScale) {
            s.number(row, 2, double(g.figures.lowerAmount));
            s.number(row, 3, double(g.base));
            s.number(row, 4, double(g.figures.upperAmount));
            s.money(row, 5, g.figures.spread, decimalStyle(2));
            s.number(row, 6, double(g.figures.range));
        } else {
            s.text(row, 2, RangeText::noScale(), textStyle());
            for (int c = 3; c <= 6; ++c)
                s.text(row, c, QString(), textStyle());
        }
        s.number(row, 7, g.headCount);
        if (g.headCount > 0) {
            s.number(row, 8, double(g.minimum));
            s.number(row, 9, double(g.average));
            s.number(row, 10, double(g.maximum));
        } else {
            for (int c = 8; c <= 10; ++c)
                s.text(row, c, QString(), textStyle());
        }
        if (g.hasScale && g.headCount > 0)
            s.number(row, 11, g.averageCompaRatio, percentStyle());
        else
            s.text(row, 11, QString(), textStyle());
        if (g.hasScale) {
            s.number(row, 12, g.belowCount);
            s.number(row, 13, g.aboveCount);
        } else {
            s.text(row, 12, QString(), textStyle());
            s.text(row, 13, QString(), textStyle());
        }
        ++row;
    }
    const int lastRow = row - 1;
    const RangeTotals t = TotalsOf(r.analysis);
    s.text(row, 0, RangeText::total(), textStyle(true));
    for (int c = 1; c <= 6; ++c)
        s.text(row, c, QString(), textStyle(true));
    const auto sum = [&](int col, double value) {
        s.formula(row, col,
                  QStringLiteral("SUM(") + Sheet::rangeName(first, col, lastRow, col) +
                      QLatin1Char(')'),
                  value, amountStyle(true));
    };
    sum(7, t.headCount);
    if (t.headCount > 0) {
        s.formula(row, 8,
                  QStringLiteral("MIN(") + Sheet::rangeName(first, 8, lastRow, 8) +
                      QLatin1Char(')'),
                  double(t.minimum), amountStyle(true));
        s.number(row, 9, double(t.average), amountStyle(true));
        s.formula(row, 10,
                  QStringLiteral("MAX(") + Sheet::rangeName(first, 10, lastRow, 10) +
                      QLatin1Char(')'),
                  double(t.maximum), amountStyle(true));
    } else {
        for (int c = 8; c <= 10; ++c)
            s.text(row, c, QString(), textStyle(true));
    }
    if (t.averageCompaRatio != 0)
        s.number(row, 11, t.averageCompaRatio, percentStyle(true));
    else
        s.text(row, 11, QString(), textStyle(true));
    sum(12, t.belowCount);
    sum(13, t.aboveCount);
    s.freeze(head + 1);
    s.repeatRows(head, head);
    s.setLandscape(true);
    s.setFitToWidth(true);
}

void employeeSheet(Workbook& book, const RangeReport& r) {
    Sheet& s = book.addSheet(QStringLiteral("社員別"));
    const QStringList names = RangeText::employeeHeadings();
    s.merge(0, 0, int(names.size()) - 1, heading(r), titleStyle());
    headings(s, 1, names);
    int row = 2;
    for (const RangeEmployeeResult& e : r.analysis.employees) {
        s.text(row, 0, e.employee.code, textStyle());
        s.text(row, 1, e.employee.name, textStyle());
        s.number(row, 2, e.employee.grade);
        s.text(row, 3, RangeText::gradeName(r.header, e.employee.grade), textStyle());
        s.number(row, 4, double(e.employee.basePay));
        if (e.hasScale) {
            const RangeGradeResult& g = r.analysis.grades[e.employee.grade - 1];
            s.number(row, 5, double(g.figures.lowerAmount));
            s.number(row, 6, double(g.base));
            s.number(row, 7, double(g.figures.upperAmount));
            s.number(row, 8, e.compaRatio, percentStyle());
            s.number(row, 9, e.penetration, percentStyle());
        } else {
            for (int c = 5; c <= 9; ++c)
                s.text(row, c, QString(), textStyle());
        }
        s.text(row, 10, RangeText::position(e), textStyle());
        ++row;
    }
    s.freeze(2);
    s.repeatRows(1, 1);
    s.setLandscape(true);
    s.setFitToWidth(true);
}

void apartSheet(Workbook& book, const RangeReport& r) {
    Sheet& s = book.addSheet(QStringLiteral("対象外"));
    const QStringList names = RangeText::apartHeadings();
    s.merge(0, 0, int(names.size()) - 1, heading(r), titleStyle());
    headings(s, 1, names);
    int row = 2;
    for (const RangeEmployee& e : r.analysis.unlinked) {
        s.text(row, 0, e.code, textStyle());
        s.text(row, 1, e.name, textStyle());
        if (e.grade != 0)
            s.number(row, 2, e.grade);
        else
            s.text(row, 2, QString(), textStyle());
        s.text(row, 3, RangeText::apartReason(ApartReasonOf(e)), textStyle());
        ++row;
    }
    s.freeze(2);
    s.repeatRows(1, 1);
}

} // namespace

Workbook ComposeRangeWorkbook(const RangeReport& report) {
    Workbook book;
    gradeSheet(book, report);
    employeeSheet(book, report);
    if (!report.analysis.unlinked.isEmpty())
        apartSheet(book, report);
    return book;
}
