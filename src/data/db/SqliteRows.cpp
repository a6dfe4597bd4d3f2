#include "data/db/SqliteRows.h"

#include <QSqlDatabase>
#include <QSqlDriver>

#include <sqlite3.h>

namespace {

sqlite3* handleOf(const QSqlDatabase& db) {
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

bool bindable(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return true;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Bool:
    case QMetaType::Double:
    case QMetaType::QString:
        return true;
    default:
        return false;
    }
}

// Binds as Qt's driver does: integers as integers, reals as reals, texts as UTF-16 (the
// engine stores them in the file's encoding), null as NULL. The text stays the caller's
// until the row is stepped.
int bind(sqlite3_stmt* s, int i, const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return sqlite3_bind_null(s, i);
    switch (v.typeId()) {
    case QMetaType::Double:
        return sqlite3_bind_double(s, i, v.toDouble());
    case QMetaType::QString: {
        const QString* text = static_cast<const QString*>(v.constData());
        if (text->isNull()) // as Qt's driver: a null text is NULL, an empty one ''
            return sqlite3_bind_null(s, i);
        return sqlite3_bind_text16(s, i, text->utf16(), int(text->size() * sizeof(char16_t)),
                                   SQLITE_STATIC);
    }
    default:
        return sqlite3_bind_int64(s, i, v.toLongLong());
    }
}

QSqlError errorOf(sqlite3* db, const QString& what) {
    return QSqlError(what, QString::fromUtf16(static_cast<const char16_t*>(sqlite3_errmsg16(db))),
                     QSqlError::StatementError, QString::number(sqlite3_extended_errcode(db)));
}

} // namespace

RowsRun SqliteExecEach(const QSqlDatabase& db, const QString& sql,
                       const QVector<QVariantList>& rows, qint64* changed, QSqlError* error) {
    sqlite3* handle = handleOf(db);
    if (!handle)
        return RowsRun::NotHandled;
    for (const QVariantList& row : rows)
        for (const QVariant& v : row)
            if (!bindable(v))
                return RowsRun::NotHandled;
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare16_v2(handle, sql.utf16(), int(sql.size() * sizeof(char16_t)), &s,
                             nullptr) != SQLITE_OK) {
        *error = errorOf(handle, QStringLiteral("Unable to execute statement"));
        sqlite3_finalize(s);
        return RowsRun::Failed;
    }
    *changed = 0;
    for (const QVariantList& row : rows) {
        if (row.size() != sqlite3_bind_parameter_count(s)) {
            sqlite3_finalize(s);
            *error = QSqlError(QStringLiteral("Parameter count mismatch"), QString(),
                               QSqlError::StatementError);
            return RowsRun::Failed;
        }
        int rc = SQLITE_OK;
        for (int i = 0; i < row.size() && rc == SQLITE_OK; ++i)
            rc = bind(s, i + 1, row[i]);
        if (rc == SQLITE_OK)
            rc = sqlite3_step(s);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
            *error = errorOf(handle, QStringLiteral("Unable to fetch row"));
            sqlite3_finalize(s);
            return RowsRun::Failed;
        }
        *changed += sqlite3_changes(handle);
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
    }
    sqlite3_finalize(s);
    return RowsRun::Done;
}
