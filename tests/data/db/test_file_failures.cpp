// A save that the database file cannot take: a full disk, a file or journal that cannot be
// written, a file replaced under the program. The user is told what happened and where, and
// the stored data stays as it was.
// Not on the server: a full disk or a file replaced under the program are faults of the files.

#include "data/masters/EmployeeTransfer.h"
#include "support/data/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QtTest>

namespace {

const CompanyYear Sample{1, 2023};
const QString NotSaved = QStringLiteral("変更は保存されていません。");

QVector<ImportedEmployee> newcomers(int count) {
    QVector<ImportedEmployee> list;
    for (int i = 0; i < count; ++i) {
        ImportedEmployee e;
        e.SCOT = QStringLiteral("N%1").arg(i, 4, 10, QLatin1Char('0'));
        e.SNA = QStringLiteral("新入 %1 郎").arg(i);
        e.SEIBETSU = 1;
        e.SEIHI = 20000401;
        e.NYUHI = 20230401;
        e.TOUKYU = 1;
        e.MCO = 1;
        list << e;
    }
    return list;
}

struct Fixture {
    TestEnvironment env;
    Fixture() {
        env.setToday(QDate(2023, 6, 1));
        // Packed: no free page left for a save to grow into.
        env.exec(TDM::ACN2, QStringLiteral("VACUUM"));
        env.openDatabases();
        env.openCompany(1, 2023);
    }
    // A pragma on the program's own connection to the company file; its value, if it gives one.
    int pragma(const QString& text) {
        QSqlQuery q(QSqlDatabase::database(env.dm.connectionName(TDM::ACN2), false));
        if (!q.exec(QStringLiteral("PRAGMA ") + text))
            qFatal("PRAGMA %s failed", qPrintable(text));
        return q.next() ? q.value(0).toInt() : -1;
    }
    QStringList employees() {
        return env.rows(TDM::ACN2, QStringLiteral("SELECT SCO, SCOT, SNA FROM VSYAIN WHERE "
                                                  "KCO = 1 AND NENDO = 2023 ORDER BY SCO"));
    }
    bool import(int count) {
        return StoreImportedEmployees(Sample, newcomers(count), ImportMode::Add, QDate(2023, 6, 1));
    }
};

} // namespace

class TestFileFailures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aFullDiskNamesTheFileAndStoresNothing() {
        Fixture f;
        const QStringList before = f.employees();
        // The file may not grow by a single page, as on a disk without room.
        const int pages = f.pragma(QStringLiteral("page_count"));
        QCOMPARE(f.pragma(QStringLiteral("max_page_count = %1").arg(pages)), pages);
        f.env.messages.expect(
            QStringLiteral("ディスクの空きが足りないため、データベースに書き込めま"
                           "せんでした。") +
            NotSaved + QStringLiteral("　") + f.env.dataPath());
        QVERIFY(!f.import(300));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.employees(), before);
        QVERIFY(!f.env.dm.inTransaction());

        // With room again, the same save goes through.
        f.pragma(QStringLiteral("max_page_count = 1073741823"));
        QVERIFY(f.import(300));
        QCOMPARE(f.employees().size(), before.size() + 300);
        VERIFY_MESSAGES(f.env.messages);
    }

    void aFileThatCannotBeWrittenIsNamedWithTheReason() {
        Fixture f;
        const QStringList before = f.employees();
        const QString cannot =
            QStringLiteral("データベースのファイルに書き込めませんでした。") + NotSaved;

        // Write-protected, as a file on a read-only share opens.
        f.pragma(QStringLiteral("query_only = 1"));
        f.env.messages.expect(cannot + QStringLiteral("　") + f.env.dataPath() +
                              QStringLiteral("\rファイルが読み取り専用です。"));
        QVERIFY(!f.import(1));
        VERIFY_MESSAGES(f.env.messages);
        f.pragma(QStringLiteral("query_only = 0"));

        // The journal a save writes beside the file cannot be made: a folder has its name.
        const QString journal = f.env.dataPath() + QStringLiteral("-journal");
        QVERIFY(QDir().mkdir(journal));
        f.env.messages.expect(cannot + QStringLiteral("　") + f.env.dataPath() +
                              QStringLiteral("\r同じ名前のフォルダーがあります。"));
        QVERIFY(!f.import(1));
        VERIFY_MESSAGES(f.env.messages);
        QVERIFY(QDir().rmdir(journal));

        QCOMPARE(f.employees(), before);
        QVERIFY(f.import(1));
        VERIFY_MESSAGES(f.env.messages);
    }

    void aFileReplacedUnderTheProgramIsSaidSo() {
        Fixture f;
        const QStringList before = f.employees();
        // What a compaction or a restore beside the running program does.
        const QString copy = f.env.dataDir() + QStringLiteral("copy.db");
        QVERIFY(QFile::copy(f.env.dataPath(), copy));
        QVERIFY(::rename(QFile::encodeName(copy).constData(),
                         QFile::encodeName(f.env.dataPath()).constData()) == 0);
        f.env.messages.expect(
            QStringLiteral("データベースのファイルが他のプログラムに置き換えられたため、書き込めま"
                           "せんでした。") +
            NotSaved + QStringLiteral("Tesvane を終了して、起動し直してください。　") +
            f.env.dataPath());
        QVERIFY(!f.import(1));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.employees(), before);
    }
};

QTEST_GUILESS_MAIN(TestFileFailures)
#include "test_file_failures.moc"
