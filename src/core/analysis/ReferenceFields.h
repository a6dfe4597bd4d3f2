#pragma once

#include "core/common/Currency.h"

#include <QString>

// The field rules of the living-cost and model masters.

// A reference figure as its box shows it: grouped, with at least minDecimals decimals and any
// further ones the value has, so that a published 114.48 is never cut to 114 by leaving it.
QString FigureText(Currency value, int minDecimals);

// The check of a number box of the masters: a number of at most `digits` characters, not
// negative. Empty message when accepted.
QString CheckFigureText(const QString& text, int digits);
// A whole number box (members, ages, years): the number when it is whole, 0 otherwise.
int WholeFigureOf(const QString& text);

// A typed code, the text before the first blank: a whole number above 0.
struct CodeBoxCheck {
    QString message;
    int code = 0;
    bool ok() const { return message.isEmpty(); }
};
CodeBoxCheck CheckCodeBoxText(const QString& text, const QString& zeroMessage);
