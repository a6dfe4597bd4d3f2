#pragma once

#include <QString>

// The operating system's lock on a data folder, on the file .tesvane.lock in it. Every program
// and command with the folder's databases open holds it shared; compaction, which replaces
// the files, holds it exclusively, so it never runs beside anyone. The system frees the lock
// of a process that ends in any way, so a crash never leaves the folder locked.
class DataFolderLock {
public:
    enum class Mode { Shared, Exclusive };
    enum class Outcome {
        Held,       // the lock is ours
        InUse,      // another program holds it in a way that excludes ours
        Unavailable // the lock file cannot be made or opened (e.g. a read-only folder)
    };

    explicit DataFolderLock(const QString& dataDir);
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;

    // Takes the lock, waiting up to waitMs for another program to let go of it. Taking it in
    // another mode first lets go of the one held.
    Outcome acquire(Mode mode, int waitMs = 0);
    void release();
    bool held() const { return m_fd >= 0 && m_held; }
    const QString& dataDir() const { return m_dataDir; }
    // The system's reason when the outcome was Unavailable (an errno value).
    int systemError() const { return m_systemError; }

    static QString lockFilePath(const QString& dataDir);

private:
    bool open();

    QString m_dataDir;
    int m_fd = -1;
    bool m_held = false;
    int m_systemError = 0;
};

// The refusal of a compaction while other programs use the data.
QString DataInUseText();
