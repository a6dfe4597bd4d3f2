#include "data/db/DataChange.h"

#include "data/db/TDM.h"

namespace {
std::function<void(const DataChange&)>& listener() {
    static std::function<void(const DataChange&)> l;
    return l;
}
} // namespace

void SetChangeListener(std::function<void(const DataChange&)> l) {
    listener() = std::move(l);
}

void DeliverChanges(const QVector<DataChange>& changes) {
    // Copied: a listener may replace itself while it is told.
    const std::function<void(const DataChange&)> l = listener();
    if (!l)
        return;
    for (const DataChange& c : changes)
        l(c);
}

void AnnounceChange(const DataChange& change) {
    TDM& dm = DM();
    if (dm.inTransaction())
        dm.holdChange(change);
    else
        DeliverChanges({change});
}

void AnnounceFoundChange(const DataChange& change) {
    TDM& dm = DM();
    if (dm.inTransaction())
        dm.holdChange(change, true);
    else
        DeliverChanges({change});
}
