#include "core/common/AppState.h"
#include "core/common/SqlText.h"
#include "core/common/SystemUser.h"
#include "data/db/Transaction.h"
#include "support/data/TestSupport.h"

#include <QFile>
#include <QSysInfo>
#include <QtTest>

namespace {
const QString Unknown = QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。");
const QString Overflow = QStringLiteral("ＳＱＬ処理でオーバーフローが発生しました。");
const QString OpenError = QStringLiteral("データベースのオープンでエラーが発生しました。　");
} // namespace

class TestTdm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openFailuresNameThePathAndCreateNothing() {
        TQuery q1;
        TestEnvironment env(false);
        const QString missing = env.dataDir() + QStringLiteral("SEIGYO.db");
        env.messages.expect(OpenError + missing, Msg::Answer::Ok, QStringLiteral("Tesvane賃金"));
        QVERIFY(!env.dm.OpenConnection(TDM::ACN1, missing));
        QVERIFY(!env.dm.isOpen(TDM::ACN1));
        QVERIFY(!QFile::exists(missing)); // never creates an empty database

        QFile junk(env.dataDir() + QStringLiteral("DATA.db"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("this is not a database file, just text");
        junk.close();
        env.messages.expect(OpenError + junk.fileName());
        QVERIFY(!env.dm.OpenConnection(TDM::ACN2, junk.fileName()));

        // Statements on a closed connection fail with the general message.
        env.messages.expect(Unknown);
        QVERIFY(!(q1 = env.dm.select(TDM::ACN1, QStringLiteral("SELECT 1"))).active());
        QVERIFY(q1.eof());
        QCOMPARE(q1.asText(QStringLiteral("X")), QString());
        QCOMPARE(q1.asInt(QStringLiteral("X")), 0);
        VERIFY_MESSAGES(env.messages);
    }

    void failedStatementsAreReportedAndTheCallerGoesOn() {
        TQuery q21;
        TestEnvironment env;
        env.openDatabases();
        TDM& dm = env.dm;
        QVERIFY(
            dm.exec(TDM::ACN2, QStringLiteral("INSERT INTO MHYOUKA VALUES (90, 2030, 1, 'S', 6)")));
        env.messages.expect(Unknown, Msg::Answer::Ok, QStringLiteral("Tesvane賃金"));
        QVERIFY(!dm.exec(TDM::ACN2,
                         QStringLiteral("INSERT INTO MHYOUKA VALUES (90, 2030, 1, 'A', 5)")));
        QCOMPARE(env.scalar(TDM::ACN2, QStringLiteral("SELECT HKIGOU FROM MHYOUKA WHERE KCO=90")),
                 QStringLiteral("S"));
        env.messages.expect(Unknown);
        QVERIFY(
            !(q21 = dm.select(TDM::ACN2, QStringLiteral("SELECT * FROM NOSUCHTABLE"))).active());
        QVERIFY(!q21.active());
        env.messages.expect(Overflow);
        QVERIFY(
            !(q21 = dm.select(TDM::ACN2, QStringLiteral("SELECT abs(-9223372036854775807 - 1)")))
                 .active());
        VERIFY_MESSAGES(env.messages);
    }

    void readingRows() {
        TestEnvironment env;
        env.openDatabases();
        TDM& dm = env.dm;
        env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MSEIKEI (KCO, NENDO, SKCO, SNIN, SNENREI, "
                                           "SEIKEIHI, KKRITSU, DEDOKORO) VALUES (0, 0, 90, 1, 22, "
                                           "114.48, 1.01, NULL), (0, 0, 90, 2, 28, 178.93, 1.01, "
                                           "'x')"));
        TQuery q;
        QVERIFY(
            (q = dm.select(TDM::ACN2,
                           QStringLiteral("SELECT * FROM MSEIKEI WHERE SKCO = 90 ORDER BY SNIN")))
                .active());
        QCOMPARE(q.recordCount(), 2);
        QVERIFY(q.fieldCount() >= 14);
        QCOMPARE(q.asInt(QStringLiteral("snin")), 1); // names are not case-sensitive
        QCOMPARE(q.asCurrency(QStringLiteral("SEIKEIHI")).toString(), QStringLiteral("114.48"));
        QCOMPARE(q.asCurrency(QStringLiteral("KKRITSU")).raw(), 10100);
        QCOMPARE(q.asText(QStringLiteral("DEDOKORO")), QString()); // null reads as empty text
        QCOMPARE(q.asText(QStringLiteral("SEIKEIHI")), QStringLiteral("114.48"));
        q.next();
        QCOMPARE(q.asText(QStringLiteral("DEDOKORO")), QStringLiteral("x"));
        q.next();
        QVERIFY(q.eof());
        // A second open replaces the first result.
        QVERIFY((q = dm.select(TDM::ACN2, QStringLiteral("SELECT 7 AS N"))).active());
        QCOMPARE(q.recordCount(), 1);
        QCOMPARE(q.asInt(QStringLiteral("N")), 7);
        QVERIFY(!q.hasField(QStringLiteral("SNIN")));
        q.close();
        QVERIFY(q.eof());
        VERIFY_MESSAGES(env.messages);
    }

