#include "core/common/Helpers.h"

#include "core/common/MessageTexts.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <string>

int CommaTextToInt(const QString& text) {
    QString s = text;
    s.remove(QLatin1Char(','));
    bool ok = false;
    int v = s.trimmed().toInt(&ok);
    return ok ? v : 0;
}

QString FieldValueText(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return QStringLiteral("0");
    QString s =
        value.typeId() == QMetaType::Double ? ShortestDecimal(value.toDouble()) : value.toString();
    return s.isEmpty() ? QStringLiteral("0") : s;
}

QString TextBeforeBlank(const QString& text) {
    int i = text.indexOf(QLatin1Char(' '));
    return i < 0 ? text : text.left(i);
}

QString NthField(const QString& text, QChar separator, int n) {
    if (n < 1 || text.isEmpty())
        return {};
    const QStringList parts = text.split(separator);
    return n <= parts.size() ? parts[n - 1] : QString();
}

QString ShortestDecimal(double value) {
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QString CheckNumberText(const QString& text, int digits) {
    const QString notNumber = MsgText::EnterNumber();
    QString s = text;
    s.remove(QLatin1Char(','));
    s = s.trimmed();
    bool ok = false;
    double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return notNumber;
    const QString shortest = ShortestDecimal(v);
    const int limit = v < 0 ? digits + 1 : digits;
    if (shortest.size() > limit)
        return MsgText::OutOfRange();
    return {};
}

// Works on the shortest decimal text of x, so that values such as 2.675 or 2054.5 are taken
// as written.
double RoundAt(int n, double x) {
    if (!std::isfinite(x))
        return 0;
    if (x == 0)
        return 0;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific);
    if (res.ec != std::errc())
        return std::trunc(x);
    std::string sci(buf, res.ptr);
    // sci is "d.ddddde[+-]xx": digits and a decimal exponent.
    auto e = sci.find('e');
    std::string mant = sci.substr(0, e);
    int exp10 = std::stoi(sci.substr(e + 1));
    std::string digits;
    for (char c : mant)
        if (c != '.')
            digits += c;
    // value = 0.digits * 10^(exp10 + 1); keep the digits down to position 10^(1-n).
    const int keepPos = 1 - n;               // exponent of the last kept digit
    const int firstPos = exp10;              // exponent of the first digit
    const int keep = firstPos - keepPos + 1; // number of digits kept
    long double mag;
    if (keep <= 0) {
        // Everything lies below the kept position.
        const bool up = keep == 0 && digits[0] >= '5';
        mag = up ? std::pow(10.0L, keepPos) : 0.0L;
    } else {
        std::string kept = digits.substr(0, std::min<size_t>(digits.size(), size_t(keep)));
        while (int(kept.size()) < keep)
            kept += '0';
        const bool up = size_t(keep) < digits.size() && digits[size_t(keep)] >= '5';
        // kept has at most 17 significant digits, so it fits an unsigned 64-bit integer.
        unsigned long long k = 0;
        bool overflow = kept.size() > 19;
        if (!overflow)
            k = std::stoull(kept);
        if (overflow)
            return std::trunc(x);
        if (up)
            ++k;
        // Build the result from exact decimal text to avoid binary noise.
        std::string txt = std::to_string(k) + "e" + std::to_string(keepPos);
        mag = std::strtold(txt.c_str(), nullptr);
    }
    double r = double(mag);
    return x < 0 ? -r : r;
}

qint64 RoundWageUnit(double x, int unit) {
    const int n = unit == 0 ? 0 : unit == 1 ? -1 : -2;
    if (!std::isfinite(x))
        return 0;
    return qint64(std::llround(RoundAt(n, x)));
}

QString FormatAmount(double value) {
    if (!std::isfinite(value))
        return QStringLiteral("0");
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    return english.toString(qint64(std::llround(value)));
}
