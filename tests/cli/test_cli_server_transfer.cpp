// server push and pull through tesvane-cli on the test cluster (skipped on the SQLite files).
#include "support/data/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Every row of every table of a file, typed, sorted: equal lists mean identical data.
QStringList fileRows(const QString& path) {
    const QString name = QStringLiteral("compare-") + path;
    QStringList out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("cannot open %s", qPrintable(path));
        QSqlQuery t(db);
        t.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
        QStringList tables;
        while (t.next())
            tables << t.value(0).toString();
        for (const QString& table : tables) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("SELECT * FROM ") + table);
            while (q.next()) {
                QString row = table;
                for (int i = 0; i < q.record().count(); ++i)
                    row += QLatin1Char('|') + QString::fromLatin1(q.value(i).typeName()) +
                           QLatin1Char(':') + q.value(i).toString();
                out << row;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    out.sort();
    return out;
}
} // namespace

class TestCliServerTransfer : public QObject {
    Q_OBJECT
private slots:
    void pushRefusesHeldCompaniesAndPullGivesIdenticalRows() {
        TestEnvironment env;
        if (!env.onServer())
            QSKIP("needs the test cluster");
        // The environment's database already holds the sample company: pushing it again must
        // name it and write nothing.
        // From a program folder of its own holding the delivered files (the build's program
        // folder is not filled in every build).
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("DATA")));
        for (const char* f : {"SEIGYO.db", "DATA.db"})
            QVERIFY(QFile::copy(deliveredDir() + QLatin1Char('/') + QString::fromLatin1(f),
                                folder.path() + QStringLiteral("/DATA/") + QString::fromLatin1(f)));
        CliRun r = runCli({QStringLiteral("server"), QStringLiteral("push"),
                           QStringLiteral("--from"), folder.path(), env.serverUrl()});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("company 1")), qPrintable(r.err));

        // Back into fresh files: the same rows, of the same types, as the delivered files.
        QTemporaryDir pulled;
        r = runCli({QStringLiteral("server"), QStringLiteral("pull"), env.serverUrl(),
                    QStringLiteral("--to"), pulled.path()});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(r.out.contains(QStringLiteral("MSYAIN1,60")));
        for (const char* f : {"SEIGYO.db", "DATA.db"})
            QCOMPARE(fileRows(pulled.path() + QStringLiteral("/DATA/") + QString::fromLatin1(f)),
                     fileRows(deliveredDir() + QLatin1Char('/') + QString::fromLatin1(f)));
        // A second pull never overwrites files.
        r = runCli({QStringLiteral("server"), QStringLiteral("pull"), env.serverUrl(),
                    QStringLiteral("--to"), pulled.path()});
        QCOMPARE(r.status, 1);
    }

    // Only TSCHEMA with exactly one row, the version this program knows, is opened. Anything
    // else is refused by the screens' data module, push, pull and init alike, saying what was
    // found and what to do; nothing is written.
    void layoutTableOtherThanOneKnownVersionIsRefused_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("found"); // as the screens and commands say it
        QTest::addColumn<QString>("todo");
        QTest::addColumn<QString>("foundEn");  // as server push, pull and init say it
        QTest::addColumn<QString>("transfer"); // what push and pull add
        const QString admin = QStringLiteral("管理者に");
        const QString restore = QStringLiteral("have its administrator restore it");
        QTest::newRow("-1") << "UPDATE TSCHEMA SET VERSION = -1"
                            << "（TSCHEMA の版は -1 です）" << admin << "TSCHEMA holds version -1"
                            << restore;
        QTest::newRow("0") << "UPDATE TSCHEMA SET VERSION = 0"
                           << "（TSCHEMA の版は 0 です）" << admin << "TSCHEMA holds version 0"
                           << restore;
        QTest::newRow("two rows") << "INSERT INTO TSCHEMA (VERSION) VALUES (1)"
                                  << "（TSCHEMA に 2 行あります：1, 1）" << admin
                                  << "TSCHEMA holds 2 rows: 1, 1" << restore;
        QTest::newRow("no row") << "DELETE FROM TSCHEMA"
                                << "（TSCHEMA に行がありません）" << admin << "TSCHEMA holds no row"
                                << restore;
        QTest::newRow("no TSCHEMA")
            << "DROP TABLE TSCHEMA"
            << "（TSCHEMA がなく、本システムの表が" << admin << "no TSCHEMA beside" << restore;
        QTest::newRow("another version")
            << "UPDATE TSCHEMA SET VERSION = 99"
            << "版 (99) はこのプログラムの版 (1) と"
            << "版 99 のデータベースを扱えるプログラムで"
            << "TSCHEMA holds version 99"
            << "layout version 99; this program knows 1: use a program that knows layout 99";
    }
    void layoutTableOtherThanOneKnownVersionIsRefused() {
        QFETCH(QString, change);
        QFETCH(QString, found);
        QFETCH(QString, todo);
        QFETCH(QString, foundEn);
        QFETCH(QString, transfer);
        TestEnvironment env;
        if (!env.onServer())
            QSKIP("needs the test cluster");
        env.exec(TDM::ACN1, change);
        const QByteArray before = env.dataDigest();

        CliRun r = runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("companies")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(found) && r.err.contains(todo), qPrintable(r.err));
        QVERIFY2(!r.err.contains(QStringLiteral("server init")), qPrintable(r.err));

        QTemporaryDir folder, pulled;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("DATA")));
        for (const char* f : {"SEIGYO.db", "DATA.db"})
            QVERIFY(QFile::copy(deliveredDir() + QLatin1Char('/') + QString::fromLatin1(f),
                                folder.path() + QStringLiteral("/DATA/") + QString::fromLatin1(f)));
        for (const QStringList& args :
             {QStringList{QStringLiteral("server"), QStringLiteral("push"),
                          QStringLiteral("--from"), folder.path(), env.serverUrl()},
              QStringList{QStringLiteral("server"), QStringLiteral("pull"), env.serverUrl(),
                          QStringLiteral("--to"), pulled.path()}}) {
            r = runCli(args);
            QCOMPARE(r.status, 1);
            QVERIFY2(r.err.contains(transfer), qPrintable(r.err));
            if (!transfer.startsWith(QStringLiteral("layout version")))
                QVERIFY2(r.err.contains(QLatin1Char('(') + foundEn), qPrintable(r.err));
        }
        QVERIFY(!QFile::exists(pulled.path() + QStringLiteral("/DATA/DATA.db")));
        // Nor does init lay it out again over what is there.
        r = runCli({QStringLiteral("server"), QStringLiteral("init"), env.serverUrl()});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("server init lays out an empty database only")) &&
                     r.err.contains(QLatin1Char('(') + foundEn),
                 qPrintable(r.err));
        QCOMPARE(env.dataDigest(), before);
    }
};

QTEST_GUILESS_MAIN(TestCliServerTransfer)
#include "test_cli_server_transfer.moc"
