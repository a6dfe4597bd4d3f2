#pragma once

#include <QString>
#include <QtGlobal>
#include <compare>

// Fixed point with four decimals over a 64-bit integer: money in yen, rates and percentages.
// Whole-yen amounts and decimal rates stay exact; doubles only enter at the edges.
class Currency {
public:
    static constexpr qint64 Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(qint64 raw) {
        Currency c;
        c.m_raw = raw;
        return c;
    }
    static constexpr Currency fromInt(qint64 yen) { return fromRaw(yen * Scale); }
    // Rounds half away from zero to four decimals.
    static Currency fromDouble(double value);
    // Decimal text with an optional sign, thousands commas and up to four decimals
    // (further decimals are rounded half away from zero). ok is false for anything else.
    static Currency fromString(const QString& text, bool* ok = nullptr);

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / Scale; }
    // Shortest decimal text: "200000", "1.01", "-0.5".
    QString toString() const;
    // Truncated toward zero to a whole number.
    constexpr qint64 truncated() const { return m_raw / Scale; }
    // Rounded half away from zero to a whole number.
    qint64 rounded() const;

    constexpr Currency operator+(Currency o) const { return fromRaw(m_raw + o.m_raw); }
    constexpr Currency operator-(Currency o) const { return fromRaw(m_raw - o.m_raw); }
    constexpr Currency operator-() const { return fromRaw(-m_raw); }
    Currency& operator+=(Currency o) {
        m_raw += o.m_raw;
        return *this;
    }
    Currency& operator-=(Currency o) {
        m_raw -= o.m_raw;
        return *this;
    }
    // Product rounded half away from zero to four decimals (exact for rate x yen).
    Currency operator*(Currency o) const;
    Currency operator*(qint64 n) const { return fromRaw(m_raw * n); }
    // Quotient rounded half away from zero to four decimals; zero divisor gives 0.
    Currency operator/(Currency o) const;

    constexpr auto operator<=>(const Currency&) const = default;
    constexpr bool isZero() const { return m_raw == 0; }

private:
    qint64 m_raw = 0;
};