    void quotedTextsRoundTrip() {
        TQuery q1;
        TestEnvironment env;
        env.openDatabases();
        TDM& dm = env.dm;
        const QStringList names = {QStringLiteral("O'Brien商事"), QStringLiteral("''"),
                                   QStringLiteral("a'); DELETE FROM MKIGYOU1; --"),
                                   QStringLiteral("ソ表能～①\"")};
        int kco = 80;
        for (const QString& name : names) {
            QVERIFY(dm.exec(TDM::ACN1,
                            QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO, KNA) VALUES (") +
                                SqlNum(double(kco)) + QStringLiteral(", 2030, ") + SqlQuote(name) +
                                QStringLiteral(")")));
            QVERIFY(
                (q1 = dm.select(TDM::ACN1, QStringLiteral("SELECT KNA FROM MKIGYOU1 WHERE KCO = ") +
                                               SqlNum(12.0 + kco - 12) +
                                               QStringLiteral(" AND NENDO = 2030")))
                    .active());
            QCOMPARE(q1.asText(QStringLiteral("KNA")), name);
            ++kco;
        }
        QVERIFY(env.scalar(TDM::ACN1, QStringLiteral("SELECT count(*) FROM MKIGYOU1")).toInt() >=
                names.size());
        VERIFY_MESSAGES(env.messages);
    }

