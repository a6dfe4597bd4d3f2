#include "data/db/SqlScript.h"

bool SplitSqlScript(const QString& script, QList<SqlStatement>* statements, QString* error) {
    statements->clear();
    const qsizetype n = script.size();
    int line = 1;
    qsizetype start = 0;
    int startLine = 1;
    bool hasContent = false; // anything but blanks and comments since the last statement

    auto at = [&](qsizetype k) { return k < n ? script.at(k) : QChar(); };
    auto markContent = [&](qsizetype k) {
        if (!hasContent) {
            hasContent = true;
            start = k;
            startLine = line;
        }
    };
    auto finish = [&](qsizetype end) {
        if (hasContent)
            statements->append({script.mid(start, end - start).trimmed(), startLine});
        hasContent = false;
    };

    qsizetype i = 0;
    while (i < n) {
        const QChar c = script.at(i);
        if (c == QLatin1Char('\n')) {
            ++line;
            ++i;
        } else if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('-') && at(i + 1) == QLatin1Char('-')) {
            while (i < n && script.at(i) != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('/') && at(i + 1) == QLatin1Char('*')) {
            const int openLine = line;
            i += 2;
            while (i < n && !(script.at(i) == QLatin1Char('*') && at(i + 1) == QLatin1Char('/'))) {
                if (script.at(i) == QLatin1Char('\n'))
                    ++line;
                ++i;
            }
            if (i >= n) {
                *error = QStringLiteral("line %1: comment not closed").arg(openLine);
                return false;
            }
            i += 2;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') ||
                   c == QLatin1Char('[')) {
            // Inside quotes a doubled quote stands for the quote itself; brackets have no escape.
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            const int openLine = line;
            markContent(i);
            ++i;
            for (;;) {
                if (i >= n) {
                    *error = QStringLiteral("line %1: quote not closed").arg(openLine);
                    return false;
                }
                const QChar q = script.at(i++);
                if (q == QLatin1Char('\n'))
                    ++line;
                if (q != close)
                    continue;
                if (close != QLatin1Char(']') && at(i) == close) {
                    ++i;
                    continue;
                }
                break;
            }
        } else if (c == QLatin1Char(';')) {
            finish(i);
            ++i;
        } else {
            markContent(i);
            ++i;
        }
    }
    finish(n);
    return true;
}
