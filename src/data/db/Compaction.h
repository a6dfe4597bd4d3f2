#pragma once

#include <QString>
#include <QStringList>

class TDM;

// Compaction of the database files. A file is never rewritten in place: its compacted copy is
// written beside it, checked, and renamed over it in one step, so a crash at any moment leaves
// either the old file or the new one.

struct CompactionResult {
    bool ok = true;
    QString path;   // the file that could not be compacted
    QString reason; // what the engine or the file system said
    // Refused before a file was touched: another program has the data open, or the folder's
    // lock file (then in path) cannot be made, for the system's reason lockError.
    bool inUse = false;
    int lockError = 0;
};

// Where a file's compacted copy is written: DATA.db -> DATA.bak beside it.
QString CompactionCopyPath(const QString& databasePath);
// Copies an interrupted run has left in the data folder.
QStringList LeftoverCompactionCopies(const QString& dataDir);
// Deletes them; false when one could not be deleted.
bool RemoveCompactionCopies(const QString& dataDir);

// Empty when PRAGMA integrity_check finds the file sound, else what it found.
QString CheckDatabaseIntegrity(const QString& path);

// Replaces one database file, closed by everyone, by a compacted copy. On failure the file is
// untouched and no copy is left.
CompactionResult CompactDatabaseFile(const QString& path);

// DATA.db, then SEIGYO.db of the data folder, while no other program has them open: the data
// module's connections are closed (giving up their shared lock on the folder), the folder is
// locked exclusively or the run refused, and the connections are reopened afterwards, also
// when a file failed; the first failure ends the run.
CompactionResult CompactDatabases(TDM& dm, const QString& dataDir);

// The message for a failed run.
QString CompactionFailureText(const CompactionResult& result);

// On a server there are no files to compact: the database's upkeep is the server's own
// maintenance. What the command says instead.
QString ServerCompactionText();
