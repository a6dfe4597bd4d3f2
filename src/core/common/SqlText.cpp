#include "core/common/SqlText.h"

#include <QLocale>
#include <cmath>

QString SqlQuote(const QString& text) {
    QString s = text;
    s.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

QString SqlNum(qint64 value) {
    return QString::number(value);
}

QString SqlNum(double value) {
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QString SqlNum(Currency value) {
    return value.toString();
}
