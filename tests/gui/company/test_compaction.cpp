#include "app/WS0000_MainWindow.h"
#include "core/common/AppState.h"
#include "data/db/Compaction.h"
#include "support/gui/ScriptedDialogs.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
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

QByteArray digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
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
};

QTEST_MAIN(TestCompaction)
#include "test_compaction.moc"
