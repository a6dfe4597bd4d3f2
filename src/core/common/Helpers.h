#pragma once

#include <QString>
#include <QVariant>

// Small text and number helpers shared by every screen. None of them throws: a failure gives
// the empty text, 0 or false.

// The integer of the text with every "," removed; 0 when that is not an integer.
int CommaTextToInt(const QString& text);
// The value's text; "0" when the value is null or its text is empty.
QString FieldValueText(const QVariant& value);
// The text before its first blank; the whole text when it has none.
QString TextBeforeBlank(const QString& text);
// The n-th field (from 1) of the text split at every separator; empty when missing.
QString NthField(const QString& text, QChar separator, int n);
// Empty when the text is an acceptable number of at most `digits` characters, else the message.
QString CheckNumberText(const QString& text, int digits);
// Shortest decimal text of a double, no exponent for ordinary values.
QString ShortestDecimal(double value);

// x rounded half away from zero to a multiple of 10^(1-n) (n = 1 whole numbers, 2 tenths,
// 0 tens). Rounds the decimal value x stands for, so 2054.5 never becomes 2054.
double RoundAt(int n, double x);
// Whole amount rounded half away from zero to the wage-table unit:
// unit 0 tens, 1 hundreds, anything else thousands.
qint64 RoundWageUnit(double x, int unit);

// "#,##0" as the screens show amounts.
QString FormatAmount(double value);
