#include "core/common/NumberText.h"

#include "core/common/Helpers.h"
#include "core/common/MessageTexts.h"

#include <cmath>
#include <limits>

namespace {

constexpr int MaxDigits = 30;

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

Int128 power10(int n) {
    Int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

std::optional<qint64> toRaw(const Decimal& d) {
    const Int128 raw = ScaledTo(d, 4);
    if (raw > std::numeric_limits<qint64>::max() || raw < std::numeric_limits<qint64>::min())
        return std::nullopt;
    return qint64(raw);
}

} // namespace

std::optional<Decimal> ReadDecimal(QString text) {
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

Int128 ScaledTo(const Decimal& d, int places) {
    if (d.decimals <= places)
        return d.digits * power10(places - d.decimals);
    return DivRoundHalfAway(d.digits, power10(d.decimals - places));
}

QString FixedText(Int128 scaled, int places, bool group) {
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

Currency NumberOfText(const QString& text) {
    const auto d = ReadDecimal(text);
    if (!d)
        return {};
    const auto raw = toRaw(*d);
    return raw ? Currency::fromRaw(*raw) : Currency();
}

qint64 WholeNumberOfText(const QString& text) {
    const auto d = ReadDecimal(text);
    if (!d)
        return 0;
    const Int128 v = ScaledTo(*d, 0);
    if (v > std::numeric_limits<qint64>::max() || v < std::numeric_limits<qint64>::min())
        return 0;
    return qint64(v);
}

QString AmountText(Int128 amount) {
    return FixedText(amount, 0, true);
}

QString AmountText(Currency value) {
    return FixedText(DivRoundHalfAway(value.raw(), Currency::Scale), 0, true);
}

FieldCheck CheckMoneyText(const QString& text, int digits) {
    const QString message = CheckNumberText(text, digits);
    if (!message.isEmpty())
        return {message, QString()};
    const auto d = ReadDecimal(text);
    if (!d)
        return {MsgText::EnterNumber(), QString()};
    return {QString(), FixedText(ScaledTo(*d, 0), 0, true)};
}

FieldCheck CheckRateText(const QString& text) {
    const auto d = ReadDecimal(text);
    if (!d || !toRaw(*d))
        return {MsgText::EnterNumber(), QString()};
    return {QString(), Currency::fromRaw(*toRaw(*d)).toString()};
}
