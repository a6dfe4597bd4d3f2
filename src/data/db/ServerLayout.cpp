#include "data/db/ServerLayout.h"

#include "core/common/PasswordMask.h"
#include "data/db/Dialect.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// Rows of TSCHEMA named in a refusal; a longer list says nothing more.
constexpr int VersionsShown = 5;

ServerLayout unreadable(const QSqlQuery& q) {
    ServerLayout layout;
    layout.error = HidePasswords(q.lastError().text());
    return layout;
}

QString foundText(const ServerLayout& l) {
    if (!l.versionTable)
        return QStringLiteral("TSCHEMA がなく、本システムの表が %1 個あります")
            .arg(l.programTables);
    if (l.rowCount == 0)
        return QStringLiteral("TSCHEMA に行がありません");
    if (l.rowCount > 1)
        return QStringLiteral("TSCHEMA に %1 行あります：%2%3")
            .arg(l.rowCount)
            .arg(l.versions.join(QStringLiteral(", ")),
                 l.rowCount > l.versions.size() ? QStringLiteral(", …") : QString());
    if (l.versions.value(0) == QStringLiteral("NULL"))
        return QStringLiteral("TSCHEMA の版が空です");
    return QStringLiteral("TSCHEMA の版は %1 です").arg(l.versions.value(0));
}

} // namespace

ServerLayout ReadServerLayout(QSqlDatabase& db) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT table_name FROM information_schema.tables "
                               "WHERE table_schema = current_schema()")))
        return unreadable(q);
    QSet<QString> present;
    while (q.next())
        present.insert(q.value(0).toString().toUpper());
    ServerLayout layout;
    layout.versionTable = present.contains(QStringLiteral("TSCHEMA"));
    for (const QString& t : ControlTables() + CompanyFileTables())
        if (present.contains(t.toUpper()))
            ++layout.programTables;
    if (!layout.versionTable) {
        layout.state =
            layout.programTables == 0 ? ServerLayout::State::Empty : ServerLayout::State::Damaged;
        return layout;
    }
    if (!q.exec(QStringLiteral("SELECT VERSION, count(*) OVER () FROM TSCHEMA LIMIT %1")
                    .arg(VersionsShown)))
        return unreadable(q);
    while (q.next()) {
        layout.rowCount = q.value(1).toInt();
        layout.versions << (q.value(0).isNull() ? QStringLiteral("NULL") : q.value(0).toString());
    }
    if (q.lastError().isValid())
        return unreadable(q);
    bool whole = false;
    const int version = layout.versions.value(0).toInt(&whole);
    if (layout.rowCount != 1 || !whole || version <= 0)
        layout.state = ServerLayout::State::Damaged;
    else if (version == ServerSchemaVersion)
        layout.state = ServerLayout::State::Current;
    else
        layout.state = ServerLayout::State::OtherVersion;
    return layout;
}

QString ServerLayoutRefusal(const ServerLayout& l) {
    switch (l.state) {
    case ServerLayout::State::Current:
        return {};
    case ServerLayout::State::Unreadable:
        return l.error;
    case ServerLayout::State::Empty:
        return QStringLiteral("サーバーのデータベースに本システムの表がありません。"
                              "tesvane-cli server init で作成してください。");
    case ServerLayout::State::OtherVersion:
        return QStringLiteral("サーバーのデータベースの版 (%1) はこのプログラムの版 (%2) と"
                              "異なるため使用できません。\n"
                              "版 %1 のデータベースを扱えるプログラムで開いてください。")
            .arg(l.versions.value(0))
            .arg(ServerSchemaVersion);
    case ServerLayout::State::Damaged:
        break;
    }
    return QStringLiteral("サーバーのデータベースの表の形の版が正しく記録されていません（%1）。\n"
                          "TSCHEMA には版 %2 の１行だけが入っているはずです。"
                          "データベースの管理者に、バックアップから戻すか、表の形が版 %2 で"
                          "あることを確かめて TSCHEMA を版 %2 の１行にするよう依頼してください。")
        .arg(foundText(l))
        .arg(ServerSchemaVersion);
}
