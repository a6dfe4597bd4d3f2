#include "gui/masters/EmployeeListGrid.h"

namespace {

QString kindName(int kind) {
    static const char* const names[] = {"", "役員", "正社員", "パート", "その他"};
    return kind >= 1 && kind <= 4 ? QString::fromUtf8(names[kind]) : QString();
}

} // namespace

EmployeeListModel::EmployeeListModel(QObject* parent)
    : EmployeeGridOf(parent, {QString(), QStringLiteral("社員ｺｰﾄﾞ"), QStringLiteral("社員番号"),
                              QStringLiteral("氏　　名"), QStringLiteral("年　齢"),
                              QStringLiteral("勤　続"), QStringLiteral("役　職"),
                              QStringLiteral("社内身分"), QStringLiteral("資格等級"),
                              QStringLiteral("号　俸"), QStringLiteral("ゾーン")}) {}

QString EmployeeListModel::ownText(qsizetype index, int column) const {
    const EmployeeListRow& e = m_rows[index];
    const int places[] = {e.TOUKYU, e.GOUHOU, e.ZONEX}; // Grade, Step, Zone
    if (column >= Grade && column < ColumnCount)
        return QString::number(places[column - Grade]);
    return column == Position ? e.YAKU : column == Kind ? kindName(e.SM1) : QString();
}
