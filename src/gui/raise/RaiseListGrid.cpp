#include "gui/raise/RaiseListGrid.h"

#include <QPainter>

namespace {

const char* const Headers[RaiseListModel::ColumnCount] = {
    "",       "コード", "社員番号", "氏　　名", "年齢",  "勤続",
    "達成率", "等級",   "新等級",   "号俸",     "新号俸"};

} // namespace

void RaiseListModel::setEmployees(QVector<RaiseListRow> rows, const AgeBase& ageBase) {
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(rows.size());
    for (RaiseListRow& e : rows) {
        Row r;
        // Without an employee number the list counts neither age nor service.
        if (!e.SCOT.isEmpty()) {
            r.age = YearsToBase(e.SEIHI, ageBase);
            r.service = e.NYUHI == 0 ? 0 : YearsToBase(e.NYUHI, ageBase);
        }
        r.e = std::move(e);
        m_rows.push_back(std::move(r));
    }
    m_highlighted = 0;
    endResetModel();
}

int RaiseListModel::codeAt(int gridRow) const {
    return gridRow >= 1 && gridRow <= m_rows.size() ? m_rows[gridRow - 1].e.SCO : 0;
}

QString RaiseListModel::nameAt(int gridRow) const {
    return gridRow >= 1 && gridRow <= m_rows.size() ? m_rows[gridRow - 1].e.SNA : QString();
}

int RaiseListModel::gridRowOf(int code) const {
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].e.SCO == code)
            return int(i) + 1;
    return 0;
}

bool RaiseListModel::isBlank(int gridRow) const {
    return cellText(gridRow, Code).isEmpty() && cellText(gridRow, Number).isEmpty() &&
           cellText(gridRow, Name).isEmpty();
}

void RaiseListModel::updateRaise(int code, int grade, int newGrade, int step, int newStep) {
    const int row = gridRowOf(code);
    if (row == 0)
        return;
    RaiseListRow& e = m_rows[row - 1].e;
    e.TOUKYU = grade;
    e.NTOUKYU = newGrade;
    e.GOUHOU = step;
    e.NGOUHOU = newStep;
    Q_EMIT dataChanged(index(row - 1, 0), index(row - 1, ColumnCount - 1));
}

void RaiseListModel::setHighlightedRow(int gridRow) {
    if (gridRow == m_highlighted)
        return;
    const int old = m_highlighted;
    m_highlighted = gridRow;
    for (int r : {old, gridRow})
        if (r >= 1 && r <= rowCount())
            Q_EMIT dataChanged(index(r - 1, 0), index(r - 1, ColumnCount - 1));
}

QString RaiseListModel::cellText(int gridRow, int column) const {
    if (gridRow < 1 || gridRow > m_rows.size())
        return {};
    const Row& r = m_rows[gridRow - 1];
    switch (column) {
    case No:
        return QString::number(gridRow);
    case Code:
        return QString::number(r.e.SCO);
    case Number:
        return r.e.SCOT;
    case Name:
        return r.e.SNA;
    case Age:
        return QString::number(r.age);
    case Service:
        return QString::number(r.service);
    case Rate:
        return r.e.TRITSU.toString();
    case Grade:
        return QString::number(r.e.TOUKYU);
    case NewGrade:
        return QString::number(r.e.NTOUKYU);
    case Step:
        return QString::number(r.e.GOUHOU);
    case NewStep:
        return QString::number(r.e.NGOUHOU);
    }
    return {};
}

int RaiseListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_rows.isEmpty() ? 1 : int(m_rows.size());
}

int RaiseListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RaiseListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row() + 1, index.column());
    if (role == HighlightRole)
        return m_highlighted == index.row() + 1;
    return {};
}

QVariant RaiseListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(Headers[section]);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

void RaiseListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const bool highlighted = index.data(RaiseListModel::HighlightRole).toBool();
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
