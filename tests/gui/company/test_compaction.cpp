#include "app/WS0000_MainWindow.h"
#include "core/common/AppState.h"
#include "data/db/Compaction.h"
#include "data/db/DataFolderLock.h"
#include "support/gui/ScriptedDialogs.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QtTest>

namespace {

const QString Ask = QStringLiteral("データベースを圧縮します。よろしいですか？");
const QString Leftover = QStringLiteral(
    "すでに.bakファイルが存在します。\r前回圧縮処理をして異常終了してませんか？\r"
    "異常終了して原因が不明のままであれば処理を中止して下さい。\r"
    "原因が不明なまま処理を続行すると大切なデータが消失することもあります。\r処理を続行しますか？");
const QString Done = QStringLiteral("DB圧縮処理が完了しました。");
const QString Failed =
    QStringLiteral("データベースの圧縮に失敗しました。元のファイルはそのままです。　");
const QString InUse = QStringLiteral("データは他のプログラムで使用中です。すべての Tesvane を終了し"
                                     "てから DB圧縮 を行ってください。");

QByteArray digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QStringList compactCommand(const TestEnvironment& env) {
    return {QStringLiteral("--data"), env.appDir(), QStringLiteral("compact"),
            QStringLiteral("--yes")};
}

// Saves of the program on both files; false (with a message) when one fails.
bool saveBoth(TDM& dm) {
    return dm.exec(TDM::ACN1, QStringLiteral("UPDATE MSEIGYO SET FREKI = 1")) &&
           dm.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN1 SET SNA = SNA || '*' WHERE SCO = 1"));
}

// The test's own connections would keep reading a replaced file; they reopen on next use.
void closeSideConnections() {
    for (const QString& name : QSqlDatabase::connectionNames())
        if (name.startsWith(QStringLiteral("test-side-")))
            QSqlDatabase::database(name, false).close();
}

// Free pages for compaction to give back: a table of junk written and dropped.
void leaveFreePages(ScreenEnvironment& env, TDM::Conn conn) {
    env.exec(conn, QStringLiteral("CREATE TABLE Junk (X BLOB)"));
    env.exec(conn,
             QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                            "WHERE i < 300) INSERT INTO Junk SELECT randomblob(2000) FROM n"));
    env.exec(conn, QStringLiteral("DROP TABLE Junk"));
    closeSideConnections();
}

// Overwrites one page of a database file with 0xFF bytes.
void damagePage(const QString& path, int page) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.seek(qint64(page - 1) * 4096));
    f.write(QByteArray(4096, char(0xFF)));
}

int rootPage(ScreenEnvironment& env, TDM::Conn conn, const QString& name) {
    const int page = env.scalar(conn, QStringLiteral("SELECT rootpage FROM sqlite_master WHERE "
                                                     "name = '%1'")
                                          .arg(name))
                         .toInt();
    closeSideConnections();
    return page;
}

} // namespace

