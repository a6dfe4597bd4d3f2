#pragma once

#include <QString>

class QSqlDatabase;
class QSqlError;

// What a failed statement says about the database file under it, as opposed to a fault in the
// statement (a key taken, a number too large): the disk is full, the file (or its journal)
// cannot be written or read, or another program has replaced the file.
struct FileFailure {
    enum class Kind { None, DiskFull, Unwritable, Unreadable, Replaced };
    Kind kind = Kind::None;
    int systemError = 0;   // the system's reason (errno), when the engine knows one
    bool readOnly = false; // the file was opened read-only (write-protected)
};

// Reads the engine's and the system's codes of the connection's last failure. Kind::None for
// every other failure, and always on the server.
FileFailure FileFailureOf(const QSqlDatabase& db, const QSqlError& error, bool reading);

// The message for a file failure, naming the file.
QString FileFailureText(const FileFailure& failure, const QString& path);
