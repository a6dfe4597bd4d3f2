#pragma once

#include <QString>

// What a store's save did. By the time a save returns, a refusal or a failure has been told to
// the user (a refusal names the record and says another person changed it; a failure is the
// data module's message, or the store's own, such as an employee that is gone); `message`
// repeats what was told, for a caller that reports elsewhere or acts on it.
enum class SaveOutcome {
    Saved,
    ChangedByOther, // another person saved the record since it was loaded: nothing written
    OutOfRange,     // the values give what cannot be stored (a wage table): nothing written,
                    // not yet told, as the caller names the field
    Failed          // nothing written
};

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Failed;
    QString message;

    bool saved() const { return outcome == SaveOutcome::Saved; }
    bool changedByOther() const { return outcome == SaveOutcome::ChangedByOther; }
};

SaveResult SavedResult();
// Failed, with the data module's message of its last failure.
SaveResult FailedResult();
// Failed, with a message the store has told the user itself.
SaveResult FailedResult(const QString& told);
