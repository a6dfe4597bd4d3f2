#include "data/db/RecordGuard.h"

#include "core/common/Messages.h"

namespace {

// The rows as text, one line per row: what the comparison needs, independent of value types.
bool readRows(const GuardedRecord& record, bool lock, QStringList* rows) {
    rows->clear();
    for (const RecordRead& r : record.reads) {
        // On the server the rows stay locked until the save's transaction ends, so a second
        // save of the same record waits here and then sees the first one's rows.
        const QString sql = lock && DM().onServer() ? r.sql + QStringLiteral(" FOR UPDATE") : r.sql;
        TQuery q = DM().select(r.conn, sql, r.binds);
        if (!q.active())
            return false;
        for (; !q.eof(); q.next()) {
            QStringList fields;
            for (int c = 0; c < q.fieldCount(); ++c)
                fields << VariantText(q.value(c));
            *rows << fields.join(QChar(0x1f));
        }
        *rows << QStringLiteral("--");
    }
    return true;
}

} // namespace

bool RememberRecord(const GuardedRecord& record) {
    QStringList rows;
    if (!readRows(record, false, &rows)) {
        ForgetRecord(record.key);
        return false;
    }
    DM().loadedRecords().insert(record.key, rows);
    return true;
}

void ForgetRecord(const QString& key) {
    DM().loadedRecords().remove(key);
}

RecordState RecheckRecord(const GuardedRecord& record, QString* told) {
    Q_ASSERT(DM().inTransaction());
    const auto loaded = DM().loadedRecords().constFind(record.key);
    if (loaded == DM().loadedRecords().constEnd())
        return RecordState::Unchanged;
    QStringList rows;
    if (!readRows(record, true, &rows))
        return RecordState::Failed;
    if (rows == loaded.value())
        return RecordState::Unchanged;
    const QString text = ChangedByOtherText(record.name);
    Msg::info(text);
    if (told)
        *told = text;
    return RecordState::Changed;
}

bool RememberSaved(const GuardedRecord& record) {
    QStringList rows;
    if (!readRows(record, false, &rows))
        return false;
    DM().loadedRecords().insert(record.key, rows);
    return true;
}

QString ChangedByOtherText(const QString& name) {
    return name + QStringLiteral("は、読み込んだ後に他の利用者が変更しました。\n"
                                 "この変更は登録せず、最新の内容を読み込み直します。");
}

std::optional<SaveResult> RefusedSave(const GuardedRecord& record) {
    QString told;
    switch (RecheckRecord(record, &told)) {
    case RecordState::Unchanged:
        return std::nullopt;
    case RecordState::Changed:
        return SaveResult{SaveOutcome::ChangedByOther, told};
    case RecordState::Failed:
        break;
    }
    return FailedResult();
}

std::optional<SaveResult> RefusedSave(const GuardedRecord& record, const DataChange& found) {
    std::optional<SaveResult> refused = RefusedSave(record);
    if (refused && refused->changedByOther())
        AnnounceFoundChange(found);
    return refused;
}
