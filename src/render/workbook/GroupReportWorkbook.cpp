#include "render/workbook/GroupReportWorkbook.h"

#include "core/common/Counts.h"
#include "core/common/Currency.h"
#include "core/common/ExactDivision.h"
#include "core/raise/RaiseComputation.h"
#include "core/report/ReportCatalogue.h"

#include <QStringList>
#include <vector>

using namespace GroupReportSheet;
using Xlsx::Sheet;

namespace {

// Wage report columns.
enum WageColumn {
    WCode,
    WName,
    WAge,
    WService,
    WBase1,
    WBase2,
    WBase3,
    WBaseTotal,
    WAllowances,
    WScheduled,
    WBonus1,
    WBonus2,
    WAnnual,
    WColumnCount
};

// Raise report columns.
enum RaiseColumn {
    RCode,
    RName,
    REvaluation,
    RGrade,
    RStep,
    RSteps,
    RNewBase,
    RBaseChange,
    RNewAllowances,
    RAllowanceChange,
    RNewScheduled,
    RScheduled,
    RRaise,
    RRate,
    RColumnCount
};

QString sum(const QString& ranges) {
    return QStringLiteral("SUM(") + ranges + QLatin1Char(')');
}

// The cells of a column in a list of row ranges, as a SUM argument ("E5:E9,E14:E20").
QString ranges(const QVector<std::pair<int, int>>& blocks, int col) {
    QStringList parts;
    for (const auto& [first, last] : blocks)
        parts << Sheet::rangeName(first, col, last, col);
    return parts.join(QLatin1Char(','));
}

QString cells(const QVector<int>& rows, int col) {
    QStringList parts;
    for (int r : rows)
        parts << Sheet::cellName(r, col);
    return parts.join(QLatin1Char(','));
}

class Composer {
public:
    Composer(GroupReportKind kind, const GroupReportHeader& header)
        : m_raise(kind == GroupReportKind::Raise), m_header(header),
          m_columns(m_raise ? int(RColumnCount) : int(WColumnCount)) {}

    Xlsx::Workbook run(const QVector<GroupReportEmployee>& employees) {
        Xlsx::Workbook book;
        const QString title =
            ReportFilesOf(m_raise ? ReportId::GroupRaise : ReportId::GroupWage).docName;
        Sheet& s = book.addSheet(title);
        m_sheet = &s;
        s.merge(0, 0, m_columns - 1, title, Xlsx::titleStyle());
        s.merge(1, 0, m_columns - 1,
                m_header.nendoText + QStringLiteral(" 年度　：　") + m_header.companyName +
                    QStringLiteral("　　") + ReportFormat::date(m_header.today),
                {});
        QStringList notes;
        if (!m_raise)
            notes << AgeBaseNote(m_header);
        if (!m_header.gradeFromName.isEmpty())
            notes << QStringLiteral("等級　") + m_header.gradeFromName + QStringLiteral(" ～ ") +
                         m_header.gradeToName;
        s.merge(2, 0, m_columns - 1, notes.join(QStringLiteral("　　")), {});
        headings();

        int r = FirstRow;
        QVector<int> subtotalRows;
        QVector<std::pair<int, int>> blocks;
        for (qsizetype i = 0; i < employees.size();) {
            const int mark = employees[i].MCO;
            s.merge(r++, 0, m_columns - 1,
                    IsMark(mark) ? m_header.markNames[size_t(mark)] : QString(),
                    Xlsx::textStyle(true));
            const int first = r;
            for (; i < employees.size() && employees[i].MCO == mark; ++i)
                m_raise ? raiseLine(r++, employees[i]) : wageLine(r++, employees[i]);
            const int last = r - 1;
            blocks.push_back({first, last});
            subtotalRows.push_back(r);
            closeBlock(r, QStringLiteral("小計"), {{first, last}}, {});
            r += 3; // subtotal, average, a blank line
        }
        if (!blocks.isEmpty())
            closeBlock(r, QStringLiteral("合計"), blocks, subtotalRows);

        s.freeze(FirstRow, 2);
        s.repeatRows(HeadingRow, HeadingRow);
        s.setLandscape(true);
        s.setFitToWidth(true);
        s.setPageHeader(m_header.nendoText + QStringLiteral(" 年度　") + m_header.companyName +
                        QStringLiteral("　") + title);
        return book;
    }

private:
    void headings() {
        QStringList h;
        if (m_raise) {
            h = {QStringLiteral("社員番号"),     QStringLiteral("氏　　名"),
                 QStringLiteral("評価"),         QStringLiteral("等級"),
                 QStringLiteral("号俸"),         QStringLiteral("昇号"),
                 QStringLiteral("新基本賃金"),   QStringLiteral("基本賃金増減"),
                 QStringLiteral("新諸手当"),     QStringLiteral("諸手当増減"),
                 QStringLiteral("新所定内賃金"), QStringLiteral("現所定内賃金"),
                 QStringLiteral("昇給額"),       QStringLiteral("昇給率％")};
        } else {
            h = {QStringLiteral("社員番号"), QStringLiteral("氏　　名"), QStringLiteral("年齢"),
                 QStringLiteral("勤続")};
            for (int i = 1; i <= BasePayItemCount; ++i)
                h << m_header.baseItemNames[size_t(i)];
            h << QStringLiteral("基本賃金計") << QStringLiteral("諸手当")
              << QStringLiteral("所定内賃金") << QStringLiteral("賞与１")
              << QStringLiteral("賞与２") << QStringLiteral("年　　収");
        }
        for (int c = 0; c < h.size(); ++c)
            m_sheet->text(HeadingRow, c, h[c], Xlsx::headerStyle());
    }

