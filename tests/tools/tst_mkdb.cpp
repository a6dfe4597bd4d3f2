// The delivered database files: made reproducibly, never left half made, and holding a sample
// company and reference figures that the screens can rely on.

#include "core/common/AppState.h"
#include "core/common/Dates.h"
#include "data/db/SqlScript.h"
#include "mkdb/SecondOrderCurve.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <iconv.h>
#include <numeric>

namespace {

const QString Seigyo = QStringLiteral("t-seigyo");
const QString Data = QStringLiteral("t-data");
const QStringList DbFiles = {QStringLiteral("DATA.db"), QStringLiteral("SEIGYO.db")};

struct Run {
    int exitCode = -1;
    QString stderrText;
};

Run runTool(const QString& sqlDir, const QString& outDir) {
    QProcess p;
    p.start(QStringLiteral(MKDB_EXE),
            {QStringLiteral("--schema-dir"), sqlDir, QStringLiteral("--out-dir"), outDir});
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError())};
}

QList<QSqlRecord> rows(const QString& connection, const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(connection));
    if (!q.exec(sql))
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    QList<QSqlRecord> out;
    while (q.next())
        out.append(q.record());
    return out;
}

// The rows of a query as one text, for comparing tables.
QString text(const QString& connection, const QString& sql) {
    QStringList out;
    for (const QSqlRecord& r : rows(connection, sql)) {
        QStringList fields;
        for (int i = 0; i < r.count(); ++i)
            fields << r.value(i).toString();
        out << fields.join(QLatin1Char(' '));
    }
    return out.join(QLatin1String(", "));
}

qint64 num(const QSqlRecord& r, const char* column) {
    return r.value(QLatin1String(column)).toLongLong();
}

// prefix1 + ... + prefixN, e.g. TEATE1..TEATE5.
qint64 sum(const QSqlRecord& r, const char* prefix, int n) {
    qint64 s = 0;
    for (int k = 1; k <= n; ++k)
        s += r.value(QLatin1String(prefix) + QString::number(k)).toLongLong();
    return s;
}

// As the CSV export writes text: glibc's CP932.
bool cp932Holds(const QString& value) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    QByteArray in = value.toUtf8();
    QByteArray out(in.size() * 2 + 4, '\0');
    char* src = in.data();
    char* dst = out.data();
    size_t srcLeft = size_t(in.size()), dstLeft = size_t(out.size());
    const bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1);
    iconv_close(cd);
    return ok;
}

} // namespace

class TestMkdb : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_out;
    QList<QSqlRecord> m_employees; // VSYAIN rows with the key points of the old and new grade

