#include "core/analysis/RangeReport.h"

#include "core/common/ExactDivision.h"
#include "core/common/NumberText.h"

#include <cmath>

RangeTotals TotalsOf(const RangeAnalysis& analysis) {
    RangeTotals t;
    qint64 sum = 0;
    double compaSum = 0;
    int compaCount = 0;
    for (const RangeEmployeeResult& r : analysis.employees) {
        const qint64 pay = r.employee.basePay;
        if (t.headCount == 0 || pay < t.minimum)
            t.minimum = pay;
        if (t.headCount == 0 || pay > t.maximum)
            t.maximum = pay;
        ++t.headCount;
        sum += pay;
        if (r.hasScale) {
            compaSum += r.compaRatio;
            ++compaCount;
        }
        t.belowCount += r.below;
        t.aboveCount += r.above;
    }
    if (t.headCount > 0)
        t.average = qint64(DivRoundHalfAway(sum, t.headCount));
    if (compaCount > 0)
        t.averageCompaRatio = compaSum / compaCount;
    return t;
}

RangeApart ApartReasonOf(const RangeEmployee& e) {
    if (!e.linked)
        return RangeApart::Unlinked;
    if (e.grade < 1)
        return RangeApart::NoGrade;
    return RangeApart::GradeOutsideTable;
}

namespace RangeText {

QString title() {
    return QStringLiteral("等級別レンジ分析");
}

QStringList definition() {
    return {
        QStringLiteral("下限額＝基礎金額×（１＋下限％÷100）、上限額＝基礎金額×（１＋上限％÷100）"
                       "：賃金表　作成のｻﾗﾘｰｽｹｰﾙと同じ計算です。"),
        QStringLiteral("スプレッド＝上限額÷下限額（小数２桁）、レンジ＝上限額－下限額。"),
        QStringLiteral("連動基本給＝賃金表に連動する基本給項目の現在額、コンパレシオ＝連動基本給÷"
                       "基礎金額、レンジ内位置＝（連動基本給－下限額）÷（上限額－下限額）。")};
}

QStringList gradeHeadings() {
    return {
        QStringLiteral("等級"),     QStringLiteral("等級名称"), QStringLiteral("下限額"),
        QStringLiteral("基礎金額"), QStringLiteral("上限額"),   QStringLiteral("スプレッド"),
        QStringLiteral("レンジ"),   QStringLiteral("人数"),     QStringLiteral("最低"),
        QStringLiteral("平均"),     QStringLiteral("最高"),     QStringLiteral("平均コンパレシオ"),
        QStringLiteral("下限未満"), QStringLiteral("上限超")};
}

QStringList employeeHeadings() {
    return {QStringLiteral("社員番号"),     QStringLiteral("氏名"),
            QStringLiteral("等級"),         QStringLiteral("等級名称"),
            QStringLiteral("連動基本給"),   QStringLiteral("下限額"),
            QStringLiteral("基礎金額"),     QStringLiteral("上限額"),
            QStringLiteral("コンパレシオ"), QStringLiteral("レンジ内位置"),
            QStringLiteral("判定")};
}

QStringList apartHeadings() {
    return {QStringLiteral("社員番号"), QStringLiteral("氏名"), QStringLiteral("等級"),
            QStringLiteral("理由")};
}

QString total() {
    return QStringLiteral("合計");
}

QString noScale() {
    return QStringLiteral("スケールなし");
}

QString percent(double ratio) {
    // Through a whole number of tenths, so 0.05 % rounds away from zero as the amounts do.
    const double tenths = ratio * 1000.0;
    const qint64 t = qint64(tenths < 0 ? std::ceil(tenths - 0.5) : std::floor(tenths + 0.5));
    return FixedText(Int128(t), 1, true) + QLatin1Char('%');
}

QString spread(const Currency& spread) {
    return FixedText(Int128(DivRoundHalfAway(spread.raw(), Currency::Scale / 100)), 2, false);
}

QString position(const RangeEmployeeResult& r) {
    if (!r.hasScale)
        return noScale();
    if (r.below)
        return QStringLiteral("下限未満");
    if (r.above)
        return QStringLiteral("上限超");
    return QStringLiteral("レンジ内");
}

QString apartReason(RangeApart reason) {
    switch (reason) {
    case RangeApart::Unlinked:
        return QStringLiteral("賃金表とのリンクなし");
    case RangeApart::NoGrade:
        return QStringLiteral("等級なし");
    case RangeApart::GradeOutsideTable:
        break;
    }
    return QStringLiteral("賃金表にない等級");
}

QString gradeName(const RangeHeader& h, int grade) {
    return grade >= 1 && grade <= MaxGrades ? h.gradeNames[size_t(grade)] : QString();
}

} // namespace RangeText

namespace {

QString amount(qint64 v) {
    return AmountText(Int128(v));
}

} // namespace

QVector<QStringList> GradeRowTexts(const RangeReport& report) {
    QVector<QStringList> rows;
    for (const RangeGradeResult& g : report.analysis.grades) {
        QStringList row{QString::number(g.grade), RangeText::gradeName(report.header, g.grade)};
        if (g.hasScale)
            row << amount(g.figures.lowerAmount) << amount(g.base) << amount(g.figures.upperAmount)
                << RangeText::spread(g.figures.spread) << amount(g.figures.range);
        else
            row << RangeText::noScale() << QString() << QString() << QString() << QString();
        row << QString::number(g.headCount);
        if (g.headCount > 0)
            row << amount(g.minimum) << amount(g.average) << amount(g.maximum);
        else
            row << QString() << QString() << QString();
        const bool placed = g.hasScale && g.headCount > 0;
        row << (placed ? RangeText::percent(g.averageCompaRatio) : QString())
            << (g.hasScale ? QString::number(g.belowCount) : QString())
            << (g.hasScale ? QString::number(g.aboveCount) : QString());
        rows << row;
    }
    const RangeTotals t = TotalsOf(report.analysis);
    QStringList total{RangeText::total(), QString(), QString(), QString(),
                      QString(),          QString(), QString(), QString::number(t.headCount)};
    if (t.headCount > 0)
        total << amount(t.minimum) << amount(t.average) << amount(t.maximum);
    else
        total << QString() << QString() << QString();
    total << (t.averageCompaRatio != 0 ? RangeText::percent(t.averageCompaRatio) : QString())
          << QString::number(t.belowCount) << QString::number(t.aboveCount);
    rows << total;
    return rows;
}

QVector<QStringList> EmployeeRowTexts(const RangeReport& report) {
    QVector<QStringList> rows;
    for (const RangeEmployeeResult& r : report.analysis.employees) {
        const RangeEmployee& e = r.employee;
        QStringList row{e.code, e.name, QString::number(e.grade),
                        RangeText::gradeName(report.header, e.grade), amount(e.basePay)};
        if (r.hasScale) {
            const RangeGradeResult& g = report.analysis.grades[e.grade - 1];
            row << amount(g.figures.lowerAmount) << amount(g.base) << amount(g.figures.upperAmount)
                << RangeText::percent(r.compaRatio) << RangeText::percent(r.penetration);
        } else {
            row << QString() << QString() << QString() << QString() << QString();
        }
        row << RangeText::position(r);
        rows << row;
    }
    return rows;
}

QVector<QStringList> ApartRowTexts(const RangeReport& report) {
    QVector<QStringList> rows;
    for (const RangeEmployee& e : report.analysis.unlinked)
        rows << QStringList{e.code, e.name, e.grade == 0 ? QString() : QString::number(e.grade),
                            RangeText::apartReason(ApartReasonOf(e))};
    return rows;
}
