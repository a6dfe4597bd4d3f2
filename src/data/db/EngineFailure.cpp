#include "data/db/EngineFailure.h"

#include "core/common/MessageTexts.h"
#include "core/common/SystemErrorText.h"
#include "data/db/SqliteRows.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QVariant>

#include <sqlite3.h>

FileFailure FileFailureOf(const QSqlDatabase& db, const QSqlError& error, bool reading) {
    using Kind = FileFailure::Kind;
    if (db.driverName() != QStringLiteral("QSQLITE"))
        return {};
    bool numeric = false;
    const int extended = error.nativeErrorCode().toInt(&numeric);
    if (!numeric)
        return {};
    sqlite3* handle = SqliteHandleOf(db);
    const int system = handle ? sqlite3_system_errno(handle) : 0;
    switch (extended & 0xff) {
    case SQLITE_FULL:
        return {Kind::DiskFull, system, false};
    case SQLITE_READONLY:
        // The file was renamed or deleted under the open connection (a copy put in its place).
        if (extended == SQLITE_READONLY_DBMOVED)
            return {Kind::Replaced, 0, false};
        return {Kind::Unwritable, 0, true};
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        if (IsDiskFull(system))
            return {Kind::DiskFull, system, false};
        return {reading ? Kind::Unreadable : Kind::Unwritable, system, false};
    default:
        return {};
    }
}

QString FileFailureText(const FileFailure& failure, const QString& path) {
    using Kind = FileFailure::Kind;
    const QString gap = QStringLiteral("　");
    QString reason = MsgText::DiskError();
    if (failure.readOnly)
        reason = QStringLiteral("ファイルが読み取り専用です。");
    else if (failure.systemError != 0)
        reason = SystemErrorText(failure.systemError);
    switch (failure.kind) {
    case Kind::DiskFull:
        return QStringLiteral("ディスクの空きが足りないため、データベースに書き込めませんでした。"
                              "変更は保存されていません。") +
               gap + path;
    case Kind::Unwritable:
        return QStringLiteral("データベースのファイルに書き込めませんでした。"
                              "変更は保存されていません。") +
               gap + path + QLatin1Char('\r') + reason;
    case Kind::Unreadable:
        return QStringLiteral("データベースのファイルを読み込めませんでした。") + gap + path +
               QLatin1Char('\r') + reason;
    case Kind::Replaced:
        return QStringLiteral("データベースのファイルが他のプログラムに置き換えられたため、"
                              "書き込めませんでした。変更は保存されていません。"
                              "Tesvane を終了して、起動し直してください。") +
               gap + path;
    case Kind::None:
        break;
    }
    return QString();
}
