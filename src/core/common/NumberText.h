#pragma once

#include "core/common/Currency.h"
#include "core/common/ExactDivision.h"

#include <QString>
#include <optional>

// What a number typed into a box is, decided in one place for every screen: thousands commas
// are removed and blanks trimmed; a plain decimal is taken exactly; a text only a
// floating-point reading accepts ("1e3") is taken at its shortest decimal. Whatever a field
// check accepts converts to the number the box then shows, and that number is saved.

// A decimal number as written: digits × 10^-decimals.
struct Decimal {
    Int128 digits = 0;
    int decimals = 0;
};

std::optional<Decimal> ReadDecimal(QString text);
// The value × 10^places, rounded half away from zero.
Int128 ScaledTo(const Decimal& d, int places);
// A fixed-point value (scaled by 10^places) as digits, grouped "#,##0" when asked, followed by
// the decimals.
QString FixedText(Int128 scaled, int places, bool group);

// The value of a box's text to four decimals; 0 when it is not a number.
Currency NumberOfText(const QString& text);
// The value rounded to a whole number; 0 when not a number.
qint64 WholeNumberOfText(const QString& text);

// "#,##0" of a whole amount, or of a decimal rounded half away from zero.
QString AmountText(Int128 amount);
QString AmountText(Currency value);

// The check made when a field is left: the message to show (empty when accepted) and the text
// the field shows after it was accepted.
struct FieldCheck {
    QString message;
    QString shown;
    bool ok() const { return message.isEmpty(); }
};

// A money box: a number whose shortest decimal text has at most `digits` characters (one more
// when negative); shown, and then saved, as the whole amount "#,##0".
FieldCheck CheckMoneyText(const QString& text, int digits);
// A rate or percentage box: any number that four decimals hold; shown with its decimals
// (at most four), without grouping.
FieldCheck CheckRateText(const QString& text);
