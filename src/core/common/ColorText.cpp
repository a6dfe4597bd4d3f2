#include "core/common/ColorText.h"

#include <array>

namespace {

struct NamedColor {
    const char* name;
    ColorValue value;
};

// The names the stored rows use. Where two names share a value the first one is written.
constexpr std::array<NamedColor, 22> Names{{
    {"clBlack", 0x000000},  {"clMaroon", 0x000080},     {"clGreen", 0x008000},
    {"clOlive", 0x008080},  {"clNavy", 0x800000},       {"clPurple", 0x800080},
    {"clTeal", 0x808000},   {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},    {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},  {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},  {"clMedGray", 0xA4A0A0},    {"clLtGray", 0xC0C0C0},
    {"clDkGray", 0x808080},
}};

} // namespace

bool ParseColorText(const QString& text, ColorValue* value) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (const NamedColor& n : Names)
        if (t.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) {
            *value = n.value;
            return true;
        }
    bool ok = false;
    qint64 v = 0;
    if (t.startsWith(QLatin1Char('$'))) {
        const QString digits = t.mid(1);
        // Hexadecimal digits only: no sign, no second prefix.
        if (digits.isEmpty() || digits.size() > 8 || digits.front() == QLatin1Char('+') ||
            digits.front() == QLatin1Char('-'))
            return false;
        v = digits.toLongLong(&ok, 16);
    } else {
        v = t.toLongLong(&ok, 10);
        // A stored value is a 32-bit number, written signed or unsigned.
        if (ok && (v < -0x80000000LL || v > 0xFFFFFFFFLL))
            ok = false;
    }
    if (!ok)
        return false;
    *value = ColorValue(quint64(v) & 0xFFFFFFFFu);
    return true;
}

ColorValue ColorOfText(const QString& text) {
    ColorValue v = 0;
    return ParseColorText(text, &v) ? v : 0;
}

QString ColorText(ColorValue value) {
    for (const NamedColor& n : Names)
        if (n.value == value)
            return QString::fromLatin1(n.name);
    return QLatin1Char('$') + QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}
