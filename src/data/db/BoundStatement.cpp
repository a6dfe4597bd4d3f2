#include "data/db/BoundStatement.h"

#include "data/db/Transaction.h"

BoundStatement InsertStatement(const QString& table, const ColumnValues& columns) {
    QStringList names, marks;
    TDM::Binds values;
    for (const ColumnValue& c : columns) {
        names << QString::fromLatin1(c.name);
        marks << QStringLiteral("?");
        values << c.value;
    }
    return {QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
                names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                marks.join(QStringLiteral(", ")) + QLatin1Char(')'),
            values};
}

BoundStatement UpdateStatement(const QString& table, const ColumnValues& columns,
                               const QString& where, const TDM::Binds& whereBinds) {
    QStringList sets;
    TDM::Binds values;
    for (const ColumnValue& c : columns)
        if (c.updated) {
            sets << QString::fromLatin1(c.name) + QStringLiteral(" = ?");
            values << c.value;
        }
    return {QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") +
                sets.join(QStringLiteral(", ")) + QLatin1Char(' ') + where,
            values + whereBinds};
}

bool ExecEach(TDM::Conn connection, const BoundStatements& statements) {
    for (const BoundStatement& s : statements)
        if (!DM().exec(connection, s.sql, s.binds))
            return false;
    return true;
}

bool ExecTogether(TDM::Files files, TDM::Conn connection, const BoundStatements& statements) {
    Transaction tx(files);
    if (!tx.ok())
        return false;
    if (!ExecEach(connection, statements))
        return false; // rolled back as the scope ends
    return tx.commit();
}
