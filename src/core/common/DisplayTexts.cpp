#include "core/common/DisplayTexts.h"

#include "core/common/Counts.h"

namespace {
const QString Sep = QStringLiteral(" : ");

QString lookup(const CodeList& list, const QString& code, bool* found) {
    for (const CodeEntry& e : list)
        if (e.code == code) {
            *found = true;
            return e.name;
        }
    *found = false;
    return {};
}
} // namespace

QString EmployeeKindText(int kind) {
    static const char* const names[] = {"なし", "役員", "正社員", "パート", "その他"};
    if (kind < 0 || kind > 4)
        return {};
    return QString::number(kind) + Sep + QString::fromUtf8(names[kind]);
}

QString EmployeeKindCode(const QString& name) {
    if (name == QStringLiteral("役員"))
        return QStringLiteral("1");
    if (name == QStringLiteral("正社員"))
        return QStringLiteral("2");
    if (name == QStringLiteral("パート"))
        return QStringLiteral("3");
    if (name == QStringLiteral("その他"))
        return QStringLiteral("4");
    return QStringLiteral("0");
}

QString GradeText(int grade, const TMKIGYOU2& settings) {
    if (grade < 1 || grade > 9)
        return {};
    return QString::number(grade) + Sep + settings.TK[size_t(grade)];
}

QString MarkText(int mark, const std::array<TMMARK, MarkCount + 1>& marks) {
    if (mark < 1 || mark > 6)
        return {};
    return QString::number(mark) + Sep + marks[size_t(mark)].MARK;
}

QString MarkLegendText(int mark, const std::array<TMMARK, MarkCount + 1>& marks) {
    if (mark < 1 || mark > 6)
        return {};
    const TMMARK& m = marks[size_t(mark)];
    return QString::number(mark) + Sep + m.MARK + QStringLiteral("  ") + m.HANREI;
}

QString EvalCodeText(const QString& code, const CodeList& codes) {
    bool found = false;
    QString name = lookup(codes, code, &found);
    return found ? code + Sep + name : QString();
}

QString LivingCodeText(const QString& code, const CodeList& codes) {
    bool found = false;
    QString name = lookup(codes, code, &found);
    return code + Sep + (found ? name : QStringLiteral("未登録"));
}

QString ModelDataCodeText(const QString& code, const CodeList& codes) {
    bool found = false;
    QString name = lookup(codes, code, &found);
    return code + Sep + (found ? name : QStringLiteral("未登録"));
}

QString LineStyleText(int kind) {
    static const char* const names[] = {"なし", "実線", "点線", "一点鎖線"};
    if (kind < 0 || kind > 3)
        return {};
    return QString::number(kind) + Sep + QString::fromUtf8(names[kind]);
}