    void boundValuesReachTheDatabaseUnchanged() {
        TestEnvironment env;
        env.openDatabases();
        TDM& dm = env.dm;
        const QString hostile = QStringLiteral("O'Brien'); DROP TABLE MHYOUKA; --\\ソ表");
        QVERIFY(dm.exec(TDM::ACN2, QStringLiteral("INSERT INTO MHYOUKA VALUES (?, ?, ?, ?, ?)"),
                        {90, 2030, 1, hostile, 6}));
        QCOMPARE(dm.changedRows(), 1);
        TQuery q = dm.select(TDM::ACN2,
                             QStringLiteral("SELECT HKIGOU, SGOUSU FROM MHYOUKA WHERE KCO = ? AND "
                                            "HKIGOU = ?"),
                             {90, hostile});
        QVERIFY(q.active());
        QCOMPARE(q.recordCount(), 1);
        QCOMPARE(q.asText(QStringLiteral("HKIGOU")), hostile);
        QCOMPARE(q.asInt(QStringLiteral("sgousu")), 6);
        // Money binds as the number it is: whole amounts exact, decimals as written.
        QVERIFY(dm.exec(TDM::ACN2,
                        QStringLiteral("INSERT INTO MSYAIN1 (KCO, NENDO, SCO, SYOUYO, SRITSU) "
                                       "VALUES (90, 2030, 1, ?, ?)"),
                        {BindValue(Currency::fromInt(123456789012LL)),
                         BindValue(Currency::fromString(QStringLiteral("1.0125")))}));
        q = dm.select(TDM::ACN2,
                      QStringLiteral("SELECT SYOUYO, SRITSU FROM MSYAIN1 WHERE KCO = 90"));
        QCOMPARE(q.asCurrency(QStringLiteral("SYOUYO")), Currency::fromInt(123456789012LL));
        QCOMPARE(q.asCurrency(QStringLiteral("SRITSU")).toString(), QStringLiteral("1.0125"));
        if (!env.onServer()) // stored as an integer, not a real that merely prints as one
            QCOMPARE(
                env.scalar(TDM::ACN2,
                           QStringLiteral("SELECT typeof(SYOUYO) FROM MSYAIN1 WHERE KCO = 90")),
                QStringLiteral("integer"));
        // A failure is reported once and gives an inactive result.
        env.messages.expect(Unknown);
        q = dm.select(TDM::ACN2, QStringLiteral("SELECT * FROM MHYOUKA WHERE NOSUCH = ?"), {1});
        QVERIFY(!q.active());
        QVERIFY(q.eof());
        env.messages.expect(Unknown);
        QVERIFY(!dm.exec(TDM::ACN2, QStringLiteral("INSERT INTO MHYOUKA VALUES (?, ?, ?, ?, ?)"),
                         {90, 2030, 1, QStringLiteral("dup"), 1}));
        // Inside a scope over both files, statements on either file land together or not.
        {
            Transaction tx(TDM::Files::Both, dm);
            QVERIFY(dm.exec(TDM::ACN1, QStringLiteral("UPDATE MSEIGYO SET FREKI = ?"), {3}));
            QVERIFY(dm.exec(TDM::ACN2, QStringLiteral("DELETE FROM MHYOUKA WHERE KCO = ?"), {90}));
            env.messages.expect(Unknown);
            QVERIFY(!dm.exec(TDM::ACN2, QStringLiteral("INSERT INTO NOSUCH VALUES (?)"), {1}));
            QVERIFY(!tx.commit());
        }
        QCOMPARE(env.scalar(TDM::ACN1, QStringLiteral("SELECT FREKI FROM MSEIGYO")),
                 QStringLiteral("2"));
        QCOMPARE(env.scalar(TDM::ACN2, QStringLiteral("SELECT count(*) FROM MHYOUKA WHERE KCO=90")),
                 QStringLiteral("1"));
        VERIFY_MESSAGES(env.messages);
    }

    // Many rows of one table in one call (the server sends them several to a statement): every
    // row lands with its values, whatever the count against the batch size, and a failing row
    // in a later batch fails the call.
    void manyRowsInOneCall() {
        TestEnvironment env;
        env.openDatabases();
        TDM& dm = env.dm;
        const QString insert = QStringLiteral(
            "INSERT INTO MHYOUKA (KCO, NENDO, HCO, HKIGOU, SGOUSU) VALUES (?, ?, ?, ?, ?)");
        for (const int count : {1, 199, 200, 201, 457}) {
            QVector<TDM::Binds> rows;
            for (int i = 1; i <= count; ++i)
                rows.push_back(
                    {91, 2000 + count, i,
                     i % 7 == 0 ? QVariant() : QVariant(QStringLiteral("O'記%1\\").arg(i)),
                     i % 5 == 0 ? QVariant(true) : QVariant(i)});
            QVERIFY(dm.execEach(TDM::ACN2, insert, rows));
            QCOMPARE(dm.changedRows(), count);
            TQuery q = dm.select(TDM::ACN2,
                                 QStringLiteral("SELECT HCO, HKIGOU, SGOUSU FROM MHYOUKA WHERE KCO "
                                                "= 91 AND NENDO = ? ORDER BY HCO"),
                                 {2000 + count});
            QCOMPARE(q.recordCount(), count);
            for (int i = 1; !q.eof(); q.next(), ++i) {
                QCOMPARE(q.asInt(QStringLiteral("HCO")), i);
                QCOMPARE(q.value(QStringLiteral("HKIGOU")).isNull(), i % 7 == 0);
                if (i % 7 != 0)
                    QCOMPARE(q.asText(QStringLiteral("HKIGOU")), QStringLiteral("O'記%1\\").arg(i));
                QCOMPARE(q.asInt(QStringLiteral("SGOUSU")), i % 5 == 0 ? 1 : i);
            }
        }
        QVector<TDM::Binds> clash;
        for (int i = 1; i <= 300; ++i)
            clash.push_back({91, 2001, i == 250 ? 1 : 1000 + i, QStringLiteral("x"), 0});
        {
            Transaction tx(TDM::Files::Data, dm);
            env.messages.expect(Unknown);
            QVERIFY(!dm.execEach(TDM::ACN2, insert, clash));
        }
        QCOMPARE(env.scalar(TDM::ACN2, QStringLiteral("SELECT count(*) FROM MHYOUKA WHERE KCO = 91 "
                                                      "AND NENDO = 2001")),
                 QStringLiteral("1"));
        VERIFY_MESSAGES(env.messages);
    }

