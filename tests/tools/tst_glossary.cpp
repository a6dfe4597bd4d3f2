// The glossary keeps up with the schemas: every table, view and column of the schema files has
// its line, saying what it holds and who edits it, and no line names a column that is gone.
// The schemas are read by laying them out in memory, so the columns are the engine's own.

#include "data/db/SqlScript.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

namespace {

// Table or view name -> its columns, in order.
using Schema = QHash<QString, QStringList>;

QString read(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return QString::fromUtf8(f.readAll());
}

// Every table and view the schema files of the folder create.
Schema schemaOf(const QString& folder) {
    Schema schema;
    const QStringList files =
        QDir(folder).entryList({QStringLiteral("*schema*.sql")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QString connection = QStringLiteral("glossary-") + file;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(QStringLiteral(":memory:"));
            if (!db.open())
                qFatal("cannot open an in-memory database");
            QList<SqlStatement> statements;
            QString error;
            if (!SplitSqlScript(read(QDir(folder).filePath(file)), &statements, &error))
                qFatal("%s: %s", qPrintable(file), qPrintable(error));
            QSqlQuery q(db);
            for (const SqlStatement& s : statements)
                if (!q.exec(s.text))
                    qFatal("%s line %d: %s", qPrintable(file), s.line,
                           qPrintable(q.lastError().text()));
            for (const QString& name : db.tables(QSql::AllTables)) {
                if (name.startsWith(QStringLiteral("sqlite_")))
                    continue;
                const QSqlRecord record = db.record(name);
                QStringList columns;
                for (int i = 0; i < record.count(); ++i)
                    columns << record.fieldName(i);
                schema.insert(name, columns);
            }
        }
        QSqlDatabase::removeDatabase(connection);
    }
    return schema;
}

// What the glossary lacks or names wrongly, one problem a line. A line is a table row whose
// first cell is the name in backquotes: `TABLE` or `TABLE.COLUMN`, then what it holds and who
// edits it.
QStringList glossaryProblems(const Schema& schema, const QString& glossary) {
    static const QRegularExpression row(
        QStringLiteral(R"(^\|\s*`([^`]+)`\s*\|([^|]*)\|([^|]*)\|\s*$)"));
    static const QRegularExpression qualified(QStringLiteral(R"(^(\w+)\.(\w+)$)"));
    QHash<QString, bool> lines; // name -> says what it holds and who edits it
    QStringList problems;
    for (const QString& line : glossary.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = row.match(line.trimmed());
        if (!m.hasMatch())
            continue;
        const QString name = m.captured(1);
        lines.insert(name,
                     !m.captured(2).trimmed().isEmpty() && !m.captured(3).trimmed().isEmpty());
        const QRegularExpressionMatch q = qualified.match(name);
        if (!q.hasMatch())
            continue;
        if (!schema.contains(q.captured(1)))
            problems << name + QStringLiteral(": no such table in the schemas");
        else if (!schema.value(q.captured(1)).contains(q.captured(2)))
            problems << name + QStringLiteral(": no such column in the schemas");
    }
    QStringList tables = schema.keys();
    tables.sort();
    for (const QString& table : tables) {
        QStringList names{table};
        for (const QString& column : schema.value(table))
            names << table + QLatin1Char('.') + column;
        for (const QString& name : names) {
            if (!lines.contains(name))
                problems << name + QStringLiteral(": no line in the glossary");
            else if (!lines.value(name))
                problems << name + QStringLiteral(": says not what it holds or who edits it");
        }
    }
    return problems;
}

// The glossary without the line of a name.
QString without(const QString& glossary, const QString& name) {
    QStringList kept;
    const QString start = QStringLiteral("| `") + name + QStringLiteral("` |");
    for (const QString& line : glossary.split(QLatin1Char('\n')))
        if (!line.startsWith(start))
            kept << line;
    if (kept.size() != glossary.count(QLatin1Char('\n')))
        qFatal("the glossary has no single line for %s", qPrintable(name));
    return kept.join(QLatin1Char('\n'));
}

} // namespace

class TestGlossary : public QObject {
    Q_OBJECT
private slots:
    // Both files' schemas, views included, each column once.
    void schemasAreRead() {
        const Schema schema = schemaOf(QStringLiteral(GLOSSARY_SQL_DIR));
        for (const char* table :
             {"MSEIGYO", "Before", "MKIGYOU1", "MKIGYOU2", "MSYAIN2", "DCHINGIN"})
            QVERIFY2(schema.contains(QLatin1String(table)), table);
        QCOMPARE(schema.value(QStringLiteral("MHYOUKA")),
                 QStringList({"KCO", "NENDO", "HCO", "HKIGOU", "SGOUSU"}));
        const QStringList view = schema.value(QStringLiteral("VSYAIN"));
        QCOMPARE(view.count(QStringLiteral("SCO")), 1);
        QCOMPARE(view.mid(view.size() - 3), QStringList({"HYOUKA", "KIN", "NKIN"}));
    }

    void everyTableAndColumnHasItsLine() {
        const QStringList problems = glossaryProblems(schemaOf(QStringLiteral(GLOSSARY_SQL_DIR)),
                                                      read(QStringLiteral(GLOSSARY_DOC)));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // A line taken away, left half written or naming a column that is gone is named.
    void gapsAreNamed() {
        const Schema schema = schemaOf(QStringLiteral(GLOSSARY_SQL_DIR));
        QString glossary = read(QStringLiteral(GLOSSARY_DOC));
        for (const char* name : {"MSYAIN1.JISEKI", "DCHINGIN", "VSYAIN.NKIN", "MHYOUKA.HCO"})
            glossary = without(glossary, QLatin1String(name));
        glossary += QStringLiteral("| `MHYOUKA.HCO` | 評価ｺｰﾄﾞ evaluation code | |\n"
                                   "| `MSYAIN2.SYOKYU` | a column no schema has | WS0030 |\n"
                                   "| `MSYAIN9.SCO` | a table no schema has | WS0030 |\n");
        QStringList problems = glossaryProblems(schema, glossary);
        problems.sort();
        QCOMPARE(problems, QStringList({"DCHINGIN: no line in the glossary",
                                        "MHYOUKA.HCO: says not what it holds or who edits it",
                                        "MSYAIN1.JISEKI: no line in the glossary",
                                        "MSYAIN2.SYOKYU: no such column in the schemas",
                                        "MSYAIN9.SCO: no such table in the schemas",
                                        "VSYAIN.NKIN: no line in the glossary"}));
    }

    // Each schema file's head sends its reader to the glossary.
    void schemasPointToTheGlossary() {
        for (const char* file : {"data_schema.sql", "seigyo_schema.sql"}) {
            const QString head = read(QStringLiteral(GLOSSARY_SQL_DIR "/") + QLatin1String(file))
                                     .section(QLatin1Char('\n'), 0, 4);
            QVERIFY2(head.contains(QStringLiteral("docs/glossary.md")), file);
        }
    }
};

QTEST_GUILESS_MAIN(TestGlossary)
#include "tst_glossary.moc"
