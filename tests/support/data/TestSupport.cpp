#include "support/data/TestSupport.h"

#include "core/common/AppState.h"
#include "data/project/EraTable.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

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

TestEnvironment::TestEnvironment(bool withData) {
    resetState();
    QDir(m_dir.path()).mkpath(QStringLiteral("DATA"));
    for (const char* sub : {"Report", "CSV", "Picture"})
        QDir(m_dir.path()).mkpath(QString::fromLatin1(sub));
    if (withData) {
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

void TestEnvironment::exec(TDM::Conn conn, const QString& sql) {
    QSqlDatabase db = side(conn == TDM::ACN1 ? seigyoPath() : dataPath());
    QSqlQuery q(db);
    if (!q.exec(sql))
        qFatal("test SQL failed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    q.finish();
}

QStringList TestEnvironment::rows(TDM::Conn conn, const QString& sql) {
    QSqlDatabase db = side(conn == TDM::ACN1 ? seigyoPath() : dataPath());
    QSqlQuery q(db);
    if (!q.exec(sql))
        qFatal("test SQL failed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    QStringList out;
    while (q.next()) {
        QStringList f;
        for (int i = 0; i < q.record().count(); ++i)
            f << VariantText(q.value(i));
        out << f.join(QLatin1Char('|'));
    }
    q.finish();
    return out;
}

QString TestEnvironment::scalar(TDM::Conn conn, const QString& sql) {
    const QStringList r = rows(conn, sql);
    return r.isEmpty() ? QString() : r.first().split(QLatin1Char('|')).first();
}