    // Rows given value by value: the same rows as from value lists (null and empty texts,
    // quotes), on either engine; a row with too few values or a clash fails, reported.
    void rowsGivenValueByValue() {
        TestEnvironment env;
        env.openDatabases();
        TDM& dm = env.dm;
        const QString insert = QStringLiteral(
            "INSERT INTO MHYOUKA (KCO, NENDO, HCO, HKIGOU, SGOUSU) VALUES (?, ?, ?, ?, ?)");
        const auto text = [](qsizetype r) {
            return r % 7 == 3   ? QString()
                   : r % 7 == 4 ? QStringLiteral("")
                                : QStringLiteral("O'記%1\\").arg(r);
        };
        QVERIFY(dm.execRows(TDM::ACN2, insert, 300, [&](qsizetype r, RowValues& v) {
            v.add(qint64(92));
            v.add(qint64(2000));
            v.add(qint64(r + 1));
            v.add(text(r));
            v.add(qint64(r) * 1000000000);
        }));
        QCOMPARE(dm.changedRows(), 300);
        QStringList expected;
        for (qsizetype r = 0; r < 300; ++r)
            expected << QStringLiteral("%1|%2|%3|%4")
                            .arg(r + 1)
                            .arg(text(r).isNull() ? QStringLiteral("null") : text(r))
                            .arg(text(r).isNull() ? 1 : 0)
                            .arg(qint64(r) * 1000000000);
        QCOMPARE(env.rows(TDM::ACN2,
                          QStringLiteral("SELECT HCO, COALESCE(HKIGOU, 'null'), HKIGOU IS NULL, "
                                         "SGOUSU FROM MHYOUKA WHERE KCO = 92 ORDER BY HCO")),
                 expected);

        {
            Transaction tx(TDM::Files::Data, dm);
            env.messages.expect(Unknown);
            QVERIFY(!dm.execRows(TDM::ACN2, insert, 3, [](qsizetype r, RowValues& v) {
                v.add(qint64(92));
                v.add(qint64(2001));
                v.add(qint64(r + 1));
                if (r < 2)
                    v.add(QStringLiteral("x"));
                v.add(qint64(0));
            }));
            VERIFY_MESSAGES(env.messages);
            env.messages.expect(Unknown);
            QVERIFY(!dm.execRows(TDM::ACN2, insert, 2, [](qsizetype, RowValues& v) {
                for (const qint64 value : {92, 2001, 1})
                    v.add(value);
                v.add(QStringLiteral("same key"));
                v.add(qint64(0));
            }));
            VERIFY_MESSAGES(env.messages);
        }
        QCOMPARE(env.scalar(TDM::ACN2, QStringLiteral("SELECT count(*) FROM MHYOUKA WHERE KCO = 92 "
                                                      "AND NENDO = 2001")),
                 QStringLiteral("0"));
    }

