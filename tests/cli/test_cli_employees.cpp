#include "core/masters/Cp932.h"
#include "support/data/TestSupport.h"

#include <QFile>
#include <QtTest>

namespace {

QStringList employees(const TestEnvironment& env, const QStringList& rest) {
    return QStringList{QStringLiteral("--data"), env.appDir(), QStringLiteral("employees")} + rest;
}

const QStringList Sample = {"--company", "1", "--year", "2023"};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCliEmployees : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exportsWhereTheProgramDoes() {
        TestEnvironment env;
        CliRun r = runCli(employees(env, QStringList{"export"} + Sample));
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains(QStringLiteral("60 employees written")), qPrintable(r.out + r.err));
        const QByteArray file = readAll(env.appDir() + QStringLiteral("CSV/社員マスタ出力.CSV"));
        QVERIFY(file.startsWith(QByteArray("\x8E\xD0\x88\xF5\x94\xD4\x8D\x86,"))); // 社員番号,
        QCOMPARE(file.count("\r\n"), 61);

        const QString out = env.appDir() + QStringLiteral("elsewhere.csv");
        r = runCli(employees(env, QStringList{"export"} + Sample + QStringList{"--out", out}));
        QCOMPARE(r.status, 0);
        QCOMPARE(readAll(out), file);

