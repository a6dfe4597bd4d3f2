#include "core/wage/WageTableTexts.h"

#include "core/common/Helpers.h"
#include "core/common/MessageTexts.h"
#include "core/common/NumberText.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

// Rates beyond this are no wage rates; refusing them keeps every amount of the table exact.
constexpr Int128 RateLimit = Int128(10000) * 1000; // in thousandths

FieldCheck refused(const QString& message) {
    return {message, QString()};
}

// A rate after its number check: bounded and shown with three decimals.
FieldCheck rateShown(const QString& text) {
    const auto d = ReadDecimal(text);
    if (!d)
        return refused(MsgText::OutOfRange());
    // Bounded as shown, so that what the field shows is what a save accepts.
    const Int128 shown = ScaledTo(*d, 3);
    if (shown >= RateLimit || shown <= -RateLimit)
        return refused(MsgText::OutOfRange());
    return {QString(), FixedText(shown, 3, true)};
}

std::optional<int> wholeNumber(QString text) {
    text.remove(QLatin1Char(','));
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

int stepOfText(const QString& text) {
    return wholeNumber(text).value_or(0);
}

const char* const SecondSteps[] = {"txt2Stgosu", "txt2Cgosu", "txt2EndGosu"};
const char* const SecondAmounts[] = {"txt2Salary", "txt2CSalary", "txt2EndSalary"};
const char* const ThirdSteps[] = {"txtStGosu", "txtC1Gosu", "txtC2Gosu", "txtEndGosu"};
const char* const ThirdAmounts[] = {"txtStSalary", "txtC1Salary", "txtC2Salary", "txtEndSalary"};

} // namespace

QString RateText(Currency rate) {
    return FixedText(DivRoundHalfAway(rate.raw(), 10), 3, true);
}

QString SpreadText(Currency spread) {
    return FixedText(DivRoundHalfAway(spread.raw(), 100), 2, true);
}

FieldCheck CheckGradeCountText(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok)
        return refused(MsgText::EnterNumber());
    if (v < 1 || v > MaxGrades)
        return refused(MsgText::GradeOutOfRange());
    return {QString(), QString::number(v)};
}

FieldCheck CheckCodeText(const QString& text) {
    if (text.isEmpty())
        return {};
    bool ok = false;
    const int code = NthField(text, QLatin1Char(' '), 1).toInt(&ok);
    if (!ok)
        return refused(MsgText::EnterNumber());
    if (code == 0)
        return refused(MsgText::ZeroNotAllowed());
    return {QString(), QString::number(code)};
}

FieldCheck CheckPercentText(const QString& text) {
    const QString message = CheckNumberText(text, 5);
    if (!message.isEmpty())
        return refused(message);
    return CheckRateText(text);
}

FieldCheck CheckBaseText(const QString& text) {
    return CheckMoneyText(text, 8);
}

FieldCheck CheckStepText(const QString& text) {
    const auto v = wholeNumber(text);
    if (!v)
        return refused(MsgText::EnterNumber());
    if (*v < LowestStep || *v > HighestStep)
        return refused(MsgText::OutOfRange());
    return {QString(), QString::number(*v)};
}

FieldCheck CheckAmountText(const QString& text) {
    return CheckMoneyText(text, 8);
}

FieldCheck CheckSecondRateText(const QString& text) {
    QString s = text;
    s.remove(QLatin1Char(','));
    bool ok = false;
    const double v = s.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return refused(MsgText::EnterNumber());
    return rateShown(text);
}

FieldCheck CheckThirdRateText(const QString& text) {
    const QString message = CheckNumberText(text, 10);
    if (!message.isEmpty())
        return refused(message);
    return rateShown(text);
}

std::array<ScaleRowTexts, MaxGrades + 1> ScalePageTexts(const QVector<StoredScaleRow>& stored,
                                                        const GradeNames& names) {
    std::array<ScaleRowTexts, MaxGrades + 1> page;
    for (int g = 1; g <= MaxGrades; ++g) {
        page[size_t(g)].grade = QString::number(g);
        page[size_t(g)].name = names[size_t(g)];
    }
    for (int i = 0; i < stored.size() && i < MaxGrades; ++i) {
        const StoredScaleRow& s = stored[i];
        ScaleRowTexts& row = page[size_t(i + 1)];
        row.grade = QString::number(s.grade);
        row.lower = s.lowerPercent.toString();
        row.base = AmountText(s.base);
        row.upper = s.upperPercent.toString();
        row.spread = FixedText(DivRoundHalfAway(s.spread.raw(), 100), 2, false);
        row.range = AmountText(s.range);
    }
    return page;
}

CurvePageTexts CurvePageTextsOf(const QVector<StoredCurveRow>& stored) {
    CurvePageTexts page;
    for (int g = 1; g <= MaxGrades; ++g)
        page.rows[size_t(g)].grade = QString::number(g);
    for (int i = 0; i < stored.size() && i < MaxGrades; ++i) {
        const StoredCurveRow& s = stored[i];
        CurveRowTexts& row = page.rows[size_t(i + 1)];
        row.grade = QString::number(s.grade);
        for (size_t p = 0; p < 4; ++p) {
            row.step[p] = QString::number(s.steps[p]);
            row.amount[p] = AmountText(s.amounts[p]);
        }
    }
    if (!stored.isEmpty())
        page.rate = RateText(stored.first().rate);
    return page;
}

