#include "mkdb/MakeDatabases.h"

#include "data/db/SqlScript.h"
#include "mkdb/SampleCompany.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>

#include <filesystem>

namespace {

struct Target {
    QString connection;
    QString fileName;
    QStringList scripts;
};

const Target Seigyo{QStringLiteral("mkdb-seigyo"),
                    QStringLiteral("SEIGYO.db"),
                    {QStringLiteral("seigyo_schema.sql"), QStringLiteral("seigyo_rows.sql"),
                     QStringLiteral("guide_pages.sql")}};
const Target Data{QStringLiteral("mkdb-data"),
                  QStringLiteral("DATA.db"),
                  {QStringLiteral("data_schema.sql"), QStringLiteral("data_rows.sql")}};

QString tempPath(const QString& outDir, const Target& t) {
    return QDir(outDir).filePath(t.fileName + QStringLiteral(".tmp"));
}

void removeFiles(const QString& outDir, bool finalToo) {
    for (const Target* t : {&Seigyo, &Data}) {
        const QString temp = tempPath(outDir, *t);
        QFile::remove(temp);
        QFile::remove(temp + QStringLiteral("-journal"));
        if (finalToo)
            QFile::remove(QDir(outDir).filePath(t->fileName));
    }
}

bool exec(QSqlDatabase& db, const QString& sql, QString* error) {
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    *error = q.lastError().text();
    return false;
}

bool runScript(QSqlDatabase& db, const QString& path, QString* error) {
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = name + QStringLiteral(": ") + file.errorString();
        return false;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(file.readAll());
    if (utf8.hasError()) {
        *error = name + QStringLiteral(": not UTF-8 text");
        return false;
    }
    QList<SqlStatement> statements;
    QString splitError;
    if (!SplitSqlScript(text, &statements, &splitError)) {
        *error = name + QStringLiteral(" ") + splitError;
        return false;
    }
    for (const SqlStatement& s : statements) {
        QString e;
        if (!exec(db, s.text, &e)) {
            *error = QStringLiteral("%1 line %2: %3").arg(name).arg(s.line).arg(e);
            return false;
        }
    }
    return true;
}

bool runStatements(QSqlDatabase& db, const QString& what, const BoundStatements& statements,
                   QString* error) {
    for (const BoundStatement& s : statements) {
        QSqlQuery q(db);
        bool ok = q.prepare(s.sql);
        for (qsizetype i = 0; ok && i < s.binds.size(); ++i)
            q.bindValue(int(i), s.binds[i]);
        if (!ok || !q.exec()) {
            *error = what + QStringLiteral(": ") + q.lastError().text() +
                     QStringLiteral("\n  in: ") + s.sql.left(200);
            return false;
        }
    }
    return true;
}

bool readTemplates(QSqlDatabase& seigyo, QList<MarkTemplate>* marks, QList<GraphTemplate>* graphs,
                   QString* error) {
    QSqlQuery q(seigyo);
    if (!q.exec(QStringLiteral("SELECT MKCO, MARK, HANREI, MKCOLOR, MKSIZE, KCOLOR, KSYURUI, KHABA "
                               "FROM MMMARK WHERE KCO = 0 AND NENDO = 9999 ORDER BY MKCO"))) {
        *error = q.lastError().text();
        return false;
    }
    while (q.next())
        marks->append({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(),
                       q.value(3).toString(), q.value(4).toInt(), q.value(5).toString(),
                       q.value(6).toInt(), q.value(7).toInt()});
    if (!q.exec(QStringLiteral("SELECT GSCO, CCOLOR, CSYURUI, CHABA FROM MMGRAPH "
                               "WHERE KCO = 0 AND NENDO = 9999 ORDER BY GSCO"))) {
        *error = q.lastError().text();
        return false;
    }
    while (q.next())
        graphs->append(
            {q.value(0).toInt(), q.value(1).toString(), q.value(2).toInt(), q.value(3).toInt()});
    // A company always has six marks and four graph styles; the templates must provide them.
    if (marks->size() != 6 || graphs->size() != 4) {
        *error = QStringLiteral("templates: %1 MMMARK and %2 MMGRAPH rows, expected 6 and 4")
                     .arg(marks->size())
                     .arg(graphs->size());
        return false;
    }
    return true;
}

// Like every copy of a database file, checked before it is renamed into place.
bool integrityOk(QSqlDatabase& db, QString* error) {
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next() &&
        q.value(0).toString() == QLatin1String("ok"))
        return true;
    *error = db.databaseName() + QStringLiteral(": integrity check failed");
    return false;
}

bool open(QSqlDatabase& db, const QString& path, QString* error) {
    db.setDatabaseName(path);
    if (!db.open()) {
        *error = path + QStringLiteral(": ") + db.lastError().text();
        return false;
    }
    // Delivered files go onto shared folders and USB sticks: no WAL.
    return exec(db, QStringLiteral("PRAGMA journal_mode=DELETE"), error) &&
           exec(db, QStringLiteral("BEGIN IMMEDIATE"), error);
}

bool build(const QString& sqlDir, const QString& outDir, QString* error) {
    QSqlDatabase seigyo = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Seigyo.connection);
    QSqlDatabase data = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Data.connection);
    if (!open(seigyo, tempPath(outDir, Seigyo), error) ||
        !open(data, tempPath(outDir, Data), error))
        return false;

    for (const QString& script : Seigyo.scripts)
        if (!runScript(seigyo, QDir(sqlDir).filePath(script), error))
            return false;
    for (const QString& script : Data.scripts)
        if (!runScript(data, QDir(sqlDir).filePath(script), error))
            return false;

    QList<MarkTemplate> marks;
    QList<GraphTemplate> graphs;
    if (!readTemplates(seigyo, &marks, &graphs, error))
        return false;
    const SampleStatements sample = SampleCompanyStatements(marks, graphs);
    if (!runStatements(seigyo, QStringLiteral("sample company, SEIGYO.db"), sample.seigyo, error) ||
        !runStatements(data, QStringLiteral("sample company, DATA.db"), sample.data, error))
        return false;

    for (QSqlDatabase* db : {&seigyo, &data}) {
        if (!exec(*db, QStringLiteral("COMMIT"), error) ||
            !exec(*db, QStringLiteral("VACUUM"), error) || !integrityOk(*db, error))
            return false;
        db->close();
    }
    return true;
}

} // namespace

bool MakeDeliveredDatabases(const QString& sqlDir, const QString& outDir, QString* error) {
    if (!QDir().mkpath(outDir)) {
        *error = outDir + QStringLiteral(": cannot make the folder");
        return false;
    }
    removeFiles(outDir, false);
    bool ok = build(sqlDir, outDir, error);
    QSqlDatabase::removeDatabase(Seigyo.connection);
    QSqlDatabase::removeDatabase(Data.connection);

    for (const Target* t : {&Seigyo, &Data}) {
        if (!ok)
            break;
        std::error_code ec;
        std::filesystem::rename(tempPath(outDir, *t).toStdU16String(),
                                QDir(outDir).filePath(t->fileName).toStdU16String(), ec);
        if (ec) {
            *error = QDir(outDir).filePath(t->fileName) + QStringLiteral(": ") +
                     QString::fromStdString(ec.message());
            ok = false;
        }
    }
    if (!ok)
        removeFiles(outDir, true);
    return ok;
}
