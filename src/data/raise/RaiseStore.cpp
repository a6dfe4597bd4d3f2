#include "data/raise/RaiseStore.h"

#include "core/common/Counts.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"

#include "core/wage/WageTableDefinition.h"
#include "data/db/BoundStatement.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"
#include "data/masters/EmployeeStore.h"
#include "data/wage/WageTableStore.h"

namespace {

const QString CompanyWhere = QStringLiteral(" WHERE KCO = ? AND NENDO = ?");
const QString EmployeeWhere = QStringLiteral("WHERE KCO = ? AND NENDO = ? AND SCO = ?");

TDM::Binds companyBinds(const CompanyYear& cy) {
    return {cy.kco, cy.nendo};
}

RaiseRecord recordOf(const TQuery& q) {
    auto text = [&q](const char* c) { return q.asText(QString::fromLatin1(c)); };
    auto integer = [&q](const char* c) { return int(q.asInt64(QString::fromLatin1(c))); };
    auto money = [&q](const QString& c) { return q.asCurrency(c); };
    RaiseRecord r;
    r.SCO = integer("SCO");
    r.SCOT = text("SCOT");
    r.SNA = text("SNA");
    r.THI = q.asInt64(QStringLiteral("THI"));
    r.MCO = integer("MCO");
    r.TOUKYU = integer("TOUKYU");
    r.GOUHOU = integer("GOUHOU");
    r.HCO = integer("HCO");
    r.HNA1 = text("HNA1");
    r.HNA2 = text("HNA2");
    r.HNA3 = text("HNA3");
    r.JISEKI = integer("JISEKI");
    for (size_t i = 1; i <= BasePayItemCount; ++i) {
        r.KKYU[i] = money(QStringLiteral("KKYU%1").arg(i));
        r.NKKYU[i] = money(QStringLiteral("NKKYU%1").arg(i));
    }
    for (size_t i = 1; i <= AllowanceCount; ++i) {
        r.TEATE[i] = money(QStringLiteral("TEATE%1").arg(i));
        r.NTEATE[i] = money(QStringLiteral("NTEATE%1").arg(i));
    }
    r.SYOUYO = money(QStringLiteral("SYOUYO"));
    r.SYOUYO2 = money(QStringLiteral("SYOUYO2"));
    r.NTOUKYU = integer("NTOUKYU");
    r.SGOUHOU = integer("SGOUHOU");
    r.NGOUHOU = integer("NGOUHOU");
    r.FSKCHK = integer("FSKCHK");
    r.SYOTEI = money(QStringLiteral("SYOTEI"));
    r.NSYOTEI = money(QStringLiteral("NSYOTEI"));
    r.KIN = q.asInt64(QStringLiteral("KIN"));
    r.NKIN = q.asInt64(QStringLiteral("NKIN"));
    return r;
}

BoundStatement raiseUpdate(const CompanyYear& cy, const RaiseEntry& e) {
    const RaiseDecision& d = e.decision;
    ColumnValues c = {{"TOUKYU", d.grade},
                      {"GOUHOU", d.step},
                      {"HCO", d.evaluation},
                      {"UPK", BindValue(e.UPK)},
                      {"UPT", BindValue(e.UPT)}};
    static const char* const kkyu[] = {"", "KKYU1", "KKYU2", "KKYU3"};
    static const char* const nkkyu[] = {"", "NKKYU1", "NKKYU2", "NKKYU3"};
    static const char* const teate[] = {"", "TEATE1", "TEATE2", "TEATE3", "TEATE4", "TEATE5"};
    static const char* const nteate[] = {"", "NTEATE1", "NTEATE2", "NTEATE3", "NTEATE4", "NTEATE5"};
    for (size_t i = 1; i <= BasePayItemCount; ++i)
        c.push_back({kkyu[i], BindValue(e.KKYU[i])});
    for (size_t i = 1; i <= AllowanceCount; ++i)
        c.push_back({teate[i], BindValue(e.TEATE[i])});
    for (size_t i = 1; i <= BasePayItemCount; ++i)
        c.push_back({nkkyu[i], BindValue(e.NKKYU[i])});
    for (size_t i = 1; i <= AllowanceCount; ++i)
        c.push_back({nteate[i], BindValue(e.NTEATE[i])});
    c += ColumnValues{{"NNENSYU", BindValue(e.NNENSYU)},
                      {"NTOUKYU", d.newGrade},
                      {"SGOUHOU", d.stepsUp},
                      {"NGOUHOU", d.newStep},
                      {"FSKCHK", d.promotion ? 1 : 0},
                      {"SYOTEI", BindValue(e.SYOTEI)},
                      {"NSYOTEI", BindValue(e.NSYOTEI)}};
    return UpdateStatement(QStringLiteral("MSYAIN2"), c, EmployeeWhere, {cy.kco, cy.nendo, e.SCO});
}

// An update of no row: the employee was deleted meanwhile. Nothing is written; told here, as
// every refusal is, once the transaction is over.
SaveResult missingEmployee(Transaction& tx) {
    tx.rollback();
    const QString text = MsgText::NoEmployeeData();
    Msg::info(text);
    return FailedResult(text);
}

GuardedRecord evaluationRecord(const CompanyYear& cy) {
    return {QStringLiteral("MHYOUKA/%1/%2").arg(cy.kco).arg(cy.nendo),
            QStringLiteral("評価の変換"),
            {{TDM::ACN2,
              QStringLiteral("SELECT HCO, HKIGOU, SGOUSU FROM MHYOUKA") + CompanyWhere +
                  QStringLiteral(" ORDER BY HCO"),
              companyBinds(cy)}}};
}

} // namespace

