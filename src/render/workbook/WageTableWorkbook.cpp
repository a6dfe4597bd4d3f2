#include "render/workbook/WageTableWorkbook.h"

#include "core/common/Currency.h"
#include "core/common/ExactDivision.h"
#include "core/report/ReportCatalogue.h"
#include "core/wage/WageTableGenerator.h"

#include <type_traits>

using namespace WageTableSheet;
using Xlsx::Sheet;

namespace {

QString companyLine(const WageTablePrintHeader& h) {
    return h.nendoText + QStringLiteral(" 年度　：　") + h.companyName + QStringLiteral("　　") +
           ReportFormat::date(h.today);
}

void tableSheet(Xlsx::Workbook& book, const WageTablePrintHeader& header,
                const QVector<WageTableRow>& rows) {
    Sheet& s = book.addSheet(QStringLiteral("賃金表"));
    const int lastCol = indexColumn(MaxGrades);
    s.merge(0, 0, lastCol, header.title.isEmpty() ? QStringLiteral("賃金表") : header.title,
            Xlsx::titleStyle());
    s.merge(1, 0, lastCol, companyLine(header), {});

    // A grade is captioned when the table uses it or it has a name, as on the print.
    std::array<bool, MaxGrades + 1> used{};
    for (const WageTableRow& row : rows)
        for (int g = 1; g <= MaxGrades; ++g)
            used[size_t(g)] = used[size_t(g)] || row.amount[size_t(g)] != 0;
    s.text(GradeRow, 0, QString(), Xlsx::headerStyle());
    s.text(HeadingRow, 0, QStringLiteral("号俸"), Xlsx::headerStyle());
    for (int g = 1; g <= MaxGrades; ++g) {
        const QString& name = header.gradeNames[size_t(g)];
        QString caption;
        if (used[size_t(g)] || !name.isEmpty())
            caption = QString::number(g) + QStringLiteral("等級") +
                      (name.isEmpty() ? QString() : QStringLiteral("　") + name);
        s.merge(GradeRow, amountColumn(g), indexColumn(g), caption, Xlsx::headerStyle());
        s.text(HeadingRow, amountColumn(g), QStringLiteral("金　額"), Xlsx::headerStyle());
        s.text(HeadingRow, indexColumn(g), QStringLiteral("格差"), Xlsx::headerStyle());
    }

    // Steps a grade does not reach stay blank, so that averages count only the grade's steps.
    struct Run {
        qint64 count = 0, sum = 0, first = 0, last = 0;
        int firstRow = 0, lastRow = 0;
    };
    std::array<Run, MaxGrades + 1> runs{};
    const Xlsx::CellStyle step = [] {
        Xlsx::CellStyle st = Xlsx::textStyle();
        st.centred = true;
        return st;
    }();
    int r = FirstRow;
    for (const WageTableRow& row : rows) {
        s.number(r, 0, row.step, step);
        for (int g = 1; g <= MaxGrades; ++g) {
            const qint64 amount = row.amount[size_t(g)];
            const qint64 index = row.index[size_t(g)];
            if (amount != 0)
                s.money(r, amountColumn(g), Currency::fromInt(amount));
            else
                s.text(r, amountColumn(g), QString(), Xlsx::amountStyle());
            if (index != 0)
                s.number(r, indexColumn(g), double(index), Xlsx::amountStyle());
            else
                s.text(r, indexColumn(g), QString(), Xlsx::amountStyle());
            if (amount != 0) {
                Run& run = runs[size_t(g)];
                if (run.count == 0) {
                    run.first = amount;
                    run.firstRow = r;
                }
                run.last = amount;
                run.lastRow = r;
                run.sum += amount;
                ++run.count;
            }
        }
        ++r;
    }
    // The print's average line: the average amount and the average step between the first
    // and the last amount, both rounded half away from zero (as ROUND does).
    Xlsx::CellStyle averageLabel = step;
    averageLabel.bold = true;
    s.text(r, 0, QStringLiteral("平均"), averageLabel);
    for (int g = 1; g <= MaxGrades; ++g) {
        const Run& run = runs[size_t(g)];
        const int a = amountColumn(g), k = indexColumn(g);
        if (run.count >= 1)
            s.formula(
                r, a,
                QStringLiteral("ROUND(AVERAGE(%1),0)").arg(Sheet::rangeName(FirstRow, a, r - 1, a)),
                double(DivRoundHalfAway(run.sum, run.count)), Xlsx::amountStyle(true));
        else
            s.text(r, a, QString(), Xlsx::amountStyle(true));
        if (run.count > 1)
            s.formula(r, k,
                      QStringLiteral("ROUND((%1-%2)/%3,0)")
                          .arg(Sheet::cellName(run.lastRow, a), Sheet::cellName(run.firstRow, a))
                          .arg(run.count - 1),
                      double(DivRoundHalfAway(run.last - run.first, run.count - 1)),
                      Xlsx::amountStyle(true));
        else
            s.text(r, k, QString(), Xlsx::amountStyle(true));
    }
    s.freeze(FirstRow, 1);
    s.repeatRows(GradeRow, HeadingRow);
    s.setLandscape(true);
    s.setFitToWidth(true);
    s.setPageHeader(header.nendoText + QStringLiteral(" 年度　") + header.companyName +
                    QStringLiteral("　賃金表"));
}

QString methodText(int method) {
    return method == 1 ? QStringLiteral("３次曲線") : QStringLiteral("２次曲線");
}

QString roundingText(int rounding) {
    switch (rounding) {
    case 0:
        return QStringLiteral("拾円単位");
    case 1:
        return QStringLiteral("百円単位");
    default:
        return QStringLiteral("千円単位");
    }
}

void definitionSheet(Xlsx::Workbook& book, const WageTablePrintHeader& header,
                     const StoredWageTable& table) {
    Sheet& s = book.addSheet(QStringLiteral("定義"));
    constexpr int lastCol = 8;
    s.merge(0, 0, lastCol, QStringLiteral("賃金表の定義"), Xlsx::titleStyle());
    s.merge(1, 0, lastCol, companyLine(header), {});
    int r = 3;
    const Xlsx::CellStyle label = Xlsx::headerStyle();
    const Xlsx::CellStyle text = Xlsx::textStyle();
    const Xlsx::CellStyle plain = Xlsx::textStyle();
    if (!table.head)
        return;
    const StoredHead& h = *table.head;
    s.text(r++, 0, QStringLiteral("基本設定"), Xlsx::titleStyle());
    auto field = [&](const QString& name, auto value) {
        s.text(r, 0, name, label);
        if constexpr (std::is_same_v<decltype(value), QString>)
            s.text(r, 1, value, text);
        else
            s.number(r, 1, double(value), plain);
        ++r;
    };
    field(QStringLiteral("タイトル"), h.title);
    field(QStringLiteral("等級数"), h.gradeCount);
    field(QStringLiteral("曲線の選択"), methodText(h.method));
    field(QStringLiteral("上書き"), h.overwrite == 1 ? QStringLiteral("する　　（手入力）")
                                                     : QStringLiteral("しない　（自動計算）"));
    field(QStringLiteral("丸め方"), roundingText(h.rounding));
    field(QStringLiteral("スケールコード"), h.scaleCode);
    field(QStringLiteral("２次曲線コード"), h.secondCode);
    field(QStringLiteral("３次曲線コード"), h.thirdCode);
    field(QStringLiteral("最低号俸"), h.lowestStep);
    field(QStringLiteral("最高号俸"), h.highestStep);

    ++r;
    s.text(r++, 0, QStringLiteral("ｻﾗﾘｰｽｹｰﾙ"), Xlsx::titleStyle());
    const QStringList scaleHeadings = {
        QStringLiteral("等級番号"), QStringLiteral("等級名称"),   QStringLiteral("下限 (%)"),
        QStringLiteral("基礎金額"), QStringLiteral("上限 (%)"),   QStringLiteral("下限額"),
        QStringLiteral("上限額"),   QStringLiteral("スプレッド"), QStringLiteral("レンジ")};
    for (int c = 0; c < scaleHeadings.size(); ++c)
        s.text(r, c, scaleHeadings[c], label);
    ++r;
    for (const StoredScaleRow& row : table.scale) {
        const ScaleFigures f = ComputeScaleFigures(row.lowerPercent, row.base, row.upperPercent);
        s.number(r, 0, row.grade, plain);
        s.text(r, 1,
               row.grade >= 1 && row.grade <= MaxGrades ? header.gradeNames[size_t(row.grade)]
                                                        : QString(),
               text);
        s.number(r, 2, row.lowerPercent.toDouble(), Xlsx::decimalStyle(1));
        s.money(r, 3, row.base);
        s.number(r, 4, row.upperPercent.toDouble(), Xlsx::decimalStyle(1));
        s.money(r, 5, Currency::fromInt(f.lowerAmount));
        s.money(r, 6, Currency::fromInt(f.upperAmount));
        s.number(r, 7, row.spread.toDouble(), Xlsx::decimalStyle(2));
        s.money(r, 8, row.range);
        ++r;
    }
    s.merge(r++, 0, lastCol,
            QStringLiteral("下限額＝基礎金額×（1＋下限÷100）、上限額＝基礎金額×（1＋上限÷100）、"
                           "スプレッド＝上限額÷下限額、レンジ＝上限額－下限額"),
            {});

    ++r;
    const bool third = table.thirdOrder();
    s.text(r++, 0, methodText(h.method), Xlsx::titleStyle());
    s.text(r, 0, QStringLiteral("掛　率"), label);
    s.number(r, 1, table.curves.isEmpty() ? 1.0 : table.curves.first().rate.toDouble(),
             Xlsx::decimalStyle(3));
    r += 2;
    QStringList curveHeadings = {QStringLiteral("等級番号"), QStringLiteral("開始号数"),
                                 QStringLiteral("開始賃金")};
    const int middles = third ? 2 : 1;
    for (int m = 0; m < middles; ++m)
        curveHeadings << QStringLiteral("中間号数") << QStringLiteral("中間賃金");
    curveHeadings << QStringLiteral("終了号数") << QStringLiteral("終了賃金");
    for (int c = 0; c < curveHeadings.size(); ++c)
        s.text(r, c, curveHeadings[c], label);
    ++r;
    for (const StoredCurveRow& row : table.curves) {
        s.number(r, 0, row.grade, plain);
        for (int p = 0; p < middles + 2; ++p) {
            s.number(r, 1 + 2 * p, row.steps[size_t(p)], plain);
            s.money(r, 2 + 2 * p, row.amounts[size_t(p)]);
        }
        ++r;
    }
    s.freeze(3);
    s.setPageHeader(header.nendoText + QStringLiteral(" 年度　") + header.companyName +
                    QStringLiteral("　賃金表の定義"));
}

} // namespace

Xlsx::Workbook ComposeWageTableWorkbook(const WageTablePrintHeader& header,
                                        const StoredWageTable& table) {
    Xlsx::Workbook book;
    tableSheet(book, header, table.rows);
    definitionSheet(book, header, table);
    return book;
}
