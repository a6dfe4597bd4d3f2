#pragma once

#include "core/common/Currency.h"

#include <QSqlError>
#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>

class QSqlDatabase;
struct sqlite3;

// The engine's handle of a connection of Qt's SQLite driver, which loads the same library;
// null for any other connection.
sqlite3* SqliteHandleOf(const QSqlDatabase& db);

// Many rows of one statement on a connection of Qt's SQLite driver, run through the engine's
// own interface on that very connection (and so inside its transaction): prepared once, each
// row's values bound and stepped. Qt's driver spends more on binding a value than the engine
// spends on storing it; an import or a roll-over of 10,000 employees binds a quarter million.
enum class RowsRun {
    Done,
    Failed,    // `error` says why, as Qt's driver would
    NotHandled // a value of a type left to Qt's driver, or not a SQLite connection: nothing run
};
RowsRun SqliteExecEach(const QSqlDatabase& db, const QString& sql,
                       const QVector<QVariantList>& rows, qint64* changed, QSqlError* error);

// One statement with its values run the same way; a statement that gives rows gives them as
// Qt's driver would (integers as qint64, reals as double, texts as QString, NULL as a null
// text) with the column names as it names them.
RowsRun SqliteRun(const QSqlDatabase& db, const QString& sql, const QVariantList& binds,
                  QStringList* columns, QVector<QVector<QVariant>>* rows, qint64* changed,
                  QSqlError* error);

// The values of one row of a statement, given in order and bound as they come, with no value
// list in between.
class RowValues {
public:
    virtual ~RowValues() = default;
    virtual void add(qint64 value) = 0;
    // A null text is NULL, an empty one '' (as Qt's driver binds them).
    virtual void add(const QString& text) = 0;
};
// Gives the values of row `row`.
using RowFill = std::function<void(qsizetype row, RowValues& values)>;

// SqliteExecEach for `count` rows whose values `fill` gives.
RowsRun SqliteExecRows(const QSqlDatabase& db, const QString& sql, qsizetype count,
                       const RowFill& fill, qint64* changed, QSqlError* error);

// One row of a read, its columns by position, converted as TQuery's values are.
class RowReader {
public:
    virtual ~RowReader() = default;
    virtual qint64 integer(int column) const = 0;
    virtual QString text(int column) const = 0;
    virtual Currency currency(int column) const = 0;
};
using RowRead = std::function<void(const RowReader& row)>;

// Reads the rows of a statement one at a time, each handed to `each` straight from the engine:
// no value kept per row (an export of 10,000 employees).
RowsRun SqliteSelectEach(const QSqlDatabase& db, const QString& sql, const QVariantList& binds,
                         const RowRead& each, QSqlError* error);
