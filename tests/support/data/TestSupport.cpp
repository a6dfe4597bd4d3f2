#include "support/data/TestSupport.h"

#include "core/common/AppState.h"
#include "core/masters/Cp932.h"
#include "data/db/Dialect.h"
#include "data/db/ServerAddress.h"
#include "data/project/EraTable.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <algorithm>

QString deliveredDir() {
    return QStringLiteral(TESVANE_DELIVERED_DIR);
}

CliRun runCli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TESVANE_APPDIR) + QStringLiteral("/tesvane-cli"), args);
    if (!p.waitForFinished(120000))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QString TestClusterUrl() {
    const QString state = qEnvironmentVariable("TESVANE_TEST_CLUSTER");
    if (state.isEmpty())
        return {};
    QFile f(state);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("TESVANE_TEST_CLUSTER: cannot read %s", qPrintable(state));
    const QString dir = QString::fromUtf8(f.readAll()).trimmed();
    QFile a(dir + QStringLiteral("/address"));
    if (!a.open(QIODevice::ReadOnly))
        qFatal("the test cluster in %s has no address", qPrintable(dir));
    const QStringList userPort =
        QString::fromUtf8(a.readAll()).simplified().split(QLatin1Char(' '));
    return QStringLiteral("postgresql://%1@/%3?host=%2&port=%4")
        .arg(userPort.value(0), dir, QStringLiteral("%1"), userPort.value(1));
}

