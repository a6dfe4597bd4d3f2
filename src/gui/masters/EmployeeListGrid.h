#pragma once

#include "core/common/Dates.h"
#include "data/masters/EmployeeStore.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QVector>

// The employee list of the employee screen: eleven columns, the running number first. An empty
// list still shows one empty row under the header.
class EmployeeListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { No, Code, Number, Name, Age, Service, Position, Kind, Grade, Step, Zone };
    static constexpr int ColumnCount = 11;

    using QAbstractTableModel::QAbstractTableModel;

    // Ages and years of service are counted here, when the list is loaded.
    // Ages and years of service are counted to the age base.
    void setEmployees(QVector<EmployeeListRow> rows, const AgeBase& ageBase);
    int employeeCount() const { return int(m_rows.size()); }
    // 1-based like the grid's rows; 0 when out of range.
    int codeAt(int gridRow) const;
    QString nameAt(int gridRow) const;
    // The first grid row holding the code; 0 when none does.
    int gridRowOf(int code) const;
    // True when the grid row shows no code, number and name (the empty row of an empty list).
    bool isBlank(int gridRow) const;

    // The row drawn white on blue; 0 for none.
    void setHighlightedRow(int gridRow);
    int highlightedRow() const { return m_highlighted; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The cell's text as the grid shows it (grid rows from 1; row 0 is the header).
    QString cellText(int gridRow, int column) const;

private:
    struct Row {
        EmployeeListRow e;
        int age = 0;
        int service = 0;
    };
    QVector<Row> m_rows;
    int m_highlighted = 0;
};

// Draws the list's cells: right-aligned with a 2-pixel margin, centred vertically, the
// highlighted row white on blue and every other row black on white.
class EmployeeListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
