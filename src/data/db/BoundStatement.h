#pragma once

#include "data/db/TDM.h"

#include <QString>
#include <QVariantList>
#include <QVector>

// One statement with the values of its "?" placeholders.
struct BoundStatement {
    QString sql;
    TDM::Binds binds;
    BoundStatement() = default;
    BoundStatement(QString text, TDM::Binds values = {})
        : sql(std::move(text)), binds(std::move(values)) {}
};
using BoundStatements = QVector<BoundStatement>;

// A column of an insert or update: its name, its value, and whether an update sets it (an
// insert writes every column).
struct ColumnValue {
    const char* name;
    QVariant value;
    bool updated = true;
};
using ColumnValues = QVector<ColumnValue>;

BoundStatement InsertStatement(const QString& table, const ColumnValues& columns);
// UPDATE table SET (the updated columns) followed by `where` with its own values.
BoundStatement UpdateStatement(const QString& table, const ColumnValues& columns,
                               const QString& where, const TDM::Binds& whereBinds);

// Runs the statements on one connection inside one transaction over `files`: all land or
// none. A failing statement is reported by the data module and the rest are not run.
bool ExecTogether(TDM::Files files, TDM::Conn connection, const BoundStatements& statements);
// Runs statements inside a transaction that is already open; false at the first failure.
bool ExecEach(TDM::Conn connection, const BoundStatements& statements);