        r = runCli(employees(env, {"export", "--company", "9", "--year", "2023"}));
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("no company 9 in year 2023")));
    }

    void importStoresNothingWhenARowIsFaulty() {
        TestEnvironment env;
        const QString file = WriteCp932File(env.appDir() + QStringLiteral("in.csv"),
                                            QStringLiteral("社員名,社員番号,賃金等級\r\n"
                                                           "良,1,2\r\n"
                                                           ",2,3\r\n"
                                                           "悪,3,12\r\n"));
        CliRun r =
            runCli(employees(env, QStringList{"import", file} + Sample + QStringList{"--add"}));
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("line 3: 社員名がありません")), qPrintable(r.err));
        QVERIFY(r.err.contains(QStringLiteral("line 4: 賃金等級「12」が 9 を超えています")));
        QVERIFY(!r.err.contains(QStringLiteral("line 2")));
        QVERIFY(r.err.contains(QStringLiteral("エラーが存在するので取込できません。")));
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN1"), QStringLiteral("60"));
    }

    void headerOnlyFileReplacesNothing() {
        TestEnvironment env;
        const QString file = WriteCp932File(env.appDir() + QStringLiteral("header_only.csv"),
                                            QStringLiteral("社員名,社員番号,賃金等級\r\n"));
        for (const char* mode : {"--replace", "--add"}) {
            const CliRun r = runCli(employees(env, QStringList{"import", file} + Sample +
                                                       QStringList{QString::fromLatin1(mode)}));
            QCOMPARE(r.status, 1);
            QCOMPARE(r.err.trimmed(), file + QStringLiteral("　にはデータが有りません。"));
            QVERIFY(!r.out.contains(QStringLiteral("imported")));
        }
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN1 WHERE KCO = 1 AND "
                                       "NENDO = 2023"),
                 QStringLiteral("60"));
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN2 WHERE KCO = 1 AND "
                                       "NENDO = 2023"),
                 QStringLiteral("60"));
    }

    void negativeGradeIsAFaultyRow() {
        TestEnvironment env;
        const QString file =
            WriteCp932File(env.appDir() + QStringLiteral("neg.csv"),
                           QStringLiteral("社員名,社員番号,賃金等級\r\n甲,1,-3\r\n"));
        const CliRun r =
            runCli(employees(env, QStringList{"import", file} + Sample + QStringList{"--add"}));
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("line 2: 賃金等級「-3」が 0 より小さい値です")),
                 qPrintable(r.err));
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN2 WHERE TOUKYU < 0"),
                 QStringLiteral("0"));
    }

    void importsAddingOrReplacing() {
        TestEnvironment env;
        const QString file = WriteCp932File(env.appDir() + QStringLiteral("in.csv"),
                                            QStringLiteral("社員名,社員番号\r\n甲,1\r\n乙,2\r\n"));
        CliRun r =
            runCli(employees(env, QStringList{"import", file} + Sample + QStringList{"--add"}));
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains(QStringLiteral("2 employees imported (codes 61-62)")),
                 qPrintable(r.out + r.err));
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT SNA FROM MSYAIN1 WHERE SCO = 62"),
                 QStringLiteral("乙"));

        // Export, replace with the export, export again: the same bytes.
        const QString first = env.appDir() + QStringLiteral("first.csv");
        const QString second = env.appDir() + QStringLiteral("second.csv");
        QCOMPARE(
            runCli(employees(env, QStringList{"export"} + Sample + QStringList{"--out", first}))
                .status,
            0);
        r = runCli(
            employees(env, QStringList{"import", first} + Sample + QStringList{"--replace"}));
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains(QStringLiteral("62 employees imported (codes 1-62)")));
        QCOMPARE(
            runCli(employees(env, QStringList{"export"} + Sample + QStringList{"--out", second}))
                .status,
            0);
        QCOMPARE(readAll(second), readAll(first));
    }

    // Marks travel in a twelfth column when asked; a late date is a warning line that does not
    // stop the import; the last message counts the employees without a mark.
    void marksAndWarnings() {
        TestEnvironment env;
        const QString marked = env.appDir() + QStringLiteral("marked.csv");
        CliRun r = runCli(employees(env, QStringList{"export"} + Sample +
                                             QStringList{"--out", marked, "--with-mark"}));
        QCOMPARE(r.status, 0);
        QString text;
        QVERIFY(Cp932::decode(readAll(marked), text));
        QVERIFY(text.startsWith(QStringLiteral("社員番号,社員名,役職,性別,学歴,専攻,職務経験,"
                                               "社内身分,生年月日,入社日,賃金等級,マーク\r\n")));
        // A0001 中村 誠: a regular employee (社内身分 from the kind code) with mark 1.
        QVERIFY2(text.contains(QStringLiteral("\"A0001\",\"中村　誠\",")),
                 qPrintable(text.left(300)));
        QVERIFY(text.section(QStringLiteral("\r\n"), 1, 1).contains(QStringLiteral("\"正社員\"")));
        QVERIFY(text.section(QStringLiteral("\r\n"), 1, 1).endsWith(QStringLiteral(",1")));
        r = runCli(
            employees(env, QStringList{"import", marked} + Sample + QStringList{"--replace"}));
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err.trimmed(), QStringLiteral("社員マスタを 60 名取り込みました。"));
        QCOMPARE(env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN1 WHERE MCO = 0"),
                 QStringLiteral("0"));

        const QString late = WriteCp932File(env.appDir() + QStringLiteral("late.csv"),
                                            QStringLiteral("社員名,社員番号,入社日,マーク\r\n"
                                                           "甲,X1,2024/4/1,\r\n"
                                                           "乙,X2,2020/4/1,□\r\n"));
        r = runCli(employees(env, QStringList{"import", late} + Sample + QStringList{"--add"}));
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.contains(QStringLiteral("line 2: WARN: 入社日「2024/4/1」が基準年月日 "
                                               "2023.04.01 より後です（勤続 -1）")),
                 qPrintable(r.err));
        QVERIFY(r.err.contains(QStringLiteral("社員マスタを 2 名取り込みました。\nうち 1 名は"
                                              "マークがありません。")));
        QCOMPARE(env.rows(TDM::ACN2, "SELECT KINZOKU, MCO FROM MSYAIN1 WHERE SCO > 60 ORDER BY SCO")
                     .join(QLatin1Char(' ')),
                 QStringLiteral("-1|0 3|2"));
        // The workbook has no mark column to add.
        r = runCli(
            employees(env, QStringList{"export"} + Sample +
                               QStringList{"--xlsx", env.appDir() + "x.xlsx", "--with-mark"}));
        QCOMPARE(r.status, 2);
    }

    void refusesIncompleteCommands() {
        TestEnvironment env;
        const QStringList bad[] = {
            {"import", "x.csv", "--company", "1", "--year", "2023"},
            {"import", "x.csv", "--company", "1", "--year", "2023", "--add", "--replace"},
            {"import", "--company", "1", "--year", "2023", "--add"},
            {"export", "--company", "1"},
            {"export", "--company", "x", "--year", "2023"},
            {"frob"},
            {},
        };
        for (const QStringList& args : bad) {
            const CliRun r = runCli(employees(env, args));
            QVERIFY2(r.status == 2, qPrintable(args.join(' ') + ": " + r.err));
        }
        const CliRun missing = runCli(employees(
            env, QStringList{"import", env.appDir() + "none.csv"} + Sample + QStringList{"--add"}));
        QCOMPARE(missing.status, 1);
    }
};

QTEST_GUILESS_MAIN(TestCliEmployees)
#include "test_cli_employees.moc"
