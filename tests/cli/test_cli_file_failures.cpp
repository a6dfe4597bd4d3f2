// tesvane-cli where a file or the database cannot be written: the command says on standard
// error what happened and where, ends with status 1, and leaves older files and the data as
// they were.
// Not on the server: full disks and unwritable files are faults of the files.

#include "core/masters/Cp932.h"
#include "support/data/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QStringList Sample = {QStringLiteral("--company"), QStringLiteral("1"),
                            QStringLiteral("--year"), QStringLiteral("2023")};

QStringList cli(const TestEnvironment& env, const QStringList& rest) {
    return QStringList{QStringLiteral("--data"), env.appDir()} + rest;
}

// Runs tesvane-cli with no file of it growing past `bytes`: a disk that fills up in the middle
// of a write, without a special mount.
CliRun runLimited(const QStringList& args, rlim_t bytes) {
    QProcess p;
    p.setChildProcessModifier([bytes] {
        std::signal(SIGXFSZ, SIG_IGN); // the write then fails with EFBIG
        const rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    p.start(QStringLiteral(TESVANE_APPDIR) + QStringLiteral("/tesvane-cli"), args);
    if (!p.waitForFinished(120000))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The program folder gets the shipped report layouts, as the build lays them out.
void placeLayouts(const TestEnvironment& env) {
    const QString from = QFINDTESTDATA(QStringLiteral("../../resources/report/PrintSalaryList.jfm"))
                             .section('/', 0, -2);
    for (const QString& f : QDir(from).entryList({QStringLiteral("*.jfm")}, QDir::Files))
        if (!QFile::copy(from + QLatin1Char('/') + f, env.appDir() + QStringLiteral("Report/") + f))
            qFatal("cannot copy %s", qPrintable(f));
}

const QString DiskFull = QStringLiteral("\n/dev/full\nディスクの空きが足りません。");

} // namespace

class TestCliFileFailures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // /dev/full takes no byte, as a disk without room.
    void aFullDiskIsSaidForEveryKindOfFile() {
        TestEnvironment env;
        placeLayouts(env);
        const QString full = QStringLiteral("/dev/full");
        struct Case {
            QStringList args;
            QString said;
        };
        const QVector<Case> cases = {
            {QStringList{QStringLiteral("employees"), QStringLiteral("export")} + Sample +
                 QStringList{QStringLiteral("--out"), full},
             QStringLiteral("CSVファイルを書き込めません。") + DiskFull},
            {QStringList{QStringLiteral("range")} + Sample +
                 QStringList{QStringLiteral("--xlsx"), full},
             QStringLiteral("Excelファイルを書き込めません。") + DiskFull},
            {QStringList{QStringLiteral("report"), QStringLiteral("salary")} + Sample +
                 QStringList{QStringLiteral("--pdf"), full},
             QStringLiteral("PDFファイルを書き込めません。") + DiskFull},
            {QStringList{QStringLiteral("plot")} + Sample +
                 QStringList{QStringLiteral("--chart"), QStringLiteral("1010"),
                             QStringLiteral("--png"), full},
             QStringLiteral("cannot write /dev/full: ディスクの空きが足りません。")},
        };
        for (const Case& c : cases) {
            const CliRun r = runCli(cli(env, c.args));
            QCOMPARE(r.status, 1);
            QVERIFY2(r.err.contains(c.said), qPrintable(c.args.join(' ') + "\n" + r.err));
            QVERIFY2(!r.err.contains(QStringLiteral("Unknown error")), qPrintable(r.err));
        }
        QVERIFY(!QFileInfo(full).isFile()); // written into, never replaced by a file
    }

    void aFileThatCannotBeMadeSaysWhy() {
        TestEnvironment env;
        const QString plain = env.appDir() + QStringLiteral("plain.txt");
        writeFile(plain, "x");
        // Below a regular file nothing can be made, not even by the superuser.
        const QString below = plain + QStringLiteral("/社員.csv");
        const CliRun r =
            runCli(cli(env, QStringList{QStringLiteral("employees"), QStringLiteral("export")} +
                                Sample + QStringList{QStringLiteral("--out"), below}));
        QCOMPARE(r.status, 1);
        QVERIFY2(
            r.err.contains(QStringLiteral("CSVファイルを作成できません。\n") + below +
                           QStringLiteral("\n保存先の途中にフォルダーでないファイルがあります。")),
            qPrintable(r.err));
        QCOMPARE(readAll(plain), QByteArray("x"));
    }

    void aWriteThatFailsHalfwayLeavesTheOldFile() {
        TestEnvironment env;
        const QString old = env.appDir() + QStringLiteral("社員.csv");
        writeFile(old, "the older export");
        const CliRun r =
            runLimited(cli(env, QStringList{QStringLiteral("employees"), QStringLiteral("export")} +
                                    Sample + QStringList{QStringLiteral("--out"), old}),
                       1024);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("CSVファイルを書き込めません。\n") + old +
                                QStringLiteral("\nファイルが大きすぎます。")),
                 qPrintable(r.err));
        QCOMPARE(readAll(old), QByteArray("the older export"));
        QStringList files = QDir(env.appDir()).entryList(QDir::Files | QDir::Hidden);
        files.removeAll(QStringLiteral("server.ini"));
        QCOMPARE(files, QStringList{QStringLiteral("社員.csv")});
    }

    void aDatabaseThatCannotBeWrittenIsNamedAndKeepsItsData() {
        TestEnvironment env;
        if (env.onServer())
            QSKIP("the server's files are the server's");
        QByteArray bytes;
        Cp932::encode(QStringLiteral("社員名,社員番号,賃金等級\r\n新人一,N1,1\r\n新人二,N2,2\r\n"),
                      bytes);
        const QString file = env.appDir() + QStringLiteral("in.csv");
        writeFile(file, bytes);
        const QByteArray before = env.dataDigest();
        // The journal of the save cannot grow to hold a page.
        const CliRun r = runLimited(
            cli(env, QStringList{QStringLiteral("employees"), QStringLiteral("import"), file} +
                         Sample + QStringList{QStringLiteral("--add")}),
            1024);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("データベースのファイルに書き込めませんでした。変更"
                                               "は保存されていません。　") +
                                env.dataPath() + QStringLiteral("\nファイルが大きすぎます。")),
                 qPrintable(r.err));
        QVERIFY2(!r.err.contains(QStringLiteral("INSERT")), qPrintable(r.err)); // no raw SQL
        QCOMPARE(env.dataDigest(), before);
        QVERIFY(!QFile::exists(env.dataPath() + QStringLiteral("-journal")));
    }
};

QTEST_GUILESS_MAIN(TestCliFileFailures)
#include "test_cli_file_failures.moc"
