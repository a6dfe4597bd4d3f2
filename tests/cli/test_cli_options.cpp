// Every command reads its options through one table: the same mistake is said the same way by
// each, on standard error with status 2, and nothing runs.
#include "support/data/TestSupport.h"

#include <QtTest>

namespace {

struct Mistake {
    QStringList args;
    QString said; // the whole of standard error
};

} // namespace

class TestCliOptions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mistakesAreSaidAsEachCommandSaysThem() {
        TestEnvironment env;
        const QString usage =
            QStringLiteral("tesvane-cli: server init URL [--with-sample] | server "
                           "push --from DIR URL | server pull URL --to DIR\n");
        const QList<Mistake> mistakes = {
            // Options followed by a value only where they take one.
            {{"range", "--company", "x", "--year", "2023"}, "--company needs a number"},
            {{"wage-table", "--company", "1", "--year"}, "--year needs a number"},
            {{"range", "--company", "1", "--year", "2023", "--xlsx", ""}, "--xlsx needs a file"},
            {{"annual-update", "--company", "1", "--frob"},
             "unknown option for annual-update: --frob"},
            {{"raise", "summary", "--company", "1", "--year", "2023", "--by", "age"},
             "--by needs grade or mark"},
            {{"raise", "apply", "--company", "1", "--year", "2023", "--evaluations"},
             "--evaluations needs a file"},
            {{"raise", "budget", "--company", "1", "--by", "grade"},
             "unknown option for raise budget: --by"},
            {{"employees", "export", "--company", "1", "--year", "2023", "--out"},
             "--out needs a file"},
            {{"employees", "import", "a.csv", "b.csv"},
             "unknown option for employees import: b.csv"},
            {{"companies", "--year", "0"}, "--year needs a number"},
            {{"companies", "--year"}, "unknown option for companies: --year"},
            {{"compact", "--now"}, "unknown option for compact: --now"},
            // The company year most commands need, said with the command's own name.
            {{"range", "--company", "1"}, "range needs --company K and --year N"},
            {{"raise", "summary", "--year", "2023"},
             "raise summary needs --company K and --year N"},
            {{"annual-update", "--yes"}, "annual-update needs --company K and --year N"},
            {{"report", "salary", "--year", "2023", "--pdf", "x.pdf"},
             "report needs --company K and --year N"},
            {{"employees", "export", "--year", "2023"},
             "employees export needs --company and --year"},
            // Commands whose every option takes a value.
            {{"plot", "--company", "x", "--year", "2023"}, "--company: not a valid value: x"},
            {{"design", "--company", "1", "--year"}, "--year needs a value"},
            {{"regression", "--marks", "1,7"}, "--marks: not a valid value: 1,7"},
            {{"report", "salary", "--company", "x"}, "--company needs a number"},
            {{"report", "salary", "--grades", "0-3"}, "--grades needs A-B with 1 <= A <= B <= 9"},
            {{"report", "raise", "--frob", "1"}, "unknown option for report: --frob"},
            {{"fit", "--order", "4"}, "fit: not a valid option: --order 4"},
            {{"fit", "--frob", "x"}, "fit: not a valid option: --frob x"},
            {{"fit", "--points"}, "--points needs a value"},
            {{"server", "init", "postgresql://u@h/d", "--from", "x"},
             "unknown option for server init: --from"},
        };
        for (const Mistake& m : mistakes) {
            const CliRun r = runCli(QStringList{QStringLiteral("--data"), env.appDir()} + m.args);
            const QString context = m.args.join(QLatin1Char(' ')) + QStringLiteral(": ") + r.err;
            QVERIFY2(r.status == 2, qPrintable(context));
            QVERIFY2(r.err == QStringLiteral("tesvane-cli: ") + m.said + QLatin1Char('\n'),
                     qPrintable(context));
            QVERIFY2(r.out.isEmpty(), qPrintable(context));
        }
        // A folder missing after its option is told as the usage of server.
        const CliRun r =
            runCli({QStringLiteral("server"), QStringLiteral("push"), QStringLiteral("--from")});
        QCOMPARE(r.status, 2);
        QCOMPARE(r.err, usage);
    }

    void optionsBeforeTheCommandAreReadOnce() {
        TestEnvironment env;
        CliRun r = runCli({QStringLiteral("--data")});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.startsWith(QStringLiteral("tesvane-cli: --data needs a folder\nUsage:")),
                 qPrintable(r.err));
        r = runCli({QStringLiteral("--server"), QStringLiteral("postgresql://a@h/x"),
                    QStringLiteral("--data"), QStringLiteral("postgresql://b@h/y"),
                    QStringLiteral("companies")});
        QCOMPARE(r.status, 2);
        QVERIFY2(
            r.err.startsWith(QStringLiteral("tesvane-cli: --data and --server name two servers\n")),
            qPrintable(r.err));
        // --data is taken wherever it stands, also among a command's options.
        r = runCli({QStringLiteral("companies"), QStringLiteral("--data"), env.appDir(),
                    QStringLiteral("--year"), QStringLiteral("2023")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY2(r.out.contains(QStringLiteral("1,2023,")), qPrintable(r.out));
    }
};

QTEST_GUILESS_MAIN(TestCliOptions)
#include "test_cli_options.moc"