namespace {
int g_databases = 0;

void adminExec(const QString& sql) {
    const QString name = QStringLiteral("test-admin");
    QString error;
    if (!QSqlDatabase::contains(name) &&
        !OpenServerDatabase(name, TestClusterUrl().arg(QStringLiteral("postgres")), &error))
        qFatal("test cluster: %s", qPrintable(error));
    QSqlQuery q(QSqlDatabase::database(name));
    if (!q.exec(sql))
        qFatal("test cluster: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
}
} // namespace

QString CreateTestDatabase(QString* name) {
    *name = QStringLiteral("t%1_%2").arg(QCoreApplication::applicationPid()).arg(++g_databases);
    adminExec(QStringLiteral("CREATE DATABASE %1 TEMPLATE tesvane_template").arg(*name));
    return TestClusterUrl().arg(*name);
}

void DropTestDatabase(const QString& name) {
    adminExec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
}

QString TestEnvironment::serverUrlOf(const QString& database) const {
    return TestClusterUrl().arg(database);
}

TestEnvironment::TestEnvironment(bool withData) {
    resetState();
    SetServerUrl(QString());
    if (withData && !TestClusterUrl().isEmpty())
        m_serverUrl = CreateTestDatabase(&m_database);
    QDir(m_dir.path()).mkpath(QStringLiteral("DATA"));
    for (const char* sub : {"Report", "CSV", "Picture"})
        QDir(m_dir.path()).mkpath(QString::fromLatin1(sub));
    if (onServer()) {
        QSettings ini(ServerSettingsPath(appDir()), QSettings::IniFormat);
        ini.setValue(QStringLiteral("url"), m_serverUrl);
        ini.sync();
        SetServerUrl(m_serverUrl);
    } else if (withData) {
        for (const char* f : {"SEIGYO.db", "DATA.db"}) {
            const QString from = deliveredDir() + QLatin1Char('/') + QString::fromLatin1(f);
            const QString to = dataDir() + QString::fromLatin1(f);
            if (!QFile::copy(from, to))
                qFatal("cannot copy %s (was the build's delivered_data target built?)",
                       qPrintable(from));
            QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        }
    }
    AppState& s = state();
    s.AppDir = appDir();
    s.DataDir = dataDir();
}

TestEnvironment::~TestEnvironment() {
    for (const QString& name : QSqlDatabase::connectionNames())
        if (name.startsWith(QStringLiteral("test-side-"))) {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
    if (onServer())
        DropTestDatabase(m_database);
    SetServerUrl(QString());
    resetState();
}

QString TestEnvironment::appDir() const {
    return m_dir.path() + QLatin1Char('/');
}
QString TestEnvironment::dataDir() const {
    return appDir() + QStringLiteral("DATA/");
}

void TestEnvironment::openDatabases() {
    dm.OpenConnection(TDM::ACN1, seigyoPath());
    dm.OpenConnection(TDM::ACN2, dataPath());
    LoadEraTable();
}

bool TestEnvironment::openCompany(int kco, int year) {
    return project.open({kco, year});
}

void TestEnvironment::setToday(const QDate& date) {
    state().clock = [date] { return date; };
    state().refreshToday();
}

namespace {
QSqlDatabase side(const QString& path) {
    if (path.startsWith(QStringLiteral("postgresql:"))) {
        const QString name = QStringLiteral("test-side-") + path;
        QString error;
        if (!OpenServerDatabase(name, path, &error))
            qFatal("cannot open %s: %s", qPrintable(path), qPrintable(error));
        return QSqlDatabase::database(name);
    }
    const QString name = QStringLiteral("test-side-") + path;
    QSqlDatabase db = QSqlDatabase::contains(name)
                          ? QSqlDatabase::database(name)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    if (!db.isOpen() && !db.open())
        qFatal("cannot open %s", qPrintable(path));
    return db;
}
} // namespace

QSqlDatabase TestEnvironment::connectionFor(TDM::Conn conn) {
    if (onServer() && dm.isOpen(TDM::ACN2))
        return QSqlDatabase::database(dm.connectionName(TDM::ACN2), false);
    return side(onServer() ? m_serverUrl : conn == TDM::ACN1 ? seigyoPath() : dataPath());
}

void TestEnvironment::exec(TDM::Conn conn, const QString& sql) {
    QSqlDatabase db = connectionFor(conn);
    QSqlQuery q(db);
    if (!q.exec(onServer() ? ServerStatement(sql) : sql))
        qFatal("test SQL failed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    q.finish();
}

QStringList TestEnvironment::rows(TDM::Conn conn, const QString& sql) {
    QSqlDatabase db = connectionFor(conn);
    QSqlQuery q(db);
    if (!q.exec(onServer() ? ServerStatement(sql) : sql))
        qFatal("test SQL failed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    QStringList out;
    while (q.next()) {
        QStringList f;
        const QSqlRecord rec = q.record();
        for (int i = 0; i < rec.count(); ++i) {
            // A comparison reads 1 or 0 as on the files, not the server's true or false.
            const QVariant v = q.value(i).typeId() == QMetaType::Bool
                                   ? QVariant(q.value(i).toBool() ? 1 : 0)
                                   : q.value(i);
            f << VariantText(
                ServerValue(v, onServer() && rec.field(i).metaType().id() == QMetaType::Double));
        }
        out << f.join(QLatin1Char('|'));
    }
    q.finish();
    return out;
}

QString TestEnvironment::scalar(TDM::Conn conn, const QString& sql) {
    const QStringList r = rows(conn, sql);
    return r.isEmpty() ? QString() : r.first().split(QLatin1Char('|')).first();
}

QStringList TestEnvironment::columns(TDM::Conn conn, const QString& table) {
    QStringList out;
    if (onServer()) {
        for (const QString& name :
             rows(conn, QStringLiteral("SELECT column_name FROM information_schema.columns WHERE "
                                       "table_name = '%1' ORDER BY ordinal_position")
                            .arg(table.toLower())))
            out << name.toUpper();
    } else {
        for (const QString& row : rows(conn, QStringLiteral("PRAGMA table_info(%1)").arg(table)))
            out << row.split(QLatin1Char('|'))[1].toUpper();
    }
    return out;
}

bool TestEnvironment::reverseColumns(TDM::Conn conn, const QString& table) {
    if (onServer())
        return false;
    if (dm.isOpen(conn))
        qFatal("reverseColumns: before the databases are opened");
    QStringList reversed = columns(conn, table);
    std::reverse(reversed.begin(), reversed.end());
    exec(conn, QStringLiteral("CREATE TABLE REVERSED_ AS SELECT %1 FROM %2")
                   .arg(reversed.join(QStringLiteral(", ")), table));
    exec(conn, QStringLiteral("DROP TABLE %1").arg(table));
    exec(conn, QStringLiteral("ALTER TABLE REVERSED_ RENAME TO %1").arg(table));
    return true;
}

void TestEnvironment::failWrites(const QString& name, const QString& kind, const QString& table,
                                 const QString& when) {
    if (onServer()) {
        exec(TDM::ACN2, QStringLiteral("CREATE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS "
                                       "$$BEGIN RAISE EXCEPTION 'refused'; END$$")
                            .arg(name));
        exec(TDM::ACN2,
             QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 FOR EACH ROW %4 "
                            "EXECUTE FUNCTION %1()")
                 .arg(name, kind, table,
                      when.isEmpty() ? QString() : QStringLiteral("WHEN (%1)").arg(when)));
    } else {
        exec(TDM::ACN2, QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 %4 BEGIN SELECT "
                                       "RAISE(ABORT, 'refused'); END")
                            .arg(name, kind, table,
                                 when.isEmpty() ? QString() : QStringLiteral("WHEN ") + when));
    }
}

void TestEnvironment::allowWrites(const QString& name, const QString& table) {
    if (onServer()) {
        exec(TDM::ACN2, QStringLiteral("DROP TRIGGER %1 ON %2").arg(name, table));
        exec(TDM::ACN2, QStringLiteral("DROP FUNCTION %1()").arg(name));
    } else {
        exec(TDM::ACN2, QStringLiteral("DROP TRIGGER %1").arg(name));
    }
}

QByteArray TestEnvironment::dataDigest() {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!onServer()) {
        QFile f(dataPath());
        if (!f.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(dataPath()));
        hash.addData(f.readAll());
        return hash.result();
    }
    for (const QString& table : CompanyFileTables()) {
        if (WorkTables().contains(table.toUpper()))
            continue;
        QStringList r = rows(TDM::ACN2, QStringLiteral("SELECT * FROM ") + table);
        r.sort();
        hash.addData(table.toUtf8());
        hash.addData(r.join(QLatin1Char('\n')).toUtf8());
    }
    return hash.result();
}

QString WriteCp932File(const QString& path, const QString& text) {
    QByteArray bytes;
    if (!Cp932::encode(text, bytes))
        qFatal("not CP932");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
    return path;
}
