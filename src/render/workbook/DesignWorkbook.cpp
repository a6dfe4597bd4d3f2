#include "render/workbook/DesignWorkbook.h"

#include "core/common/Currency.h"
#include "core/report/ReportCatalogue.h"

#include <map>

using namespace DesignSheet;
using Xlsx::Sheet;

namespace {

QString companyLine(const DesignPrintHeader& h) {
    return h.nendoText + QStringLiteral(" 年度　：　") + h.companyName + QStringLiteral("　　") +
           ReportFormat::date(h.today);
}

Xlsx::CellStyle centredNumber(bool bold = false) {
    Xlsx::CellStyle st = Xlsx::textStyle(bold);
    st.centred = true;
    return st;
}

void sideBySide(Xlsx::Workbook& book, const DesignPrintHeader& header,
                const QVector<DesignRow>& rows) {
    Sheet& s = book.addSheet(QStringLiteral("昇給設計"));
    const int lastCol = indexColumn(DesignCount);
    const QString title =
        header.title.isEmpty() ? QStringLiteral("昇給設計レポート") : header.title;
    s.merge(0, 0, lastCol, title, Xlsx::titleStyle());
    s.merge(1, 0, lastCol, companyLine(header), {});
    const QString x = DesignXCaption(header.xItem), y = DesignYCaption(header.yItem);
    for (int d = 1; d <= DesignCount; ++d) {
        s.merge(CaptionRow, xColumn(d), indexColumn(d), QStringLiteral("設計") + QChar(0xFF10 + d),
                Xlsx::headerStyle());
        s.text(HeadingRow, xColumn(d), x, Xlsx::headerStyle());
        s.text(HeadingRow, amountColumn(d), y, Xlsx::headerStyle());
        s.text(HeadingRow, indexColumn(d), QStringLiteral("格差"), Xlsx::headerStyle());
    }
    // A design's rows run from row number 1 without a gap.
    std::array<DesignRun, DesignCount + 1> runs{};
    int lastNo = 0;
    for (const DesignRow& r : rows) {
        if (r.design < 1 || r.design > DesignCount || r.no < 1)
            continue;
        const int at = FirstRow + r.no - 1;
        const size_t d = size_t(r.design);
        s.number(at, xColumn(r.design), r.x, centredNumber());
        s.money(at, amountColumn(r.design), Currency::fromInt(r.amount));
        s.number(at, indexColumn(r.design), double(r.index), Xlsx::amountStyle());
        runs[d].add(r.amount);
        lastNo = std::max(lastNo, r.no);
    }
    // Empty cells of the grid keep its borders.
    for (int no = 1; no <= lastNo; ++no)
        for (int c = 0; c <= lastCol; ++c)
            if (!s.cell(FirstRow + no - 1, c))
                s.text(FirstRow + no - 1, c, QString(), Xlsx::textStyle());
    const int avg = FirstRow + lastNo;
    for (int d = 1; d <= DesignCount; ++d) {
        const DesignRun& run = runs[size_t(d)];
        if (run.count == 0)
            continue;
        const int first = FirstRow, last = FirstRow + int(run.count) - 1;
        s.text(avg, xColumn(d), QStringLiteral("平均"), centredNumber(true));
        s.formula(avg, amountColumn(d),
                  QStringLiteral("ROUND(AVERAGE(%1),0)")
                      .arg(Sheet::rangeName(first, amountColumn(d), last, amountColumn(d))),
                  double(run.average()), Xlsx::amountStyle(true));
        if (run.count > 1)
            s.formula(avg, indexColumn(d),
                      QStringLiteral("ROUND((%1-%2)/%3,0)")
                          .arg(Sheet::cellName(last, amountColumn(d)),
                               Sheet::cellName(first, amountColumn(d)))
                          .arg(run.count - 1),
                      double(run.averageIncrease()), Xlsx::amountStyle(true));
    }
    s.freeze(FirstRow);
    s.repeatRows(CaptionRow, HeadingRow);
    s.setLandscape(true);
    s.setFitToWidth(true);
    s.setPageHeader(header.nendoText + QStringLiteral(" 年度　") + header.companyName +
                    QStringLiteral("　") + title);
}

void expandedRows(Xlsx::Workbook& book, const DesignPrintHeader& header,
                  const QVector<DesignRow>& rows) {
    Sheet& s = book.addSheet(QStringLiteral("展開"));
    const QStringList headings = {QStringLiteral("設計"),       QStringLiteral("No"),
                                  DesignXCaption(header.xItem), DesignYCaption(header.yItem),
                                  QStringLiteral("昇給額"),     QStringLiteral("昇給率"),
                                  QStringLiteral("格差")};
    s.merge(0, 0, int(headings.size()) - 1, companyLine(header), {});
    for (int c = 0; c < headings.size(); ++c)
        s.text(1, c, headings[c], Xlsx::headerStyle());
    // In design order, then row number.
    std::map<std::pair<int, int>, const DesignRow*> ordered;
    for (const DesignRow& r : rows)
        ordered[{r.design, r.no}] = &r;
    int at = 2;
    for (const auto& [key, r] : ordered) {
        s.number(at, 0, r->design, centredNumber());
        s.number(at, 1, r->no, centredNumber());
        s.number(at, 2, r->x, centredNumber());
        s.money(at, 3, Currency::fromInt(r->amount));
        s.money(at, 4, Currency::fromInt(r->increase));
        s.number(at, 5, double(r->rateHundredths) / 10000.0, Xlsx::percentStyle());
        s.number(at, 6, double(r->index), Xlsx::amountStyle());
        ++at;
    }
    s.freeze(2);
    s.repeatRows(1, 1);
}

} // namespace

Xlsx::Workbook ComposeDesignWorkbook(const DesignPrintHeader& header,
                                     const QVector<DesignRow>& rows) {
    Xlsx::Workbook book;
    sideBySide(book, header, rows);
    expandedRows(book, header, rows);
    return book;
}