    void yen(int r, int c, qint64 v, bool bold = false) {
        m_sheet->money(r, c, Currency::fromInt(v), Xlsx::amountStyle(bold));
    }
    void formula(int r, int c, const QString& f, double v, const Xlsx::CellStyle& st) {
        m_sheet->formula(r, c, f, v, st);
    }
    QString at(int r, int c) const { return Sheet::cellName(r, c); }

    void wageLine(int r, const GroupReportEmployee& e) {
        Sheet& s = *m_sheet;
        const TPRTC l = WageReportLine(e, m_header.ageBase);
        s.text(r, WCode, l.SCOT, Xlsx::textStyle());
        s.text(r, WName, l.SNA, Xlsx::textStyle());
        s.number(r, WAge, l.age.toInt(), Xlsx::amountStyle());
        s.number(r, WService, l.service.toInt(), Xlsx::amountStyle());
        yen(r, WBase1, l.kihon1);
        yen(r, WBase2, l.kihon2);
        yen(r, WBase3, l.kihon3);
        yen(r, WAllowances, l.teate);
        yen(r, WBonus1, l.syoyo1);
        yen(r, WBonus2, l.syoyo2);
        const qint64 base = l.kihon1 + l.kihon2 + l.kihon3;
        wageFormulas(r, base, base + l.teate, false);
    }

    // 基本賃金計, 所定内賃金 and 年収 of a line from its own cells.
    void wageFormulas(int r, qint64 base, qint64 scheduled, bool bold) {
        const Xlsx::CellStyle st = Xlsx::amountStyle(bold);
        const qint64 bonuses = cellValue(r, WBonus1) + cellValue(r, WBonus2);
        formula(r, WBaseTotal, sum(Sheet::rangeName(r, WBase1, r, WBase3)), double(base), st);
        formula(r, WScheduled, at(r, WBaseTotal) + QLatin1Char('+') + at(r, WAllowances),
                double(scheduled), st);
        formula(r, WAnnual,
                at(r, WScheduled) + QStringLiteral("*12+") + at(r, WBonus1) + QLatin1Char('+') +
                    at(r, WBonus2),
                double(scheduled * 12 + bonuses), st);
    }

