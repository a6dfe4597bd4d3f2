#include "data/db/TDM.h"

#include "core/common/Messages.h"
#include "core/common/SqlText.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QtDebug>

namespace {
TDM* g_instance = nullptr;
int g_serial = 0;
const char* const AttachedName = "SEIGYO";
} // namespace

TDM::TDM() : m_prefix(QStringLiteral("tdm%1_").arg(++g_serial)) {
    g_instance = this;
}

TDM::~TDM() {
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

TDM* TDM::instance() {
    return g_instance;
}

TDM& DM() {
    Q_ASSERT(g_instance);
    return *g_instance;
}

QString TDM::connectionName(Conn c) const {
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
    if (QSqlDatabase::contains(connectionName(c))) {
        QSqlDatabase db = database(c);
        if (db.isOpen())
            db.close();
    }
    m_open[c] = false;
}

bool TDM::OpenConnection(Conn c, const QString& path) {
    CloseConnection(c);
    m_paths[c] = path;
    QString error;
    if (!QFileInfo(path).isFile()) {
        error = QStringLiteral("no such file");
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
            if (!error.isEmpty())
                db.close();
        }
    }
    if (!error.isEmpty()) {
        m_lastError = error;
        Msg::info(QStringLiteral("データベースのオープンでエラーが発生しました。　") + path);
        return false;
    }
    m_open[c] = true;
    return true;
}

TDM::Conn TDM::routeFor(Conn own) const {
    if (m_txActive && m_txFiles == Files::Both)
        return ACN2; // the control file is attached to the company connection
    return own;
}

void TDM::reportFailure(const QString& error) {
    m_lastError = error;
    if (m_txActive)
        m_txFailed = true;
    if (error.contains(QStringLiteral("overflow"), Qt::CaseInsensitive))
        Msg::info(QStringLiteral("ＳＱＬ処理でオーバーフローが発生しました。"));
    else
        Msg::info(QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。"));
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

bool TDM::execEach(Conn connection, const QString& sql, const QVector<Binds>& rows) {
    m_changed = 0;
    const Conn c = routeFor(connection);
    if (!m_open[c]) {
        reportFailure(QStringLiteral("database not open"));
        return false;
    }
    QSqlQuery q(database(c));
    q.setForwardOnly(true);
    bool ok = q.prepare(sql);
    for (qsizetype r = 0; ok && r < rows.size(); ++r) {
        for (qsizetype i = 0; i < rows[r].size(); ++i)
            q.bindValue(int(i), rows[r][i]);
        ok = q.exec();
        if (ok)
            m_changed += q.numRowsAffected();
    }
    if (!ok) {
        const QString error = q.lastError().text();
        q.finish();
        qWarning().noquote() << "SQL failed:" << error << "in" << sql;
        reportFailure(error);
        return false;
    }
    q.finish();
    return true;
}

bool TDM::run(Conn own, TQuery* rows, const QString& sql, const Binds& binds) {
    m_changed = 0;
    const Conn c = routeFor(own);
    if (!m_open[c]) {
        reportFailure(QStringLiteral("database not open"));
        return false;
    }
    QSqlQuery q(database(c));
    q.setForwardOnly(true);
    bool ok = true;
    if (binds.isEmpty()) {
        ok = q.exec(sql);
    } else {
        ok = q.prepare(sql);
        for (qsizetype i = 0; ok && i < binds.size(); ++i)
            q.bindValue(int(i), binds[i]);
        ok = ok && q.exec();
    }
    if (!ok) {
        const QString error = q.lastError().text();
        q.finish();
        qWarning().noquote() << "SQL failed:" << error << "in" << sql;
        reportFailure(error);
        return false;
    }
    if (rows) {
        const QSqlRecord rec = q.record();
        const int n = rec.count();
        for (int i = 0; i < n; ++i) {
            rows->m_columns << rec.fieldName(i);
            rows->m_index.insert(rec.fieldName(i).toUpper(), i);
        }
        while (q.next()) {
            QVector<QVariant> row(n);
            for (int i = 0; i < n; ++i)
                row[i] = q.value(i);
            rows->m_rows.push_back(std::move(row));
        }
        if (q.lastError().isValid()) {
            const QString error = q.lastError().text();
            q.finish();
            rows->close();
            reportFailure(error);
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

bool TDM::beginTransaction(Files files) {
    Q_ASSERT(!m_txActive);
    m_txFailed = false;
    const Conn c = files == Files::Control ? ACN1 : ACN2;
    if (!m_open[c] || (files == Files::Both && !m_open[ACN1])) {
        reportFailure(QStringLiteral("database not open"));
        return false;
    }
    QSqlQuery q(database(c));
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
        const QString error = q.lastError().text();
        q.finish();
        if (m_attached) {
            q.exec(QStringLiteral("DETACH DATABASE ") + QString::fromLatin1(AttachedName));
            m_attached = false;
        }
        reportFailure(error);
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
    const Conn c = m_txFiles == Files::Control ? ACN1 : ACN2;
    QSqlQuery q(database(c));
    bool ok = q.exec(QStringLiteral("COMMIT"));
    if (!ok) {
        const QString error = q.lastError().text();
        q.finish();
        rollbackTransaction();
        reportFailure(error);
        return false;
    }
    q.finish();
    m_txActive = false;
    if (m_attached) {
        q.exec(QStringLiteral("DETACH DATABASE ") + QString::fromLatin1(AttachedName));
        m_attached = false;
    }
    return true;
}

void TDM::rollbackTransaction() {
    if (!m_txActive)
        return;
    const Conn c = m_txFiles == Files::Control ? ACN1 : ACN2;
    QSqlQuery q(database(c));
    q.exec(QStringLiteral("ROLLBACK"));
    q.finish();
    m_txActive = false;
    if (m_attached) {
        q.exec(QStringLiteral("DETACH DATABASE ") + QString::fromLatin1(AttachedName));
        m_attached = false;
    }
}
