#include "gui/masters/EmployeeListGrid.h"

#include "core/common/Dates.h"

#include <QPainter>

namespace {

const char* const Headers[EmployeeListModel::ColumnCount] = {
    "",       "社員ｺｰﾄﾞ", "社員番号", "氏　　名", "年　齢", "勤　続",
    "役　職", "社内身分", "資格等級", "号　俸",   "ゾーン"};

QString kindName(int kind) {
    static const char* const names[] = {"", "役員", "正社員", "パート", "その他"};
    return kind >= 1 && kind <= 4 ? QString::fromUtf8(names[kind]) : QString();
}

} // namespace

void EmployeeListModel::setEmployees(QVector<EmployeeListRow> rows, const AgeBase& ageBase) {
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(rows.size());
    for (EmployeeListRow& e : rows) {
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

int EmployeeListModel::codeAt(int gridRow) const {
    return gridRow >= 1 && gridRow <= m_rows.size() ? m_rows[gridRow - 1].e.SCO : 0;
}

QString EmployeeListModel::nameAt(int gridRow) const {
    return gridRow >= 1 && gridRow <= m_rows.size() ? m_rows[gridRow - 1].e.SNA : QString();
}

int EmployeeListModel::gridRowOf(int code) const {
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].e.SCO == code)
            return int(i) + 1;
    return 0;
}

bool EmployeeListModel::isBlank(int gridRow) const {
    return cellText(gridRow, Code).isEmpty() && cellText(gridRow, Number).isEmpty() &&
           cellText(gridRow, Name).isEmpty();
}

void EmployeeListModel::setHighlightedRow(int gridRow) {
    if (gridRow == m_highlighted)
        return;
    const int old = m_highlighted;
    m_highlighted = gridRow;
    for (int r : {old, gridRow})
        if (r >= 1 && r <= rowCount())
            Q_EMIT dataChanged(index(r - 1, 0), index(r - 1, ColumnCount - 1));
}

int EmployeeListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_rows.isEmpty() ? 1 : int(m_rows.size());
}

int EmployeeListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString EmployeeListModel::cellText(int gridRow, int column) const {
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
    case Position:
        return r.e.YAKU;
    case Kind:
        return kindName(r.e.SM1);
    case Grade:
        return QString::number(r.e.TOUKYU);
    case Step:
        return QString::number(r.e.GOUHOU);
    case Zone:
        return QString::number(r.e.ZONEX);
    }
    return {};
}

QVariant EmployeeListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row() + 1, index.column());
    return {};
}

QVariant EmployeeListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(Headers[section]);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

void EmployeeListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const auto* model = static_cast<const EmployeeListModel*>(index.model());
    const bool highlighted = model->highlightedRow() == index.row() + 1;
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
