#include "gui/common/EmployeeGrid.h"

#include <QHeaderView>
#include <QPainter>
#include <QTableView>

EmployeeGridModel::EmployeeGridModel(QObject* parent, QStringList headers)
    : QAbstractTableModel(parent), m_headers(std::move(headers)) {}

EmployeeGridModel::Person EmployeeGridModel::personOf(int code, const QString& number,
                                                      const QString& name, qint64 born,
                                                      qint64 joined, const AgeBase& ageBase) {
    Person p{code, number, name};
    // Without an employee number the list counts neither age nor service.
    if (!number.isEmpty()) {
        p.age = YearsToBase(born, ageBase);
        p.service = joined == 0 ? 0 : YearsToBase(joined, ageBase);
    }
    return p;
}

void EmployeeGridModel::setPeople(QVector<Person> people) {
    m_people = std::move(people);
    m_highlighted = 0;
}

QVector<int> EmployeeGridModel::codes() const {
    QVector<int> codes;
    codes.reserve(m_people.size());
    for (const Person& p : m_people)
        codes << p.code;
    return codes;
}

int EmployeeGridModel::codeAt(int gridRow) const {
    return gridRow >= 1 && gridRow <= m_people.size() ? m_people[gridRow - 1].code : 0;
}

QString EmployeeGridModel::nameAt(int gridRow) const {
    return gridRow >= 1 && gridRow <= m_people.size() ? m_people[gridRow - 1].name : QString();
}

int EmployeeGridModel::gridRowOf(int code) const {
    for (qsizetype i = 0; i < m_people.size(); ++i)
        if (m_people[i].code == code)
            return int(i) + 1;
    return 0;
}

bool EmployeeGridModel::isBlank(int gridRow) const {
    return cellText(gridRow, Code).isEmpty() && cellText(gridRow, Number).isEmpty() &&
           cellText(gridRow, Name).isEmpty();
}

void EmployeeGridModel::setHighlightedRow(int gridRow) {
    if (gridRow == m_highlighted)
        return;
    const int old = m_highlighted;
    m_highlighted = gridRow;
    for (int r : {old, gridRow})
        if (r >= 1 && r <= rowCount())
            rowChanged(r);
}

void EmployeeGridModel::rowChanged(int gridRow) {
    Q_EMIT dataChanged(index(gridRow - 1, 0), index(gridRow - 1, columnCount() - 1));
}

QString EmployeeGridModel::cellText(int gridRow, int column) const {
    if (gridRow < 1 || gridRow > m_people.size())
        return {};
    const Person& p = m_people[gridRow - 1];
    switch (column) {
    case No:
        return QString::number(gridRow);
    case Code:
        return QString::number(p.code);
    case Number:
        return p.number;
    case Name:
        return p.name;
    case Age:
        return QString::number(p.age);
    case Service:
        return QString::number(p.service);
    default:
        return ownText(gridRow - 1, column);
    }
}

int EmployeeGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_people.isEmpty() ? 1 : int(m_people.size());
}

int EmployeeGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant EmployeeGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row() + 1, index.column());
    if (role == HighlightRole)
        return m_highlighted == index.row() + 1;
    return {};
}

QVariant EmployeeGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headers.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_headers[section];
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

QTableView* EmployeeGridModel::makeView(QWidget* parent, const QList<int>& widths) {
    auto* view = new QTableView(parent);
    view->setObjectName(QStringLiteral("StringGrid1"));
    view->setModel(this);
    view->setItemDelegate(new EmployeeGridDelegate(view));
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(20);
    view->horizontalHeader()->setFixedHeight(20);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    for (int c = 0; c < widths.size(); ++c)
        view->setColumnWidth(c, widths[c]);
    return view;
}

void EmployeeGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const bool highlighted = index.data(EmployeeGridModel::HighlightRole).toBool();
    painter->save();
    painter->fillRect(option.rect, highlighted ? QColor(Qt::blue) : QColor(Qt::white));
    painter->setPen(highlighted ? QColor(Qt::white) : QColor(Qt::black));
    painter->setFont(option.font);
    const QRect text = option.rect.adjusted(2, 0, -2, 0);
    painter->drawText(
        text, int(Qt::AlignRight | Qt::AlignVCenter),
        option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, text.width()));
    painter->restore();
}