class TestCompaction : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { closeSideConnections(); }

    void compactsBothFilesAndReopensThem() {
        ScreenEnvironment env;
        leaveFreePages(env, TDM::ACN1);
        leaveFreePages(env, TDM::ACN2);
        const QString employees = QStringLiteral("SELECT count(*), sum(SCO) FROM MSYAIN1");
        const QStringList before = env.rows(TDM::ACN2, employees);
        const qint64 dataSize = QFileInfo(env.dataPath()).size();
        const qint64 seigyoSize = QFileInfo(env.seigyoPath()).size();
        closeSideConnections();

        TWS0000 mw(env.appDir());
        env.messages.expect(Ask, Msg::Answer::Yes, QStringLiteral("Tesvane賃金"));
        env.messages.expect(Done);
        mw.action(QStringLiteral("mnDBCond"))->trigger();
        VERIFY_MESSAGES(env.messages);

        QVERIFY(QFileInfo(env.dataPath()).size() < dataSize);
        QVERIFY(QFileInfo(env.seigyoPath()).size() < seigyoSize);
        for (TDM::Conn c : {TDM::ACN1, TDM::ACN2})
            QCOMPARE(env.scalar(c, QStringLiteral("PRAGMA freelist_count")), QStringLiteral("0"));
        QCOMPARE(env.rows(TDM::ACN2, employees), before);
        QCOMPARE(CheckDatabaseIntegrity(env.dataPath()), QString());
        QCOMPARE(QDir(env.dataDir()).entryList(QDir::Files),
                 QStringList({QStringLiteral("DATA.db"), QStringLiteral("SEIGYO.db")}));
        // The program goes on working on the new files.
        QVERIFY(env.dm.isOpen(TDM::ACN1) && env.dm.isOpen(TDM::ACN2));
        const TQuery q21 = env.dm.select(TDM::ACN2, employees);
        QVERIFY(q21.active());
        QCOMPARE(QStringLiteral("%1|%2").arg(q21.asText(QStringLiteral("count(*)")),
                                             q21.asText(QStringLiteral("sum(SCO)"))),
                 before.first());
        QVERIFY(env.dm.exec(TDM::ACN1, QStringLiteral("UPDATE MSEIGYO SET FREKI = 1")));
    }

    void answeringNoChangesNothing() {
        ScreenEnvironment env;
        TWS0000 mw(env.appDir());
        const QByteArray data = digest(env.dataPath());
        const QByteArray seigyo = digest(env.seigyoPath());
        env.messages.expect(Ask, Msg::Answer::No);
        mw.action(QStringLiteral("mnDBCond"))->trigger();
        VERIFY_MESSAGES(env.messages);
        QCOMPARE(digest(env.dataPath()), data);
        QCOMPARE(digest(env.seigyoPath()), seigyo);
        QVERIFY(env.dm.isOpen(TDM::ACN1) && env.dm.isOpen(TDM::ACN2));
    }

    void aLeftoverCopyIsAskedAbout() {
        ScreenEnvironment env;
        TWS0000 mw(env.appDir());
        const QString bak = env.dataDir() + QStringLiteral("DATA.bak");
        QFile f(bak);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("half a copy");
        f.close();
        const QByteArray data = digest(env.dataPath());

        env.messages.expect(Ask, Msg::Answer::Yes);
        env.messages.expect(Leftover, Msg::Answer::No, QStringLiteral("Drelmoor"));
        mw.action(QStringLiteral("mnDBCond"))->trigger();
        VERIFY_MESSAGES(env.messages);
        QVERIFY(QFile::exists(bak));
        QCOMPARE(digest(env.dataPath()), data);

        env.messages.expect(Ask, Msg::Answer::Yes);
        env.messages.expect(Leftover, Msg::Answer::Yes, QStringLiteral("Drelmoor"));
        env.messages.expect(Done);
        mw.action(QStringLiteral("mnDBCond"))->trigger();
        VERIFY_MESSAGES(env.messages);
        QVERIFY(!QFile::exists(bak));
        QCOMPARE(CheckDatabaseIntegrity(env.dataPath()), QString());
    }

    void aFileThatCannotBeCompactedIsLeftAsItWas() {
        ScreenEnvironment env;
        // Damaged employee rows: the copy cannot be read out of the file.
        damagePage(env.dataPath(), rootPage(env, TDM::ACN2, QStringLiteral("MSYAIN1")));
        const QByteArray data = digest(env.dataPath());
        const QByteArray seigyo = digest(env.seigyoPath());
        TWS0000 mw(env.appDir());
        env.messages.expect(Ask, Msg::Answer::Yes);
        env.messages.expect(Failed + env.dataPath());
        mw.action(QStringLiteral("mnDBCond"))->trigger();
        VERIFY_MESSAGES(env.messages);
        QCOMPARE(digest(env.dataPath()), data);
        QCOMPARE(digest(env.seigyoPath()), seigyo); // the run stopped at the first failure
        QCOMPARE(QDir(env.dataDir()).entryList(QDir::Files),
                 QStringList({QStringLiteral("DATA.db"), QStringLiteral("SEIGYO.db")}));
        QVERIFY(env.dm.isOpen(TDM::ACN1) && env.dm.isOpen(TDM::ACN2));
    }

    void aBlockedCopyNameFailsTheSecondFileOnly() {
        ScreenEnvironment env;
        leaveFreePages(env, TDM::ACN2);
        // Something that is not ours holds SEIGYO's copy name and cannot be deleted.
        QVERIFY(QDir(env.dataDir()).mkdir(QStringLiteral("SEIGYO.bak")));
        const QByteArray seigyo = digest(env.seigyoPath());
        const qint64 dataSize = QFileInfo(env.dataPath()).size();
        TWS0000 mw(env.appDir());
        env.messages.expect(Ask, Msg::Answer::Yes);
        env.messages.expect(Leftover, Msg::Answer::Yes, QStringLiteral("Drelmoor"));
        env.messages.expect(Failed + env.seigyoPath());
        mw.action(QStringLiteral("mnDBCond"))->trigger();
        VERIFY_MESSAGES(env.messages);
        QVERIFY(QFileInfo(env.dataPath()).size() < dataSize); // DATA went first and is done
        QCOMPARE(digest(env.seigyoPath()), seigyo);
        QVERIFY(QFileInfo(env.dataDir() + QStringLiteral("SEIGYO.bak")).isDir());
        QVERIFY(!QFile::exists(env.dataDir() + QStringLiteral("DATA.bak")));
        QVERIFY(env.dm.isOpen(TDM::ACN1) && env.dm.isOpen(TDM::ACN2));
    }

    void integrityCheckFindsDamage() {
        ScreenEnvironment env;
        QCOMPARE(CheckDatabaseIntegrity(env.seigyoPath()), QString());
        // A damaged index: every row still reads, but the file is not sound.
        damagePage(env.dataPath(),
                   rootPage(env, TDM::ACN2, QStringLiteral("sqlite_autoindex_MSYAIN1_1")));
        QVERIFY(!CheckDatabaseIntegrity(env.dataPath()).isEmpty());
        QFile text(env.dataDir() + QStringLiteral("note.db"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write(QByteArray(8192, 'x'));
        text.close();
        QVERIFY(!CheckDatabaseIntegrity(text.fileName()).isEmpty());
        QVERIFY(!CheckDatabaseIntegrity(env.dataDir() + QStringLiteral("none.db")).isEmpty());
    }

    void commandLineCompactsOnlyWhenTold() {
        ScreenEnvironment env;
        leaveFreePages(env, TDM::ACN2);
        const QByteArray data = digest(env.dataPath());
        CliRun r = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("compact")});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(QStringLiteral("--yes")), qPrintable(r.err));
        QCOMPARE(digest(env.dataPath()), data);

        r = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("compact"),
                    QStringLiteral("--yes")});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains(Done), qPrintable(r.out + r.err));
        QCOMPARE(env.scalar(TDM::ACN2, QStringLiteral("PRAGMA freelist_count")),
                 QStringLiteral("0"));
        closeSideConnections();

        damagePage(env.dataPath(), rootPage(env, TDM::ACN2, QStringLiteral("MSYAIN1")));
        const QByteArray damaged = digest(env.dataPath());
        r = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("compact"),
                    QStringLiteral("--yes")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(Failed + env.dataPath()), qPrintable(r.err));
        QCOMPARE(digest(env.dataPath()), damaged);
        QVERIFY(!QFile::exists(env.dataDir() + QStringLiteral("DATA.bak")));
    }

    void aCommandBesideTheRunningProgramRefusesAndChangesNothing() {
        ScreenEnvironment env;
        leaveFreePages(env, TDM::ACN2);
        env.openDatabases(); // the program, working on the folder
        const QByteArray data = digest(env.dataPath());
        const QByteArray seigyo = digest(env.seigyoPath());
        CliRun r = runCli(compactCommand(env));
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(InUse), qPrintable(r.err));
        QCOMPARE(digest(env.dataPath()), data);
        QCOMPARE(digest(env.seigyoPath()), seigyo);
        QCOMPARE(QDir(env.dataDir()).entryList(QDir::Files),
                 QStringList({QStringLiteral("DATA.db"), QStringLiteral("SEIGYO.db")}));
        // The program's files are still the ones it saves into.
        QVERIFY(saveBoth(env.dm));
        VERIFY_MESSAGES(env.messages);

        // Once the program has ended, the command compacts.
        env.dm.CloseConnection(TDM::ACN1);
        env.dm.CloseConnection(TDM::ACN2);
        r = runCli(compactCommand(env));
        QCOMPARE(r.status, 0);
        QCOMPARE(env.scalar(TDM::ACN2, QStringLiteral("PRAGMA freelist_count")),
                 QStringLiteral("0"));
    }

    void theProgramsOwnCompactionRefusesBesideAnotherProgram() {
        ScreenEnvironment env;
        leaveFreePages(env, TDM::ACN2);
        TWS0000 mw(env.appDir());
        // Another program with the folder open (its own open file, as another process has).
        DataFolderLock other(env.dataDir());
        QCOMPARE(other.acquire(DataFolderLock::Mode::Shared), DataFolderLock::Outcome::Held);
        const QByteArray data = digest(env.dataPath());
        env.messages.expect(Ask, Msg::Answer::Yes);
        env.messages.expect(InUse);
        mw.action(QStringLiteral("mnDBCond"))->trigger();
        VERIFY_MESSAGES(env.messages);
        QCOMPARE(digest(env.dataPath()), data);
        QVERIFY(env.dm.isOpen(TDM::ACN1) && env.dm.isOpen(TDM::ACN2));
        QVERIFY(saveBoth(env.dm));
        // The program is back on its shared lock: still no compaction beside it.
        CliRun r = runCli(compactCommand(env));
        QCOMPARE(r.status, 1);

        other.release();
        env.messages.expect(Ask, Msg::Answer::Yes);
        env.messages.expect(Done);
        mw.action(QStringLiteral("mnDBCond"))->trigger();
        VERIFY_MESSAGES(env.messages);
        QCOMPARE(env.scalar(TDM::ACN2, QStringLiteral("PRAGMA freelist_count")),
                 QStringLiteral("0"));
        closeSideConnections();
        QVERIFY(saveBoth(env.dm));
        VERIFY_MESSAGES(env.messages);
    }

    void aProgramStartedDuringACompactionWaitsForIt() {
        ScreenEnvironment env;
        DataFolderLock compaction(env.dataDir());
        QCOMPARE(compaction.acquire(DataFolderLock::Mode::Exclusive),
                 DataFolderLock::Outcome::Held);
        QProcess command;
        command.start(QStringLiteral(TESVANE_APPDIR) + QStringLiteral("/tesvane-cli"),
                      {QStringLiteral("--data"), env.appDir(), QStringLiteral("companies")});
        QVERIFY(command.waitForStarted());
        QVERIFY(!command.waitForFinished(1500)); // it does not open the files meanwhile
        compaction.release();
        QVERIFY(command.waitForFinished(30000));
        QCOMPARE(command.exitCode(), 0);
        QVERIFY(QString::fromUtf8(command.readAllStandardOutput())
                    .contains(QStringLiteral("サンプル企業")));
    }

    void aFolderWhereNoLockFileCanBeMadeIsStillRead() {
        ScreenEnvironment env;
        // The lock file's name leads below a regular file: it cannot be made, not even by the
        // superuser, as in a read-only folder.
        QFile plain(env.dataDir() + QStringLiteral("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString lockFile = DataFolderLock::lockFilePath(env.dataDir());
        QVERIFY(QFile::link(plain.fileName() + QStringLiteral("/lock"), lockFile));
        const QByteArray data = digest(env.dataPath());

        CliRun r = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("companies")});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains(QStringLiteral("サンプル企業")), qPrintable(r.out + r.err));

        r = runCli(compactCommand(env));
        QCOMPARE(r.status, 1);
        QVERIFY2(
            r.err.contains(QStringLiteral("データフォルダーのロックファイルを作成できないため、"
                                          "データベースを圧縮できません。　") +
                           lockFile),
            qPrintable(r.err));
        QCOMPARE(digest(env.dataPath()), data);
    }
};

QTEST_MAIN(TestCompaction)
#include "test_compaction.moc"
