#include "data/raise/RaiseBudgetStore.h"

#include "core/common/Counts.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"

#include "data/db/BoundStatement.h"
#include "data/db/RecordGuard.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"
#include "data/project/Project.h"

#include "core/common/AppState.h"
#include "core/common/Dates.h"

namespace {

const QString Where = QStringLiteral("WHERE KCO = ? AND NENDO = ?");
const QString MonthsColumn = QStringLiteral("SYOUYOTSUKI");
const QString RateColumn = QStringLiteral("HUTANRITSU");

GuardedRecord settingsRecord(const CompanyYear& cy) {
    return {QStringLiteral("BUDGET/%1/%2").arg(cy.kco).arg(cy.nendo),
            QStringLiteral("昇給原資の設定"),
            {{TDM::ACN2,
              QStringLiteral("SELECT SYOUYOTSUKI, HUTANRITSU FROM MKIGYOU2 ") + Where,
              {cy.kco, cy.nendo}}}};
}

} // namespace

LoadResult LoadRaiseBudgetSettings(const CompanyYear& cy, RaiseBudgetSettings& s, bool forEditing) {
    s = RaiseBudgetSettings();
    // Every column, so that a file without the two columns still reads (as the defaults).
    const TQuery q = DM().select(TDM::ACN2, QStringLiteral("SELECT * FROM MKIGYOU2 ") + Where,
                                 {cy.kco, cy.nendo});
    if (!q.active())
        return LoadResult::Failed;
    if (q.eof())
        return LoadResult::Missing;
    if (q.hasField(MonthsColumn))
        s.bonusMonths = q.asCurrency(MonthsColumn);
    if (q.hasField(RateColumn))
        s.onCostPercent = q.asCurrency(RateColumn);
    if (forEditing && !RememberRecord(settingsRecord(cy)))
        return LoadResult::Failed;
    return LoadResult::Found;
}

SaveResult SaveRaiseBudgetSettings(const CompanyYear& cy, const RaiseBudgetSettings& s) {
    const BoundStatement update = UpdateStatement(
        QStringLiteral("MKIGYOU2"),
        {{"SYOUYOTSUKI", BindValue(s.bonusMonths)}, {"HUTANRITSU", BindValue(s.onCostPercent)}},
        Where, {cy.kco, cy.nendo});
    const GuardedRecord record = settingsRecord(cy);
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return FailedResult();
    const DataChange change{DataChange::What::Settings, cy, {}};
    if (const std::optional<SaveResult> refused = RefusedSave(record, change))
        return *refused;
    if (!DM().exec(TDM::ACN2, update.sql, update.binds))
        return FailedResult();
    if (DM().changedRows() != 1) {
        tx.rollback();
        const QString text = MsgText::NoCompanyMaster();
        Msg::info(text);
        return FailedResult(text);
    }
    if (!RememberSaved(record))
        return FailedResult();
    AnnounceChange(change);
    return tx.commit() ? SavedResult() : FailedResult();
}

bool LoadRaiseBudgetInput(const CompanyYear& cy, QVector<RaiseRecord>& employees) {
    employees.clear();
    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT SCO, MCO, TOUKYU, JISEKI, KKYU1, KKYU2, KKYU3, "
                                          "NKKYU1, NKKYU2, NKKYU3, SYOTEI, NSYOTEI, KIN, NKIN "
                                          "FROM VSYAIN ") +
                               Where + QStringLiteral(" ORDER BY KCO, SCO"),
                           {cy.kco, cy.nendo});
    if (!q.active())
        return false;
    employees.reserve(q.recordCount());
    // Columns by position: the statement above fixes their order.
    for (; !q.eof(); q.next()) {
        RaiseRecord r;
        r.SCO = int(VariantInt(q.value(0)));
        r.MCO = int(VariantInt(q.value(1)));
        r.TOUKYU = int(VariantInt(q.value(2)));
        r.JISEKI = int(VariantInt(q.value(3)));
        for (int i = 1; i <= BasePayItemCount; ++i) {
            r.KKYU[size_t(i)] = VariantCurrency(q.value(3 + i));
            r.NKKYU[size_t(i)] = VariantCurrency(q.value(6 + i));
        }
        r.SYOTEI = VariantCurrency(q.value(10));
        r.NSYOTEI = VariantCurrency(q.value(11));
        r.KIN = VariantInt(q.value(12));
        r.NKIN = VariantInt(q.value(13));
        employees.push_back(std::move(r));
    }
    return true;
}

RaiseBudgetDocument RaiseBudgetDocumentOf(const Project& project, const RaiseBudget& budget,
                                          const RaiseBudgetSettings& settings) {
    RaiseBudgetDocument d;
    d.nendoText = NendoText(project.eraMode(), project.companyYear().nendo);
    d.companyName = project.companyName();
    AppState& s = state();
    s.refreshToday();
    d.today = s.Today;
    d.settings = settings;
    d.sections = RaiseBudgetSections(budget, project.settings(), project.marks());
    return d;
}
