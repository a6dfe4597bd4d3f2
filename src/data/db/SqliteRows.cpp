#include "data/db/SqliteRows.h"

#include "data/db/TQuery.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QStringEncoder>

#include <sqlite3.h>

sqlite3* SqliteHandleOf(const QSqlDatabase& db) {
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

namespace {

bool bindable(const QVariant& v) {
    if (!v.isValid())
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
        return v.isNull(); // any null is NULL
    }
}

// Binds as Qt's driver does: integers as integers, reals as reals, null as NULL; texts go in
// as UTF-8, the file's encoding (converted here, faster than the engine converts UTF-16), kept
// in `text` (its room reused row after row) until the row is stepped.
// A text as UTF-8 in `room`, which must stay as it is until the statement is stepped.
int bind(sqlite3_stmt* s, int i, const QString& t, QByteArray& room) {
    if (t.isNull()) // as Qt's driver: a null text is NULL, an empty one ''
        return sqlite3_bind_null(s, i);
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    room.resize(utf8.requiredSpace(t.size()));
    char* end = utf8.appendToBuffer(room.data(), t);
    return sqlite3_bind_text(s, i, room.constData(), int(end - room.constData()), SQLITE_STATIC);
}

int bind(sqlite3_stmt* s, int i, const QVariant& v, QByteArray& text) {
    if (!v.isValid())
        return sqlite3_bind_null(s, i);
    switch (v.typeId()) {
    case QMetaType::Double:
        return v.isNull() ? sqlite3_bind_null(s, i) : sqlite3_bind_double(s, i, v.toDouble());
    case QMetaType::QString:
        return bind(s, i, *static_cast<const QString*>(v.constData()), text);
    default:
        return v.isNull() ? sqlite3_bind_null(s, i) : sqlite3_bind_int64(s, i, v.toLongLong());
    }
}

QSqlError errorOf(sqlite3* db, const QString& what) {
    return QSqlError(what, QString::fromUtf16(static_cast<const char16_t*>(sqlite3_errmsg16(db))),
                     QSqlError::StatementError, QString::number(sqlite3_extended_errcode(db)));
}

} // namespace

namespace {

// The statement prepared, or the failure as Qt's driver reports it.
sqlite3_stmt* prepared(sqlite3* handle, const QString& sql, QSqlError* error) {
    sqlite3_stmt* s = nullptr;
    const void* tail = nullptr;
    if (sqlite3_prepare16_v2(handle, sql.utf16(), int(sql.size() * sizeof(char16_t)), &s, &tail) !=
        SQLITE_OK) {
        *error = errorOf(handle, QStringLiteral("Unable to execute statement"));
        sqlite3_finalize(s);
        return nullptr;
    }
    if (tail && !QString::fromUtf16(static_cast<const char16_t*>(tail)).trimmed().isEmpty()) {
        *error = QSqlError(QStringLiteral("Unable to execute multiple statements at a time"),
                           QString(), QSqlError::StatementError, QString::number(SQLITE_MISUSE));
        sqlite3_finalize(s);
        return nullptr;
    }
    return s;
}

QVariant valueAt(sqlite3_stmt* s, int i) {
    switch (sqlite3_column_type(s, i)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(s, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(s, i));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(s, i)),
                                   sqlite3_column_bytes(s, i)));
    default:
        return QVariant(QString(reinterpret_cast<const QChar*>(sqlite3_column_text16(s, i)),
                                sqlite3_column_bytes16(s, i) / qsizetype(sizeof(QChar))));
    }
}

// The statement prepared with its values bound (texts: their room, kept until it is done);
// null when that failed, `error` saying why.
sqlite3_stmt* preparedWith(sqlite3* handle, const QString& sql, const QVariantList& binds,
                           QVector<QByteArray>& texts, QSqlError* error) {
    sqlite3_stmt* s = prepared(handle, sql, error);
    if (!s)
        return nullptr;
    if (binds.size() != sqlite3_bind_parameter_count(s)) {
        sqlite3_finalize(s);
        *error = QSqlError(QStringLiteral("Parameter count mismatch"), QString(),
                           QSqlError::StatementError);
        return nullptr;
    }
    int rc = SQLITE_OK;
    for (int i = 0; i < binds.size() && rc == SQLITE_OK; ++i)
        rc = bind(s, i + 1, binds[i], texts[i]);
    if (rc != SQLITE_OK) {
        *error = errorOf(handle, QStringLiteral("Unable to bind parameters"));
        sqlite3_finalize(s);
        return nullptr;
    }
    return s;
}

