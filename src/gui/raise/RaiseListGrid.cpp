#include "gui/raise/RaiseListGrid.h"

RaiseListModel::RaiseListModel(QObject* parent)
    : EmployeeGridOf(parent,
                     {QString(), QStringLiteral("コード"), QStringLiteral("社員番号"),
                      QStringLiteral("氏　　名"), QStringLiteral("年齢"), QStringLiteral("勤続"),
                      QStringLiteral("達成率"), QStringLiteral("等級"), QStringLiteral("新等級"),
                      QStringLiteral("号俸"), QStringLiteral("新号俸")}) {}

void RaiseListModel::updateRaise(int code, int grade, int newGrade, int step, int newStep) {
    const int row = gridRowOf(code);
    if (row == 0)
        return;
    RaiseListRow& e = m_rows[row - 1];
    e.TOUKYU = grade;
    e.NTOUKYU = newGrade;
    e.GOUHOU = step;
    e.NGOUHOU = newStep;
    rowChanged(row);
}

QString RaiseListModel::ownText(qsizetype index, int column) const {
    const RaiseListRow& e = m_rows[index];
    if (column == Rate)
        return e.TRITSU.toString();
    const int grades[] = {e.TOUKYU, e.NTOUKYU, e.GOUHOU, e.NGOUHOU}; // Grade .. NewStep
    return column >= Grade && column < ColumnCount ? QString::number(grades[column - Grade])
                                                   : QString();
}
