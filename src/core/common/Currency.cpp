#include "core/common/Currency.h"

#include <cmath>

namespace {

__extension__ using Wide = __int128;

// Integer division rounding half away from zero; works on 128-bit intermediates.
qint64 divRound(Wide num, Wide den) {
    if (den == 0)
        return 0;
    bool neg = (num < 0) != (den < 0);
    Wide a = num < 0 ? -num : num;
    Wide b = den < 0 ? -den : den;
    Wide q = a / b;
    if ((a % b) * 2 >= b)
        ++q;
    return qint64(neg ? -q : q);
}

} // namespace

Currency Currency::fromDouble(double value) {
    if (!std::isfinite(value))
        return {};
    return fromRaw(qint64(std::llround(value * Scale)));
}

Currency Currency::fromString(const QString& text, bool* ok) {
    QString s = text.trimmed();
    s.remove(QLatin1Char(','));
    bool good = false;
    Currency result;
    bool neg = false;
    int i = 0;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) {
        neg = s[i] == QLatin1Char('-');
        ++i;
    }
    qint64 whole = 0;
    qint64 frac = 0;
    int fracDigits = 0;
    bool roundUp = false;
    bool digits = false;
    bool overflow = false;
    for (; i < s.size() && s[i].isDigit() && s[i].unicode() < 128; ++i) {
        digits = true;
        whole = whole * 10 + (s[i].unicode() - '0');
        if (whole > 900000000000000LL)
            overflow = true;
    }
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        ++i;
        for (; i < s.size() && s[i].isDigit() && s[i].unicode() < 128; ++i) {
            digits = true;
            int d = s[i].unicode() - '0';
            if (fracDigits < 4) {
                frac = frac * 10 + d;
                ++fracDigits;
            } else if (fracDigits == 4) {
                roundUp = d >= 5;
                ++fracDigits;
            }
        }
    }
    if (digits && i == s.size() && !overflow) {
        while (fracDigits < 4) {
            frac *= 10;
            ++fracDigits;
        }
        qint64 raw = whole * Scale + frac + (roundUp ? 1 : 0);
        result = fromRaw(neg ? -raw : raw);
        good = true;
    }
    if (ok)
        *ok = good;
    return good ? result : Currency();
}

QString Currency::toString() const {
    qint64 a = m_raw < 0 ? -m_raw : m_raw;
    QString s = QString::number(a / Scale);
    qint64 frac = a % Scale;
    if (frac != 0) {
        QString f = QString::number(frac).rightJustified(4, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0')))
            f.chop(1);
        s += QLatin1Char('.') + f;
    }
    return m_raw < 0 ? QLatin1Char('-') + s : s;
}

qint64 Currency::rounded() const {
    return divRound(m_raw, Scale);
}

Currency Currency::operator*(Currency o) const {
    return fromRaw(divRound(Wide(m_raw) * o.m_raw, Scale));
}

Currency Currency::operator/(Currency o) const {
    if (o.m_raw == 0)
        return {};
    return fromRaw(divRound(Wide(m_raw) * Scale, o.m_raw));
}
