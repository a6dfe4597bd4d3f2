#include "core/common/FileWrite.h"
#include "core/common/SystemErrorText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

void writePlain(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Everything in the folder, hidden files included: a temporary file left behind shows here.
QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot,
                               QDir::Name);
}

// Files of this process may not grow past `bytes` while it lives: a disk that fills up in the
// middle of a write, without a special mount.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldSignal = std::signal(SIGXFSZ, SIG_IGN); // the write then fails with EFBIG
        rlimit limit{bytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldSignal);
    }

private:
    rlimit m_old{};
    void (*m_oldSignal)(int) = nullptr;
};

} // namespace

class TestFileWrite : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void replacesTheFileWholeAndLeavesNothingElse() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("社員.csv"));
        FileWriteError error;
        QVERIFY(WriteWholeFile(path, "first", &error));
        QCOMPARE(readAll(path), QByteArray("first"));
        QVERIFY(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QVERIFY(WriteWholeFile(path, "second, longer", &error));
        QCOMPARE(readAll(path), QByteArray("second, longer"));
        // The new file keeps the old one's permissions.
        QCOMPARE(QFile::permissions(path) &
                     (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::ReadGroup);
        QVERIFY(WriteWholeFile(path, QByteArray(), &error));
        QCOMPARE(readAll(path), QByteArray());
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("社員.csv")});
    }

    void aFullDiskIsSaidSo() {
        // /dev/full takes no byte: every write fails with "no space left".
        FileWriteError error;
        QVERIFY(!WriteWholeFile(QStringLiteral("/dev/full"), "data", &error));
        QCOMPARE(error.code, ENOSPC);
        QVERIFY(IsDiskFull(error.code));
        QCOMPARE(FileWriteFailureText(QStringLiteral("CSVファイルを書き込めません。"),
                                      QStringLiteral("/dev/full"), error),
                 QStringLiteral("CSVファイルを書き込めません。\r/dev/full\r"
                                "ディスクの空きが足りません。"));
        // A device is written in place, never replaced.
        struct stat st {};
        QVERIFY(::stat("/dev/full", &st) == 0 && S_ISCHR(st.st_mode));
    }

    void aFileThatCannotBeMadeIsSaidSoAndNothingIsLeft() {
        QTemporaryDir dir;
        const QString regular = dir.filePath(QStringLiteral("plain.txt"));
        writePlain(regular, "x");
        FileWriteError error;
        // Below a regular file: no folder can be there, not even for the superuser.
        QVERIFY(!WriteWholeFile(regular + QStringLiteral("/out.pdf"), "pdf", &error));
        QCOMPARE(error.code, ENOTDIR);
        QVERIFY(!error.created);
        QCOMPARE(SystemErrorText(error.code),
                 QStringLiteral("保存先の途中にフォルダーでないファイルがあります。"));
        QVERIFY(!WriteWholeFile(dir.filePath(QStringLiteral("none/out.pdf")), "pdf", &error));
        QCOMPARE(SystemErrorText(error.code), QStringLiteral("フォルダーがありません。"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken")));
        QVERIFY(!WriteWholeFile(dir.filePath(QStringLiteral("taken")), "pdf", &error));
        QCOMPARE(SystemErrorText(error.code), QStringLiteral("同じ名前のフォルダーがあります。"));
        QCOMPARE(entries(dir.path()),
                 QStringList({QStringLiteral("plain.txt"), QStringLiteral("taken")}));
        QCOMPARE(readAll(regular), QByteArray("x"));
    }

    void aWriteThatFailsHalfwayLeavesTheOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("report.pdf"));
        writePlain(path, "the old report");
        FileWriteError error;
        {
            FileSizeLimit limit(4096);
            QVERIFY(!WriteWholeFile(path, QByteArray(100000, 'p'), &error));
        }
        QCOMPARE(error.code, EFBIG);
        QVERIFY(error.created);
        QCOMPARE(readAll(path), QByteArray("the old report"));
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("report.pdf")});
    }
};

QTEST_GUILESS_MAIN(TestFileWrite)
#include "test_file_write.moc"
