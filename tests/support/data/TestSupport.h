#pragma once

#include "data/db/TDM.h"
#include "data/project/Project.h"
#include "support/core/RecordingResponder.h"

#include <QDate>
#include <QTemporaryDir>

// A program folder in a temporary directory with fresh copies of the delivered databases,
// the data module opened on it, a fresh process-wide state, and scripted messages.
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

    // Runs SQL directly on one of the files (test set-up and checks), failing loudly.
    void exec(TDM::Conn conn, const QString& sql);
    // First column of the first row as text.
    QString scalar(TDM::Conn conn, const QString& sql);
    // Rows as "v1|v2|..." lines (for comparing whole tables).
    QStringList rows(TDM::Conn conn, const QString& sql);

    TDM dm;
    Project project;
    RecordingResponder messages;

private:
    QTemporaryDir m_dir;
};

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
