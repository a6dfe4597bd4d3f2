#include "data/db/Dialect.h"

#include "core/common/PasswordMask.h"
#include "core/common/SystemUser.h"
#include "data/db/ServerAddress.h"
#include "data/db/SqlScript.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSysInfo>

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>

namespace {

QString createdTable(const QString& statement) {
    static const QRegularExpression create(QStringLiteral(R"(^\s*CREATE\s+TABLE\s+(\w+))"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = create.match(statement);
    return m.hasMatch() ? m.captured(1) : QString();
}

QStringList tablesOf(const QString& fileName) {
    QStringList statements, tables;
    QString error;
    if (!SqlResourceStatements(fileName, &statements, &error))
        qFatal("%s", qPrintable(error)); // built into the program: cannot fail
    for (const QString& s : statements)
        if (const QString t = createdTable(s); !t.isEmpty())
            tables << t;
    return tables;
}

// SQLite's INTEGER is 64 bits and its REAL a double; the server's are narrower by default.
QString serverTypes(QString ddl) {
    static const QRegularExpression integer(QStringLiteral(R"(\bINTEGER\b)"));
    static const QRegularExpression real(QStringLiteral(R"(\bREAL\b)"));
    ddl.replace(integer, QStringLiteral("BIGINT"));
    ddl.replace(real, QStringLiteral("DOUBLE PRECISION"));
    return ddl;
}

// "tesvane user@machine": the company lock's holder is named by it.
QString applicationName() {
    return (QStringLiteral("tesvane ") + SystemUserName() + QLatin1Char('@') +
            QSysInfo::machineHostName())
        .left(60);
}

} // namespace

QString SqlResourceDir() {
    return QStringLiteral(":/sql");
}

QString ReadSqlResource(const QString& fileName, QString* error) {
    QFile file(SqlResourceDir() + QLatin1Char('/') + fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = fileName + QStringLiteral(": ") + file.errorString();
        return {};
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    return utf8.decode(file.readAll());
}

bool SqlResourceStatements(const QString& fileName, QStringList* statements, QString* error) {
    const QString text = ReadSqlResource(fileName, error);
    if (text.isEmpty())
        return false;
    QList<SqlStatement> split;
    if (!SplitSqlScript(text, &split, error))
        return false;
    statements->clear();
    for (const SqlStatement& s : split)
        *statements << s.text;
    return true;
}

QStringList ControlTables() {
    static const QStringList tables = tablesOf(QStringLiteral("seigyo_schema.sql"));
    return tables;
}

QStringList CompanyFileTables() {
    static const QStringList tables = tablesOf(QStringLiteral("data_schema.sql"));
    return tables;
}

const QStringList& WorkTables() {
    static const QStringList tables{QStringLiteral("DCHART"), QStringLiteral("DCHINGIN")};
    return tables;
}

QString ServerSchemaStatement(const QString& statement) {
    if (WorkTables().contains(createdTable(statement).toUpper()))
        return {};
    // SQLite's CAST to INTEGER cuts the fraction off; the server's rounds. The files' result is
    // the one kept (each CAST of the schema stands on one line).
    static const QRegularExpression toInteger(QStringLiteral(R"(CAST\((.+) AS INTEGER\))"));
    QString s = statement;
    s.replace(toInteger, QStringLiteral("CAST(TRUNC(\\1) AS INTEGER)"));
    return serverTypes(s);
}

QStringList ServerWorkTableStatements(QString* error) {
    QStringList statements, out;
    if (!SqlResourceStatements(QStringLiteral("data_schema.sql"), &statements, error))
        return {};
    static const QRegularExpression create(QStringLiteral(R"(^\s*CREATE\s+TABLE)"),
                                           QRegularExpression::CaseInsensitiveOption);
    for (const QString& s : statements) {
        const QString table = createdTable(s).toUpper();
        if (!WorkTables().contains(table))
            continue;
        QString ddl = serverTypes(s);
        ddl.replace(create, QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS"));
        // The chart's points are read back by their order of insertion (SQLite's rowid).
        if (table == QStringLiteral("DCHART")) {
            const qsizetype close = ddl.lastIndexOf(QLatin1Char(')'));
            ddl.insert(close, QStringLiteral(",\n    rowid BIGSERIAL\n"));
        }
        out << ddl;
    }
    return out;
}

QString ServerStatement(const QString& sql) {
    // Stores write the SQL both engines read alike; this is where a difference would be
    // rewritten. Translations are remembered: the same few statements run many times.
    static QHash<QString, QString> cache;
    auto it = cache.constFind(sql);
    if (it != cache.constEnd())
        return it.value();
    QString s = sql;
    // SQLite's char(n) is the server's chr(n).
    static const QRegularExpression charFunction(QStringLiteral(R"(\bchar\s*\()"),
                                                 QRegularExpression::CaseInsensitiveOption);
    s.replace(charFunction, QStringLiteral("chr("));
    if (cache.size() > 4096)
        cache.clear();
    cache.insert(sql, s);
    return s;
}

QString ServerMultiRowInsert(const QString& sql, int rows) {
    static const QRegularExpression single(
        QStringLiteral(
            R"(^(\s*INSERT\s+INTO\s+\w+\s*\([^()]*\)\s*VALUES\s*)(\((?:\s*\?\s*,)*\s*\?\s*\))\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = single.match(sql);
    if (!m.hasMatch() || rows < 1)
        return {};
    const QString row = m.captured(2);
    QString s = m.captured(1);
    s.reserve(s.size() + rows * (row.size() + 1));
    for (int r = 0; r < rows; ++r) {
        if (r > 0)
            s += QLatin1Char(',');
        s += row;
    }
    return ServerStatement(s);
}

int ServerRowsPerInsert(int columns) {
    // Measured: the cost per value grows again beyond about a thousand placeholders.
    return std::clamp(1000 / std::max(columns, 1), 1, 100);
}

QVariant ServerValue(const QVariant& v, bool numericColumn) {
    if (!numericColumn || v.isNull() || v.typeId() != QMetaType::QString)
        return v;
    const QString text = v.toString();
    bool ok = false;
    const qint64 whole = text.toLongLong(&ok);
    if (ok)
        return QVariant(whole);
    const double d = text.toDouble(&ok);
    if (!ok)
        return v;
    if (d == std::trunc(d) && std::abs(d) < 9.0e15)
        return QVariant(qint64(d));
    return QVariant(d);
}

bool IsOverflowError(const QString& error) {
    return error.contains(QStringLiteral("overflow"), Qt::CaseInsensitive) ||
           error.contains(QStringLiteral("out of range"), Qt::CaseInsensitive);
}

QVariant ServerBind(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool)
        return QVariant(qint64(v.toBool() ? 1 : 0));
    return v;
}

bool OpenServerDatabase(const QString& name, const QString& url, QString* error) {
    ServerAddress address;
    if (!ParseServerUrl(url, &address, error))
        return false;
    QSqlDatabase db = QSqlDatabase::contains(name)
                          ? QSqlDatabase::database(name, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    if (!db.isValid()) {
        *error = QStringLiteral("the PostgreSQL driver of Qt (libqt6sql6-psql) is not installed");
        return false;
    }
    if (db.isOpen())
        return true;
    db.setHostName(address.host);
    db.setPort(address.port);
    db.setUserName(address.user);
    db.setPassword(address.password);
    db.setDatabaseName(address.database);
    QString options = QStringLiteral("connect_timeout=10;application_name='") +
                      applicationName().replace(QLatin1Char('\''), QLatin1Char(' ')) +
                      QLatin1Char('\'');
    if (!address.options.isEmpty())
        options += QLatin1Char(';') + address.options;
    db.setConnectOptions(options);
    if (!db.open()) {
        // The driver's text may repeat what it was given.
        *error = HidePasswords(db.lastError().text());
        return false;
    }
    return true;
}