void ApplyStoredHead(WageTableTexts& t, const std::optional<StoredHead>& head) {
    WageTableHead& h = t.head;
    if (!head) {
        h.method = CurveMethod::SecondOrder;
        h.manualAmounts = false;
        h.rounding = 0;
        h.scaleCode = h.secondCode = h.thirdCode = 0;
        return;
    }
    t.gradeCount = QString::number(head->gradeCount);
    h.gradeCount = head->gradeCount;
    h.title = head->title;
    h.method = head->method == 1 ? CurveMethod::ThirdOrder : CurveMethod::SecondOrder;
    h.manualAmounts = head->overwrite == 1;
    if (head->rounding >= 0 && head->rounding <= 2)
        h.rounding = head->rounding;
    h.scaleCode = head->scaleCode;
    h.secondCode = head->secondCode;
    h.thirdCode = head->thirdCode;
}

QString CurveStepControl(CurveMethod method, int point) {
    return QString::fromLatin1(method == CurveMethod::ThirdOrder ? ThirdSteps[point]
                                                                 : SecondSteps[point]);
}

QString CurveAmountControl(CurveMethod method, int point) {
    return QString::fromLatin1(method == CurveMethod::ThirdOrder ? ThirdAmounts[point]
                                                                 : SecondAmounts[point]);
}

QString FieldRef::controlName() const {
    const QString g = QString::number(grade);
    switch (field) {
    case WageField::GradeCount:
        return QStringLiteral("txtTokyusu");
    case WageField::Lower:
        return QStringLiteral("txtKagen") + g;
    case WageField::Base:
        return QStringLiteral("txtKiso") + g;
    case WageField::Upper:
        return QStringLiteral("txtJyogen") + g;
    case WageField::SecondRate:
        return QStringLiteral("txt2Kakeritsu");
    case WageField::ThirdRate:
        return QStringLiteral("txt3Kakeritsu");
    case WageField::SecondStep:
        return CurveStepControl(CurveMethod::SecondOrder, point) + g;
    case WageField::SecondAmount:
        return CurveAmountControl(CurveMethod::SecondOrder, point) + g;
    case WageField::ThirdStep:
        return CurveStepControl(CurveMethod::ThirdOrder, point) + g;
    case WageField::ThirdAmount:
        return CurveAmountControl(CurveMethod::ThirdOrder, point) + g;
    }
    return {};
}

FieldRef FaultField(CurveMethod method, const GenerationFault& fault) {
    const bool third = method == CurveMethod::ThirdOrder;
    switch (fault.where) {
    case GenerationFault::Where::GradeCount:
        return {WageField::GradeCount, 0, 0};
    case GenerationFault::Where::Rate:
        return {third ? WageField::ThirdRate : WageField::SecondRate, 0, 0};
    case GenerationFault::Where::KeyStep:
        return {third ? WageField::ThirdStep : WageField::SecondStep, fault.grade, fault.point};
    case GenerationFault::Where::KeyAmount:
    case GenerationFault::Where::Grade:
        break;
    }
    return {third ? WageField::ThirdAmount : WageField::SecondAmount, fault.grade, fault.point};
}

std::optional<FieldProblem> CheckSavedFields(const WageTableTexts& t) {
    const FieldCheck count = CheckGradeCountText(t.gradeCount);
    if (!count.ok())
        return FieldProblem{{WageField::GradeCount, 0, 0}, count.message};
    const int n = count.shown.toInt();
    for (int g = 1; g <= n; ++g) {
        const ScaleRowTexts& row = t.scale[size_t(g)];
        const std::pair<WageField, FieldCheck> checks[] = {
            {WageField::Lower, CheckPercentText(row.lower)},
            {WageField::Base, CheckBaseText(row.base)},
            {WageField::Upper, CheckPercentText(row.upper)}};
        for (const auto& [field, check] : checks)
            if (!check.ok())
                return FieldProblem{{field, g, 0}, check.message};
    }
    const bool third = t.head.method == CurveMethod::ThirdOrder;
    const CurvePageTexts& page = third ? t.third : t.second;
    const FieldCheck rate = third ? CheckThirdRateText(page.rate) : CheckSecondRateText(page.rate);
    if (!rate.ok())
        return FieldProblem{{third ? WageField::ThirdRate : WageField::SecondRate, 0, 0},
                            rate.message};
    const int points = third ? 4 : 3;
    for (int g = 1; g <= n; ++g)
        for (int p = 0; p < points; ++p) {
            const CurveRowTexts& row = page.rows[size_t(g)];
            const FieldCheck step = CheckStepText(row.step[size_t(p)]);
            if (!step.ok())
                return FieldProblem{{third ? WageField::ThirdStep : WageField::SecondStep, g, p},
                                    step.message};
            const FieldCheck amount = CheckAmountText(row.amount[size_t(p)]);
            if (!amount.ok())
                return FieldProblem{
                    {third ? WageField::ThirdAmount : WageField::SecondAmount, g, p},
                    amount.message};
        }
    return std::nullopt;
}

WageTableDefinition DefinitionOfTexts(const WageTableTexts& t) {
    WageTableDefinition d;
    d.head = t.head;
    d.head.gradeCount = t.gradeCount.trimmed().toInt();
    for (int g = 1; g <= MaxGrades; ++g) {
        const ScaleRowTexts& row = t.scale[size_t(g)];
        d.scale[size_t(g)] = {NumberOfText(row.lower), NumberOfText(row.base),
                              NumberOfText(row.upper), NumberOfText(row.spread),
                              NumberOfText(row.range)};
    }
    auto curve = [](const CurvePageTexts& page, CurveSet& set) {
        set.rate = NumberOfText(page.rate);
        for (int g = 1; g <= MaxGrades; ++g)
            for (size_t p = 0; p < 4; ++p) {
                const CurveRowTexts& row = page.rows[size_t(g)];
                set.grades[size_t(g)].points[p] = {stepOfText(row.step[p]),
                                                   WholeNumberOfText(row.amount[p])};
            }
    };
    curve(t.second, d.second);
    curve(t.third, d.third);
    return d;
}
