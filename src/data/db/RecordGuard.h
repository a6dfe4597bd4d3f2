#pragma once

#include "data/db/DataChange.h"
#include "data/db/SaveOutcome.h"
#include "data/db/TDM.h"

#include <QString>
#include <QVector>
#include <optional>

// A save must never overwrite what another person committed since this connection loaded the
// record. The store remembers the record's stored rows when it loads them; its save re-reads
// them as the first statement of its transaction (locking them on the server; on the SQLite
// files the transaction already holds the write lock) and is refused when they differ. No
// column is added for this: the rows themselves are compared.

// One table's rows of a record: a plain SELECT on one table (lockable on the server), in a
// fixed order.
struct RecordRead {
    TDM::Conn conn = TDM::ACN2;
    QString sql;
    TDM::Binds binds;
};

struct GuardedRecord {
    QString key;  // which record, e.g. "MSYAIN/1/2023/17"
    QString name; // how the messages name it, e.g. "社員 17 山田太郎"
    QVector<RecordRead> reads;
};

// Reads the record's rows and keeps them for this data module; false when a read failed
// (reported).
bool RememberRecord(const GuardedRecord& record);
void ForgetRecord(const QString& key);

enum class RecordState { Unchanged, Changed, Failed };
// Inside the save's transaction: compares the stored rows with the remembered ones and, when
// they differ, shows the record's name with ChangedByOtherText. A record this data module
// never loaded counts as unchanged (a save not started from a load, e.g. an import).
RecordState RecheckRecord(const GuardedRecord& record, QString* told = nullptr);
// After the save's writes, still inside its transaction: the saved rows become the loaded ones.
bool RememberSaved(const GuardedRecord& record);

// The message of a refused save.
QString ChangedByOtherText(const QString& name);

// Inside the save's transaction: nothing when the record is as it was loaded (the save goes
// on), else the result the save returns (ChangedByOther, told; or Failed).
std::optional<SaveResult> RefusedSave(const GuardedRecord& record);
// The same; a refusal also announces `found`, the other person's change, when the transaction
// ends (see AnnounceFoundChange).
std::optional<SaveResult> RefusedSave(const GuardedRecord& record, const DataChange& found);
