#pragma once
// Floors of the database paths: the same rows written or read through SQLite's C API alone,
// on the same file, with the program's connection settings, in one transaction. What the
// program adds on top (Qt's driver, values bound as variants, reading and checking files) is
// the ratio of a path to its floor.
#include "core/masters/EmployeeCsv.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>

class SqliteFloor {
public:
    explicit SqliteFloor(const QString& path) {
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK)
            fail("open");
        exec("PRAGMA foreign_keys=ON");
        exec("PRAGMA journal_mode=DELETE");
        exec("PRAGMA synchronous=FULL");
        exec("PRAGMA busy_timeout=10000");
    }
    ~SqliteFloor() { sqlite3_close(m_db); }
    SqliteFloor(const SqliteFloor&) = delete;
    SqliteFloor& operator=(const SqliteFloor&) = delete;

    void exec(const char* sql) {
        char* error = nullptr;
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
            std::fprintf(stderr, "floor: %s: %s\n", sql, error ? error : "");
            std::exit(1);
        }
    }

    // The import's store: the company year's employees replaced by these, both tables.
    double replaceEmployees(int kco, int nendo, const QVector<ImportedEmployee>& employees,
                            const QString& created) {
        QElapsedTimer t;
        t.start();
        exec("BEGIN IMMEDIATE");
        run(QStringLiteral("DELETE FROM MSYAIN1 WHERE KCO = %1 AND NENDO = %2")
                .arg(kco)
                .arg(nendo));
        run(QStringLiteral("DELETE FROM MSYAIN2 WHERE KCO = %1 AND NENDO = %2")
                .arg(kco)
                .arg(nendo));
        sqlite3_stmt* first = prepare("INSERT INTO MSYAIN1 (KCO, HSCO, SCO, NENDO, SCOT, SNA, "
                                      "SEIHI, NYUHI, YAKU, TCO, NENREI, KINZOKU, MCO, NEWDAY1) "
                                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        sqlite3_stmt* second = prepare("INSERT INTO MSYAIN2 (KCO, SCO, NENDO, SEIBETSU, TOUKYU, "
                                       "SM1, SM2, GAKU, SENKOU, KSIKAKU, KEIKEN) VALUES (?, ?, ?, "
                                       "?, ?, ?, ?, ?, ?, ?, ?)");
        const QByteArray day = created.toUtf8();
        int code = 1;
        for (const ImportedEmployee& e : employees) {
            const QByteArray texts[] = {e.SCOT.toUtf8(),    e.SNA.toUtf8(),   e.YAKU.toUtf8(),
                                        e.SM2.toUtf8(),     e.GAKU.toUtf8(),  e.SENKOU.toUtf8(),
                                        e.KSIKAKU.toUtf8(), e.KEIKEN.toUtf8()};
            const qint64 a[] = {kco, 0, code, nendo};
            for (int i = 0; i < 4; ++i)
                sqlite3_bind_int64(first, i + 1, a[i]);
            text(first, 5, texts[0]);
            text(first, 6, texts[1]);
            sqlite3_bind_int64(first, 7, e.SEIHI);
            sqlite3_bind_int64(first, 8, e.NYUHI);
            text(first, 9, texts[2]);
            sqlite3_bind_int64(first, 10, e.TOUKYU);
            sqlite3_bind_int64(first, 11, e.NENREI);
            sqlite3_bind_int64(first, 12, e.KINZOKU);
            sqlite3_bind_int64(first, 13, e.MCO);
            text(first, 14, day);
            step(first);
            const qint64 b[] = {kco, code, nendo, e.SEIBETSU, e.TOUKYU, e.SM1};
            for (int i = 0; i < 6; ++i)
                sqlite3_bind_int64(second, i + 1, b[i]);
            for (int i = 3; i < 8; ++i)
                text(second, i + 4, texts[i]);
            step(second);
            ++code;
        }
        sqlite3_finalize(first);
        sqlite3_finalize(second);
        exec("COMMIT");
        return double(t.nsecsElapsed()) / 1e6;
    }

    // Every column of every row of a query read once; returns the time and the row count.
    double readAll(const QString& sql, int* rows = nullptr) {
        QElapsedTimer t;
        t.start();
        sqlite3_stmt* s = prepare(sql.toUtf8().constData());
        int n = 0;
        const int columns = sqlite3_column_count(s);
        qint64 sink = 0;
        while (sqlite3_step(s) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c)
                sink += sqlite3_column_bytes(s, c) + (sqlite3_column_text(s, c) ? 1 : 0);
            ++n;
        }
        sqlite3_finalize(s);
        if (rows)
            *rows = n + int(sink % 1);
        return double(t.nsecsElapsed()) / 1e6;
    }

    // Statements run in one transaction, timed; `undo` afterwards, untimed.
    double timedTransaction(const QStringList& statements, const QStringList& undo = {}) {
        QElapsedTimer t;
        t.start();
        exec("BEGIN IMMEDIATE");
        for (const QString& s : statements)
            run(s);
        exec("COMMIT");
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (!undo.isEmpty()) {
            exec("BEGIN IMMEDIATE");
            for (const QString& s : undo)
                run(s);
            exec("COMMIT");
        }
        return ms;
    }

private:
    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &s, nullptr) != SQLITE_OK)
            fail(sql);
        return s;
    }
    void run(const QString& sql) { exec(sql.toUtf8().constData()); }
    static void text(sqlite3_stmt* s, int i, const QByteArray& b) {
        sqlite3_bind_text(s, i, b.constData(), int(b.size()), SQLITE_STATIC);
    }
    void step(sqlite3_stmt* s) {
        if (sqlite3_step(s) != SQLITE_DONE)
            fail(sqlite3_sql(s));
        sqlite3_reset(s);
    }
    [[noreturn]] void fail(const char* what) {
        std::fprintf(stderr, "floor: %s: %s\n", what, sqlite3_errmsg(m_db));
        std::exit(1);
    }

    sqlite3* m_db = nullptr;
};
