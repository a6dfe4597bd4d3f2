#pragma once

#include <QColor>

// Sizes and colours the employee screen's form and handlers share.
namespace EmployeeLayout {
constexpr int FormWidth = 940;
constexpr int FormHeight = 800;
constexpr int PhotoWidth = 153;
constexpr int PhotoHeight = 161;
// The after-raise boxes of the items that do not follow the wage table.
inline QColor afterRaiseColour() {
    return QColor(166, 202, 240);
}
} // namespace EmployeeLayout
