#include "data/db/DataFolderLock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

DataFolderLock::DataFolderLock(const QString& dataDir) : m_dataDir(dataDir) {}

DataFolderLock::~DataFolderLock() {
    if (m_fd >= 0)
        ::close(m_fd);
}

QString DataFolderLock::lockFilePath(const QString& dataDir) {
    return QDir(dataDir).filePath(QStringLiteral(".tesvane.lock"));
}

bool DataFolderLock::open() {
    if (m_fd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(lockFilePath(m_dataDir));
    // Everyone who shares the folder must be able to open the file, if only for reading: a
    // lock on a file opened read-only is as good.
    m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS))
        m_fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    m_systemError = m_fd < 0 ? errno : 0;
    return m_fd >= 0;
}

DataFolderLock::Outcome DataFolderLock::acquire(Mode mode, int waitMs) {
    if (!open())
        return Outcome::Unavailable;
    const int operation = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        // A change of mode gives up the lock held before it takes the new one, also when the
        // new one is refused; m_held says what is held now.
        if (::flock(m_fd, operation) == 0) {
            m_held = true;
            return Outcome::Held;
        }
        m_held = false;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK) {
            m_systemError = errno;
            return Outcome::Unavailable;
        }
        if (waited.elapsed() >= waitMs)
            return Outcome::InUse;
        QThread::msleep(50);
    }
}

void DataFolderLock::release() {
    if (m_fd >= 0)
        ::flock(m_fd, LOCK_UN);
    m_held = false;
}

QString DataInUseText() {
    return QStringLiteral("データは他のプログラムで使用中です。すべての Tesvane を終了してから "
                          "DB圧縮 を行ってください。");
}
