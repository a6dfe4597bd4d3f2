#include "core/common/LeftOutEmployees.h"

void LeftOutEmployees::add(int mark, int grade, int count) {
    if (!IsMark(mark))
        noMark += count;
    else if (!IsGrade(grade))
        gradeOutside += count;
}

QString LeftOutMessage(const LeftOutEmployees& leftOut) {
    if (leftOut.total() == 0)
        return {};
    return QStringLiteral("対象外の社員が %1名あります（マークなし %2名、等級が範囲外 %3名）。")
        .arg(leftOut.total())
        .arg(leftOut.noMark)
        .arg(leftOut.gradeOutside);
}
