#include "core/company/BasicSettings.h"

#include "core/common/Helpers.h"
#include "core/common/MessageTexts.h"

#include <cmath>

namespace {

bool toInt(const QString& text, int* value) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok)
        *value = v;
    return ok;
}

QString checkInt(const QString& text, int low, int high, int* value) {
    int v = 0;
    if (!toInt(text, &v))
        return MsgText::EnterNumber();
    if (v < low || v > high)
        return MsgText::OutOfRange();
    *value = v;
    return {};
}

// Fields that offer a list: anything but an allowed number is out of range.
QString checkListed(const QString& text, int low, int high, int* value) {
    int v = 0;
    if (!toInt(text, &v) || v < low || v > high)
        return MsgText::OutOfRange();
    *value = v;
    return {};
}

} // namespace

QString CheckBaseDateText(const QString& text, int* ymd) {
    QString digits = text;
    digits.remove(QLatin1Char('.'));
    bool ok = false;
    const double v = digits.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return MsgText::EnterNumber();
    // Shown as 0000.00.00, so a whole number of at most eight digits.
    const double rounded = std::round(v);
    if (rounded < 0 || rounded > 99999999)
        return MsgText::OutOfRange();
    *ymd = int(rounded);
    return {};
}

QString BaseDateText(int ymd) {
    const QString digits = QStringLiteral("%1").arg(ymd, 8, 10, QLatin1Char('0'));
    return digits.left(4) + QLatin1Char('.') + digits.mid(4, 2) + QLatin1Char('.') + digits.mid(6);
}

QString CheckEraYearText(const QString& text, int* year) {
    int v = 0;
    if (!toInt(text, &v))
        return MsgText::EnterNumber();
    if (v != 0 && (v < 1900 || v > 2050))
        return MsgText::OutOfRange();
    *year = v;
    return {};
}

QString CheckEraMonthText(const QString& text, int* month) {
    return checkInt(text, 0, 12, month);
}

QString CheckEraDayText(const QString& text, int* day) {
    return checkInt(text, 0, 31, day);
}

QString CheckMarkSizeText(const QString& text, int* size) {
    return checkListed(text, 8, 18, size);
}

QString CheckLineKindText(const QString& text, int* kind) {
    return checkListed(NthField(text.trimmed(), QLatin1Char(' '), 1), 1, 3, kind);
}

QString CheckLineWidthText(const QString& text, int* width) {
    return checkListed(text, 1, 5, width);
}
