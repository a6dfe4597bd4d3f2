#include "core/raise/RaiseBudgetTable.h"

#include "core/common/Counts.h"
#include "core/common/NumberText.h"

const QStringList& BudgetColumnCaptions() {
    static const QStringList captions = {
        QStringLiteral("人数"),       QStringLiteral("未決定"),
        QStringLiteral("現行賃金"),   QStringLiteral("昇給後賃金"),
        QStringLiteral("昇給額"),     QStringLiteral("昇給率%"),
        QStringLiteral("定期昇給"),   QStringLiteral("ベースアップ"),
        QStringLiteral("その他"),     QStringLiteral("年間昇給額"),
        QStringLiteral("賞与増加額"), QStringLiteral("法定福利費等"),
        QStringLiteral("年間原資")};
    return captions;
}

std::optional<Currency> BudgetValue(const RaiseBudgetGroup& g, BudgetColumn column) {
    switch (column) {
    case BudgetColumn::Heads:
        return Currency::fromInt(g.heads);
    case BudgetColumn::Undecided:
        return Currency::fromInt(g.undecided);
    case BudgetColumn::Current:
        return g.current;
    case BudgetColumn::Next:
        return g.next;
    case BudgetColumn::Raise:
        return g.raise;
    case BudgetColumn::Rate:
        return g.rate;
    case BudgetColumn::Scheduled:
        return g.scheduled;
    case BudgetColumn::BaseUp:
        return g.baseUp;
    case BudgetColumn::Other:
        return g.other;
    case BudgetColumn::AnnualRaise:
        return g.annualRaise;
    case BudgetColumn::BonusChange:
        return g.bonusChange;
    case BudgetColumn::OnCost:
        return g.onCost;
    case BudgetColumn::AnnualCost:
        break;
    }
    return g.annualCost;
}

QString BudgetValueText(const RaiseBudgetGroup& g, BudgetColumn column) {
    const std::optional<Currency> v = BudgetValue(g, column);
    if (column == BudgetColumn::Rate)
        return RaiseRateText(v);
    return AmountText(*v);
}

namespace {

QString gradeLabel(int grade, const TMKIGYOU2& settings) {
    if (grade < 1 || grade > 9)
        return QStringLiteral("なし");
    const QString& name = settings.TK[size_t(grade)];
    return QString::number(grade) + QStringLiteral("等級") +
           (name.isEmpty() ? QString() : QStringLiteral("　") + name);
}

QString markLabel(int mark, const std::array<TMMARK, MarkCount + 1>& marks) {
    if (mark < 1 || mark > 6)
        return QStringLiteral("なし");
    const TMMARK& m = marks[size_t(mark)];
    QString label = QString::number(mark) + QStringLiteral(" : ") + m.MARK;
    if (!m.HANREI.isEmpty())
        label += QStringLiteral("　") + m.HANREI;
    return label;
}

} // namespace

QVector<RaiseBudgetSection> RaiseBudgetSections(const RaiseBudget& budget,
                                                const TMKIGYOU2& settings,
                                                const std::array<TMMARK, MarkCount + 1>& marks) {
    RaiseBudgetSection grades{QStringLiteral("等級別"), QStringLiteral("等級"), {}};
    for (const RaiseBudgetGroup& g : budget.byGrade)
        grades.lines << RaiseBudgetLine{gradeLabel(g.group, settings), g, false};
    grades.lines << RaiseBudgetLine{QStringLiteral("合計"), budget.total, true};
    RaiseBudgetSection byMark{QStringLiteral("マーク別"), QStringLiteral("マーク"), {}};
    for (const RaiseBudgetGroup& g : budget.byMark)
        byMark.lines << RaiseBudgetLine{markLabel(g.group, marks), g, false};
    byMark.lines << RaiseBudgetLine{QStringLiteral("合計"), budget.total, true};
    return {grades, byMark};
}

QString RaiseBudgetSettingsText(const RaiseBudgetSettings& s) {
    return QStringLiteral("賞与 %1か月　法定福利費等 %2%")
        .arg(s.bonusMonths.toString(), s.onCostPercent.toString());
}

QString RaiseBudgetSplitNote() {
    return QStringLiteral("定期昇給＝今年度賃金表の新等級・新号俸の額－現等級・現号俸の額、"
                          "ベースアップ＝今年度賃金表の現等級・現号俸の額－現在の額"
                          "（賃金表に連動する基本給）。年間原資＝昇給額×12＋基本給の昇給額×賞与月数"
                          "＋その法定福利費等。");
}

namespace {

FieldCheck checkBetween(const QString& text, int high) {
    FieldCheck c = CheckRateText(text);
    if (!c.ok())
        return c;
    const Currency v = NumberOfText(c.shown);
    if (v < Currency() || Currency::fromInt(high) < v)
        return {QStringLiteral("入力範囲外です。0 ～ %1の値を入力して下さい。").arg(high),
                QString()};
    return c;
}

} // namespace

FieldCheck CheckBonusMonthsText(const QString& text) {
    return checkBetween(text, 24);
}

FieldCheck CheckOnCostRateText(const QString& text) {
    return checkBetween(text, 100);
}
