#include "data/db/ServerTransfer.h"

#include "data/db/Dialect.h"
#include "data/db/ServerLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

namespace {

int g_serial = 0;

// A connection that is removed when the scope ends.
class Connection {
public:
    explicit Connection(const char* kind)
        : m_name(QStringLiteral("transfer-%1-%2").arg(QLatin1String(kind)).arg(++g_serial)) {}
    ~Connection() {
        if (QSqlDatabase::contains(m_name)) {
            {
                QSqlDatabase db = QSqlDatabase::database(m_name, false);
                if (db.isOpen())
                    db.close();
            }
            QSqlDatabase::removeDatabase(m_name);
        }
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    const QString& name() const { return m_name; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

// What TSCHEMA holds, for a refusal.
QString foundText(const ServerLayout& l) {
    if (!l.versionTable)
        return QStringLiteral("no TSCHEMA beside %1 of this program's tables").arg(l.programTables);
    if (l.rowCount == 0)
        return QStringLiteral("TSCHEMA holds no row");
    if (l.rowCount > 1)
        return QStringLiteral("TSCHEMA holds %1 rows: %2%3")
            .arg(l.rowCount)
            .arg(l.versions.join(QStringLiteral(", ")),
                 l.rowCount > l.versions.size() ? QStringLiteral(", ...") : QString());
    return QStringLiteral("TSCHEMA holds version %1").arg(l.versions.value(0));
}

// Opens the server; laidOut: a database of this program's layout (push, pull), else an empty one
// (init).
bool openServer(Connection& c, const QString& url, bool laidOut, QString* error) {
    if (!OpenServerDatabase(c.name(), url, error))
        return false;
    QSqlDatabase db = c.db();
    const ServerLayout layout = ReadServerLayout(db);
    using State = ServerLayout::State;
    if (layout.state == State::Unreadable) {
        *error = QStringLiteral("the layout version cannot be read: ") + layout.error;
        return false;
    }
    if (!laidOut) {
        if (layout.state == State::Empty)
            return true;
        *error = QStringLiteral("server init lays out an empty database only; this one is not (%1)")
                     .arg(foundText(layout));
        return false;
    }
    switch (layout.state) {
    case State::Current:
        return true;
    case State::Empty:
        *error = QStringLiteral("the database is not laid out; run tesvane-cli server init first");
        break;
    case State::OtherVersion:
        *error = QStringLiteral("the database has layout version %1; this program knows %2: use a "
                                "program that knows layout %1")
                     .arg(layout.versions.value(0))
                     .arg(ServerSchemaVersion);
        break;
    default:
        *error =
            QStringLiteral("the database's layout table is damaged (%1); it must hold one row, "
                           "the layout version (%2): have its administrator restore it from "
                           "a backup, or make it that one row once the tables are known to be "
                           "of layout %2")
                .arg(foundText(layout))
                .arg(ServerSchemaVersion);
        break;
    }
    return false;
}

bool openFile(Connection& c, const QString& path, bool create, QString* error) {
    if (!create && !QFileInfo(path).isFile()) {
        *error = path + QStringLiteral(": no such file");
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), c.name());
    db.setDatabaseName(path);
    if (!create)
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open()) {
        *error = path + QStringLiteral(": ") + db.lastError().text();
        return false;
    }
    return true;
}

bool exec(QSqlQuery& q, const QString& sql, QString* error) {
    if (q.exec(sql))
        return true;
    *error = q.lastError().text() + QStringLiteral("\n  in: ") + sql.left(200);
    return false;
}

bool runStatements(QSqlDatabase db, const QStringList& statements, QString* error) {
    QSqlQuery q(db);
    for (const QString& s : statements)
        if (!s.isEmpty() && !exec(q, s, error))
            return false;
    return true;
}

// Copies the rows `select` gives from one connection into `table` on the other. onConflict is
// appended to the insert (the server's "keep what is there"). keep decides per row.
struct CopySpec {
    QString table;
    QString select;
    QString onConflict;
    bool fromServer = false;
};

bool copyRows(QSqlDatabase from, QSqlDatabase to, const CopySpec& spec, int* written,
              QString* error) {
    QSqlQuery in(from);
    in.setForwardOnly(true);
    if (!exec(in, spec.select, error))
        return false;
    const QSqlRecord rec = in.record();
    QStringList names, marks;
    QVector<bool> numeric;
    for (int i = 0; i < rec.count(); ++i) {
        names << rec.fieldName(i).toUpper();
        marks << QStringLiteral("?");
        numeric << (spec.fromServer && rec.field(i).metaType().id() == QMetaType::Double);
    }
    QSqlQuery out(to);
    const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)%4")
                               .arg(spec.table, names.join(QStringLiteral(", ")),
                                    marks.join(QStringLiteral(", ")), spec.onConflict);
    if (!out.prepare(insert)) {
        *error = out.lastError().text() + QStringLiteral("\n  in: ") + insert;
        return false;
    }
    *written = 0;
    while (in.next()) {
        for (int i = 0; i < rec.count(); ++i) {
            const QVariant v = in.value(i);
            out.bindValue(i, spec.fromServer ? ServerValue(v, numeric[i]) : ServerBind(v));
        }
        if (!out.exec()) {
            *error = spec.table + QStringLiteral(": ") + out.lastError().text();
            return false;
        }
        *written += std::max(0, out.numRowsAffected());
    }
    if (in.lastError().isValid()) {
        *error = in.lastError().text();
        return false;
    }
    return true;
}

bool hasColumn(QSqlDatabase db, const QString& table, const QString& column) {
    return db.record(table).indexOf(column) >= 0 ||
           db.record(table.toLower()).indexOf(column.toLower()) >= 0;
}

QList<int> companyCodes(QSqlDatabase control, QSqlDatabase company, QString* error) {
    QSet<int> codes;
    for (auto [db, table] : {std::pair{control, QStringLiteral("MKIGYOU1")},
                             std::pair{company, QStringLiteral("MKIGYOU2")}}) {
        QSqlQuery q(db);
        if (!exec(q, QStringLiteral("SELECT DISTINCT KCO FROM ") + table, error))
            return {};
        while (q.next())
            codes.insert(q.value(0).toInt());
    }
    QList<int> list = codes.values();
    std::sort(list.begin(), list.end());
    return list;
}

QString codeList(const QList<int>& codes) {
    QStringList texts;
    for (int c : codes)
        texts << QString::number(c);
    return texts.join(QStringLiteral(", "));
}

} // namespace

