#pragma once

#include "core/common/Dates.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QVector>

class QTableView;
class QWidget;

// The employee list below a screen that edits one employee at a time: the running number,
// code, employee number, name, age and years of service, then the screen's own columns. An
// empty list still shows one empty row under the header; one row may be highlighted.
class EmployeeGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum CommonColumn { No, Code, Number, Name, Age, Service, FirstOwnColumn };
    static constexpr int HighlightRole = Qt::UserRole + 1;

    int employeeCount() const { return int(m_people.size()); }
    // The codes listed, in the list's order.
    QVector<int> codes() const;
    // Grid rows count from 1 like the running number; 0 when out of range.
    int codeAt(int gridRow) const;
    QString nameAt(int gridRow) const;
    // The first grid row holding the code; 0 when none does.
    int gridRowOf(int code) const;
    // True when the grid row shows no code, number and name (the empty row of an empty list).
    bool isBlank(int gridRow) const;

    // The row drawn white on blue; 0 for none.
    void setHighlightedRow(int gridRow);
    int highlightedRow() const { return m_highlighted; }

    // The cell's text as the grid shows it (grid rows from 1; row 0 is the header).
    QString cellText(int gridRow, int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The list's table: fixed rows and columns of the widths given, nothing selected or
    // edited, the cells drawn by EmployeeGridDelegate.
    QTableView* makeView(QWidget* parent, const QList<int>& widths);

protected:
    // `headers`: every column's caption, the common ones first.
    EmployeeGridModel(QObject* parent, QStringList headers);

    // Redraws a grid row (from 1).
    void rowChanged(int gridRow);
    // The text of one of the screen's own columns for the row at `index` (from 0).
    virtual QString ownText(qsizetype index, int column) const = 0;

    struct Person {
        int code = 0;
        QString number;
        QString name;
        int age = 0;
        int service = 0;
    };
    static Person personOf(int code, const QString& number, const QString& name, qint64 born,
                           qint64 joined, const AgeBase& ageBase);
    // Replaces the people listed; nothing is highlighted.
    void setPeople(QVector<Person> people);

private:
    QStringList m_headers;
    QVector<Person> m_people;
    int m_highlighted = 0;
};

// The list over one kind of stored row (with SCO, SCOT, SNA, SEIHI and NYUHI).
template <class Record> class EmployeeGridOf : public EmployeeGridModel {
public:
    // Ages and years of service are counted to the age base when the list is loaded.
    void setEmployees(QVector<Record> rows, const AgeBase& ageBase) {
        beginResetModel();
        m_rows = std::move(rows);
        QVector<Person> people;
        people.reserve(m_rows.size());
        for (const Record& r : m_rows)
            people.push_back(personOf(r.SCO, r.SCOT, r.SNA, r.SEIHI, r.NYUHI, ageBase));
        setPeople(std::move(people));
        endResetModel();
    }

protected:
    using EmployeeGridModel::EmployeeGridModel;

    QVector<Record> m_rows;
};

// Right-aligned cells with a 2-pixel margin, centred vertically; the highlighted row white on
// blue and every other row black on white.
class EmployeeGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
