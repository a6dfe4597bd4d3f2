#pragma once

#include "core/common/Currency.h"

#include <QString>

// The only ways values enter SQL text: texts quoted with doubled single quotes, numbers as
// plain decimal text. Nothing a user typed is ever pasted into a statement unquoted.
QString SqlQuote(const QString& text);
QString SqlNum(qint64 value);
inline QString SqlNum(int value) {
    return SqlNum(qint64(value));
}
// Shortest decimal text without exponent: 12.0 -> "12", 0.1 -> "0.1".
QString SqlNum(double value);
QString SqlNum(Currency value);
