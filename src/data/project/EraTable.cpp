#include "data/project/EraTable.h"

#include "core/common/AppState.h"
#include "core/common/Counts.h"
#include "data/db/TDM.h"

bool LoadEraTable() {
    AppState& s = state();
    for (int i = 1; i <= EraCount; ++i) {
        s.EraNames[size_t(i)].clear();
        s.EraStartYears[size_t(i)] = s.EraStartMonths[size_t(i)] = s.EraStartDays[size_t(i)] = 0;
    }
    const TQuery q = DM().select(TDM::ACN1, QStringLiteral("SELECT * FROM MSEIGYO WHERE CO = 0"));
    if (!q.active())
        return false;
    const bool found = !q.eof();
    if (found) {
        for (int i = 1; i <= EraCount; ++i) {
            s.EraNames[size_t(i)] = q.asText(QStringLiteral("REKI%1").arg(i));
            s.EraStartYears[size_t(i)] = q.asInt(QStringLiteral("SNEN%1").arg(i));
            s.EraStartMonths[size_t(i)] = q.asInt(QStringLiteral("STSUKI%1").arg(i));
            s.EraStartDays[size_t(i)] = q.asInt(QStringLiteral("SHI%1").arg(i));
        }
    }
    return found;
}
