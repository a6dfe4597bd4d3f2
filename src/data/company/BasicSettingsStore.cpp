#include "data/company/BasicSettingsStore.h"

#include "core/common/Counts.h"
#include "data/db/BoundStatement.h"
#include "data/db/RecordGuard.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"

namespace {

QString colorOrBlack(const QString& text) {
    return text.isEmpty() ? QStringLiteral("clBlack") : text;
}

// Each area of the screen is its own record: a save writes only the areas changed, so only
// another person's save of those areas refuses it. The reads name the columns the save writes.
QVector<GuardedRecord> settingsRecords(const CompanyYear& cy, SettingsAreas areas) {
    QVector<GuardedRecord> records;
    const TDM::Binds key = {cy.kco, cy.nendo};
    const QString of = QStringLiteral("/%1/%2").arg(cy.kco).arg(cy.nendo);
    if (hasArea(areas, SettingsArea::CompanyOptions))
        records.push_back({QStringLiteral("OPTIONS") + of,
                           QStringLiteral("日付処理の設定"),
                           {{TDM::ACN1,
                             QStringLiteral("SELECT FNK, KDATE, REKI FROM MKIGYOU1 WHERE KCO = ? "
                                            "AND NENDO = ?"),
                             key}}});
    if (hasArea(areas, SettingsArea::EraTable)) {
        QString columns;
        for (int i = 1; i <= EraCount; ++i)
            columns += QStringLiteral("REKI%1, SNEN%1, STSUKI%1, SHI%1, ").arg(i);
        records.push_back({QStringLiteral("ERAS"),
                           QStringLiteral("暦変換表"),
                           {{TDM::ACN1,
                             QStringLiteral("SELECT ") + columns +
                                 QStringLiteral("FREKI FROM MSEIGYO WHERE CO = 0"),
                             {}}}});
    }
    if (hasArea(areas, SettingsArea::Marks))
        records.push_back({QStringLiteral("MARKS") + of,
                           QStringLiteral("マーク設定"),
                           {{TDM::ACN2,
                             QStringLiteral("SELECT MKCO, MARK, HANREI, MKCOLOR, MKSIZE, KCOLOR, "
                                            "KSYURUI, KHABA FROM MMARK WHERE KCO = ? AND NENDO = "
                                            "? ORDER BY MKCO"),
                             key}}});
    if (hasArea(areas, SettingsArea::Graph))
        records.push_back({QStringLiteral("GRAPH") + of,
                           QStringLiteral("グラフ設定"),
                           {{TDM::ACN2,
                             QStringLiteral("SELECT GSCO, CCOLOR, CSYURUI, CHABA FROM MGRAPH "
                                            "WHERE KCO = ? AND NENDO = ? ORDER BY GSCO"),
                             key}}});
    return records;
}

constexpr SettingsAreas AllAreas = int(SettingsArea::CompanyOptions) | int(SettingsArea::EraTable) |
                                   int(SettingsArea::Marks) | int(SettingsArea::Graph);

} // namespace

bool RememberLoadedBasicSettings(const CompanyYear& cy) {
    for (const GuardedRecord& r : settingsRecords(cy, AllAreas))
        if (!RememberRecord(r))
            return false;
    return true;
}

void LoadBasicSettings(const CompanyYear& cy, BasicSettings* s) {
    *s = BasicSettings();
    TDM& dm = DM();
    const TDM::Binds yearAndCompany = {cy.nendo, cy.kco};

    const TQuery options =
        dm.select(TDM::ACN1, QStringLiteral("SELECT * FROM MKIGYOU1 WHERE NENDO = ? AND KCO = ?"),
                  yearAndCompany);
    if (!options.eof()) {
        s->ageBaseOption = options.asInt(QStringLiteral("FNK")) != 0 ? 1 : 0;
        s->baseDate = options.asInt(QStringLiteral("KDATE"));
        s->calendarOption = options.asInt(QStringLiteral("REKI")) != 0 ? 1 : 0;
    }

    const TQuery eras = dm.select(TDM::ACN1, QStringLiteral("SELECT * FROM MSEIGYO WHERE CO = 0"));
    if (!eras.eof()) {
        for (int i = 0; i < EraCount; ++i) {
            EraEntry& e = s->eras[size_t(i)];
            const QString n = QString::number(i + 1);
            e.name = eras.asText(QStringLiteral("REKI") + n);
            e.startYear = eras.asInt(QStringLiteral("SNEN") + n);
            e.startMonth = eras.asInt(QStringLiteral("STSUKI") + n);
            e.startDay = eras.asInt(QStringLiteral("SHI") + n);
        }
        const int selected = eras.asInt(QStringLiteral("FREKI"));
        s->selectedEra = selected >= 0 && selected <= 2 ? selected : 0;
    }

    for (MarkStyle& m : s->marks)
        m.markColor = m.lineColor = colorOrBlack(QString());
    for (GraphLineStyle& g : s->graphLines)
        g.color = colorOrBlack(QString());

    for (TQuery q =
             dm.select(TDM::ACN2, QStringLiteral("SELECT * FROM MMARK WHERE KCO = ? AND NENDO = ?"),
                       {cy.kco, cy.nendo});
         !q.eof(); q.next()) {
        const int k = q.asInt(QStringLiteral("MKCO"));
        if (k < 1 || k > 6)
            continue;
        MarkStyle& m = s->marks[size_t(k - 1)];
        m.symbol = q.asText(QStringLiteral("MARK"));
        m.legend = q.asText(QStringLiteral("HANREI"));
        m.markColor = colorOrBlack(q.asText(QStringLiteral("MKCOLOR")));
        m.size = q.asInt(QStringLiteral("MKSIZE"));
        m.lineColor = colorOrBlack(q.asText(QStringLiteral("KCOLOR")));
        m.lineKind = q.asInt(QStringLiteral("KSYURUI"));
        m.lineWidth = q.asInt(QStringLiteral("KHABA"));
    }

    for (TQuery q = dm.select(TDM::ACN2,
                              QStringLiteral("SELECT * FROM MGRAPH WHERE KCO = ? AND NENDO = ?"),
                              {cy.kco, cy.nendo});
         !q.eof(); q.next()) {
        const int g = q.asInt(QStringLiteral("GSCO"));
        if (g < 1 || g > 4)
            continue;
        GraphLineStyle& l = s->graphLines[size_t(g - 1)];
        l.color = colorOrBlack(q.asText(QStringLiteral("CCOLOR")));
        l.lineKind = q.asInt(QStringLiteral("CSYURUI"));
        l.lineWidth = q.asInt(QStringLiteral("CHABA"));
    }
}

