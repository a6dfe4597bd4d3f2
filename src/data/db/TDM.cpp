#include "data/db/TDM.h"

#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/common/SqlText.h"
#include "data/db/DataFolderLock.h"
#include "data/db/Dialect.h"
#include "data/db/EngineFailure.h"
#include "data/db/FileUpgrade.h"
#include "data/db/ServerAddress.h"
#include "data/db/ServerLayout.h"
#include "data/db/SqliteRows.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QtDebug>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {
TDM* g_instance = nullptr;
int g_serial = 0;
const char* const AttachedName = "SEIGYO";
// The advisory-lock class of company locks on the server ("TV").
const int CompanyLockClass = 0x5456;
// Saves of one company's wage table, one after the other.
const int WageTableLockClass = 0x5457;
// How long opening a file waits for a compaction of its folder to end: long enough for the
// files of a company workbench, short enough that a stuck one does not look like a hang.
const int CompactionWaitMs = 10000;

// Tells the user what happened to a database file; false when the failure was no such thing.
bool tellFileFailure(const FileFailure& failure, const QString& path) {
    if (failure.kind == FileFailure::Kind::None)
        return false;
    Msg::error(FileFailureText(failure, path));
    return true;
}

} // namespace

TDM::TDM() : m_prefix(QStringLiteral("tdm%1_").arg(++g_serial)) {
    g_instance = this;
}

TDM::~TDM() {
    // Going away: nobody is told of a change of a transaction it never ended.
    m_heldChanges.clear();
    m_foundChanges.clear();
    if (m_txActive)
        rollbackTransaction();
    CloseConnection(ACN1);
    CloseConnection(ACN2);
    for (Conn c : {ACN1, ACN2})
        if (QSqlDatabase::contains(connectionName(c)))
            QSqlDatabase::removeDatabase(connectionName(c));
    if (g_instance == this)
        g_instance = nullptr;
}

void TDM::makeCurrent() {
    g_instance = this;
}

TDM* TDM::instance() {
    return g_instance;
}

TDM& DM() {
    Q_ASSERT(g_instance);
    return *g_instance;
}

QString TDM::connectionName(Conn c) const {
    if (m_server)
        return m_prefix + QStringLiteral("SRV");
    return m_prefix + (c == ACN1 ? QStringLiteral("ACN1") : QStringLiteral("ACN2"));
}

QSqlDatabase TDM::database(Conn c) const {
    return QSqlDatabase::database(connectionName(c), false);
}

bool TDM::isOpen(Conn c) const {
    return m_open[c];
}
QString TDM::path(Conn c) const {
    return m_paths[c];
}

void TDM::CloseConnection(Conn c) {
    if (m_server) {
        // One connection serves both: it closes with the second.
        m_open[c] = false;
        if (m_open[ACN1] || m_open[ACN2])
            return;
    }
    if (QSqlDatabase::contains(connectionName(c))) {
        QSqlDatabase db = database(c);
        if (db.isOpen())
            db.close();
    }
    m_open[c] = false;
    m_folderLocks[c].reset();
}

bool TDM::holdFolder(Conn c, const QString& path, QString* error) {
    const QString dir = QFileInfo(path).absolutePath();
    if (!m_folderLocks[c] || m_folderLocks[c]->dataDir() != dir)
        m_folderLocks[c] = std::make_unique<DataFolderLock>(dir);
    switch (m_folderLocks[c]->acquire(DataFolderLock::Mode::Shared, CompactionWaitMs)) {
    case DataFolderLock::Outcome::Held:
        return true;
    case DataFolderLock::Outcome::Unavailable:
        // A folder without a lock file (read-only, say) still serves reading; writes there fail
        // on their own and say so.
        m_folderLocks[c].reset();
        return true;
    case DataFolderLock::Outcome::InUse:
        break;
    }
    m_folderLocks[c].reset();
    *error = QStringLiteral("データベースの圧縮中です。終わってからやり直してください。");
    return false;
}

bool TDM::openServer(QString* error) {
    const QString name = connectionName(ACN1);
    if (!OpenServerDatabase(name, ServerUrl(), error))
        return false;
    QSqlDatabase db = QSqlDatabase::database(name, false);
    // A database this program did not lay out, or laid out in another form, is not touched.
    *error = ServerLayoutRefusal(ReadServerLayout(db));
    QSqlQuery q(db);
    if (error->isEmpty()) {
        const QStringList work = ServerWorkTableStatements(error);
        for (const QString& ddl : work)
            if (!q.exec(ddl)) {
                *error = q.lastError().text();
                break;
            }
        q.finish();
    }
    if (!error->isEmpty()) {
        db.close();
        return false;
    }
    return true;
}