// On the driver's connection, the statement prepared with its values bound; null when it was
// not, *notRun then NotHandled (a connection or value left to Qt's driver) or Failed (error
// set).
sqlite3_stmt* boundStatement(const QSqlDatabase& db, const QString& sql, const QVariantList& binds,
                             QVector<QByteArray>& texts, sqlite3** handle, RowsRun* notRun,
                             QSqlError* error) {
    *notRun = RowsRun::NotHandled;
    *handle = SqliteHandleOf(db);
    if (!*handle)
        return nullptr;
    for (const QVariant& v : binds)
        if (!bindable(v))
            return nullptr;
    *notRun = RowsRun::Failed;
    return preparedWith(*handle, sql, binds, texts, error);
}

// The row the statement stands on; integers and texts straight from the engine, anything
// else through the value Qt's driver would give.
class StatementRow final : public RowReader {
public:
    explicit StatementRow(sqlite3_stmt* s) : m_s(s) {}
    qint64 integer(int c) const override {
        switch (sqlite3_column_type(m_s, c)) {
        case SQLITE_INTEGER:
            return sqlite3_column_int64(m_s, c);
        case SQLITE_NULL:
            return 0;
        default:
            return VariantInt(valueAt(m_s, c));
        }
    }
    QString text(int c) const override {
        if (sqlite3_column_type(m_s, c) != SQLITE_TEXT)
            return VariantText(valueAt(m_s, c));
        return QString(reinterpret_cast<const QChar*>(sqlite3_column_text16(m_s, c)),
                       sqlite3_column_bytes16(m_s, c) / qsizetype(sizeof(QChar)));
    }
    Currency currency(int c) const override {
        switch (sqlite3_column_type(m_s, c)) {
        case SQLITE_INTEGER:
            return Currency::fromInt(sqlite3_column_int64(m_s, c));
        case SQLITE_NULL:
            return {};
        default:
            return VariantCurrency(valueAt(m_s, c));
        }
    }

private:
    sqlite3_stmt* m_s;
};

} // namespace

namespace {

// Runs a statement with its values bound on the driver's connection: `start` sees it prepared,
// `row` each row it gives (either may be empty); `changed` gets the rows it changed.
RowsRun runBound(const QSqlDatabase& db, const QString& sql, const QVariantList& binds,
                 const std::function<void(sqlite3_stmt*)>& start,
                 const std::function<void(sqlite3_stmt*)>& row, qint64* changed, QSqlError* error) {
    sqlite3* handle = nullptr;
    QVector<QByteArray> texts(binds.size());
    RowsRun notRun = RowsRun::Done;
    sqlite3_stmt* s = boundStatement(db, sql, binds, texts, &handle, &notRun, error);
    if (!s)
        return notRun;
    if (start)
        start(s);
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW)
        if (row)
            row(s);
    if (rc != SQLITE_DONE) {
        *error = errorOf(handle, QStringLiteral("Unable to fetch row"));
        sqlite3_finalize(s);
        return RowsRun::Failed;
    }
    if (changed)
        *changed = sqlite3_changes(handle);
    sqlite3_finalize(s);
    return RowsRun::Done;
}

} // namespace

RowsRun SqliteRun(const QSqlDatabase& db, const QString& sql, const QVariantList& binds,
                  QStringList* columns, QVector<QVector<QVariant>>* rows, qint64* changed,
                  QSqlError* error) {
    int n = 0;
    const auto start = [&](sqlite3_stmt* s) {
        n = sqlite3_column_count(s);
        if (!columns)
            return;
        for (int i = 0; i < n; ++i) {
            // As Qt's driver names them: without quotes, after the last dot.
            QString name =
                QString::fromUtf16(static_cast<const char16_t*>(sqlite3_column_name16(s, i)))
                    .remove(QLatin1Char('"'));
            *columns << name.mid(name.lastIndexOf(QLatin1Char('.')) + 1);
        }
    };
    const auto row = [&](sqlite3_stmt* s) {
        QVector<QVariant> values(n);
        for (int i = 0; i < n; ++i)
            values[i] = valueAt(s, i);
        rows->push_back(std::move(values));
    };
    return runBound(db, sql, binds, start, rows ? std::function<void(sqlite3_stmt*)>(row) : nullptr,
                    changed, error);
}

