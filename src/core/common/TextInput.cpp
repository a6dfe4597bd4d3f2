#include "core/common/TextInput.h"

qsizetype ForbiddenCharAt(const QString& text, bool multiLine) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (multiLine && (c == u'\r' || c == u'\n'))
            continue;
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || c == 0x2028 || c == 0x2029)
            return i;
    }
    return -1;
}

QString ControlCharName(QChar c) {
    switch (c.unicode()) {
    case 0:
        return QStringLiteral("NUL");
    case u'\t':
        return QStringLiteral("TAB");
    case u'\r':
    case u'\n':
    case 0x2028:
    case 0x2029:
        return QStringLiteral("改行");
    default:
        return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    }
}

qsizetype CharacterCount(const QString& text) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++n)
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    return n;
}

QString CheckFieldText(const QString& text, const QString& field, int maxChars, bool multiLine) {
    const qsizetype bad = ForbiddenCharAt(text, multiLine);
    if (bad >= 0)
        return field + QStringLiteral("に制御文字（") + ControlCharName(text[bad]) +
               QStringLiteral("）があります");
    const qsizetype n = CharacterCount(text);
    if (maxChars > 0 && n > maxChars)
        return field + QStringLiteral("が %1 文字を超えています（%2 文字）").arg(maxChars).arg(n);
    return {};
}