    void raiseLine(int r, const GroupReportEmployee& e) {
        Sheet& s = *m_sheet;
        const TPRTU l = RaiseReportLine(e);
        s.text(r, RCode, l.SCOT, Xlsx::textStyle());
        s.text(r, RName, l.SNA, Xlsx::textStyle());
        Xlsx::CellStyle centred = Xlsx::textStyle();
        centred.centred = true;
        s.text(r, REvaluation, l.hyouka, centred);
        s.number(r, RGrade, e.TOUKYU, Xlsx::amountStyle());
        s.number(r, RStep, e.GOUHOU, Xlsx::amountStyle());
        // As printed: the steps as a number, a promotion as its word.
        if (IsPromotion(e.TOUKYU, e.NTOUKYU))
            s.text(r, RSteps, l.sgouhou, centred);
        else
            s.number(r, RSteps, StepsUpShown(e.SGOUHOU, e.evaluationSteps), Xlsx::amountStyle());
        yen(r, RNewBase, l.nkihon);
        yen(r, RBaseChange, l.nkihon - l.kihon);
        yen(r, RNewAllowances, l.nteate);
        yen(r, RAllowanceChange, l.nteate - l.teate);
        yen(r, RScheduled, l.syotei);
        raiseFormulas(r, l.nsyotei, l.syotei, false);
    }

    // 新所定内賃金, 昇給額 and 昇給率 of a line from its own cells.
    void raiseFormulas(int r, qint64 nsyotei, qint64 syotei, bool bold) {
        const Xlsx::CellStyle st = Xlsx::amountStyle(bold);
        formula(r, RNewScheduled, at(r, RNewBase) + QLatin1Char('+') + at(r, RNewAllowances),
                double(nsyotei), st);
        formula(r, RRaise, at(r, RNewScheduled) + QLatin1Char('-') + at(r, RScheduled),
                double(nsyotei - syotei), st);
        Xlsx::CellStyle rate = Xlsx::percentStyle(bold);
        rate.format = Xlsx::NumberFormat::Percent2;
        if (syotei != 0)
            formula(r, RRate, at(r, RRaise) + QLatin1Char('/') + at(r, RScheduled),
                    double(nsyotei - syotei) / double(syotei), rate);
        else
            m_sheet->text(r, RRate, QString(), rate);
    }

    qint64 cellValue(int r, int c) const {
        const Xlsx::Cell* cell = m_sheet->cell(r, c);
        if (!cell)
            return 0;
        if (const auto* d = std::get_if<double>(&cell->value))
            return qint64(*d);
        if (const auto* f = std::get_if<Xlsx::Formula>(&cell->value))
            return qint64(f->value);
        return 0;
    }

    // The sum of a column over the blocks (or over the subtotal cells for the total).
    qint64 total(const QVector<std::pair<int, int>>& blocks, int c) const {
        qint64 t = 0;
        for (const auto& [first, last] : blocks)
            for (int r = first; r <= last; ++r)
                t += cellValue(r, c);
        return t;
    }

