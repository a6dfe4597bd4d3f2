#include "data/db/SaveOutcome.h"

#include "data/db/TDM.h"

SaveResult SavedResult() {
    return {SaveOutcome::Saved, QString()};
}

SaveResult FailedResult() {
    return {SaveOutcome::Failed, DM().lastError()};
}

SaveResult FailedResult(const QString& told) {
    return {SaveOutcome::Failed, told};
}
