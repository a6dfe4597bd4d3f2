#pragma once

#include "data/db/DataChange.h"
#include "data/db/SqliteRows.h"
#include "data/db/TQuery.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>
#include <optional>

class DataFolderLock;
class QSqlDatabase;
class QSqlError;
class QSqlQuery;

// The data module: the two connections through which every store reaches the databases.
// ACN1 is the control file (SEIGYO.db), ACN2 the company file (DATA.db). A failing statement
// is reported to the user here ("ＳＱＬ処理で…"); the caller learns it from the result.
//
// With a server (UsingServer()) both are one connection to one database: the path given to
// OpenConnection is then not used, and every transaction covers both "files".
//
// On the files, an open connection holds a shared lock on its data folder (see
// DataFolderLock), so that compaction never replaces a file another program has open.
class TDM {
public:
    enum Conn { ACN1 = 0, ACN2 = 1 };
    enum class Files { Control, Data, Both };

    TDM();
    ~TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    // (Re)opens a connection on an existing database file. On failure shows
    // "データベースのオープンでエラーが発生しました。　" + path and leaves it closed.
    bool OpenConnection(Conn connection, const QString& path);
    void CloseConnection(Conn connection);
    bool isOpen(Conn connection) const;
    QString path(Conn connection) const;

    // Values for the "?" placeholders of a statement, in order.
    using Binds = QVariantList;

    // Reads the rows of a statement into a query held by value. A failure is reported to the
    // user ("ＳＱＬ処理で…"); the query is then not active.
    TQuery select(Conn connection, const QString& sql, const Binds& binds = {});
    // Hands each row of a statement to `each` as it is read, none kept (a read of many rows,
    // such as an export); false (reported) on failure.
    bool selectEach(Conn connection, const QString& sql, const Binds& binds, const RowRead& each);
    // Runs one statement that returns no rows; false (reported) on failure.
    bool exec(Conn connection, const QString& sql, const Binds& binds = {});
    // Runs one statement once for each set of values, prepared once: many rows of one table
    // in the time of a few statements. False (reported) at the first failure.
    bool execEach(Conn connection, const QString& sql, const QVector<Binds>& rows);
    // execEach for `count` rows whose values `fill` gives, one row at a time: on the SQLite
    // files bound straight into the engine, with no value list kept per row (an import).
    bool execRows(Conn connection, const QString& sql, qsizetype count, const RowFill& fill);
    // Rows changed by the last exec.
    int changedRows() const { return m_changed; }

    // The engine's text of the last failure (for the command-line companion).
    QString lastError() const { return m_lastError; }

    // All-or-nothing writes; see Transaction. snapshot: every read of the transaction sees the
    // data as it was when it began (on the server repeatable read; on the SQLite files every
    // transaction is that already, as it holds the write lock from its start).
    bool beginTransaction(Files files, bool snapshot = false);
    bool commitTransaction();
    void rollbackTransaction();
    bool inTransaction() const { return m_txActive; }
    bool transactionFailed() const { return m_txFailed; }
    // Keeps a change announced inside the transaction until it commits (see AnnounceChange);
    // evenOnRollback: until it ends (AnnounceFoundChange).
    void holdChange(const DataChange& change, bool evenOnRollback = false);

    bool onServer() const { return m_server; }
    // Inside a transaction: holds company kco's lock for work that must not run twice at once
    // (annual update, deletion) until the transaction ends. False when another connection
    // holds it; holder then names it. Always granted on the SQLite files, whose write lock
    // already lets one such transaction run at a time.
    bool tryLockCompany(int kco, QString* holder);
    // Inside a transaction: waits while another connection holds company kco's lock (an
    // annual update or deletion) and then keeps it from being taken until the transaction
    // ends; writers of the company's employees take it, so the roll-over never reads half of
    // their change. Several such writers may hold it at once. False only when the wait
    // failed (reported).
    bool shareCompany(int kco);
    // Inside a transaction: waits until no other connection saves company kco's wage table
    // and keeps others waiting until the transaction ends, so that two saves never write the
    // table's rows at once (the later one then sees the earlier one's rows). False only when
    // the wait failed (reported).
    bool queueForWageTable(int kco);

    static TDM* instance();
    // Makes this the data module DM() gives (the newest one is, as the program has one; a test
    // with two people switches between theirs).
    void makeCurrent();

    // What this data module loaded of records that may be saved back, by record (see
    // RecordGuard): a save compares the stored rows with these.
    QHash<QString, QStringList>& loadedRecords() { return m_loaded; }

    // The Qt connection a file's statements run on (for tools and tests that need the
    // connection's own view, e.g. the server's per-connection work tables).
    QString connectionName(Conn c) const;

private:
    QSqlDatabase database(Conn c) const;
    Conn routeFor(Conn own) const;
    bool run(Conn own, TQuery* rows, const QString& sql, const Binds& binds);
    // execEach of a plain INSERT on the server: many rows per statement, fewer round trips.
    bool insertInBatches(Conn c, const QString& sql, const QVector<Binds>& rows);
    // Ends a statement of many executions: false, logged and reported when one failed.
    bool finish(Conn c, QSqlQuery& q, bool ok, const QString& sql);
    // The end of many rows run through SQLite's own interface: true or false when it ran
    // (a failure reported), nothing when it was left to Qt's driver.
    std::optional<bool> ranOnSqlite(RowsRun run, qint64 changed, const QSqlError& error, Conn own,
                                    const QString& sql);
    bool openServer(QString* error);
    QString statement(const QString& sql) const;
    void reportFailure(const QString& error);
    // A failed statement on connection c (own: the file it was meant for): a file that is
    // full, cannot be written or read, or was replaced is named with what happened; anything
    // else gets RunSql's message.
    void reportStatementFailure(Conn c, Conn own, const QSqlError& error, bool reading,
                                const QString& sql);
    // Takes the shared lock of the folder of path for connection c; false (error set) when a
    // compaction keeps the folder.
    bool holdFolder(Conn c, const QString& path, QString* error);

    QString m_paths[2];
    std::unique_ptr<DataFolderLock> m_folderLocks[2];
    bool m_open[2] = {false, false};
    QString m_prefix;
    QString m_lastError;
    bool m_txActive = false;
    bool m_txFailed = false;
    Files m_txFiles = Files::Data;
    bool m_attached = false;
    QVector<DataChange> m_heldChanges;
    QVector<DataChange> m_foundChanges;
    int m_changed = 0;
    bool m_server = false;
    QHash<QString, QStringList> m_loaded;
};

// The data module of the running program.
TDM& DM();

// The message for a company whose lock another person holds ("user@machine").
QString CompanyLockedText(const QString& holder);
