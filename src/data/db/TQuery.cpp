#include "data/db/TQuery.h"

#include "core/common/Helpers.h"

#include <cmath>

QVariant BindValue(Currency value) {
    if (value.raw() % Currency::Scale == 0)
        return QVariant(qint64(value.truncated()));
    return QVariant(value.toDouble());
}

QString VariantText(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return {};
    if (v.typeId() == QMetaType::Double)
        return ShortestDecimal(v.toDouble());
    return v.toString();
}

qint64 VariantInt(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return 0;
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::ULongLong:
    case QMetaType::UInt:
        return v.toLongLong();
    case QMetaType::Double: {
        double d = v.toDouble();
        return std::isfinite(d) ? qint64(std::trunc(d)) : 0;
    }
    default: {
        bool ok = false;
        QString s = v.toString().trimmed();
        qint64 i = s.toLongLong(&ok);
        if (ok)
            return i;
        double d = s.toDouble(&ok);
        return ok && std::isfinite(d) ? qint64(std::trunc(d)) : 0;
    }
    }
}

double VariantReal(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return 0;
    bool ok = false;
    double d = v.toDouble(&ok);
    return ok && std::isfinite(d) ? d : 0;
}

Currency VariantCurrency(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return {};
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        return Currency::fromInt(v.toLongLong());
    case QMetaType::Double:
        return Currency::fromDouble(v.toDouble());
    default: {
        bool ok = false;
        Currency c = Currency::fromString(v.toString(), &ok);
        return ok ? c : Currency();
    }
    }
}

bool TQuery::hasField(const QString& column) const {
    return m_index.contains(column.toUpper());
}

void TQuery::close() {
    m_active = false;
    m_columns.clear();
    m_index.clear();
    m_rows.clear();
    m_row = 0;
}

QVariant TQuery::value(const QString& column) const {
    auto it = m_index.constFind(column.toUpper());
    if (it == m_index.constEnd())
        return {};
    return value(it.value());
}

QVariant TQuery::value(int index) const {
    if (eof() || index < 0 || index >= m_rows[m_row].size())
        return {};
    return m_rows[m_row][index];
}

QString TQuery::asText(const QString& column) const {
    return VariantText(value(column));
}
qint64 TQuery::asInt64(const QString& column) const {
    return VariantInt(value(column));
}
double TQuery::asReal(const QString& column) const {
    return VariantReal(value(column));
}
Currency TQuery::asCurrency(const QString& column) const {
    return VariantCurrency(value(column));
}
