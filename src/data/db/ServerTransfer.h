#pragma once

#include <QList>
#include <QString>
#include <QVector>

// Laying out a server database and moving companies between a program folder's SQLite files
// and the server. Each runs in one transaction on the server: all of it lands or none.

struct TableCount {
    QString table;
    int rows = 0;
};

struct TransferResult {
    bool ok = false;
    QString error;
    QVector<TableCount> counts; // per table, in schema order
    QList<int> clashing;        // company codes the server already holds (push refused)
};

// Creates the schema, the layout version and the delivered template and reference rows
// (eras, templates, usage guide, living-cost and model-wage figures) on an empty database.
TransferResult InitServer(const QString& url);

// Copies every company and year of dataDir's SEIGYO.db and DATA.db to the server. Refused when
// the server already holds any of those company codes; template and reference rows the server
// already has stay as they are (counts are of the rows written).
TransferResult PushToServer(const QString& dataDir, const QString& url);

// Writes every row the server holds into fresh SEIGYO.db and DATA.db in dataDir, which must
// not hold them yet. The files appear only when everything was written.
TransferResult PullFromServer(const QString& url, const QString& dataDir);
