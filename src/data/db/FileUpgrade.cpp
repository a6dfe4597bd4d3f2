#include "data/db/FileUpgrade.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

struct AddedColumn {
    const char* table;
    const char* column;
    const char* definition;
};

// Keep in step with resources/sql/data_schema.sql.
constexpr AddedColumn Added[] = {
    {"MKIGYOU2", "SYOUYOTSUKI", "NUMERIC DEFAULT 0"},
    {"MKIGYOU2", "HUTANRITSU", "NUMERIC DEFAULT 15"},
};

} // namespace

bool AddMissingColumns(QSqlDatabase db, QString* error) {
    QSqlQuery q(db);
    for (const AddedColumn& a : Added) {
        const QString table = QString::fromLatin1(a.table);
        const QSqlRecord columns = db.record(table);
        if (columns.isEmpty() || columns.indexOf(QString::fromLatin1(a.column)) >= 0)
            continue; // not this file's table, or already there
        const QString sql =
            QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                .arg(table, QString::fromLatin1(a.column), QString::fromLatin1(a.definition));
        if (!q.exec(sql)) {
            *error = q.lastError().text();
            return false;
        }
    }
    return true;
}
