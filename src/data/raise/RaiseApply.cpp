#include "data/raise/RaiseApply.h"

#include "core/wage/WageTableDefinition.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"
#include "data/raise/AnnualUpdate.h"
#include "data/raise/RaiseStore.h"
#include "data/wage/WageTableStore.h"

#include <QHash>

RaiseApplyOutcome ApplyEvaluations(const CompanyYear& cy, const EvaluationFile& file) {
    RaiseApplyOutcome out;
    Transaction tx(TDM::Files::Data);
    // Waits for an annual update or deletion under way; keeps them waiting until this is in.
    if (!tx.ok() || !DM().shareCompany(cy.kco))
        return out;
    // On the server the rows are locked before they are read: a save of the raise input or
    // the employee screen waits, and is then refused by its own check.
    if (DM().onServer() &&
        !DM().select(TDM::ACN2,
                     QStringLiteral("SELECT SCO FROM MSYAIN2 WHERE KCO = ? AND NENDO = ? ORDER BY "
                                    "SCO FOR UPDATE"),
                     {cy.kco, cy.nendo})
             .active())
        return out;
    QVector<RaiseRecord> employees;
    EvaluationCodes codes;
    if (!LoadRaiseRecords(cy, employees) || !LoadEvaluationCodes(cy, codes))
        return out;
    // The year's wage table, read once: the amount at a grade and step, 0 where it has none.
    QHash<int, WageTableRow> table;
    for (const WageTableRow& row : LoadStoredWageTable(cy.kco, cy.nendo))
        table.insert(row.step, row);
    const WageAmountAt amountAt = [&table](int grade, int step) -> qint64 {
        if (grade < 1 || grade > MaxGrades || !table.contains(step))
            return 0;
        return table.value(step).amount[size_t(grade)];
    };
    const EvaluationPlan plan = PlanRaises(file, employees, codes, amountAt);
    if (!plan.faults.isEmpty()) {
        out.status = RaiseApplyOutcome::Refused;
        out.faults = plan.faults;
        return out;
    }
    if (!WriteRaises(cy, plan.entries))
        return out;
    // Asked under the company's lock: an update that made the next year has finished.
    bool failed = false;
    out.nextYearExists = CompanyYearExists(cy.kco, cy.nendo + 1, &failed);
    if (failed || !tx.commit())
        return out;
    out.status = RaiseApplyOutcome::Stored;
    out.stored = int(plan.entries.size());
    return out;
}
