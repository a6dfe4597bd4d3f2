#pragma once

#include "core/common/Currency.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// A query of the data module. Opening reads every row into memory, so the row count is known
// at once and the database statement is finished before anything else runs on the file.
// Reading a closed query, or past its end, gives the empty text or 0.
class TQuery {
public:
    enum Connection { OnACN1, OnACN2 };

    TQuery(const char* name, Connection connection) : m_name(name), m_connection(connection) {}
    // A query result handed out by TDM::select.
    TQuery() : m_name("select"), m_connection(OnACN2) {}

    const char* name() const { return m_name; }
    Connection connection() const { return m_connection; }

    bool active() const { return m_active; }
    bool eof() const { return !m_active || m_row >= m_rows.size(); }
    void first() { m_row = 0; }
    void next() {
        if (m_row < m_rows.size())
            ++m_row;
    }
    int recordCount() const { return m_active ? int(m_rows.size()) : 0; }
    int fieldCount() const { return m_active ? int(m_columns.size()) : 0; }
    const QStringList& fieldNames() const { return m_columns; }
    bool hasField(const QString& column) const;
    void close();
    const QString& sql() const { return m_sql; }

    // Columns of the current row by name (case-insensitive); null reads as "" or 0.
    QVariant value(const QString& column) const;
    QVariant value(int index) const;
    QString asText(const QString& column) const;
    qint64 asInt64(const QString& column) const;
    int asInt(const QString& column) const { return int(asInt64(column)); }
    double asReal(const QString& column) const;
    Currency asCurrency(const QString& column) const;

private:
    friend class TDM;
    const char* m_name;
    Connection m_connection;
    bool m_active = false;
    QString m_sql;
    QStringList m_columns;
    QHash<QString, int> m_index; // upper-case name -> column
    QVector<QVector<QVariant>> m_rows;
    qsizetype m_row = 0;
};

// A value for a statement's "?" placeholder: whole amounts bind as integers, others as reals,
// exactly as the same number written into the statement would be stored.
QVariant BindValue(Currency value);

// Conversions used by TQuery, also for single values.
QString VariantText(const QVariant& v);
qint64 VariantInt(const QVariant& v);
double VariantReal(const QVariant& v);
Currency VariantCurrency(const QVariant& v);
