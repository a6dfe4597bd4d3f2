#include "render/workbook/EmployeeWorkbook.h"

#include "core/common/Counts.h"
#include "core/common/Currency.h"
#include "core/report/ReportCatalogue.h"

using namespace EmployeeSheet;
using Xlsx::Sheet;

namespace {

QString itemName(const QString& name, const QString& fallback) {
    return name.trimmed().isEmpty() ? fallback : name;
}

QString sumOf(int firstRow, int firstCol, int lastRow, int lastCol) {
    return QStringLiteral("SUM(") + Sheet::rangeName(firstRow, firstCol, lastRow, lastCol) +
           QLatin1Char(')');
}

} // namespace

Xlsx::Workbook ComposeEmployeeWorkbook(const EmployeeSheetHeader& header,
                                       const QVector<EmployeeSheetRow>& rows) {
    Xlsx::Workbook book;
    Sheet& s = book.addSheet(QStringLiteral("社員一覧"));
    s.merge(0, 0, ColumnCount - 1, QStringLiteral("社員一覧"), Xlsx::titleStyle());
    s.merge(1, 0, ColumnCount - 1,
            header.nendoText + QStringLiteral(" 年度　：　") + header.companyName +
                QStringLiteral("　　") + ReportFormat::date(header.today),
            {});

    // The CSV export's headings, then the wage-table place and the pay items.
    QStringList headings = {
        QStringLiteral("社員番号"), QStringLiteral("社員名"),   QStringLiteral("役職"),
        QStringLiteral("性別"),     QStringLiteral("学歴"),     QStringLiteral("専攻"),
        QStringLiteral("職務経験"), QStringLiteral("社内身分"), QStringLiteral("生年月日"),
        QStringLiteral("入社日"),   QStringLiteral("賃金等級"), QStringLiteral("等級名称"),
        QStringLiteral("号俸")};
    for (int i = 1; i <= BasePayItemCount; ++i)
        headings << itemName(header.baseItemNames[size_t(i)], QStringLiteral("基本給%1").arg(i));
    headings << QStringLiteral("基本賃金計");
    for (int i = 1; i <= AllowanceCount; ++i)
        headings << itemName(header.allowanceNames[size_t(i)], QStringLiteral("手当%1").arg(i));
    headings << QStringLiteral("諸手当計") << QStringLiteral("所定内賃金");
    for (int c = 0; c < ColumnCount; ++c)
        s.text(HeadingRow, c, headings[c], Xlsx::headerStyle());

    const Xlsx::CellStyle text = Xlsx::textStyle();
    const Xlsx::CellStyle plainNumber = Xlsx::textStyle(); // General format, bordered
    std::array<Currency, ColumnCount> totals{};
    int row = FirstRow;
    for (const EmployeeSheetRow& e : rows) {
        const ExportRow& r = e.csv;
        s.text(row, Number, r.SCOT, text);
        s.text(row, Name, r.SNA, text);
        s.text(row, Position, r.YAKU, text);
        s.text(row, Sex, r.SEIBETSU == 0 ? QStringLiteral("男") : QStringLiteral("女"), text);
        s.text(row, Education, r.GAKU, text);
        s.text(row, Major, r.SENKOU, text);
        s.text(row, Experience, r.KEIKEN, text);
        s.text(row, Status, r.SM2, text);
        s.date(row, Birth, DateOfYmd(r.SEIHI));
        s.date(row, Joined, DateOfYmd(r.NYUHI));
        s.number(row, Grade, r.TOUKYU, plainNumber);
        s.text(row, GradeName, IsGrade(r.TOUKYU) ? header.gradeNames[size_t(r.TOUKYU)] : QString(),
               text);
        s.number(row, Step, e.GOUHOU, plainNumber);
        std::array<Currency, ColumnCount> pay{};
        for (int i = 1; i <= BasePayItemCount; ++i) {
            pay[size_t(Base1 + i - 1)] = e.basePay[size_t(i)];
            pay[BaseTotal] += e.basePay[size_t(i)];
        }
        for (int i = 1; i <= AllowanceCount; ++i) {
            pay[size_t(Allowance1 + i - 1)] = e.allowance[size_t(i)];
            pay[AllowanceTotal] += e.allowance[size_t(i)];
        }
        pay[Scheduled] = pay[BaseTotal] + pay[AllowanceTotal];
        for (int c = Base1; c <= Scheduled; ++c) {
            totals[size_t(c)] += pay[size_t(c)];
            if (c != BaseTotal && c != AllowanceTotal && c != Scheduled)
                s.money(row, c, pay[size_t(c)]);
        }
        s.formula(row, BaseTotal, sumOf(row, Base1, row, Base3), pay[BaseTotal].toDouble());
        s.formula(row, AllowanceTotal, sumOf(row, Allowance1, row, Allowance5),
                  pay[AllowanceTotal].toDouble());
        s.formula(row, Scheduled,
                  Sheet::cellName(row, BaseTotal) + QLatin1Char('+') +
                      Sheet::cellName(row, AllowanceTotal),
                  pay[Scheduled].toDouble());
        ++row;
    }
    if (row > FirstRow) {
        s.text(row, Number, QStringLiteral("合計"), Xlsx::textStyle(true));
        for (int c = Base1; c <= Scheduled; ++c)
            s.formula(row, c, sumOf(FirstRow, c, row - 1, c), totals[size_t(c)].toDouble(),
                      Xlsx::amountStyle(true));
    }
    s.freeze(FirstRow, Name + 1);
    s.repeatRows(HeadingRow, HeadingRow);
    s.setLandscape(true);
    s.setFitToWidth(true);
    s.setPageHeader(header.nendoText + QStringLiteral(" 年度　") + header.companyName +
                    QStringLiteral("　社員一覧"));
    return book;
}
