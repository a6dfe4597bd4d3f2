#include "core/analysis/ReferenceFields.h"

#include "core/common/Helpers.h"
#include "core/common/MessageTexts.h"
#include "core/common/NumberText.h"

QString FigureText(Currency value, int minDecimals) {
    QString text = FixedText(value.raw(), 4, true);
    const int point = int(text.indexOf(QLatin1Char('.')));
    int end = int(text.size());
    while (end > point + 1 + minDecimals && text[end - 1] == QLatin1Char('0'))
        --end;
    if (end == point + 1) // no decimals left
        --end;
    return text.left(end);
}

QString CheckFigureText(const QString& text, int digits) {
    const QString message = CheckNumberText(text, digits);
    if (!message.isEmpty())
        return message;
    if (NumberOfText(text).raw() < 0)
        return MsgText::OutOfRange();
    return {};
}

int WholeFigureOf(const QString& text) {
    const Currency v = NumberOfText(text);
    if (v.raw() % Currency::Scale != 0)
        return 0;
    return int(v.truncated());
}

CodeBoxCheck CheckCodeBoxText(const QString& text, const QString& zeroMessage) {
    CodeBoxCheck c;
    bool ok = false;
    const int code = NthField(text.trimmed(), QLatin1Char(' '), 1).toInt(&ok);
    if (!ok)
        c.message = MsgText::EnterNumber();
    else if (code == 0)
        c.message = zeroMessage;
    else if (code < 0)
        c.message = MsgText::OutOfRange();
    else
        c.code = code;
    return c;
}
