// The scripts CI trusts to judge a run: bench/check (the speed guard) on benchmarks that print
// what is asked of them, and scripts/sanitize-progress.sh on the logs of a sanitizer run that
// finished, failed or was stopped by the time budget.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int status = -1;
    QString output;
};

Run runScript(const QString& script, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("bash"), QStringList{script} + args);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAll())};
}

void writeFile(const QString& path, const QByteArray& bytes, bool executable = false) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

// The keys each benchmark prints, as bench/check expects them.
const QList<QPair<QString, QStringList>> Benches = {
    {QStringLiteral("bench_employees"), {QStringLiteral("import"), QStringLiteral("export")}},
    {QStringLiteral("bench_annual_update"), {QStringLiteral("annual-update")}},
    {QStringLiteral("bench_plot"),
     {QStringLiteral("plot"), QStringLiteral("plot-again"), QStringLiteral("plot-repaint")}},
    {QStringLiteral("bench_reports"), {QStringLiteral("report-pdf")}},
    {QStringLiteral("bench_workbooks"), {QStringLiteral("workbook")}},
};

} // namespace

class TestCiScripts : public QObject {
    Q_OBJECT
private:
    QString m_root = QStringLiteral(TESVANE_SOURCE_ROOT);

    // A build folder whose benchmarks print `ratio` for every key, but `slow` for the key
    // named, leave out the key `missing` and exit with 1 when named `failing`.
    void fakeBuild(const QString& build, const QString& slowKey = {}, const QString& missing = {},
                   const QString& failing = {}) {
        QVERIFY(QDir().mkpath(build + QStringLiteral("/bench")));
        for (const auto& [bench, keys] : Benches) {
            QByteArray script = "#!/usr/bin/env bash\necho \"a heading line; ratio 99\"\n";
            for (const QString& key : keys) {
                if (key == missing)
                    continue;
                const char* ratio = key == slowKey ? "1000.00" : "0.50";
                script += QStringLiteral("echo '[%1] a path: median 5.0 ms; floor 10.0 ms (how); "
                                         "ratio %2'\n")
                              .arg(key, QLatin1String(ratio))
                              .toUtf8();
            }
            if (bench == failing)
                script += "exit 1\n";
            writeFile(build + QStringLiteral("/bench/") + bench, script, true);
        }
    }

private Q_SLOTS:
    void benchCheckPassesWithinItsGuardsAndPrintsEveryRatio() {
        QTemporaryDir dir;
        fakeBuild(dir.path());
        const Run r = runScript(m_root + QStringLiteral("/bench/check"), {dir.path()});
        QCOMPARE(r.status, 0);
        for (const auto& [bench, keys] : Benches)
            for (const QString& key : keys)
                QVERIFY2(r.output.contains(QStringLiteral("ok    ratio 0.50 <= guard ")) &&
                             r.output.contains(QLatin1Char('[') + key + QLatin1Char(']')),
                         qPrintable(r.output));
        QVERIFY(!r.output.contains(QStringLiteral("FAIL")));
    }

