#pragma once

#include "data/db/TDM.h"
#include "data/project/Project.h"
#include "support/core/RecordingResponder.h"

#include <QDate>
#include <QSqlDatabase>
#include <QTemporaryDir>

// A program folder in a temporary directory with fresh copies of the delivered databases,
// the data module opened on it, a fresh process-wide state, and scripted messages.
//
// When the test runs against the test cluster (TESVANE_TEST_CLUSTER names its state file, see
// scripts/pg-test-cluster.sh), the delivered data is instead a fresh database copied from the
// cluster's laid-out template, named by server.ini in the folder (so tesvane-cli uses it too).
// exec, rows and scalar then run on that database.
class TestEnvironment {
public:
    // withData false: an empty DATA folder (nothing delivered).
    explicit TestEnvironment(bool withData = true);
    ~TestEnvironment();

    QString appDir() const;  // with trailing '/'
    QString dataDir() const; // appDir() + "DATA/"
    QString seigyoPath() const { return dataDir() + QStringLiteral("SEIGYO.db"); }
    QString dataPath() const { return dataDir() + QStringLiteral("DATA.db"); }

    // Opens both connections as start-up does and reads the era table.
    void openDatabases();
    // Opens a company as the company selection's choose does (settings, marks, options).
    // Needs the databases open.
    bool openCompany(int kco, int year);
    // Fixes today's date for everything that asks the clock.
    void setToday(const QDate& date);

    // Runs SQL directly on one of the files (test set-up and checks), failing loudly. On the
    // server it runs on the data module's own connection while that is open (the work tables
    // are per connection there).
    void exec(TDM::Conn conn, const QString& sql);
    // First column of the first row as text.
    QString scalar(TDM::Conn conn, const QString& sql);
    // Rows as "v1|v2|..." lines (for comparing whole tables).
    QStringList rows(TDM::Conn conn, const QString& sql);

    // A table's or view's column names (upper case), in order.
    QStringList columns(TDM::Conn conn, const QString& table);
    // Lays a table of the files out again with its columns in reverse order, rows kept: a file
    // whose table does not have the delivered column order. Before the databases are opened.
    // False on the server, which lays out its work tables itself.
    bool reverseColumns(TDM::Conn conn, const QString& table);
    // From now on every `kind` (INSERT, UPDATE or DELETE) on table fails, or only for rows where
    // `when` holds (written with NEW.), on either engine: a stand-in for a full disk.
    void failWrites(const QString& name, const QString& kind, const QString& table,
                    const QString& when = {});
    void allowWrites(const QString& name, const QString& table);

    // A digest of the company file's stored rows (on the SQLite files: of the file itself), to
    // show that a command wrote nothing.
    QByteArray dataDigest();

    // The server URL of this environment's database; empty on the SQLite files.
    QString serverUrl() const { return m_serverUrl; }
    bool onServer() const { return !m_serverUrl.isEmpty(); }
    // A URL of a further fresh database like this one's (for a second person's data module).
    QString serverUrlOf(const QString& database) const;

    TDM dm;
    Project project;
    RecordingResponder messages;

private:
    QSqlDatabase connectionFor(TDM::Conn conn);

    QTemporaryDir m_dir;
    QString m_serverUrl;
    QString m_database;
};

// The test cluster's base URL with the database left to fill in ("%1"); empty when the tests
// run on the SQLite files.
QString TestClusterUrl();
// A fresh database copied from the cluster's template; its URL.
QString CreateTestDatabase(QString* name);
void DropTestDatabase(const QString& name);

// The delivered database files made by the build.
QString deliveredDir();

// What a run of the command-line companion gave.
struct CliRun {
    int status = -1;
    QString out;
    QString err;
};
// Runs the built tesvane-cli with the arguments and waits for it.
CliRun runCli(const QStringList& args);

// Writes the text to path in CP932 (as a spreadsheet saves an import file); the path.
QString WriteCp932File(const QString& path, const QString& text);
