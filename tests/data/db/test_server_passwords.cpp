// A server password reaches no message: addresses with a password in each form, through the
// data module's open failures and every error line of tesvane-cli that may quote them. On the
// test cluster the addresses reach the real server (a database that is not there); on the files
// a socket folder where no server listens.
#include "data/db/ServerAddress.h"
#include "support/data/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Every form of the password below holds this.
const QString Secret = QStringLiteral("cr3t");

// "host=...&port=..." of a server that is there (the cluster) or of none.
QString serverParameters() {
    const QString cluster = TestClusterUrl();
    if (cluster.isEmpty())
        return QStringLiteral("host=/nonexistent-tesvane&port=5432");
    return cluster.mid(cluster.indexOf(QLatin1Char('?')) + 1);
}

QStringList urlsWithPasswords() {
    const QString at = serverParameters();
    return {
        QStringLiteral("postgresql://jinji:S3cr3t@/nodb?") + at,
        QStringLiteral("postgresql://jinji@/nodb?password=S3cr3t&") + at,
        QStringLiteral("postgresql://jinji@/nodb?") + at + QStringLiteral("&password=S3cr3t"),
        QStringLiteral("postgresql://jinji@/nodb?") + at + QStringLiteral("&p%61ssword=S3%40cr3t"),
        QStringLiteral("postgres://jinji:S3%40cr3t@/nodb?") + at,
        // Refused before the server is asked: no database, a parameter the driver cannot take.
        QStringLiteral("postgresql://jinji:S3cr3t@/?") + at,
        QStringLiteral("postgresql://jinji:S3cr3t@/nodb?") + at + QStringLiteral("&bad%20key=1"),
    };
}

// A program folder holding the delivered files, to push from.
void fillProgramFolder(const QString& folder) {
    QDir(folder).mkpath(QStringLiteral("DATA"));
    for (const char* f : {"SEIGYO.db", "DATA.db"})
        QFile::copy(deliveredDir() + QLatin1Char('/') + QString::fromLatin1(f),
                    folder + QStringLiteral("/DATA/") + QString::fromLatin1(f));
}

} // namespace

class TestServerPasswords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openFailuresShowTheAddressWithoutItsPassword() {
        for (const QString& url : urlsWithPasswords()) {
            TestEnvironment env(false);
            SetServerUrl(url);
            env.messages.expect(QStringLiteral("データベースのオープンでエラーが発生しました。　"));
            QVERIFY(!env.dm.OpenConnection(TDM::ACN1, env.seigyoPath()));
            VERIFY_MESSAGES(env.messages);
            const QString shown = env.messages.seen().value(0).text;
            QVERIFY2(!shown.contains(Secret), qPrintable(shown));
            QVERIFY2(shown.contains(QStringLiteral("postgres")), qPrintable(shown));
            QVERIFY2(!env.dm.lastError().contains(Secret), qPrintable(env.dm.lastError()));
            QVERIFY2(!env.dm.lastError().isEmpty(), qPrintable(url));
            QVERIFY(!env.dm.path(TDM::ACN1).contains(Secret));
        }
    }

    void commandErrorLinesShowNoPassword() {
        QTemporaryDir from, to;
        fillProgramFolder(from.path());
        for (const QString& url : urlsWithPasswords()) {
            const QList<QStringList> runs = {
                {QStringLiteral("--data"), url, QStringLiteral("companies")},
                {QStringLiteral("--server"), url, QStringLiteral("companies")},
                {QStringLiteral("server"), QStringLiteral("init"), url},
                {QStringLiteral("server"), QStringLiteral("push"), QStringLiteral("--from"),
                 from.path(), url},
                {QStringLiteral("server"), QStringLiteral("pull"), url, QStringLiteral("--to"),
                 to.path()},
                // A second address is quoted back as an unknown option.
                {QStringLiteral("server"), QStringLiteral("init"), url, url},
            };
            for (const QStringList& args : runs) {
                const CliRun r = runCli(args);
                const QString what = args.join(QLatin1Char(' ')) + QStringLiteral(" → ") + r.err;
                QVERIFY2(r.status != 0, qPrintable(what));
                QVERIFY2(!r.err.trimmed().isEmpty(), qPrintable(what));
                QVERIFY2(!r.err.contains(Secret) && !r.out.contains(Secret), qPrintable(what));
            }
        }
        // A refused pull leaves no file behind.
        QVERIFY(QDir(to.path() + QStringLiteral("/DATA")).entryList(QDir::Files).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestServerPasswords)
#include "test_server_passwords.moc"