    // Rows handed over as they are read give what TQuery gives: integers, texts (null, empty,
    // quoted), amounts with decimals, reals and integers stored as text; a bad statement fails,
    // reported.
    void rowsReadOneAtATime() {
        TestEnvironment env;
        env.openDatabases();
        TDM& dm = env.dm;
        env.exec(TDM::ACN2, QStringLiteral("CREATE TABLE T_READ (A INTEGER, B TEXT, C NUMERIC)"));
        env.exec(TDM::ACN2, QStringLiteral("INSERT INTO T_READ VALUES (1, 'O''記', 12.5), "
                                           "(2, NULL, NULL), (3, '', 7), (4, '42', '3.25'), "
                                           "(5.9, '1.5', 100000)"));
        const QString sql = QStringLiteral("SELECT A, B, C, B FROM T_READ WHERE A > ? ORDER BY A");
        QStringList each, whole;
        QVERIFY(dm.selectEach(TDM::ACN2, sql, {0}, [&](const RowReader& r) {
            each << QStringLiteral("%1|%2|%3|%4|%5")
                        .arg(r.integer(0))
                        .arg(r.text(1).isNull() ? QStringLiteral("null") : r.text(1))
                        .arg(r.currency(2).toString())
                        .arg(r.integer(3))
                        .arg(r.text(2));
        }));
        for (TQuery q = dm.select(TDM::ACN2, sql, {0}); !q.eof(); q.next())
            whole << QStringLiteral("%1|%2|%3|%4|%5")
                         .arg(VariantInt(q.value(0)))
                         .arg(VariantText(q.value(1)).isNull() ? QStringLiteral("null")
                                                               : VariantText(q.value(1)))
                         .arg(VariantCurrency(q.value(2)).toString())
                         .arg(VariantInt(q.value(3)))
                         .arg(VariantText(q.value(2)));
        QCOMPARE(each, whole);
        QCOMPARE(each.size(), 5);
        QCOMPARE(each.at(0), QStringLiteral("1|O'記|12.5|0|12.5"));
        QCOMPARE(each.at(1), QStringLiteral("2|null|0|0|"));
        QCOMPARE(each.at(3), QStringLiteral("4|42|3.25|42|3.25"));

        env.messages.expect(Unknown);
        QVERIFY(!dm.selectEach(TDM::ACN2, QStringLiteral("SELECT NOPE FROM T_READ"), {},
                               [](const RowReader&) {}));
        VERIFY_MESSAGES(env.messages);
    }

