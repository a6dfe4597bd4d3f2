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

    void unknownLayoutVersionIsRefused() {
        TestEnvironment env;
        if (!env.onServer())
            QSKIP("needs the test cluster");
        env.exec(TDM::ACN1, QStringLiteral("UPDATE TSCHEMA SET VERSION = 99"));
        const CliRun r =
            runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("companies")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("(99)")), qPrintable(r.err));
    }
};

QTEST_GUILESS_MAIN(TestCliServerTransfer)
#include "test_cli_server_transfer.moc"
