#include "data/db/Compaction.h"

#include "core/common/SqlText.h"
#include "core/common/SystemErrorText.h"
#include "data/db/DataFolderLock.h"
#include "data/db/TDM.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace {

const char* const FileNames[] = {"DATA.db", "SEIGYO.db"};

// Runs `work` on a private connection to `path`; returns its error text, or the open error.
QString withConnection(const QString& path, bool readOnly,
                       const std::function<QString(QSqlDatabase&)>& work) {
    static int serial = 0;
    const QString name = QStringLiteral("compaction-%1").arg(++serial);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        // Never create a file that is not there; a read-write open rolls back a hot journal.
        db.setDatabaseName(
            QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
            (readOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw")));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000") +
                             (readOnly ? QStringLiteral(";QSQLITE_OPEN_READONLY") : QString()));
        if (!db.open())
            error = db.lastError().text();
        else
            error = work(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}

QString errnoText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Flushes a file (or folder) to the disk, so a rename never exposes unwritten pages.
bool syncPath(const QString& path, bool directory) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), directory ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

void removeCopy(const QString& copy) {
    QFile::remove(copy);
    QFile::remove(copy + QStringLiteral("-journal"));
}

} // namespace

QString CompactionCopyPath(const QString& databasePath) {
    const QFileInfo info(databasePath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".bak"));
}

QStringList LeftoverCompactionCopies(const QString& dataDir) {
    QStringList found;
    for (const char* name : FileNames) {
        const QString copy = CompactionCopyPath(QDir(dataDir).filePath(QString::fromLatin1(name)));
        if (QFileInfo::exists(copy))
            found << copy;
    }
    return found;
}

bool RemoveCompactionCopies(const QString& dataDir) {
    bool ok = true;
    for (const QString& copy : LeftoverCompactionCopies(dataDir)) {
        removeCopy(copy);
        ok = ok && !QFileInfo::exists(copy);
    }
    return ok;
}

QString CheckDatabaseIntegrity(const QString& path) {
    if (!QFileInfo(path).isFile())
        return QStringLiteral("no such file: ") + path;
    return withConnection(path, true, [](QSqlDatabase& db) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA integrity_check")))
            return q.lastError().text();
        QStringList found;
        while (q.next())
            found << q.value(0).toString();
        if (q.lastError().isValid())
            found << q.lastError().text();
        q.finish();
        if (found == QStringList{QStringLiteral("ok")})
            return QString();
        return found.isEmpty() ? QStringLiteral("integrity check gave no answer")
                               : found.mid(0, 5).join(QLatin1Char('\n'));
    });
}

CompactionResult CompactDatabaseFile(const QString& path) {
    const QString copy = CompactionCopyPath(path);
    if (!QFileInfo(path).isFile())
        return {false, path, QStringLiteral("no such file")};
    // Whatever holds the copy's name is not ours to delete.
    if (QFileInfo::exists(copy))
        return {false, path, QStringLiteral("the copy's name is taken: ") + copy};
    auto fail = [&](const QString& reason) {
        removeCopy(copy);
        return CompactionResult{false, path, reason};
    };

    QString error = withConnection(path, false, [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("VACUUM INTO ") + SqlQuote(copy)))
            return q.lastError().text();
        q.finish();
        return QString();
    });
    if (!error.isEmpty())
        return fail(error);
    // A journal that outlived the connection belongs to the old file; it must not meet the new.
    for (const char* suffix : {"-journal", "-wal"})
        if (QFileInfo::exists(path + QString::fromLatin1(suffix)))
            return fail(QStringLiteral("a journal remains beside the file"));

    error = CheckDatabaseIntegrity(copy);
    if (!error.isEmpty())
        return fail(QStringLiteral("integrity check of the copy: ") + error);
    if (!syncPath(copy, false))
        return fail(QStringLiteral("cannot flush the copy: ") + errnoText());
    // rename() replaces the target in one step; QFile::rename would refuse to overwrite.
    if (::rename(QFile::encodeName(copy).constData(), QFile::encodeName(path).constData()) != 0)
        return fail(QStringLiteral("cannot replace the file: ") + errnoText());
    // Makes the rename itself durable; some file systems cannot, and the data is safe anyway.
    syncPath(QFileInfo(path).absolutePath(), true);
    return {};
}

CompactionResult CompactDatabases(TDM& dm, const QString& dataDir) {
    CompactionResult result;
    if (dm.inTransaction())
        return {false, QString(), QStringLiteral("a save is in progress")};
    dm.CloseConnection(TDM::ACN1);
    dm.CloseConnection(TDM::ACN2);
    {
        DataFolderLock lock(dataDir);
        switch (lock.acquire(DataFolderLock::Mode::Exclusive)) {
        case DataFolderLock::Outcome::Held:
            for (const char* name : FileNames) {
                result = CompactDatabaseFile(QDir(dataDir).filePath(QString::fromLatin1(name)));
                if (!result.ok)
                    break;
            }
            break;
        case DataFolderLock::Outcome::InUse:
            result = {false, dataDir, QStringLiteral("the data is in use by another program")};
            result.inUse = true;
            break;
        case DataFolderLock::Outcome::Unavailable:
            result = {false, DataFolderLock::lockFilePath(dataDir),
                      QStringLiteral("the folder cannot be locked")};
            result.lockError = lock.systemError();
            break;
        }
    } // lets go of the folder before the connections take their shared lock again
    dm.OpenConnection(TDM::ACN1, QDir(dataDir).filePath(QStringLiteral("SEIGYO.db")));
    dm.OpenConnection(TDM::ACN2, QDir(dataDir).filePath(QStringLiteral("DATA.db")));
    return result;
}

QString CompactionFailureText(const CompactionResult& result) {
    if (result.inUse)
        return DataInUseText();
    if (result.lockError != 0)
        return QStringLiteral("データフォルダーのロックファイルを作成できないため、"
                              "データベースを圧縮できません。　") +
               result.path + QLatin1Char('\r') + SystemErrorText(result.lockError);
    return QStringLiteral("データベースの圧縮に失敗しました。元のファイルはそのままです。　") +
           result.path;
}

QString ServerCompactionText() {
    return QStringLiteral("データはサーバーのデータベースにあります。データベースの圧縮はサーバーの"
                          "保守作業として管理者が行います。");
}