    void transactionsSpanBothFiles() {
        TQuery q1;
        TestEnvironment env;
        env.openDatabases();
        TDM& dm = env.dm;
        env.failWrites(QStringLiteral("refuse"), QStringLiteral("INSERT"), QStringLiteral("MGRAPH"),
                       QStringLiteral("NEW.KCO = 91"));
        const QString master = QStringLiteral("SELECT count(*) FROM MKIGYOU1 WHERE KCO = %1");
        const QString settings = QStringLiteral("SELECT count(*) FROM MKIGYOU2 WHERE KCO = %1");
        {
            Transaction tx(TDM::Files::Both, dm);
            QVERIFY(tx.ok());
            QVERIFY(dm.exec(TDM::ACN1,
                            QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO) VALUES (91, 2030)")));
            QVERIFY(dm.exec(TDM::ACN2,
                            QStringLiteral("INSERT INTO MKIGYOU2 (KCO, NENDO) VALUES (91, 2030)")));
            env.messages.expect(Unknown);
            QVERIFY(!dm.exec(TDM::ACN2,
                             QStringLiteral("INSERT INTO MGRAPH (KCO, NENDO, GSCO) VALUES (91, "
                                            "2030, 1)")));
            QVERIFY(!tx.commit()); // a failed statement never lets the rest land
        }
        QCOMPARE(env.scalar(TDM::ACN1, master.arg(91)), QStringLiteral("0"));
        QCOMPARE(env.scalar(TDM::ACN2, settings.arg(91)), QStringLiteral("0"));
        {
            Transaction tx(TDM::Files::Both, dm);
            QVERIFY(dm.exec(TDM::ACN1,
                            QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO) VALUES (92, 2030)")));
            QVERIFY(dm.exec(TDM::ACN2,
                            QStringLiteral("INSERT INTO MKIGYOU2 (KCO, NENDO) VALUES (92, 2030)")));
            // Reads inside the scope see the scope's own writes on either file.
            QVERIFY((q1 = dm.select(TDM::ACN1, master.arg(92))).active());
            QCOMPARE(q1.value(0).toInt(), 1);
            QVERIFY(tx.commit());
        }
        QCOMPARE(env.scalar(TDM::ACN1, master.arg(92)), QStringLiteral("1"));
        QCOMPARE(env.scalar(TDM::ACN2, settings.arg(92)), QStringLiteral("1"));
        {
            // Leaving the scope without commit rolls back.
            Transaction tx(TDM::Files::Data, dm);
            QVERIFY(dm.exec(TDM::ACN2,
                            QStringLiteral("INSERT INTO MKIGYOU2 (KCO, NENDO) VALUES (93, 2030)")));
        }
        QCOMPARE(env.scalar(TDM::ACN2, settings.arg(93)), QStringLiteral("0"));
        // After the scope the control file is on its own connection again.
        QVERIFY((q1 = dm.select(TDM::ACN1, master.arg(92))).active());
        QCOMPARE(q1.value(0).toInt(), 1);
        VERIFY_MESSAGES(env.messages);
    }

    void settingsOfEveryConnection() {
        TestEnvironment env;
        if (env.onServer())
            QSKIP("the files' own settings");
        env.openDatabases();
        for (TDM::Conn conn : {TDM::ACN1, TDM::ACN2}) {
            TQuery q;
            QVERIFY((q = env.dm.select(conn, QStringLiteral("PRAGMA journal_mode"))).active());
            QCOMPARE(q.value(0).toString(), QStringLiteral("delete"));
            QVERIFY((q = env.dm.select(conn, QStringLiteral("PRAGMA foreign_keys"))).active());
            QCOMPARE(q.value(0).toInt(), 1);
            QVERIFY((q = env.dm.select(conn, QStringLiteral("PRAGMA synchronous"))).active());
            QCOMPARE(q.value(0).toInt(), 2);
        }
        VERIFY_MESSAGES(env.messages);
    }

    // Who holds a company is named by the system's user name, also when the environment names
    // nobody (a service, a cron job, a shell without a login).
    void companyLockHolderIsNamedWithoutAUserInTheEnvironment() {
        TestEnvironment env;
        if (!env.onServer())
            QSKIP("on the files the write lock makes others wait and names nobody");
        QList<std::pair<const char*, QByteArray>> saved;
        for (const char* name : {"USER", "USERNAME"})
            if (qEnvironmentVariableIsSet(name)) {
                saved.append({name, qgetenv(name)});
                qunsetenv(name);
            }
        env.openDatabases(); // the connection names its user when it opens
        for (const auto& [name, value] : saved)
            qputenv(name, value);
        Transaction held(TDM::Files::Both, env.dm);
        QString holder;
        QVERIFY(env.dm.tryLockCompany(1, &holder));

        TDM other;
        QVERIFY(other.OpenConnection(TDM::ACN1, env.seigyoPath()));
        QVERIFY(other.OpenConnection(TDM::ACN2, env.dataPath()));
        Transaction waiting(TDM::Files::Both, other);
        QVERIFY(!other.tryLockCompany(1, &holder));
        QVERIFY2(!holder.startsWith(QLatin1Char('@')), qPrintable(holder));
        QCOMPARE(holder,
                 (SystemUserName() + QLatin1Char('@') + QSysInfo::machineHostName()).left(52));
        env.dm.makeCurrent();
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_MAIN(TestTdm)
#include "test_tdm.moc"
