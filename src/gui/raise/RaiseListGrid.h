#pragma once

#include "data/raise/RaiseStore.h"
#include "gui/common/EmployeeGrid.h"

// The employee list of the raise input: after the common columns the achievement rate and the
// current and new grade and step.
class RaiseListModel : public EmployeeGridOf<RaiseListRow> {
public:
    enum Column { Rate = FirstOwnColumn, Grade, NewGrade, Step, NewStep, ColumnCount };

    explicit RaiseListModel(QObject* parent = nullptr);
    // Shows what a save stored for an employee without reloading the list.
    void updateRaise(int code, int grade, int newGrade, int step, int newStep);

private:
    QString ownText(qsizetype index, int column) const override;
};
