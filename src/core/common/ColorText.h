#pragma once

#include <QString>
#include <QtGlobal>

// Colours as the databases store them: a colour text naming a colour ("clBlack") or giving its
// value 0x00BBGGRR as "$" and hexadecimal digits or as a decimal number. The core works on the
// value; screens turn it into a QColor with the Red/Green/Blue parts below.
using ColorValue = quint32;

constexpr ColorValue ColorFromRgb(int red, int green, int blue) {
    return ColorValue(red & 0xFF) | ColorValue(green & 0xFF) << 8 | ColorValue(blue & 0xFF) << 16;
}
constexpr int ColorRed(ColorValue c) {
    return int(c & 0xFF);
}
constexpr int ColorGreen(ColorValue c) {
    return int(c >> 8 & 0xFF);
}
constexpr int ColorBlue(ColorValue c) {
    return int(c >> 16 & 0xFF);
}

// Reads a colour text: a colour name (any letter case), "$" + hexadecimal, or a decimal
// number. False, and *value untouched, when the text is none of these.
bool ParseColorText(const QString& text, ColorValue* value);
// The colour of a text; black when it cannot be read, so an odd row never stops a drawing.
ColorValue ColorOfText(const QString& text);
// The text stored for a colour: its name when it has one, else "$" + eight hexadecimal digits.
QString ColorText(ColorValue value);
