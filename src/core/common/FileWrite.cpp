#include "core/common/FileWrite.h"

#include "core/common/SystemErrorText.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QAtomicInt g_serial;

bool writeAll(int fd, const QByteArray& bytes) {
    const char* at = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        at += n;
        left -= n;
    }
    return true;
}

bool fail(FileWriteError* error, int code, bool created) {
    error->code = code;
    error->created = created;
    return false;
}

// A device, pipe or terminal: there is nothing to rename over, and fsync means nothing.
bool writeInPlace(const QByteArray& target, const QByteArray& bytes, FileWriteError* error) {
    const int fd = ::open(target.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return fail(error, errno, false);
    const bool ok = writeAll(fd, bytes);
    const int code = errno;
    if (::close(fd) != 0 && ok)
        return fail(error, errno, true);
    return ok || fail(error, code, true);
}

} // namespace

bool WriteWholeFile(const QString& path, const QByteArray& bytes, FileWriteError* error) {
    *error = FileWriteError();
    QByteArray target = QFile::encodeName(path);
    struct stat st {};
    const bool exists = ::stat(target.constData(), &st) == 0;
    // Through a symbolic link the file it leads to is written; the link stays.
    if (exists) {
        if (char* real = ::realpath(target.constData(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    if (exists && S_ISDIR(st.st_mode))
        return fail(error, EISDIR, false);
    if (exists && !S_ISREG(st.st_mode))
        return writeInPlace(target, bytes, error);
    // A write-protected file is not replaced behind its owner's back.
    if (exists && ::access(target.constData(), W_OK) != 0)
        return fail(error, errno, false);

    const QFileInfo info(QFile::decodeName(target));
    const QByteArray temp =
        QFile::encodeName(info.absoluteDir().filePath(QStringLiteral(".%1.%2-%3.tmp")
                                                          .arg(info.fileName())
                                                          .arg(QCoreApplication::applicationPid())
                                                          .arg(g_serial.fetchAndAddRelaxed(1))));
    // The old file's permissions carry over; a new one gets the usual ones (less the umask).
    const mode_t mode = exists ? (st.st_mode & 07777) : 0666;
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        return fail(error, errno, false);
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int code = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (ok && ::rename(temp.constData(), target.constData()) != 0) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        ::unlink(temp.constData());
        return fail(error, code, true);
    }
    // Makes the rename itself durable; where the folder cannot be flushed the file is whole.
    const int dir = ::open(QFile::encodeName(info.absolutePath()).constData(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

QString FileWriteFailureText(const QString& head, const QString& path,
                             const FileWriteError& error) {
    return head + QLatin1Char('\r') + path + QLatin1Char('\r') + SystemErrorText(error.code);
}
