#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// What differs between the SQLite files and the PostgreSQL server, kept in one place. The
// stores write SQLite's SQL; on the server it passes through here first.
//
// Layout on the server: one database, one shared schema. The control file's tables and the
// company file's tables never share a name, so both files' tables sit side by side and a save
// over both files is one ordinary transaction. TSCHEMA holds the layout's version.

// The layout version this program writes and reads.
constexpr int ServerSchemaVersion = 1;

// The SQL files the schema and the delivered rows come from (resources/sql, built in as :/sql).
QString SqlResourceDir();
QString ReadSqlResource(const QString& fileName, QString* error);
// Statements of one SQL file; false with the reason when it cannot be read or split.
bool SqlResourceStatements(const QString& fileName, QStringList* statements, QString* error);

// The tables each file's schema creates, in the order of the file.
QStringList ControlTables();
QStringList CompanyFileTables();
// Working tables without a company's ownership of their rows: per connection on the server.
const QStringList& WorkTables();

// A statement of the schema files as the server takes it (column types; work tables become
// temporary). Empty for a statement the server does not keep (a work table's CREATE).
QString ServerSchemaStatement(const QString& statement);
// The CREATE TEMP TABLE statements a fresh server connection runs for the work tables.
QStringList ServerWorkTableStatements(QString* error);

// A statement of a store as the server takes it.
QString ServerStatement(const QString& sql);

// A single-row `INSERT INTO t (...) VALUES (?, ..., ?)` rewritten to insert `rows` rows at once
// (each round trip to the server costs more than the row); empty for any other statement.
QString ServerMultiRowInsert(const QString& sql, int rows);
// How many rows of `columns` values one multi-row insert carries.
int ServerRowsPerInsert(int columns);

// A value read from the server as the SQLite files would give it: NUMERIC (which the server
// hands out as text) becomes an integer when whole, else a real, as SQLite's NUMERIC does.
QVariant ServerValue(const QVariant& value, bool numericColumn);
// Whether an engine's failure text means a number out of the column's or the arithmetic's range
// (SQLite: "integer overflow"; the server: "... out of range").
bool IsOverflowError(const QString& error);

// A value for a server statement's placeholder (no booleans in integer columns).
QVariant ServerBind(const QVariant& value);

class QSqlDatabase;
// Opens a connection to the server of url under the given Qt connection name, naming this
// program and its user as the connection's application (locks show it). The layout version is
// not checked here (see ServerLayout). Errors never carry the password.
bool OpenServerDatabase(const QString& connectionName, const QString& url, QString* error);
