#pragma once

#include "core/common/Dates.h"
#include "data/raise/RaiseStore.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QVector>

// The employee list of the raise input: current and new grade and step beside each employee,
// the running number first. An empty list still shows one empty row under the header.
class RaiseListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { No, Code, Number, Name, Age, Service, Rate, Grade, NewGrade, Step, NewStep };
    static constexpr int ColumnCount = 11;
    static constexpr int HighlightRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    // Ages and years of service are counted to the age base when the list is loaded.
    void setEmployees(QVector<RaiseListRow> rows, const AgeBase& ageBase);
    int employeeCount() const { return int(m_rows.size()); }
    // Grid rows count from 1 like the running number; 0 when out of range.
    int codeAt(int gridRow) const;
    QString nameAt(int gridRow) const;
    // The first grid row holding the code; 0 when none does.
    int gridRowOf(int code) const;
    bool isBlank(int gridRow) const;
    // Shows what a save stored for an employee without reloading the list.
    void updateRaise(int code, int grade, int newGrade, int step, int newStep);

    void setHighlightedRow(int gridRow);
    int highlightedRow() const { return m_highlighted; }

    QString cellText(int gridRow, int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        RaiseListRow e;
        int age = 0;
        int service = 0;
    };
    QVector<Row> m_rows;
    int m_highlighted = 0;
};

// Right-aligned cells with a 2-pixel margin; the highlighted row white on blue.
class RaiseListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