bool TDM::OpenConnection(Conn c, const QString& path) {
    if (UsingServer()) {
        if (!m_server) {
            CloseConnection(ACN1);
            CloseConnection(ACN2);
            m_server = true;
        }
        m_paths[c] = ServerUrlForDisplay(ServerUrl());
        QString reason;
        if (!(m_open[ACN1] || m_open[ACN2]) && !openServer(&reason)) {
            m_open[c] = false;
            m_lastError = reason;
            Msg::info(QStringLiteral("データベースのオープンでエラーが発生しました。　") +
                      m_paths[c] + QLatin1Char('\n') + reason);
            return false;
        }
        m_open[c] = true;
        return true;
    }
    if (m_server) {
        CloseConnection(ACN1);
        CloseConnection(ACN2);
        if (QSqlDatabase::contains(connectionName(ACN1)))
            QSqlDatabase::removeDatabase(connectionName(ACN1));
        m_server = false;
    }
    CloseConnection(c);
    m_paths[c] = path;
    QString error;
    QString reason; // told to the user beside the path
    if (!QFileInfo(path).isFile()) {
        error = QStringLiteral("no such file");
    } else if (!holdFolder(c, path, &reason)) {
        error = reason;
    } else {
        const QString name = connectionName(c);
        QSqlDatabase db = QSqlDatabase::contains(name)
                              ? QSqlDatabase::database(name, false)
                              : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        // mode=rw: never create a database file that is not there.
        db.setDatabaseName(
            QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
            QStringLiteral("?mode=rw"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery q(db);
            for (const char* pragma :
                 {"PRAGMA foreign_keys=ON", "PRAGMA journal_mode=DELETE", "PRAGMA synchronous=FULL",
                  "SELECT count(*) FROM sqlite_master"}) {
                if (!q.exec(QString::fromLatin1(pragma))) {
                    error = q.lastError().text();
                    break;
                }
                while (q.next()) {
                }
            }
            q.finish();
            if (error.isEmpty())
                AddMissingColumns(db, &error);
            if (!error.isEmpty())
                db.close();
        }
    }
    if (!error.isEmpty()) {
        m_folderLocks[c].reset();
        m_lastError = error;
        Msg::info(QStringLiteral("データベースのオープンでエラーが発生しました。　") + path +
                  (reason.isEmpty() ? QString() : QLatin1Char('\r') + reason));
        return false;
    }
    m_open[c] = true;
    return true;
}

TDM::Conn TDM::routeFor(Conn own) const {
    if (m_server)
        return ACN2; // one connection for both
    if (m_txActive && m_txFiles == Files::Both)
        return ACN2; // the control file is attached to the company connection
    return own;
}

void TDM::reportFailure(const QString& error) {
    m_lastError = error;
    if (m_txActive)
        m_txFailed = true;
    if (IsOverflowError(error))
        Msg::info(QStringLiteral("ＳＱＬ処理でオーバーフローが発生しました。"));
    else
        Msg::info(MsgText::SqlUnknownError());
}

void TDM::reportStatementFailure(Conn c, Conn own, const QSqlError& error, bool reading,
                                 const QString& sql) {
    // A read inside a transaction belongs to a save: it is the save that failed.
    const FileFailure file =
        m_server ? FileFailure() : FileFailureOf(database(c), error, reading && !m_txActive);
    m_lastError = error.text();
    if (m_txActive)
        m_txFailed = true;
    // A file failure is no fault of the statement: what happened to the file is all to tell.
    if (tellFileFailure(file, m_paths[own]))
        return;
    qWarning().noquote() << "SQL failed:" << error.text() << "in" << sql;
    reportFailure(error.text());
}

QString TDM::statement(const QString& sql) const {
    return m_server ? ServerStatement(sql) : sql;
}

TQuery TDM::select(Conn connection, const QString& sql, const Binds& binds) {
    TQuery q("select", connection == ACN1 ? TQuery::OnACN1 : TQuery::OnACN2);
    q.m_sql = sql;
    run(connection, &q, sql, binds);
    return q;
}

bool TDM::exec(Conn connection, const QString& sql, const Binds& binds) {
    return run(connection, nullptr, sql, binds);
}

bool TDM::finish(Conn c, QSqlQuery& q, bool ok, const QString& sql) {
    if (!ok) {
        const QSqlError error = q.lastError();
        q.finish();
        reportStatementFailure(routeFor(c), c, error, false, sql);
        return false;
    }
    q.finish();
    return true;
}

namespace {

// The values of rows kept as value lists, for Qt's driver and the server.
class ValueLists final : public RowValues {
public:
    explicit ValueLists(qsizetype count) { rows.reserve(count); }
    void add(qint64 value) override { rows.back() << value; }
    void add(const QString& text) override { rows.back() << text; }
    QVector<TDM::Binds> rows;
};

} // namespace

std::optional<bool> TDM::ranOnSqlite(RowsRun run, qint64 changed, const QSqlError& error, Conn own,
                                     const QString& sql) {
    switch (run) {
    case RowsRun::Done:
        m_changed = int(changed);
        return true;
    case RowsRun::Failed:
        reportStatementFailure(routeFor(own), own, error, false, sql);
        return false;
    case RowsRun::NotHandled:
        break;
    }
    return std::nullopt;
}

namespace {

// A row of a query read through Qt's driver.
class QueryRow final : public RowReader {
public:
    explicit QueryRow(const TQuery& q) : m_q(q) {}
    qint64 integer(int c) const override { return VariantInt(m_q.value(c)); }
    QString text(int c) const override { return VariantText(m_q.value(c)); }
    Currency currency(int c) const override { return VariantCurrency(m_q.value(c)); }

private:
    const TQuery& m_q;
};

} // namespace

bool TDM::selectEach(Conn connection, const QString& sql, const Binds& binds, const RowRead& each) {
    const Conn c = routeFor(connection);
    if (!m_server && m_open[c]) {
        QSqlError error;
        switch (SqliteSelectEach(database(c), sql, binds, each, &error)) {
        case RowsRun::Done:
            return true;
        case RowsRun::Failed:
            reportStatementFailure(c, connection, error, true, sql);
            return false;
        case RowsRun::NotHandled:
            break;
        }
    }
    TQuery q = select(connection, sql, binds);
    if (!q.active())
        return false;
    const QueryRow row(q);
    for (; !q.eof(); q.next())
        each(row);
    return true;
}

bool TDM::execRows(Conn connection, const QString& sql, qsizetype count, const RowFill& fill) {
    m_changed = 0;
    const Conn c = routeFor(connection);
    if (!m_open[c]) {
        reportFailure(QStringLiteral("database not open"));
        return false;
    }
    if (!m_server) {
        qint64 changed = 0;
        QSqlError error;
        const RowsRun run = SqliteExecRows(database(c), sql, count, fill, &changed, &error);
        if (const std::optional<bool> done = ranOnSqlite(run, changed, error, connection, sql))
            return *done;
    }
    ValueLists lists(count);
    for (qsizetype r = 0; r < count; ++r) {
        lists.rows.push_back({});
        fill(r, lists);
    }
    return execEach(connection, sql, lists.rows);
}

bool TDM::execEach(Conn connection, const QString& sql, const QVector<Binds>& rows) {
    m_changed = 0;
    const Conn c = routeFor(connection);
    if (!m_open[c]) {
        reportFailure(QStringLiteral("database not open"));
        return false;
    }
    if (m_server && rows.size() > 1 && !rows.front().isEmpty() &&
        !ServerMultiRowInsert(sql, 1).isEmpty())
        return insertInBatches(connection, sql, rows);
    if (!m_server) {
        qint64 changed = 0;
        QSqlError error;
        const RowsRun run = SqliteExecEach(database(c), sql, rows, &changed, &error);
        if (const std::optional<bool> done = ranOnSqlite(run, changed, error, connection, sql))
            return *done;
        // Not handled: Qt's driver binds it.
    }
    QSqlQuery q(database(c));
    q.setForwardOnly(true);
    bool ok = q.prepare(statement(sql));
    for (qsizetype r = 0; ok && r < rows.size(); ++r) {
        for (qsizetype i = 0; i < rows[r].size(); ++i)
            q.bindValue(int(i), m_server ? ServerBind(rows[r][i]) : rows[r][i]);
        ok = q.exec();
        if (ok)
            m_changed += q.numRowsAffected();
    }
    return finish(connection, q, ok, sql);
}

bool TDM::insertInBatches(Conn own, const QString& sql, const QVector<Binds>& rows) {
    const Conn c = routeFor(own);
    const int columns = int(rows.front().size());
    const int perBatch = ServerRowsPerInsert(columns);
    QSqlQuery q(database(c));
    q.setForwardOnly(true);
    int prepared = 0; // rows of the statement prepared in q
    bool ok = true;
    for (qsizetype first = 0; ok && first < rows.size(); first += perBatch) {
        const int n = int(std::min<qsizetype>(perBatch, rows.size() - first));
        if (n != prepared) {
            ok = q.prepare(ServerMultiRowInsert(sql, n));
            prepared = n;
        }
        int at = 0;
        for (qsizetype r = first; ok && r < first + n; ++r) {
            if (rows[r].size() != columns) {
                q.finish();
                reportFailure(QStringLiteral("rows of unequal length in one insert"));
                return false;
            }
            for (const QVariant& v : rows[r])
                q.bindValue(at++, ServerBind(v));
        }
        ok = ok && q.exec();
        if (ok)
            m_changed += q.numRowsAffected();
    }
    return finish(own, q, ok, sql);
}

bool TDM::run(Conn own, TQuery* rows, const QString& sql, const Binds& binds) {
    m_changed = 0;
    const Conn c = routeFor(own);
    if (!m_open[c]) {
        reportFailure(QStringLiteral("database not open"));
        return false;
    }
    if (!m_server) {
        // The engine's own interface on the driver's connection: Qt's driver costs more than
        // the engine on statements of many values and on reads of many rows.
        QStringList columns;
        QVector<QVector<QVariant>> values;
        qint64 changed = 0;
        QSqlError error;
        switch (SqliteRun(database(c), sql, binds, rows ? &columns : nullptr,
                          rows ? &values : nullptr, &changed, &error)) {
        case RowsRun::Done:
            if (rows) {
                for (int i = 0; i < columns.size(); ++i) {
                    rows->m_columns << columns[i];
                    rows->m_index.insert(columns[i].toUpper(), i);
                }
                rows->m_rows = std::move(values);
                rows->m_active = true;
                rows->m_row = 0;
            } else {
                m_changed = int(changed);
            }
            return true;
        case RowsRun::Failed:
            reportStatementFailure(c, own, error, rows != nullptr, sql);
            return false;
        case RowsRun::NotHandled:
            break; // Qt's driver runs it
        }
    }
    QSqlQuery q(database(c));
    q.setForwardOnly(true);
    bool ok = true;
    if (binds.isEmpty()) {
        ok = q.exec(statement(sql));
    } else {
        ok = q.prepare(statement(sql));
        for (qsizetype i = 0; ok && i < binds.size(); ++i)
            q.bindValue(int(i), m_server ? ServerBind(binds[i]) : binds[i]);
        ok = ok && q.exec();
    }
    if (!ok) {
        const QSqlError error = q.lastError();
        q.finish();
        reportStatementFailure(c, own, error, rows != nullptr, sql);
        return false;
    }
    if (rows) {
        const QSqlRecord rec = q.record();
        const int n = rec.count();
        QVector<bool> numeric(n, false);
        for (int i = 0; i < n; ++i) {
            // The server folds unquoted names to lower case; the schema writes them in upper.
            rows->m_columns << (m_server ? rec.fieldName(i).toUpper() : rec.fieldName(i));
            rows->m_index.insert(rec.fieldName(i).toUpper(), i);
            numeric[i] = m_server && rec.field(i).metaType().id() == QMetaType::Double;
        }
        while (q.next()) {
            QVector<QVariant> row(n);
            for (int i = 0; i < n; ++i)
                row[i] = numeric[i] ? ServerValue(q.value(i), true) : q.value(i);
            rows->m_rows.push_back(std::move(row));
        }
        if (q.lastError().isValid()) {
            const QSqlError error = q.lastError();
            q.finish();
            rows->close();
            reportStatementFailure(c, own, error, true, sql);
            return false;
        }
        rows->m_active = true;
        rows->m_row = 0;
    } else {
        m_changed = q.numRowsAffected();
    }
    q.finish();
    return true;
}

bool TDM::beginTransaction(Files files, bool snapshot) {
    Q_ASSERT(!m_txActive);
    m_txFailed = false;
    m_heldChanges.clear();
    m_foundChanges.clear();
    const Conn c = files == Files::Control ? ACN1 : ACN2;
    if (!m_open[c] || (files == Files::Both && !m_open[ACN1])) {
        reportFailure(QStringLiteral("database not open"));
        return false;
    }
    QSqlQuery q(database(c));
    if (m_server) {
        if (!q.exec(snapshot ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ")
                             : QStringLiteral("BEGIN"))) {
            reportFailure(q.lastError().text());
            return false;
        }
        m_txActive = true;
        m_txFiles = files;
        return true;
    }
    if (files == Files::Both) {
        if (!q.exec(QStringLiteral("ATTACH DATABASE %1 AS %2")
                        .arg(SqlQuote(QFileInfo(m_paths[ACN1]).absoluteFilePath()),
                             QString::fromLatin1(AttachedName)))) {
            reportFailure(q.lastError().text());
            return false;
        }
        m_attached = true;
    }
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        const QSqlError error = q.lastError();
        const FileFailure file = FileFailureOf(database(c), error, false);
        q.finish();
        if (m_attached) {
            q.exec(QStringLiteral("DETACH DATABASE ") + QString::fromLatin1(AttachedName));
            m_attached = false;
        }
        m_lastError = error.text();
        if (!tellFileFailure(file, m_paths[c]))
            reportFailure(error.text());
        return false;
    }
    m_txActive = true;
    m_txFiles = files;
    return true;
}