TransferResult InitServer(const QString& url) {
    TransferResult r;
    Connection server("init");
    if (!openServer(server, url, false, &r.error))
        return r;
    QStringList statements;
    for (const char* file : {"seigyo_schema.sql", "data_schema.sql"}) {
        QStringList s;
        if (!SqlResourceStatements(QString::fromLatin1(file), &s, &r.error))
            return r;
        for (const QString& one : s)
            statements << ServerSchemaStatement(one);
    }
    statements
        << QStringLiteral("CREATE TABLE TSCHEMA (VERSION INTEGER NOT NULL)")
        << QStringLiteral("INSERT INTO TSCHEMA (VERSION) VALUES (%1)").arg(ServerSchemaVersion);
    for (const char* file : {"seigyo_rows.sql", "guide_pages.sql", "data_rows.sql"}) {
        QStringList s;
        if (!SqlResourceStatements(QString::fromLatin1(file), &s, &r.error))
            return r;
        for (const QString& one : s)
            statements << ServerStatement(one);
    }
    QSqlDatabase db = server.db();
    if (!db.transaction()) {
        r.error = db.lastError().text();
        return r;
    }
    if (!runStatements(db, statements, &r.error)) {
        db.rollback();
        return r;
    }
    // Counts of the delivered rows, for the report.
    QSqlQuery q(db);
    for (const QString& t : ControlTables() + CompanyFileTables()) {
        if (WorkTables().contains(t.toUpper()))
            continue;
        if (!exec(q, QStringLiteral("SELECT count(*) FROM ") + t, &r.error) || !q.next()) {
            db.rollback();
            return r;
        }
        r.counts.push_back({t, q.value(0).toInt()});
    }
    q.finish();
    if (!db.commit()) {
        r.error = db.lastError().text();
        return r;
    }
    r.ok = true;
    return r;
}

