// tesvane-cli plot: the wage plot as a PNG and as the printed page, from the stored settings
// or the options, without writing to the database; and its refusals.

#include "support/data/TestSupport.h"

#include <QCryptographicHash>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

QStringList plot(const TestEnvironment& env, const QStringList& more) {
    return QStringList{QStringLiteral("--data"), env.appDir(),
                       QStringLiteral("plot"),   QStringLiteral("--company"),
                       QStringLiteral("1"),      QStringLiteral("--year"),
                       QStringLiteral("2023"),   QStringLiteral("--chart"),
                       QStringLiteral("1010")} +
           more;
}

QByteArray digest(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

int pixelsOf(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

} // namespace

class TestCliPlot : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void drawsWithoutWriting() {
        TestEnvironment env;
        const QByteArray data = digest(env.dataPath());
        const QByteArray control = digest(env.seigyoPath());
        const QString png = env.appDir() + QStringLiteral("plot.png");
        const QString pdf = env.appDir() + QStringLiteral("plot.pdf");
        const CliRun r =
            runCli(plot(env, {QStringLiteral("--x"), QStringLiteral("0"), QStringLiteral("--y"),
                              QStringLiteral("1"), QStringLiteral("--marks"), QStringLiteral("1,2"),
                              QStringLiteral("--grades"), QStringLiteral("1,2,3,4,5,6"),
                              QStringLiteral("--png"), png, QStringLiteral("--size"),
                              QStringLiteral("900x600"), QStringLiteral("--pdf"), pdf}));
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(digest(env.dataPath()), data);
        QCOMPARE(digest(env.seigyoPath()), control);
        QVERIFY(!QFile::exists(env.dataDir() + QStringLiteral("SDX3W1.bmp")));

        const QImage image(png);
        QCOMPARE(image.size(), QSize(900, 600));
        // Marks 1 (blue ■) and 2 (red □) are drawn, mark 3 (green ●) is not.
        QVERIFY(pixelsOf(image, qRgb(0, 0, 255)) > 100);
        QVERIFY(pixelsOf(image, qRgb(255, 0, 0)) > 100);
        QCOMPARE(pixelsOf(image, qRgb(0, 128, 0)), 0);

        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString read = QString::fromUtf8(text.readAllStandardOutput());
        for (const char* expected : {"サンプル企業", "年齢勤続", "Ｘ平均値", "全体:", "１等級",
                                     "６等級", "【解説】", "男子営業"})
            QVERIFY2(read.contains(QString::fromUtf8(expected)), expected);
        QVERIFY(!read.contains(QStringLiteral("７等級")));
        QVERIFY(!read.contains(QStringLiteral("男子事務")));
    }

    // A chart never saved draws every mark and grade; giving only the marks takes every grade
    // and only the grades every mark. Employees no choice includes are counted on standard
    // error.
    void choicesNotGivenTakeEverything() {
        TestEnvironment env;
        const QString png = env.appDir() + QStringLiteral("plot.png");
        const QRgb mark1 = qRgb(0, 0, 255), mark3 = qRgb(0, 128, 0);
        CliRun r = runCli(plot(env, {QStringLiteral("--png"), png}));
        QVERIFY2(r.status == 0 && r.err.isEmpty(), qPrintable(r.err));
        QVERIFY(pixelsOf(QImage(png), mark1) > 100 && pixelsOf(QImage(png), mark3) > 100);
        r = runCli(plot(
            env, {QStringLiteral("--marks"), QStringLiteral("3"), QStringLiteral("--png"), png}));
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(pixelsOf(QImage(png), mark1) == 0 && pixelsOf(QImage(png), mark3) > 100);
        r = runCli(plot(env, {QStringLiteral("--grades"), QStringLiteral("1,2,3,4,5,6"),
                              QStringLiteral("--png"), png}));
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(pixelsOf(QImage(png), mark1) > 100 && pixelsOf(QImage(png), mark3) > 100);

        env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN1 SET MCO = 0 WHERE KCO = 1 AND "
                                           "NENDO = 2023 AND SCO = 1"));
        env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN2 SET TOUKYU = 0 WHERE KCO = 1 AND "
                                           "NENDO = 2023 AND SCO IN (2, 4)"));
        r = runCli(plot(
            env, {QStringLiteral("--marks"), QStringLiteral("3"), QStringLiteral("--png"), png}));
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QStringLiteral(
                            "対象外の社員が 3名あります（マークなし 1名、等級が範囲外 2名）。\n"));

        // The wage-table lines: pay steps across, as their screen labels them.
        const QString pdf = env.appDir() + QStringLiteral("lines.pdf");
        QStringList lines = plot(env, {QStringLiteral("--pdf"), pdf});
        lines[lines.indexOf(QStringLiteral("1010"))] = QStringLiteral("1060");
        r = runCli(lines);
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString read = QString::fromUtf8(text.readAllStandardOutput());
        // (pdftotext reads the ideographic space as a blank)
        QVERIFY2(read.contains(QRegularExpression(QStringLiteral("号[ 　]俸"))), qPrintable(read));
        QVERIFY(!read.contains(QRegularExpression(QStringLiteral("年[ 　]齢"))));
    }

    void refusesWhatItCannotDraw() {
        TestEnvironment env;
        const QString png = env.appDir() + QStringLiteral("x.png");
        const QList<QStringList> usage = {
            {QStringLiteral("--png"), png, QStringLiteral("--marks"), QStringLiteral("1,7")},
            {QStringLiteral("--png"), png, QStringLiteral("--x"), QStringLiteral("6")},
            {QStringLiteral("--png"), png, QStringLiteral("--size"), QStringLiteral("1e3x600")},
            {QStringLiteral("--marks"), QStringLiteral("1")},
            {QStringLiteral("--png"), png, QStringLiteral("--color"), QStringLiteral("red")},
        };
        for (const QStringList& more : usage) {
            const CliRun r = runCli(plot(env, more));
            QVERIFY2(r.status == 2, qPrintable(more.join(QLatin1Char(' '))));
            QVERIFY(!r.err.isEmpty());
        }
        // A chart number no screen has.
        QStringList unknown = plot(env, {QStringLiteral("--png"), png});
        unknown[unknown.indexOf(QStringLiteral("1010"))] = QStringLiteral("1070");
        QCOMPARE(runCli(unknown).status, 2);

        // No employee in the grades chosen.
        CliRun r = runCli(plot(
            env, {QStringLiteral("--grades"), QStringLiteral("9"), QStringLiteral("--png"), png}));
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("グラフに表示するデータがありません。")));
        QVERIFY(!QFile::exists(png));

        QStringList other = plot(env, {QStringLiteral("--png"), png});
        other[other.indexOf(QStringLiteral("2023"))] = QStringLiteral("1999");
        r = runCli(other);
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("企業マスターが存在しません。")));

        r = runCli(plot(env, {QStringLiteral("--marks"), QStringLiteral("1"),
                              QStringLiteral("--grades"), QStringLiteral("1"),
                              QStringLiteral("--png"), env.appDir() + QStringLiteral("no/x.png")}));
        QCOMPARE(r.status, 1);
    }
};

QTEST_GUILESS_MAIN(TestCliPlot)
#include "test_cli_plot.moc"
