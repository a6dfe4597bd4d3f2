// tesvane-cli fit, regression, and plot of the regression and comparison charts: the numbers
// as the screens compute them, the refusals, and nothing written to the database.

#include "support/data/TestSupport.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QtTest>

namespace {

QByteArray digest(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QString write(const TestEnvironment& env, const QString& name, const QByteArray& text) {
    const QString path = env.appDir() + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

CliRun fit(const TestEnvironment& env, const QString& order, const QByteArray& points) {
    return runCli({QStringLiteral("fit"), QStringLiteral("--order"), order,
                   QStringLiteral("--points"), write(env, QStringLiteral("points.csv"), points)});
}

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestCliAnalysis : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fitPrintsCoefficientsAndStatistics() {
        TestEnvironment env;
        QByteArray points;
        for (int x = 20; x <= 30; ++x) {
            const double y = 2 + 0.5 * x + 0.01 * x * x;
            points += QByteArray::number(x) + ',' + QByteArray::number(y, 'f', 4) + "\r\n";
        }
        points += "\n"; // a blank line is no point
        CliRun r = fit(env, QStringLiteral("2"), points);
        QVERIFY2(r.status == 0, qPrintable(r.err));
        // f(20..29) in yen: average of 160000 + 10000·(k/2 + ...) computed by hand below.
        qint64 sum = 0;
        for (int x = 20; x <= 29; ++x)
            sum += qint64(std::llround((2 + 0.5 * x + 0.01 * x * x) * 10000));
        const qint64 pitch = std::llround((2 + 0.5 * 29 + 0.01 * 29 * 29 - 16) * 10000 / 9);
        QCOMPARE(r.out, QStringLiteral("2.00000,0.50000,0.01000\n%1,%2\n")
                            .arg(std::llround(sum / 10.0))
                            .arg(pitch));
        r = fit(env, QStringLiteral("3"), points);
        QVERIFY(r.out.startsWith(QStringLiteral("2.000000,0.500000,0.010000,0.000000\n")));
    }

    void fitRefusesBadInput() {
        TestEnvironment env;
        CliRun r = fit(env, QStringLiteral("2"), "20,18\n21,abc\n");
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("line 2")));
        r = fit(env, QStringLiteral("2"), "20.5,18\n21,19\n22,20\n");
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("line 1")));
        // Four points but three distinct x: enough for order 2, not for order 3.
        const QByteArray three = "20,18\n20,18.5\n25,21\n30,24\n";
        QCOMPARE(fit(env, QStringLiteral("2"), three).status, 0);
        r = fit(env, QStringLiteral("3"), three);
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("4 distinct")));
        QCOMPARE(
            runCli({QStringLiteral("fit"), QStringLiteral("--order"), QStringLiteral("4")}).status,
            2);
    }

    void regressionPerMarkWithoutWriting() {
        TestEnvironment env;
        const QByteArray data = digest(env.dataPath());
        const CliRun r =
            runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("regression"),
                    QStringLiteral("--company"), QStringLiteral("1"), QStringLiteral("--year"),
                    QStringLiteral("2023"), QStringLiteral("--x"), QStringLiteral("0"),
                    QStringLiteral("--y"), QStringLiteral("1"), QStringLiteral("--order"),
                    QStringLiteral("3"), QStringLiteral("--marks"), QStringLiteral("1,3"),
                    QStringLiteral("--grades"), QStringLiteral("1,2,3,4,5,6")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QStringList lines = r.out.trimmed().split(QLatin1Char('\n'));
        QCOMPARE(lines.first(), QStringLiteral("mark,count,a,b,c,d,average,pitch"));
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].startsWith(QStringLiteral("1,")));
        QVERIFY(lines[2].startsWith(QStringLiteral("3,")));
        QCOMPARE(lines[1].split(QLatin1Char(',')).size(), 8);
        // The counts are the marks' employees in those grades.
        const int count =
            env.scalar(TDM::ACN2, QStringLiteral("SELECT COUNT(*) FROM MSYAIN1 a JOIN MSYAIN2 b "
                                                 "USING (KCO, NENDO, SCO) WHERE KCO = 1 AND "
                                                 "NENDO = 2023 AND a.MCO = 1 AND b.TOUKYU "
                                                 "BETWEEN 1 AND 6"))
                .toInt();
        QCOMPARE(lines[1].split(QLatin1Char(','))[1].toInt(), count);
        QCOMPARE(digest(env.dataPath()), data);
    }

    // Without --marks and --grades on a chart never saved, every mark; a mark with fewer
    // distinct x than its order needs is skipped and named, as fit refuses such points; the
    // employees no choice includes are counted on standard error.
    void regressionChoicesAndTooFewDistinctX() {
        TestEnvironment env;
        const auto regression = [&](const QString& order, const QStringList& more = {}) {
            return runCli(QStringList{QStringLiteral("--data"), env.appDir(),
                                      QStringLiteral("regression"), QStringLiteral("--company"),
                                      QStringLiteral("1"), QStringLiteral("--year"),
                                      QStringLiteral("2023"), QStringLiteral("--x"),
                                      QStringLiteral("3"), QStringLiteral("--y"),
                                      QStringLiteral("1"), QStringLiteral("--order"), order} +
                          more);
        };
        CliRun r = regression(QStringLiteral("3"));
        QVERIFY2(r.status == 0 && r.err.isEmpty(), qPrintable(r.err));
        QCOMPARE(r.out.trimmed().split(QLatin1Char('\n')).size(), 7); // header and marks 1..6

        // Mark 2 on three pay steps; mark 3's employees without a mark or grade.
        env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN2 SET GOUHOU = CASE WHEN SCO < 10 THEN 10 "
                                           "WHEN SCO < 20 THEN 12 ELSE 14 END WHERE KCO = 1 AND "
                                           "NENDO = 2023 AND SCO IN (SELECT SCO FROM MSYAIN1 WHERE "
                                           "KCO = 1 AND NENDO = 2023 AND MCO = 2)"));
        const int third =
            env.scalar(TDM::ACN2, QStringLiteral("SELECT COUNT(*) FROM MSYAIN1 WHERE KCO = 1 "
                                                 "AND NENDO = 2023 AND MCO = 3"))
                .toInt();
        env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN1 SET MCO = 0 WHERE KCO = 1 AND NENDO = "
                                           "2023 AND MCO = 3"));
        r = regression(QStringLiteral("3"), {QStringLiteral("--marks"), QStringLiteral("1,2,3")});
        QCOMPARE(r.status, 0);
        QStringList lines = r.out.trimmed().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[1].startsWith(QStringLiteral("1,")));
        QCOMPARE(r.err, QStringLiteral("対象外の社員が %1名あります（マークなし %1名、等級が範囲外 "
                                       "0名）。\ntesvane-cli: regression: mark 2 skipped: order 3 "
                                       "needs 4 distinct x values; the mark has 3\n")
                            .arg(third));
        r = regression(QStringLiteral("2"), {QStringLiteral("--marks"), QStringLiteral("2")});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains(QStringLiteral("\n2,")));
        r = regression(QStringLiteral("3"), {QStringLiteral("--marks"), QStringLiteral("2")});
        QCOMPARE(r.status, 1); // no mark could be fitted
        QVERIFY(r.err.contains(QStringLiteral("mark 2 skipped")));
    }

    void comparisonChartsPrintTheirSources() {
        TestEnvironment env;
        const QByteArray data = digest(env.dataPath());
        const QByteArray control = digest(env.seigyoPath());
        const struct {
            const char* chart;
            const char* y;
            QString expected;
        } charts[] = {{"1020", "1", QStringLiteral("平均賃金")},
                      {"1030", "1", QStringLiteral("人事院")},
                      {"1040", "2", QStringLiteral("広島県商工会議所連合会")}};
        for (const auto& c : charts) {
            const QString pdf = env.appDir() + QStringLiteral("c%1.pdf").arg(c.chart);
            const QString png = env.appDir() + QStringLiteral("c%1.png").arg(c.chart);
            const CliRun r = runCli({QStringLiteral("--data"),
                                     env.appDir(),
                                     QStringLiteral("plot"),
                                     QStringLiteral("--company"),
                                     QStringLiteral("1"),
                                     QStringLiteral("--year"),
                                     QStringLiteral("2023"),
                                     QStringLiteral("--chart"),
                                     QString::fromLatin1(c.chart),
                                     QStringLiteral("--x"),
                                     QStringLiteral("0"),
                                     QStringLiteral("--y"),
                                     QString::fromLatin1(c.y),
                                     QStringLiteral("--marks"),
                                     QStringLiteral("1,2,3,4,5,6"),
                                     QStringLiteral("--grades"),
                                     QStringLiteral("1,2,3,4,5,6"),
                                     QStringLiteral("--png"),
                                     png,
                                     QStringLiteral("--pdf"),
                                     pdf});
            QVERIFY2(r.status == 0, qPrintable(r.err));
            QVERIFY2(pdfText(pdf).contains(c.expected), c.chart);
            QVERIFY(QFile::exists(png));
        }
        QCOMPARE(digest(env.dataPath()), data);
        QCOMPARE(digest(env.seigyoPath()), control);
        // The living-cost chart offers only age with base or scheduled pay.
        const CliRun refused =
            runCli({QStringLiteral("--data"), env.appDir(), QStringLiteral("plot"),
                    QStringLiteral("--company"), QStringLiteral("1"), QStringLiteral("--year"),
                    QStringLiteral("2023"), QStringLiteral("--chart"), QStringLiteral("1030"),
                    QStringLiteral("--x"), QStringLiteral("1"), QStringLiteral("--png"),
                    env.appDir() + QStringLiteral("no.png")});
        QCOMPARE(refused.status, 2);
    }
};

QTEST_GUILESS_MAIN(TestCliAnalysis)
#include "test_cli_analysis.moc"
