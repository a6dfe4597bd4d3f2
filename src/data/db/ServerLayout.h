#pragma once

#include <QString>
#include <QStringList>

class QSqlDatabase;

// What a server database says about its layout (the form of its tables). A laid-out database
// holds the table TSCHEMA with exactly one row: the version it was laid out in. Only that, with
// the version this program writes, is opened; anything else is refused before a table is read
// or written.
struct ServerLayout {
    enum class State {
        Empty,        // no TSCHEMA and none of this program's tables: server init lays it out
        Current,      // one row, the version this program knows
        OtherVersion, // one row, a version another release of the program laid out
        Damaged,      // TSCHEMA missing beside this program's tables, empty, several rows, or a
                      // version no release writes (0, negative, none)
        Unreadable,   // the server could not be asked; error says why
    };
    State state = State::Unreadable;
    bool versionTable = false; // TSCHEMA exists
    int rowCount = 0;          // TSCHEMA's rows
    QStringList versions;      // the first few of them as text, "NULL" for none
    int programTables = 0;     // tables of this program the database holds besides TSCHEMA
    QString error;             // Unreadable: the server's reason
};

ServerLayout ReadServerLayout(QSqlDatabase& db);

// Why the screens and commands cannot open a database of this layout, what was found and what to
// do; empty for a current layout.
QString ServerLayoutRefusal(const ServerLayout& layout);