bool LoadEvaluationCodes(const CompanyYear& cy, EvaluationCodes& codes, bool forEditing) {
    codes.clear();
    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT HCO, HKIGOU, SGOUSU FROM MHYOUKA") +
                               CompanyWhere + QStringLiteral(" ORDER BY KCO, NENDO, HCO"),
                           companyBinds(cy));
    if (!q.active())
        return false;
    for (; !q.eof(); q.next())
        codes << EvaluationCode{q.asInt(QStringLiteral("HCO")), q.asText(QStringLiteral("HKIGOU")),
                                q.asInt(QStringLiteral("SGOUSU"))};
    return !forEditing || RememberRecord(evaluationRecord(cy));
}

SaveResult SaveEvaluationCodes(const CompanyYear& cy, const EvaluationCodes& codes) {
    BoundStatements s;
    s << BoundStatement{QStringLiteral("DELETE FROM MHYOUKA") + CompanyWhere, companyBinds(cy)};
    for (const EvaluationCode& c : codes)
        s << InsertStatement(QStringLiteral("MHYOUKA"), {{"KCO", cy.kco},
                                                         {"NENDO", cy.nendo},
                                                         {"HCO", c.code},
                                                         {"HKIGOU", c.symbol},
                                                         {"SGOUSU", c.steps}});
    const GuardedRecord record = evaluationRecord(cy);
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return FailedResult();
    if (const std::optional<SaveResult> refused = RefusedSave(record))
        return *refused;
    return ExecEach(TDM::ACN2, s) && RememberSaved(record) && tx.commit() ? SavedResult()
                                                                          : FailedResult();
}

bool LoadRaiseList(const CompanyYear& cy, int grade, QVector<RaiseListRow>& rows) {
    rows.clear();
    QString sql = QStringLiteral(
        "SELECT S1.SCO, S1.SCOT, S1.SNA, S1.SEIHI, S1.NYUHI, S1.TRITSU, S2.TOUKYU, S2.NTOUKYU, "
        "S2.GOUHOU, S2.NGOUHOU FROM MSYAIN1 AS S1 INNER JOIN MSYAIN2 AS S2 ON S2.NENDO = "
        "S1.NENDO AND S2.KCO = S1.KCO AND S2.SCO = S1.SCO WHERE S1.KCO = ? AND S1.NENDO = ?");
    TDM::Binds binds = companyBinds(cy);
    if (grade != 0) {
        sql += QStringLiteral(" AND S2.TOUKYU = ?");
        binds << grade;
    }
    sql += QStringLiteral(" ORDER BY S1.KCO, S1.SCO");
    TQuery q = DM().select(TDM::ACN2, sql, binds);
    if (!q.active())
        return false;
    rows.reserve(q.recordCount());
    // Columns by position: the statement above fixes their order.
    for (; !q.eof(); q.next()) {
        RaiseListRow r;
        r.SCO = int(VariantInt(q.value(0)));
        r.SCOT = VariantText(q.value(1));
        r.SNA = VariantText(q.value(2));
        r.SEIHI = VariantInt(q.value(3));
        r.NYUHI = VariantInt(q.value(4));
        r.TRITSU = VariantCurrency(q.value(5));
        r.TOUKYU = int(VariantInt(q.value(6)));
        r.NTOUKYU = int(VariantInt(q.value(7)));
        r.GOUHOU = int(VariantInt(q.value(8)));
        r.NGOUHOU = int(VariantInt(q.value(9)));
        rows.push_back(std::move(r));
    }
    return true;
}

LoadResult LoadRaiseRecord(const CompanyYear& cy, int sco, RaiseRecord& r, bool forEditing) {
    const TQuery q = DM().select(TDM::ACN2, QStringLiteral("SELECT * FROM VSYAIN ") + EmployeeWhere,
                                 {cy.kco, cy.nendo, sco});
    if (!q.active())
        return LoadResult::Failed;
    if (q.eof())
        return LoadResult::Missing;
    r = recordOf(q);
    if (forEditing && !RememberRecord(EmployeeGuard(cy, sco, r.SNA)))
        return LoadResult::Failed;
    return LoadResult::Found;
}