TransferResult PushToServer(const QString& dataDir, const QString& url) {
    TransferResult r;
    Connection control("push-seigyo"), company("push-data"), server("push-server");
    if (!openFile(control, QDir(dataDir).filePath(QStringLiteral("SEIGYO.db")), false, &r.error) ||
        !openFile(company, QDir(dataDir).filePath(QStringLiteral("DATA.db")), false, &r.error) ||
        !openServer(server, url, true, &r.error))
        return r;
    const QList<int> codes = companyCodes(control.db(), company.db(), &r.error);
    if (!r.error.isEmpty())
        return r;
    QSqlDatabase db = server.db();
    if (!db.transaction()) {
        r.error = db.lastError().text();
        return r;
    }
    // Nothing may be overwritten: a company code the server holds refuses the whole push.
    const QList<int> held = companyCodes(db, db, &r.error);
    if (!r.error.isEmpty()) {
        db.rollback();
        return r;
    }
    for (int c : codes)
        if (held.contains(c))
            r.clashing << c;
    if (!r.clashing.isEmpty()) {
        db.rollback();
        r.error = QStringLiteral("the server already holds company %1").arg(codeList(r.clashing));
        return r;
    }
    const QString ours = QStringLiteral("KCO IN (%1)")
                             .arg(codes.isEmpty() ? QStringLiteral("NULL") : codeList(codes));
    for (const auto& [tables, from] :
         {std::pair{ControlTables(), control.db()}, std::pair{CompanyFileTables(), company.db()}}) {
        for (const QString& t : tables) {
            if (WorkTables().contains(t.toUpper()))
                continue;
            int companyRows = 0, referenceRows = 0;
            const bool keyed = hasColumn(from, t, QStringLiteral("KCO"));
            bool ok = true;
            if (keyed)
                ok = copyRows(from, db,
                              {t, QStringLiteral("SELECT * FROM %1 WHERE %2").arg(t, ours), {}},
                              &companyRows, &r.error);
            // Templates and reference figures: the server's own rows win.
            if (ok)
                ok =
                    copyRows(from, db,
                             {t,
                              QStringLiteral("SELECT * FROM %1%2")
                                  .arg(t, keyed ? QStringLiteral(" WHERE NOT ") + ours : QString()),
                              QStringLiteral(" ON CONFLICT DO NOTHING")},
                             &referenceRows, &r.error);
            if (!ok) {
                db.rollback();
                return r;
            }
            r.counts.push_back({t, companyRows + referenceRows});
        }
    }
    if (!db.commit()) {
        r.error = db.lastError().text();
        return r;
    }
    r.ok = true;
    return r;
}

TransferResult PullFromServer(const QString& url, const QString& dataDir) {
    TransferResult r;
    const QDir dir(dataDir);
    for (const char* f : {"SEIGYO.db", "DATA.db"})
        if (QFileInfo::exists(dir.filePath(QString::fromLatin1(f)))) {
            r.error = dir.filePath(QString::fromLatin1(f)) + QStringLiteral(" already exists");
            return r;
        }
    if (!QDir().mkpath(dataDir)) {
        r.error = dataDir + QStringLiteral(": cannot create the folder");
        return r;
    }
    const QString seigyoTemp = dir.filePath(QStringLiteral("SEIGYO.db.pull"));
    const QString dataTemp = dir.filePath(QStringLiteral("DATA.db.pull"));
    auto removeTemps = [&] {
        QFile::remove(seigyoTemp);
        QFile::remove(dataTemp);
    };
    removeTemps();
    {
        Connection server("pull-server"), control("pull-seigyo"), company("pull-data");
        if (!openServer(server, url, true, &r.error))
            return r;
        if (!openFile(control, seigyoTemp, true, &r.error) ||
            !openFile(company, dataTemp, true, &r.error)) {
            removeTemps();
            return r;
        }
        QSqlDatabase db = server.db();
        // One snapshot of the server for every table.
        QSqlQuery snapshot(db);
        bool ok = db.transaction() &&
                  snapshot.exec(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ "
                                               "READ ONLY"));
        if (!ok)
            r.error = db.lastError().text() + snapshot.lastError().text();
        for (const auto& [file, tables, to] :
             {std::tuple{"seigyo_schema.sql", ControlTables(), control.db()},
              std::tuple{"data_schema.sql", CompanyFileTables(), company.db()}}) {
            QStringList schema;
            ok = ok && SqlResourceStatements(QString::fromLatin1(file), &schema, &r.error);
            QSqlDatabase target = to;
            ok = ok && target.transaction() && runStatements(target, schema, &r.error);
            for (const QString& t : tables) {
                if (!ok)
                    break;
                if (WorkTables().contains(t.toUpper()))
                    continue;
                int rows = 0;
                ok = copyRows(db, target, {t, QStringLiteral("SELECT * FROM ") + t, {}, true},
                              &rows, &r.error);
                r.counts.push_back({t, rows});
            }
            if (ok && !target.commit()) {
                r.error = target.lastError().text();
                ok = false;
            }
        }
        db.rollback();
        if (!ok) {
            if (r.error.isEmpty())
                r.error = QStringLiteral("the files could not be written");
            removeTemps();
            return r;
        }
    }
    if (!QFile::rename(seigyoTemp, dir.filePath(QStringLiteral("SEIGYO.db"))) ||
        !QFile::rename(dataTemp, dir.filePath(QStringLiteral("DATA.db")))) {
        QFile::remove(dir.filePath(QStringLiteral("SEIGYO.db")));
        removeTemps();
        r.error = dataDir + QStringLiteral(": the files could not be renamed into place");
        return r;
    }
    r.ok = true;
    return r;
}
