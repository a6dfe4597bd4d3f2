#include "wage/WageTableTexts.h"

#include "common/Helpers.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

const QString NotANumber = QStringLiteral("数値を入力してください。");
const QString OutOfRange = QStringLiteral("入力範囲外です。");

// Rates beyond this are no wage rates; refusing them keeps every amount of the table exact.
constexpr Int128 RateLimit = Int128(10000) * 1000; // in thousandths
constexpr int MaxDigits = 30;

// A decimal number as written: digits × 10^-decimals.
struct Decimal {
    Int128 digits = 0;
    int decimals = 0;
};

std::optional<Decimal> parsePlain(const QString& s) {
    Decimal d;
    int i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+')))
        negative = s[i++] == QLatin1Char('-');
    int count = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == QLatin1Char('.') && !point) {
            point = true;
            continue;
        }
        if (c.unicode() < '0' || c.unicode() > '9')
            return std::nullopt;
        if (++count > MaxDigits)
            return std::nullopt;
        d.digits = d.digits * 10 + (c.unicode() - '0');
        if (point)
            ++d.decimals;
    }
    if (count == 0)
        return std::nullopt;
    if (negative)
        d.digits = -d.digits;
    return d;
}

// The number a field's text stands for, commas removed. Texts that only a floating-point
// reading accepts (an exponent, say) are taken at their shortest decimal.
std::optional<Decimal> parseDecimal(QString text) {
    text.remove(QLatin1Char(','));
    text = text.trimmed();
    if (auto d = parsePlain(text))
        return d;
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return parsePlain(ShortestDecimal(v));
}

Int128 power10(int n) {
    Int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// The value × 10^places, rounded half away from zero.
Int128 scaledTo(const Decimal& d, int places) {
    if (d.decimals <= places)
        return d.digits * power10(places - d.decimals);
    return DivRoundHalfAway(d.digits, power10(d.decimals - places));
}

// A fixed-point value (scaled by 10^places) as "#,##0" followed by the decimals.
QString fixedText(Int128 scaled, int places, bool group) {
    const bool negative = scaled < 0;
    Int128 a = negative ? -scaled : scaled;
    const Int128 unit = power10(places);
    Int128 whole = a / unit;
    const Int128 fraction = a % unit;
    QString digits;
    do {
        digits.prepend(QChar(char16_t(u'0' + int(whole % 10))));
        whole /= 10;
    } while (whole > 0);
    if (group)
        for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
            digits.insert(i, QLatin1Char(','));
    if (places > 0) {
        QString f;
        Int128 rest = fraction;
        for (int i = 0; i < places; ++i) {
            f.prepend(QChar(char16_t(u'0' + int(rest % 10))));
            rest /= 10;
        }
        digits += QLatin1Char('.') + f;
    }
    return negative && a != 0 ? QLatin1Char('-') + digits : digits;
}

FieldCheck refused(const QString& message) {
    return {message, QString()};
}

FieldCheck checkMoney(const QString& text, int digits) {
    const QString message = CheckNumberText(text, digits);
    if (!message.isEmpty())
        return refused(message);
    const auto d = parseDecimal(text);
    if (!d)
        return refused(NotANumber);
    return {QString(), fixedText(scaledTo(*d, 0), 0, true)};
}

// A rate after its number check: bounded and shown with three decimals.
FieldCheck rateShown(const QString& text) {
    const auto d = parseDecimal(text);
    if (!d)
        return refused(OutOfRange);
    // Bounded as shown, so that what the field shows is what a save accepts.
    const Int128 shown = scaledTo(*d, 3);
    if (shown >= RateLimit || shown <= -RateLimit)
        return refused(OutOfRange);
    return {QString(), fixedText(shown, 3, true)};
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

QString AmountText(Int128 amount) {
    return fixedText(amount, 0, true);
}

QString AmountText(Currency value) {
    return fixedText(DivRoundHalfAway(value.raw(), Currency::Scale), 0, true);
}

QString RateText(Currency rate) {
    return fixedText(DivRoundHalfAway(rate.raw(), 10), 3, true);
}

QString SpreadText(Currency spread) {
    return fixedText(DivRoundHalfAway(spread.raw(), 100), 2, true);
}

Currency NumberOfText(const QString& text) {
    const auto d = parseDecimal(text);
    if (!d)
        return {};
    const Int128 raw = scaledTo(*d, 4);
    if (raw > std::numeric_limits<qint64>::max() || raw < std::numeric_limits<qint64>::min())
        return {};
    return Currency::fromRaw(qint64(raw));
}

qint64 WholeNumberOfText(const QString& text) {
    const auto d = parseDecimal(text);
    if (!d)
        return 0;
    const Int128 v = scaledTo(*d, 0);
    if (v > std::numeric_limits<qint64>::max() || v < std::numeric_limits<qint64>::min())
        return 0;
    return qint64(v);
}

FieldCheck CheckGradeCountText(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok)
        return refused(NotANumber);
    if (v < 1 || v > MaxGrades)
        return refused(QStringLiteral("入力範囲外です。1 ～ 9 の値を入力して下さい。"));
    return {QString(), QString::number(v)};
}

FieldCheck CheckCodeText(const QString& text) {
    if (text.isEmpty())
        return {};
    bool ok = false;
    const int code = NthField(text, QLatin1Char(' '), 1).toInt(&ok);
    if (!ok)
        return refused(NotANumber);
    if (code == 0)
        return refused(QStringLiteral("０　は、入力できません。"));
    return {QString(), QString::number(code)};
}

FieldCheck CheckPercentText(const QString& text) {
    const QString message = CheckNumberText(text, 5);
    if (!message.isEmpty())
        return refused(message);
    return {QString(), text};
}

FieldCheck CheckBaseText(const QString& text) {
    return checkMoney(text, 8);
}

FieldCheck CheckStepText(const QString& text) {
    const auto v = wholeNumber(text);
    if (!v)
        return refused(NotANumber);
    if (*v < LowestStep || *v > HighestStep)
        return refused(OutOfRange);
    return {QString(), QString::number(*v)};
}

FieldCheck CheckAmountText(const QString& text) {
    return checkMoney(text, 8);
}

FieldCheck CheckSecondRateText(const QString& text) {
    QString s = text;
    s.remove(QLatin1Char(','));
    bool ok = false;
    const double v = s.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return refused(NotANumber);
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
        row.spread = fixedText(DivRoundHalfAway(s.spread.raw(), 100), 2, false);
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