bool LoadRaiseRecords(const CompanyYear& cy, QVector<RaiseRecord>& records) {
    records.clear();
    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT * FROM VSYAIN") + CompanyWhere +
                               QStringLiteral(" ORDER BY KCO, SCO"),
                           companyBinds(cy));
    if (!q.active())
        return false;
    records.reserve(q.recordCount());
    for (; !q.eof(); q.next())
        records << recordOf(q);
    return true;
}

namespace {
DataChange raisesChange(const CompanyYear& cy, const QVector<RaiseEntry>& entries) {
    DataChange change{DataChange::What::Employees, cy, {}};
    change.employees.reserve(entries.size());
    for (const RaiseEntry& e : entries)
        change.employees << e.SCO;
    return change;
}
} // namespace

bool WriteRaises(const CompanyYear& cy, const QVector<RaiseEntry>& entries) {
    for (const RaiseEntry& e : entries) {
        const BoundStatement s = raiseUpdate(cy, e);
        if (!DM().exec(TDM::ACN2, s.sql, s.binds) || DM().changedRows() != 1)
            return false;
    }
    AnnounceChange(raisesChange(cy, entries));
    return true;
}

SaveResult SaveRaises(const CompanyYear& cy, const QVector<RaiseEntry>& entries) {
    Transaction tx(TDM::Files::Data);
    if (!tx.ok() || !DM().shareCompany(cy.kco))
        return FailedResult();
    for (const RaiseEntry& e : entries) {
        const BoundStatement s = raiseUpdate(cy, e);
        if (!DM().exec(TDM::ACN2, s.sql, s.binds))
            return FailedResult();
        // An update of no row is not a save.
        if (DM().changedRows() != 1)
            return missingEmployee(tx);
    }
    AnnounceChange(raisesChange(cy, entries));
    return tx.commit() ? SavedResult() : FailedResult();
}

SaveResult SaveRaise(const CompanyYear& cy, const RaiseEntry& entry, bool* nextYearExists) {
    Transaction tx(TDM::Files::Data);
    if (!tx.ok() || !DM().shareCompany(cy.kco))
        return FailedResult();
    // The message names the employee as stored now (another person may have renamed them).
    const TQuery name =
        DM().select(TDM::ACN2, QStringLiteral("SELECT SNA FROM MSYAIN1 ") + EmployeeWhere,
                    {cy.kco, cy.nendo, entry.SCO});
    if (!name.active())
        return FailedResult();
    const GuardedRecord record =
        EmployeeGuard(cy, entry.SCO, name.eof() ? QString() : name.asText(QStringLiteral("SNA")));
    const DataChange change{DataChange::What::Employees, cy, {entry.SCO}};
    if (const std::optional<SaveResult> refused = RefusedSave(record, change))
        return *refused;
    const BoundStatement s = raiseUpdate(cy, entry);
    if (!DM().exec(TDM::ACN2, s.sql, s.binds))
        return FailedResult();
    if (DM().changedRows() != 1)
        return missingEmployee(tx);
    if (!RememberSaved(record))
        return FailedResult();
    // Asked under the company's lock, so an annual update is either done or not begun.
    if (nextYearExists) {
        const TQuery next = DM().select(
            TDM::ACN1, QStringLiteral("SELECT KCO FROM MKIGYOU1 WHERE KCO = ? AND NENDO = ?"),
            {cy.kco, cy.nendo + 1});
        if (!next.active())
            return FailedResult();
        *nextYearExists = !next.eof();
    }
    AnnounceChange(change);
    return tx.commit() ? SavedResult() : FailedResult();
}

bool LoadRaiseSummaryInputs(const CompanyYear& cy, QVector<RaiseSummaryInput>& employees) {
    employees.clear();
    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT TOUKYU, MCO, SYOTEI, NSYOTEI FROM VSYAIN") +
                               CompanyWhere + QStringLiteral(" ORDER BY KCO, SCO"),
                           companyBinds(cy));
    if (!q.active())
        return false;
    for (; !q.eof(); q.next())
        employees << RaiseSummaryInput{
            q.asInt(QStringLiteral("TOUKYU")), q.asInt(QStringLiteral("MCO")),
            q.asCurrency(QStringLiteral("SYOTEI")), q.asCurrency(QStringLiteral("NSYOTEI"))};
    return true;
}

int WageTableGradeCount(const CompanyYear& cy) {
    const std::optional<StoredHead> head = LoadWageTableHead(cy.kco, cy.nendo);
    return head ? head->gradeCount : MaxGrades;
}

bool HasWageTable(const CompanyYear& cy, bool* failed) {
    const TQuery q = DM().select(
        TDM::ACN2, QStringLiteral("SELECT GOUHOU FROM DCHINGIN2") + CompanyWhere + " LIMIT 1",
        companyBinds(cy));
    if (failed)
        *failed = !q.active();
    return q.active() && !q.eof();
}