namespace {

// Prepares the statement and steps it once for each of `count` rows, whose values bindRow
// binds; it gives the engine's code and how many values it bound.
RowsRun stepRows(sqlite3* handle, const QString& sql, qsizetype count,
                 const std::function<int(qsizetype row, sqlite3_stmt* s, int* bound)>& bindRow,
                 qint64* changed, QSqlError* error) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare16_v2(handle, sql.utf16(), int(sql.size() * sizeof(char16_t)), &s,
                             nullptr) != SQLITE_OK) {
        *error = errorOf(handle, QStringLiteral("Unable to execute statement"));
        sqlite3_finalize(s);
        return RowsRun::Failed;
    }
    *changed = 0;
    const int parameters = sqlite3_bind_parameter_count(s);
    for (qsizetype r = 0; r < count; ++r) {
        int bound = 0;
        int rc = bindRow(r, s, &bound);
        if (rc == SQLITE_OK && bound != parameters) {
            sqlite3_finalize(s);
            *error = QSqlError(QStringLiteral("Parameter count mismatch"), QString(),
                               QSqlError::StatementError);
            return RowsRun::Failed;
        }
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

// Binds each value at once; the first failure stops the row.
class StatementValues final : public RowValues {
public:
    StatementValues(sqlite3_stmt* s, QVector<QByteArray>& texts) : m_s(s), m_texts(texts) {}
    void add(qint64 value) override {
        if (m_rc == SQLITE_OK)
            m_rc = sqlite3_bind_int64(m_s, ++m_at, value);
    }
    void add(const QString& text) override {
        if (m_rc != SQLITE_OK)
            return;
        ++m_at;
        if (m_texts.size() < m_at)
            m_texts.resize(m_at);
        m_rc = bind(m_s, m_at, text, m_texts[m_at - 1]);
    }
    int bound() const { return m_at; }
    int status() const { return m_rc; }

private:
    sqlite3_stmt* m_s;
    QVector<QByteArray>& m_texts;
    int m_at = 0;
    int m_rc = SQLITE_OK;
};

} // namespace

RowsRun SqliteExecEach(const QSqlDatabase& db, const QString& sql,
                       const QVector<QVariantList>& rows, qint64* changed, QSqlError* error) {
    sqlite3* handle = SqliteHandleOf(db);
    if (!handle)
        return RowsRun::NotHandled;
    for (const QVariantList& row : rows)
        for (const QVariant& v : row)
            if (!bindable(v))
                return RowsRun::NotHandled;
    QVector<QByteArray> texts; // the texts of the row being stepped
    return stepRows(
        handle, sql, rows.size(),
        [&](qsizetype r, sqlite3_stmt* s, int* bound) {
            const QVariantList& row = rows[r];
            texts.resize(row.size());
            int rc = SQLITE_OK;
            for (int i = 0; i < row.size() && rc == SQLITE_OK; ++i) {
                rc = bind(s, i + 1, row[i], texts[i]);
                *bound = i + 1;
            }
            return rc;
        },
        changed, error);
}

RowsRun SqliteExecRows(const QSqlDatabase& db, const QString& sql, qsizetype count,
                       const RowFill& fill, qint64* changed, QSqlError* error) {
    sqlite3* handle = SqliteHandleOf(db);
    if (!handle)
        return RowsRun::NotHandled;
    QVector<QByteArray> texts; // room for the texts of the row being stepped, kept between rows
    return stepRows(
        handle, sql, count,
        [&](qsizetype r, sqlite3_stmt* s, int* bound) {
            StatementValues values(s, texts);
            fill(r, values);
            *bound = values.bound();
            return values.status();
        },
        changed, error);
}

RowsRun SqliteSelectEach(const QSqlDatabase& db, const QString& sql, const QVariantList& binds,
                         const RowRead& each, QSqlError* error) {
    return runBound(
        db, sql, binds, nullptr, [&](sqlite3_stmt* s) { each(StatementRow(s)); }, nullptr, error);
}