private slots:
    void initTestCase() {
        QVERIFY(m_tmp.isValid());
        m_out = m_tmp.filePath(QStringLiteral("first"));
        const Run run = runTool(QStringLiteral(MKDB_SQL_DIR), m_out);
        QVERIFY2(run.exitCode == 0, qPrintable(run.stderrText));
        for (const QString& name : {Seigyo, Data}) {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(QDir(m_out).filePath(name == Seigyo ? DbFiles[1] : DbFiles[0]));
            QVERIFY(db.open());
        }
        m_employees =
            rows(Data,
                 QStringLiteral(
                     "SELECT V.*, K.SGOUSU AS KSTART, K.EGOUSU AS KEND, S.KKIN AS SBASE, S.RITSU1, "
                     "S.RITSU2, "
                     "H.SGOUSU AS HSTEPS, N.SGOUSU AS NSTART, N.EGOUSU AS NEND FROM VSYAIN V "
                     "JOIN DKSEN2 K ON K.KCO = V.KCO AND K.NENDO = V.NENDO AND K.K2CO = 1 AND "
                     "K.TKNO = V.TOUKYU "
                     "JOIN DSCALE S ON S.KCO = V.KCO AND S.NENDO = V.NENDO AND S.SKCO = 1 AND "
                     "S.TKNO = V.TOUKYU "
                     "LEFT JOIN MHYOUKA H ON H.KCO = V.KCO AND H.NENDO = V.NENDO AND H.HCO = V.HCO "
                     "LEFT JOIN DKSEN2 N ON N.KCO = V.KCO AND N.NENDO = V.NENDO AND N.K2CO = 1 "
                     "AND N.TKNO = V.NTOUKYU WHERE V.KCO = 1 AND V.NENDO = 2023 ORDER BY V.SCO"));
    }

    void splitsAtStatementEnds_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("statements");
        QTest::newRow("semicolon in text")
            << "INSERT INTO t VALUES ('a;b');\nSELECT 1;"
            << QStringList{"INSERT INTO t VALUES ('a;b')", "SELECT 1"};
        QTest::newRow("doubled quote")
            << "INSERT INTO t VALUES ('it''s; fine'); SELECT 2"
            << QStringList{"INSERT INTO t VALUES ('it''s; fine')", "SELECT 2"};
        QTest::newRow("comments") << "-- one; 'two\nSELECT 1; /* ; ' */ SELECT \"a;b\";\n-- end;\n"
                                  << QStringList{"SELECT 1", "SELECT \"a;b\""};
    }

    void splitsAtStatementEnds() {
        QFETCH(QString, script);
        QFETCH(QStringList, statements);
        QList<SqlStatement> got;
        QString error;
        QVERIFY2(SplitSqlScript(script, &got, &error), qPrintable(error));
        QStringList texts;
        for (const SqlStatement& s : got)
            texts << s.text;
        QCOMPARE(texts, statements);
    }

    void reportsOpenQuotesWithTheirLine() {
        QList<SqlStatement> got;
        QString error;
        QVERIFY(
            !SplitSqlScript(QStringLiteral("SELECT 1;\nINSERT INTO t VALUES ('x);"), &got, &error));
        QVERIFY2(error.contains(QLatin1String("line 2")), qPrintable(error));
        QVERIFY(!SplitSqlScript(QStringLiteral("SELECT 1; /* never closed"), &got, &error));
        QVERIFY(SplitSqlScript(QStringLiteral("\n\nSELECT 1;\n\n  SELECT 2;"), &got, &error));
        QCOMPARE(got.at(1).line, 5);
    }

    // The worked example of the program's 2nd-order tables: (1, 200,000), (11, 250,000),
    // (21, 290,000), 10-yen rounding; and a rate, which applies before the fit.
    void secondOrderCurveGivesTheProgramsTable() {
        const QList<qint64> a = SecondOrderAmounts({1, 11, 21}, {200000, 250000, 290000}, 1.0, 0);
        QCOMPARE(a.size(), 21);
        QCOMPARE(a.mid(0, 6), (QList<qint64>{200000, 205450, 210800, 216050, 221200, 226250}));
        QCOMPARE(a.mid(19), (QList<qint64>{286450, 290000}));
        QCOMPARE(a.at(10), 250000);
        const QList<qint64> b = SecondOrderAmounts({1, 9, 30}, {99000, 110000, 132000}, 1.01, 1);
        QCOMPARE(b.first(), 100000);
        QCOMPARE(b.last(), 133300);
    }

    void buildsIdenticalFilesEveryTime() {
        const QString second = m_tmp.filePath(QStringLiteral("second"));
        const Run run = runTool(QStringLiteral(MKDB_SQL_DIR), second);
        QVERIFY2(run.exitCode == 0, qPrintable(run.stderrText));
        QCOMPARE(QDir(second).entryList(QDir::Files), DbFiles);
        for (const QString& f : DbFiles) {
            QFile a(QDir(m_out).filePath(f)), b(QDir(second).filePath(f));
            QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            QVERIFY2(a.readAll() == b.readAll(), qPrintable(f));
        }
    }

    void failsWithoutLeavingFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("appended");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad statement") << "data_rows.sql"
                                       << "\nINSERT INTO NOSUCH VALUES (1);"
                                       << "data_rows.sql";
        QTest::newRow("open quote") << "guide_pages.sql"
                                    << "\nINSERT INTO Before VALUES (9, 'x);"
                                    << "quote not closed";
        QTest::newRow("seventh template mark")
            << "seigyo_rows.sql"
            << "\nINSERT INTO MMMARK (KCO, NENDO, MKCO) VALUES (0, 9999, 7);"
            << "MMMARK";
    }

    void failsWithoutLeavingFiles() {
        QFETCH(QString, file);
        QFETCH(QString, appended);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QDir source(QStringLiteral(MKDB_SQL_DIR)), sql(dir.filePath(QStringLiteral("sql"))),
            out(dir.filePath(QStringLiteral("out")));
        QVERIFY(QDir().mkpath(sql.path()) && QDir().mkpath(out.path()));
        for (const QString& f : source.entryList({QStringLiteral("*.sql")}, QDir::Files))
            QVERIFY(QFile::copy(source.filePath(f), sql.filePath(f)));
        QFile broken(sql.filePath(file));
        QVERIFY(broken.open(QIODevice::Append));
        broken.write(appended.toUtf8());
        broken.close();
        // Files of an earlier build must not pass for the result of this one.
        for (const QString& f : DbFiles)
            QVERIFY(QFile::copy(QDir(m_out).filePath(f), out.filePath(f)));

        const Run run = runTool(sql.path(), out.path());
        QVERIFY(run.exitCode > 0);
        QVERIFY2(run.stderrText.contains(message), qPrintable(run.stderrText));
        QCOMPARE(out.entryList(QDir::Files), QStringList());
    }

    void companyFollowsTheTemplatesAndCodes() {
        const auto settings =
            rows(Data, QStringLiteral("SELECT * FROM MKIGYOU2 WHERE KCO = 1 AND NENDO = 2023"));
        QCOMPARE(settings.size(), 1);
        QCOMPARE(text(Seigyo, "SELECT KNA, REKI FROM MKIGYOU1 WHERE KCO = 1 AND NENDO = 2023"),
                 settings[0].value("KNA").toString() + QStringLiteral(" 0"));
        // The living-cost and model codes it names exist.
        QCOMPARE(text(Data, "SELECT count(*) FROM MSEIKEI WHERE SKCO = " +
                                settings[0].value("SKCO").toString()),
                 QStringLiteral("5"));
        QCOMPARE(text(Seigyo, "SELECT count(*) FROM MDEL WHERE MDCO = " +
                                  settings[0].value("MDCO").toString()),
                 QStringLiteral("1"));
        QCOMPARE(num(settings[0], "MCCO"), num(settings[0], "MDCO"));

        const QString marks = QStringLiteral("SELECT MKCO, MARK, HANREI, MKCOLOR, MKSIZE, KCOLOR, "
                                             "KSYURUI, KHABA FROM %1 ORDER BY MKCO");
        const QString graphs =
            QStringLiteral("SELECT GSCO, CCOLOR, CSYURUI, CHABA FROM %1 ORDER BY GSCO");
        QCOMPARE(text(Data, marks.arg("MMARK WHERE KCO = 1 AND NENDO = 2023")),
                 text(Seigyo, marks.arg("MMMARK WHERE KCO = 0 AND NENDO = 9999")));
        QCOMPARE(text(Data, graphs.arg("MGRAPH WHERE KCO = 1 AND NENDO = 2023")),
                 text(Seigyo, graphs.arg("MMGRAPH WHERE KCO = 0 AND NENDO = 9999")));
        QCOMPARE(text(Data, "SELECT HCO, HKIGOU, SGOUSU FROM MHYOUKA WHERE KCO = 1 ORDER BY HCO"),
                 QStringLiteral("1 S 6, 2 A 5, 3 B 4, 4 C 3, 5 D 2"));
    }

    // What the wage-table screen stores for this definition with automatic key amounts.
    void wageTableDefinitionIsConsistent() {
        const auto head = rows(Data, "SELECT * FROM MCHINGIN WHERE KCO = 1 AND NENDO = 2023");
        const auto grades = rows(
            Data,
            "SELECT S.*, K.SGOUSU, K.SKIN, K.C1GOUSU, K.C1KIN, K.EGOUSU, K.EKIN, K.KRITSU "
            "FROM DSCALE S JOIN DKSEN2 K ON K.KCO = S.KCO AND K.NENDO = S.NENDO "
            "AND K.K2CO = 1 AND K.TKNO = S.TKNO WHERE S.KCO = 1 AND S.SKCO = 1 ORDER BY S.TKNO");
        QCOMPARE(head.size(), 1);
        QCOMPARE(grades.size(), num(head[0], "TKSU"));
        int lowest = 80, highest = -10;
        for (const QSqlRecord& g : grades) {
            const qint64 base = num(g, "KKIN");
            const qint64 lower = qRound64(double(base) * (g.value("RITSU1").toDouble() / 100 + 1));
            const qint64 upper = qRound64(double(base) * (g.value("RITSU2").toDouble() / 100 + 1));
            QCOMPARE(num(g, "RNKIN"), upper - lower);
            QCOMPARE(g.value("SPKIN").toDouble(),
                     std::round(double(upper) / double(lower) * 100) / 100);
            QCOMPARE(QList<qint64>({num(g, "SKIN"), num(g, "C1KIN"), num(g, "EKIN")}),
                     QList<qint64>({lower, base, upper}));
            const std::array<int, 3> steps = {int(num(g, "SGOUSU")), int(num(g, "C1GOUSU")),
                                              int(num(g, "EGOUSU"))};
            QVERIFY(steps[0] >= -10 && steps[0] < steps[1] && steps[1] < steps[2] &&
                    steps[2] <= 80);
            // Rising all the way: the parabola has no top inside the grade.
            const QList<qint64> a =
                SecondOrderAmounts(steps, {lower, base, upper}, g.value("KRITSU").toDouble(),
                                   int(num(head[0], "MARUMEF")));
            QVERIFY(std::is_sorted(a.begin(), a.end()) && a.first() < a.last());
            lowest = std::min(lowest, steps[0]);
            highest = std::max(highest, steps[2]);
        }
        QCOMPARE(num(head[0], "GOUHOU1"), lowest);
        QCOMPARE(num(head[0], "GOUHOU2"), highest);
    }

    void employeesAreWhole() {
        const int n = int(m_employees.size());
        QVERIFY(n >= 50 && n <= 70);
        QCOMPARE(rows(Data, "SELECT * FROM MSYAIN1 WHERE KCO = 1").size(), n);
        QCOMPARE(rows(Data, "SELECT * FROM MSYAIN2 WHERE KCO = 1").size(), n);
        const auto base = rows(Seigyo, "SELECT FNK, KDATE FROM MKIGYOU1 WHERE KCO = 1");
        const AgeBase ageBase{int(num(base[0], "FNK")), int(num(base[0], "KDATE"))};
        QMap<qint64, QString> legends;
        for (const QSqlRecord& m : rows(Data, "SELECT MKCO, HANREI FROM MMARK WHERE KCO = 1"))
            legends[num(m, "MKCO")] = m.value("HANREI").toString();

        QMap<QString, qint64> codeOfSymbol{{QString(), 0}};
        for (const QSqlRecord& h : rows(Data, "SELECT HCO, HKIGOU FROM MHYOUKA WHERE KCO = 1"))
            codeOfSymbol[h.value("HKIGOU").toString()] = num(h, "HCO");

        QSet<qint64> marks, grades, ages;
        QSet<QString> names;
        QString lastStamp;
        for (const QSqlRecord& e : m_employees) {
            const QByteArray scot = e.value("SCOT").toString().toUtf8();
            const char* who = scot.constData();
            QVERIFY2(legends.contains(num(e, "MCO")), who);
            // The mark's legend names the sex (男子…, 女子…).
            QCOMPARE(legends[num(e, "MCO")].startsWith(QStringLiteral("女")),
                     num(e, "SEIBETSU") == 1);
            QVERIFY2(num(e, "TOUKYU") >= 1 && num(e, "TOUKYU") <= 6 &&
                         num(e, "TCO") == num(e, "TOUKYU"),
                     who);
            QVERIFY2(num(e, "JISEKI") == 2 && !e.value("HYOUKA").toString().isEmpty(), who);
            // Ages and service as the program counts them to the age base.
            QCOMPARE(num(e, "NENREI"), YearsToBase(num(e, "SEIHI"), ageBase));
            QCOMPARE(num(e, "KINZOKU"), YearsToBase(num(e, "NYUHI"), ageBase));
            QVERIFY2(num(e, "NENSU") >= num(e, "KINZOKU") && num(e, "THI") >= num(e, "NYUHI"), who);
            QVERIFY2(num(e, "GOUHOU") >= num(e, "KSTART") && num(e, "GOUHOU") <= num(e, "KEND"),
                     who);
            // The evaluation history carries each year's code with its symbol.
            for (int k = 1; k <= 3; ++k) {
                const QString symbol = e.value(QStringLiteral("HNA%1").arg(k)).toString();
                QVERIFY2(codeOfSymbol.contains(symbol), who);
                QCOMPARE(num(e, ("HCO" + QByteArray::number(k)).constData()), codeOfSymbol[symbol]);
            }
            // Plot order (creation stamps) follows the employee codes.
            QVERIFY2(e.value("NEWDAY1").toString() > lastStamp, who);
            lastStamp = e.value("NEWDAY1").toString();
            marks.insert(num(e, "MCO"));
            grades.insert(num(e, "TOUKYU"));
            ages.insert(num(e, "NENREI"));
            names.insert(e.value("SNA").toString());
        }
        QCOMPARE(*std::min_element(ages.begin(), ages.end()), 19);
        QCOMPARE(*std::max_element(ages.begin(), ages.end()), 62);
        QCOMPARE(marks.size(), 6);
        QCOMPARE(grades.size(), 6);
        QCOMPARE(names.size(), n);
    }

    void payIsConsistent() {
        QMap<qint64, QList<double>> agesOfGrade, payOfDecade;
        QMap<qint64, QMap<qint64, qint64>> tables; // grade -> step -> 職能給
        for (const QSqlRecord& e : m_employees) {
            const QByteArray scot = e.value("SCOT").toString().toUtf8();
            const char* who = scot.constData();
            QCOMPARE(num(e, "SYOTEI"), sum(e, "KKYU", 3) + sum(e, "TEATE", 5));
            QCOMPARE(num(e, "NENSYU"),
                     num(e, "SYOTEI") * 12 + num(e, "SYOUYO") + num(e, "SYOUYO2"));
            // 職能給 lies inside its grade's salary scale, and one step has one amount.
            const double scale = e.value("SBASE").toDouble();
            QVERIFY2(
                num(e, "KKYU2") >= qRound64(scale * (1 + e.value("RITSU1").toDouble() / 100)) &&
                    num(e, "KKYU2") <= qRound64(scale * (1 + e.value("RITSU2").toDouble() / 100)),
                who);
            auto& table = tables[num(e, "TOUKYU")];
            QVERIFY2(table.value(num(e, "GOUHOU"), num(e, "KKYU2")) == num(e, "KKYU2"), who);
            table[num(e, "GOUHOU")] = num(e, "KKYU2");
            agesOfGrade[num(e, "TOUKYU")] << double(num(e, "NENREI"));
            payOfDecade[num(e, "NENREI") / 10] << double(num(e, "SYOTEI"));
        }
        for (const auto& table : tables)
            QVERIFY(std::is_sorted(table.begin(), table.end()));
        auto mean = [](const QList<double>& v) {
            return std::accumulate(v.begin(), v.end(), 0.0) / double(v.size());
        };
        for (qint64 g = 2; g <= 6; ++g)
            QVERIFY2(mean(agesOfGrade[g]) > mean(agesOfGrade[g - 1]), "grades rise with age");
        for (qint64 d = 2; d <= 4; ++d)
            QVERIFY2(mean(payOfDecade[d]) > mean(payOfDecade[d - 1]), "pay rises with age");
    }

    void raisesAreConsistent() {
        int raised = 0, promoted = 0;
        for (const QSqlRecord& e : m_employees) {
            const QByteArray scot = e.value("SCOT").toString().toUtf8();
            const char* who = scot.constData();
            if (num(e, "NTOUKYU") == 0) {
                QVERIFY2(num(e, "NGOUHOU") == 0 && num(e, "FSKCHK") == 0 &&
                             sum(e, "NKKYU", 3) == 0 && sum(e, "NTEATE", 5) == 0 &&
                             num(e, "NSYOTEI") == 0 && num(e, "NNENSYU") == 0 &&
                             num(e, "UPK") == 0 && num(e, "UPT") == 0,
                         who);
                continue;
            }
            ++raised;
            QCOMPARE(num(e, "SGOUHOU"), 0);
            QCOMPARE(num(e, "FSKCHK"), num(e, "NTOUKYU") == num(e, "TOUKYU") + 1 ? 1 : 0);
            if (num(e, "FSKCHK") == 1) {
                ++promoted;
                QVERIFY2(num(e, "NKKYU2") > num(e, "KKYU2"), who);
            } else {
                QCOMPARE(num(e, "NTOUKYU"), num(e, "TOUKYU"));
                QCOMPARE(num(e, "NGOUHOU"), num(e, "GOUHOU") + num(e, "HSTEPS"));
            }
            QVERIFY2(num(e, "NGOUHOU") >= num(e, "NSTART") && num(e, "NGOUHOU") <= num(e, "NEND"),
                     who);
            QCOMPARE(num(e, "UPK"), sum(e, "NKKYU", 3) - sum(e, "KKYU", 3));
            QCOMPARE(num(e, "UPT"), sum(e, "NTEATE", 5) - sum(e, "TEATE", 5));
            QCOMPARE(num(e, "NSYOTEI"), sum(e, "NKKYU", 3) + sum(e, "NTEATE", 5));
            QCOMPARE(num(e, "NNENSYU"),
                     num(e, "NSYOTEI") * 12 + num(e, "SYOUYO") + num(e, "SYOUYO2"));
        }
        const int n = int(m_employees.size());
        QVERIFY(raised * 100 >= n * 35 && raised * 100 <= n * 65);
        QVERIFY(promoted >= 1);
    }

    void referenceFiguresAreThePublishedOnes() {
        QCOMPARE(text(Seigyo, "SELECT REKI1, SNEN1, STSUKI1, SHI1, REKI2, SNEN2, STSUKI2, SHI2, "
                              "REKI3, SNEN3, STSUKI3, SHI3 FROM MSEIGYO WHERE CO = 0"),
                 QStringLiteral("昭和 1926 12 25 平成 1989 1 8 令和 2019 5 1"));
        QCOMPARE(
            text(Data, "SELECT SNIN, SNENREI, SEIKEIHI FROM MSEIKEI WHERE SKCO = 1 ORDER BY SNIN"),
            QStringLiteral("1 22 114.48, 2 28 178.93, 3 32 196.09, 4 38 213.24, 5 45 230.39"));

        // Transcribed again from the published tables: line kind, age, thousand yen.
        const QString line =
            QStringLiteral("SELECT SENSYU, NENREI, SKIN FROM MDCHINGIN WHERE MDCO = %1 "
                           "ORDER BY MCCO");
        QCOMPARE(text(Seigyo, line.arg(1)),
                 QStringLiteral("1 22 204, 1 25 223, 1 30 256, 1 35 295, 1 40 339, 1 50 411, "
                                "1 55 449, 1 60 403, 2 18 173, 2 20 177, 2 30 233, 2 40 295, "
                                "2 50 375, 2 55 375, 2 60 321"));
        QCOMPARE(
            text(Seigyo, line.arg(2)),
            QStringLiteral(
                "1 22 213.1, 1 27 246.2, 1 32 275.8, 1 37 305, 1 42 328, 1 47 344.3, 1 52 366.2, "
                "1 57 365.5, 1 62 292.8, 2 22 215.4, 2 27 253.3, 2 32 290.5, 2 37 327, "
                "2 42 357.6, 2 47 382.8, 2 52 412.1, 2 57 413.6, 2 62 318.1, 3 22 210.7, "
                "3 27 236.2, 3 32 248.5, 3 37 260, 3 42 269.9, 3 47 270.9, 3 52 277.9, "
                "3 57 273.3, 3 62 234.4"));
        // Base pay repeats scheduled pay; service and experience of code 1 follow its rule.
        QCOMPARE(text(Seigyo, "SELECT count(*) FROM MDCHINGIN WHERE KKIN <> SKIN OR (MDCO = 1 AND "
                              "(KNENSU <> NENREI - CASE SENSYU WHEN 1 THEN 22 ELSE 18 END "
                              "OR KKNENSU <> KNENSU))"),
                 QStringLiteral("0"));
    }

    void textsFitTheirFieldsAndShiftJis() {
        const QList<std::tuple<QString, QString, QString, int>> limits = {
            {Seigyo, "MKIGYOU1", "KNA", 60},
            {Seigyo, "MDEL", "MDNA DEDOKORO TCHIIKI CJITEN GYOUSYU KIBO", 30},
            {Seigyo, "MDEL", "BIKOU", 255},
            {Data, "MKIGYOU2", "TAIKEI", 50},
            {Data, "MSEIKEI", "DEDOKORO TCHIIKI CJITEN NSUCHI", 30},
            {Data, "MSYAIN1", "SCOT", 10},
            {Data, "MSYAIN1", "SNA YAKU", 20},
            {Data, "MSYAIN2", "GAKU SENKOU KSIKAKU KEIKEN", 30},
            {Data, "MSYAIN2", "HNA1 HNA2 HNA3", 10}};
        for (const auto& [db, table, columns, limit] : limits)
            for (const QString& c : columns.split(QLatin1Char(' ')))
                QVERIFY2(rows(db, QStringLiteral("SELECT max(length(%1)) FROM %2").arg(c, table))[0]
                                 .value(0)
                                 .toInt() <= limit,
                         qPrintable(table + '.' + c));
        for (const QString& db : {Seigyo, Data})
            for (const QSqlRecord& t :
                 rows(db, "SELECT name FROM sqlite_master WHERE type = 'table'"))
                for (const QSqlRecord& r : rows(db, "SELECT * FROM " + t.value(0).toString()))
                    for (int i = 0; i < r.count(); ++i)
                        if (r.value(i).typeId() == QMetaType::QString)
                            QVERIFY2(cp932Holds(r.value(i).toString()),
                                     qPrintable(t.value(0).toString() + '.' + r.fieldName(i)));
    }

    void guidePagesAreInOrderWithCrLfLineBreaks() {
        const auto pages = rows(Seigyo, "SELECT ID, Name, Memo FROM Before ORDER BY ID");
        QVERIFY(pages.size() >= 4);
        for (int k = 0; k < pages.size(); ++k) {
            QCOMPARE(num(pages[k], "ID"), k + 1);
            const QString memo = pages[k].value("Memo").toString();
            QVERIFY(!pages[k].value("Name").toString().isEmpty() && memo.contains("\r\n"));
            QCOMPARE(memo.count(QLatin1Char('\n')), memo.count(QLatin1String("\r\n")));
            QCOMPARE(memo.count(QLatin1Char('\r')), memo.count(QLatin1String("\r\n")));
        }
    }
};

QTEST_GUILESS_MAIN(TestMkdb)
#include "tst_mkdb.moc"