bool TDM::commitTransaction() {
    if (!m_txActive)
        return false;
    if (m_txFailed) {
        rollbackTransaction();
        return false;
    }
    const Conn c = m_server ? ACN2 : m_txFiles == Files::Control ? ACN1 : ACN2;
    QSqlQuery q(database(c));
    bool ok = q.exec(QStringLiteral("COMMIT"));
    if (!ok) {
        const QSqlError error = q.lastError();
        // Read before the rollback runs on the connection.
        const FileFailure file =
            m_server ? FileFailure() : FileFailureOf(database(c), error, false);
        q.finish();
        rollbackTransaction();
        m_lastError = error.text();
        if (!tellFileFailure(file, m_paths[c]))
            reportFailure(error.text());
        return false;
    }
    q.finish();
    m_txActive = false;
    if (m_attached) {
        q.exec(QStringLiteral("DETACH DATABASE ") + QString::fromLatin1(AttachedName));
        m_attached = false;
    }
    // Told only now that they are stored; taken first, as a listener may read or write.
    QVector<DataChange> changes = std::exchange(m_foundChanges, {});
    changes += std::exchange(m_heldChanges, {});
    DeliverChanges(changes);
    return true;
}

void TDM::holdChange(const DataChange& change, bool evenOnRollback) {
    (evenOnRollback ? m_foundChanges : m_heldChanges).append(change);
}

