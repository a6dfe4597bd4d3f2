#include "core/masters/EmployeeFieldChecks.h"

#include "core/common/Counts.h"
#include "core/common/DisplayTexts.h"
#include "core/common/Helpers.h"
#include "core/common/MessageTexts.h"

namespace {

CodeCheck refused(const QString& message) {
    return {message, 0};
}

} // namespace

CodeCheck CheckCodeNumber(const QString& text) {
    bool ok = false;
    const int code = NthField(text.trimmed(), QLatin1Char(' '), 1).toInt(&ok);
    return ok ? CodeCheck{QString(), code} : refused(MsgText::EnterNumber());
}

CodeCheck CheckEmployeeCodeText(const QString& text) {
    const CodeCheck c = CheckCodeNumber(text);
    if (c.ok() && c.code == 0)
        return refused(MsgText::ZeroNotAllowed());
    return c;
}

CodeCheck CheckStatusText(const QString& text) {
    const CodeCheck c = CheckCodeNumber(text);
    if (c.ok() && (c.code < 0 || c.code > 4))
        return refused(QStringLiteral("入力範囲外です。0 ～ ") + QString::number(4) +
                       QStringLiteral("の値を入力して下さい。"));
    return c;
}

CodeCheck CheckGradeText(const QString& text) {
    const CodeCheck c = CheckCodeNumber(text);
    if (c.ok() && !IsGrade(c.code))
        return refused(MsgText::GradeOutOfRange());
    return c;
}

CodeCheck CheckMarkText(const QString& text, const std::array<TMMARK, MarkCount + 1>& marks) {
    const CodeCheck c = CheckCodeNumber(text);
    if (c.ok() && MarkLegendText(c.code, marks).isEmpty())
        return refused(MsgText::NotInMaster());
    return c;
}

CodeCheck CheckEvaluationText(const QString& text, const CodeList& codes) {
    const CodeCheck c = CheckCodeNumber(text);
    if (c.ok() && EvalCodeText(QString::number(c.code), codes).isEmpty())
        return refused(MsgText::NotInMaster());
    return c;
}

QString CheckWholeNumberText(const QString& text, int low, int high) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok)
        return MsgText::EnterNumber();
    if (v < low || v > high)
        return MsgText::OutOfRange();
    return {};
}

QString CheckIntegerText(const QString& text, bool emptyIsZero) {
    const QString t = text.trimmed();
    if (t.isEmpty() && emptyIsZero)
        return {};
    bool ok = false;
    t.toInt(&ok);
    return ok ? QString() : MsgText::EnterNumber();
}
