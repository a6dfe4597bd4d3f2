#include "data/project/UsageGuideStore.h"

#include "data/db/TDM.h"

QVector<GuidePage> LoadUsageGuide() {
    QVector<GuidePage> pages;
    for (TQuery q =
             DM().select(TDM::ACN1, QStringLiteral("SELECT Name, Memo FROM Before ORDER BY ID"));
         !q.eof(); q.next())
        pages.push_back({q.asText(QStringLiteral("Name")), q.asText(QStringLiteral("Memo"))});
    return pages;
}
