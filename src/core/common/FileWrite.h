#pragma once

#include <QByteArray>
#include <QString>

// What stopped a file from being written.
struct FileWriteError {
    int code = 0;         // the system's reason (an errno value)
    bool created = false; // the new file was made; the failure came while writing it
};

// Writes bytes as the whole new content of path. A regular file is written beside its name,
// flushed to the disk and renamed over the old one, so a failure leaves the old file as it
// was and no half-written one; a device or pipe (e.g. /dev/stdout) is written in place.
// False, with the reason, on failure.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, FileWriteError* error);

// The message for a file that could not be written: head (e.g. "PDFファイルを書き込めません。"),
// the path and the system's reason, one a line.
QString FileWriteFailureText(const QString& head, const QString& path, const FileWriteError& error);
