#pragma once

#include "data/masters/EmployeeStore.h"
#include "gui/common/EmployeeGrid.h"

// The employee list of the employee screen: after the common columns the position, the kind
// of employee, grade, step and zone.
class EmployeeListModel : public EmployeeGridOf<EmployeeListRow> {
public:
    enum Column { Position = FirstOwnColumn, Kind, Grade, Step, Zone, ColumnCount };

    explicit EmployeeListModel(QObject* parent = nullptr);

private:
    QString ownText(qsizetype index, int column) const override;
};