void TDM::rollbackTransaction() {
    if (!m_txActive)
        return;
    const Conn c = m_server ? ACN2 : m_txFiles == Files::Control ? ACN1 : ACN2;
    QSqlQuery q(database(c));
    q.exec(QStringLiteral("ROLLBACK"));
    q.finish();
    m_txActive = false;
    m_heldChanges.clear();
    const QVector<DataChange> found = std::exchange(m_foundChanges, {});
    if (m_attached) {
        q.exec(QStringLiteral("DETACH DATABASE ") + QString::fromLatin1(AttachedName));
        m_attached = false;
    }
    DeliverChanges(found);
}

QString CompanyLockedText(const QString& holder) {
    return QStringLiteral("この企業は %1 が処理をしています（年次更新、削除、社員の取込・"
                          "昇給の登録）。終わってからやり直してください。")
        .arg(holder);
}

bool TDM::shareCompany(int kco) {
    Q_ASSERT(m_txActive);
    if (!m_server)
        return true;
    return select(ACN2, QStringLiteral("SELECT pg_advisory_xact_lock_shared(?, ?) AS GOT"),
                  {CompanyLockClass, kco})
        .active();
}

bool TDM::queueForWageTable(int kco) {
    Q_ASSERT(m_txActive);
    if (!m_server)
        return true;
    return select(ACN2, QStringLiteral("SELECT pg_advisory_xact_lock(?, ?) AS GOT"),
                  {WageTableLockClass, kco})
        .active();
}

bool TDM::tryLockCompany(int kco, QString* holder) {
    Q_ASSERT(m_txActive);
    if (!m_server)
        return true;
    const TQuery got = select(ACN2, QStringLiteral("SELECT pg_try_advisory_xact_lock(?, ?) AS GOT"),
                              {CompanyLockClass, kco});
    if (!got.active())
        return false;
    if (got.value(QStringLiteral("GOT")).toBool())
        return true;
    const TQuery who = select(ACN2,
                              QStringLiteral("SELECT a.application_name AS WHO FROM pg_locks l "
                                             "JOIN pg_stat_activity a ON a.pid = l.pid "
                                             "WHERE l.locktype = 'advisory' AND l.granted AND "
                                             "l.classid = ? AND l.objid = ?"),
                              {CompanyLockClass, kco});
    // Connections name themselves "tesvane user@machine" (see OpenServerDatabase).
    *holder = who.asText(QStringLiteral("WHO"));
    if (holder->startsWith(QStringLiteral("tesvane ")))
        *holder = holder->mid(8);
    if (holder->isEmpty())
        *holder = QStringLiteral("他の利用者");
    return false;
}