    void benchCheckFailsOnASlowPathAMissingOneOrAFailedBenchmark_data() {
        QTest::addColumn<QString>("slow");
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("said");
        QTest::newRow("a slow import") << "import"
                                       << ""
                                       << ""
                                       << "FAIL  ratio 1000.00 > guard";
        QTest::newRow("a slow repaint") << "plot-repaint"
                                        << ""
                                        << ""
                                        << "FAIL  ratio 1000.00 > guard";
        QTest::newRow("no workbook ratio") << ""
                                           << "workbook"
                                           << ""
                                           << "[workbook] printed no ratio";
        QTest::newRow("a benchmark failed") << ""
                                            << ""
                                            << "bench_reports"
                                            << "bench_reports failed";
    }
    void benchCheckFailsOnASlowPathAMissingOneOrAFailedBenchmark() {
        QFETCH(QString, slow);
        QFETCH(QString, missing);
        QFETCH(QString, failing);
        QFETCH(QString, said);
        QTemporaryDir dir;
        fakeBuild(dir.path(), slow, missing, failing);
        const Run r = runScript(m_root + QStringLiteral("/bench/check"), {dir.path()});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.output.contains(said), qPrintable(r.output));
        if (!slow.isEmpty())
            QVERIFY2(r.output.contains(QLatin1Char('[') + slow + QStringLiteral("] a path")),
                     qPrintable(r.output));
    }

    // A run slowed by a moment's load is measured again and passes; a path slow on both runs
    // fails, and its better run is the one reported.
    void benchCheckMeasuresAPathPastItsGuardOnceMore() {
        QTemporaryDir dir;
        fakeBuild(dir.path());
        const QString plot = dir.path() + QStringLiteral("/bench/bench_plot");
        const QString marker = dir.path() + QStringLiteral("/ran-once");
        const auto plotScript = [&](const char* second) {
            return QStringLiteral("#!/usr/bin/env bash\n"
                                  "if [ -e '%1' ]; then r=%2; else r=1000.00; touch '%1'; fi\n"
                                  "for k in plot plot-again plot-repaint; do\n"
                                  "  echo \"[$k] a path: median 5.0 ms; floor 1.0 ms (how); "
                                  "ratio $r\"\ndone\n")
                .arg(marker, QLatin1String(second))
                .toUtf8();
        };
        writeFile(plot, plotScript("0.50"), true);
        Run r = runScript(m_root + QStringLiteral("/bench/check"), {dir.path()});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.output.contains(QStringLiteral("again: bench_plot")), qPrintable(r.output));
        QVERIFY2(r.output.contains(QStringLiteral("ok    ratio 0.50 <= guard 45  [plot]")),
                 qPrintable(r.output));

        QFile::remove(marker);
        writeFile(plot, plotScript("500.00"), true);
        r = runScript(m_root + QStringLiteral("/bench/check"), {dir.path()});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.output.contains(QStringLiteral("FAIL  ratio 500.00 > guard 45  [plot]")),
                 qPrintable(r.output));
        QVERIFY(!r.output.contains(QStringLiteral("ratio 1000.00 > guard 45  [plot]")));
    }

    void benchCheckRefusesABuildWithoutBenchmarks() {
        QTemporaryDir dir;
        const Run r = runScript(m_root + QStringLiteral("/bench/check"), {dir.path()});
        QCOMPARE(r.status, 2);
        QVERIFY(r.output.contains(QStringLiteral("is missing")));
    }

    void sanitizeProgressSaysHowFarARunGot_data() {
        QTest::addColumn<QByteArray>("build");
        QTest::addColumn<QByteArray>("tests");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        const QByteArray building = "[1/404] Automatic MOC\n[57/404] Building CXX object a.o\n";
        const QByteArray passed =
            "Test project /x/build-asan\n"
            "      Start  1: test_a\n"
            " 1/3 Test  #1: test_a ...........................   Passed    0.52 sec\n"
            "      Start  2: test_b\n"
            " 2/3 Test  #2: test_b ...........................   Passed   10.10 sec\n";
        QTest::newRow("nothing built yet")
            << QByteArray() << QByteArray() << 1
            << "Sanitizer tests run: none (the build had not started)";
        QTest::newRow("stopped while building")
            << building << QByteArray() << 1
            << "Sanitizer tests run: none (stopped while building, at step 57/404)";
        QTest::newRow("tests started, none finished")
            << building << QByteArray("Test project /x\n      Start  1: test_a\n") << 1
            << "Sanitizer tests run: none (the tests had started, none had finished)";
        QTest::newRow("stopped during the tests")
            << building << passed << 0 << "Sanitizer tests run: 2 of 3, 2 passed, 0 failed";
        QTest::newRow("a fault found")
            << building
            << passed + " 3/3 Test  #3: test_c .......***Exception: SegFault  1.00 sec\n"
                        "\n67% tests passed, 1 tests failed out of 3\n"
            << 1 << "Sanitizer tests run: 3 of 3, 2 passed, 1 failed";
    }
    void sanitizeProgressSaysHowFarARunGot() {
        QFETCH(QByteArray, build);
        QFETCH(QByteArray, tests);
        QFETCH(int, status);
        QFETCH(QString, said);
        QTemporaryDir dir;
        if (!build.isEmpty())
            writeFile(dir.filePath(QStringLiteral("sanitize-build.log")), build);
        if (!tests.isEmpty())
            writeFile(dir.filePath(QStringLiteral("sanitize-tests.log")), tests);
        const Run r =
            runScript(m_root + QStringLiteral("/scripts/sanitize-progress.sh"), {dir.path()});
        QCOMPARE(r.output.trimmed(), said);
        QCOMPARE(r.status, status);
    }
};

QTEST_GUILESS_MAIN(TestCiScripts)
#include "tst_ci_scripts.moc"