    // Sum line and average line. A subtotal sums its block; the total sums the subtotals.
    void closeBlock(int r, const QString& name, const QVector<std::pair<int, int>>& blocks,
                    const QVector<int>& subtotals) {
        Sheet& s = *m_sheet;
        const int a = r + 1; // the average line
        const bool isTotal = !subtotals.isEmpty();
        s.text(r, 1, name, Xlsx::textStyle(true));
        s.text(a, 1, QStringLiteral("平均"), Xlsx::textStyle(true));
        s.text(r, 0, QString(), Xlsx::textStyle());
        s.text(a, 0, QString(), Xlsx::textStyle());
        qint64 count = 0;
        for (const auto& [first, last] : blocks)
            count += last - first + 1;
        // The head count stands where the print has it: under 年齢, or under 評価.
        const int countCol = m_raise ? int(REvaluation) : int(WAge);
        const QString countFormula = isTotal
                                         ? sum(cells(subtotals, countCol))
                                         : QStringLiteral("ROWS(%1)").arg(ranges(blocks, countCol));
        formula(r, countCol, countFormula, double(count), Xlsx::amountStyle(true));
        auto sumOf = [&](int c) {
            return isTotal ? sum(cells(subtotals, c)) : sum(ranges(blocks, c));
        };
        // Amounts: truncated averages, as the print divides whole yen.
        auto averageOf = [&](int c, qint64 t) {
            formula(a, c, QStringLiteral("TRUNC(%1/%2)").arg(at(r, c), at(r, countCol)),
                    double(count ? t / count : 0), Xlsx::amountStyle(true));
        };
        if (m_raise) {
            for (int c : {RNewBase, RBaseChange, RNewAllowances, RAllowanceChange, RScheduled}) {
                const qint64 t = total(blocks, c);
                formula(r, c, sumOf(c), double(t), Xlsx::amountStyle(true));
            }
            const qint64 nsyotei = total(blocks, RNewBase) + total(blocks, RNewAllowances);
            const qint64 syotei = total(blocks, RScheduled);
            raiseFormulas(r, nsyotei, syotei, true);
            // The average line of the print: the averages of new and current pay and their
            // difference; the changes are the differences of averages the print shows.
            const qint64 nkihon = total(blocks, RNewBase);
            const qint64 kihon = nkihon - total(blocks, RBaseChange);
            const qint64 nteate = total(blocks, RNewAllowances);
            const qint64 teate = nteate - total(blocks, RAllowanceChange);
            averageOf(RNewBase, nkihon);
            averageOf(RNewAllowances, nteate);
            averageOf(RScheduled, syotei);
            averageOf(RNewScheduled, nsyotei);
            if (count) {
                yen(a, RBaseChange, nkihon / count - kihon / count, true);
                yen(a, RAllowanceChange, nteate / count - teate / count, true);
            }
            formula(a, RRaise, at(a, RNewScheduled) + QLatin1Char('-') + at(a, RScheduled),
                    double(count ? nsyotei / count - syotei / count : 0), Xlsx::amountStyle(true));
            for (int c : {RGrade, RStep, RSteps, RRate}) {
                s.text(r, c, QString(), Xlsx::textStyle());
                s.text(a, c, QString(), Xlsx::textStyle());
            }
        } else {
            const qint64 age = total(blocks, WAge), service = total(blocks, WService);
            for (int c : {WBase1, WBase2, WBase3, WAllowances, WBonus1, WBonus2}) {
                const qint64 t = total(blocks, c);
                formula(r, c, sumOf(c), double(t), Xlsx::amountStyle(true));
                averageOf(c, t);
            }
            const qint64 base =
                total(blocks, WBase1) + total(blocks, WBase2) + total(blocks, WBase3);
            const qint64 scheduled = base + total(blocks, WAllowances);
            wageFormulas(r, base, scheduled, true);
            // The print adds the truncated averages of the items.
            const qint64 avgBase = count ? total(blocks, WBase1) / count +
                                               total(blocks, WBase2) / count +
                                               total(blocks, WBase3) / count
                                         : 0;
            const qint64 avgScheduled = avgBase + (count ? total(blocks, WAllowances) / count : 0);
            wageFormulas(a, avgBase, avgScheduled, true);
            // Ages and service to one decimal, rounded half away from zero (as ROUND does).
            const Xlsx::CellStyle one = Xlsx::decimalStyle(1, true);
            s.text(r, WService, QString(), Xlsx::textStyle());
            formula(a, WAge,
                    QStringLiteral("ROUND(%1/%2,1)").arg(sum(ranges(blocks, WAge)), at(r, WAge)),
                    count ? double(DivRoundHalfAway(age * 10, count)) / 10 : 0, one);
            formula(
                a, WService,
                QStringLiteral("ROUND(%1/%2,1)").arg(sum(ranges(blocks, WService)), at(r, WAge)),
                count ? double(DivRoundHalfAway(service * 10, count)) / 10 : 0, one);
        }
    }

    bool m_raise;
    const GroupReportHeader& m_header;
    int m_columns;
    Sheet* m_sheet = nullptr;
};

} // namespace

Xlsx::Workbook ComposeGroupReportWorkbook(GroupReportKind kind, const GroupReportHeader& header,
                                          const QVector<GroupReportEmployee>& employees) {
    return Composer(kind, header).run(employees);
}
