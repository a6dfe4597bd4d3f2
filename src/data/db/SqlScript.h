#pragma once

#include <QList>
#include <QString>

// One statement of an SQL file and the line it starts on (for messages).
struct SqlStatement {
    QString text;
    int line = 0;
};

// Splits an SQL file at the semicolons that end statements. Semicolons inside quoted texts,
// quoted names and comments do not end a statement; chunks holding only blanks and comments
// are dropped. False, with a message naming the line, for a quote or comment left open.
bool SplitSqlScript(const QString& script, QList<SqlStatement>* statements, QString* error);
