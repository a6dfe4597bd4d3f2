#pragma once

#include <QSqlDatabase>
#include <QString>

// Columns added to the company file after its first delivery. A file written by an earlier
// version gets them, with the defaults the schema gives new files, when it is opened: its rows
// stay as they were and everything the program saves has its column.
bool AddMissingColumns(QSqlDatabase db, QString* error);