SaveResult SaveBasicSettings(const CompanyYear& cy, const BasicSettings& s, SettingsAreas changed) {
    const bool control =
        hasArea(changed, SettingsArea::CompanyOptions) || hasArea(changed, SettingsArea::EraTable);
    const bool data =
        hasArea(changed, SettingsArea::Marks) || hasArea(changed, SettingsArea::Graph);
    if (!control && !data)
        return SavedResult();
    const TDM::Files files = control && data ? TDM::Files::Both
                             : control       ? TDM::Files::Control
                                             : TDM::Files::Data;
    BoundStatements controlRows, dataRows;
    if (hasArea(changed, SettingsArea::CompanyOptions))
        controlRows << BoundStatement{
            QStringLiteral("UPDATE MKIGYOU1 SET FNK = ?, KDATE = ?, REKI = ? WHERE KCO = ? AND "
                           "NENDO = ?"),
            {s.ageBaseOption, s.baseDate, s.calendarOption, cy.kco, cy.nendo}};
    if (hasArea(changed, SettingsArea::EraTable)) {
        QString sql = QStringLiteral("UPDATE MSEIGYO SET ");
        TDM::Binds values;
        for (int i = 0; i < EraCount; ++i) {
            const EraEntry& e = s.eras[size_t(i)];
            sql += QStringLiteral("REKI%1 = ?, SNEN%1 = ?, STSUKI%1 = ?, SHI%1 = ?, ").arg(i + 1);
            values << e.name << e.startYear << e.startMonth << e.startDay;
        }
        controlRows << BoundStatement{sql + QStringLiteral("FREKI = ? WHERE CO = 0"),
                                      values << s.selectedEra};
    }
    if (hasArea(changed, SettingsArea::Marks))
        for (int i = 0; i < MarkCount; ++i) {
            const MarkStyle& m = s.marks[size_t(i)];
            dataRows << BoundStatement{
                QStringLiteral("UPDATE MMARK SET MARK = ?, HANREI = ?, MKCOLOR = ?, MKSIZE = ?, "
                               "KCOLOR = ?, KSYURUI = ?, KHABA = ? WHERE MKCO = ? AND NENDO = ? "
                               "AND KCO = ?"),
                {m.symbol, m.legend, m.markColor, m.size, m.lineColor, m.lineKind, m.lineWidth,
                 i + 1, cy.nendo, cy.kco}};
        }
    if (hasArea(changed, SettingsArea::Graph))
        for (int g = 0; g < 4; ++g) {
            const GraphLineStyle& l = s.graphLines[size_t(g)];
            dataRows << BoundStatement{
                QStringLiteral("UPDATE MGRAPH SET CCOLOR = ?, CSYURUI = ?, CHABA = ? WHERE GSCO = "
                               "? AND NENDO = ? AND KCO = ?"),
                {l.color, l.lineKind, l.lineWidth, g + 1, cy.nendo, cy.kco}};
        }

    Transaction tx(files);
    if (!tx.ok())
        return FailedResult();
    // The era table is every company's.
    const DataChange change{DataChange::What::Settings,
                            hasArea(changed, SettingsArea::EraTable) ? CompanyYear() : cy,
                            {}};
    const QVector<GuardedRecord> records = settingsRecords(cy, changed);
    for (const GuardedRecord& r : records)
        if (const std::optional<SaveResult> refused = RefusedSave(r, change))
            return *refused;
    if (!ExecEach(TDM::ACN1, controlRows) || !ExecEach(TDM::ACN2, dataRows))
        return FailedResult();
    for (const GuardedRecord& r : records)
        if (!RememberSaved(r))
            return FailedResult();
    AnnounceChange(change);
    return tx.commit() ? SavedResult() : FailedResult();
}
