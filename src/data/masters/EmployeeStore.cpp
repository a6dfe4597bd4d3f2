#include "data/masters/EmployeeStore.h"

#include "core/common/Counts.h"
#include "data/db/BoundStatement.h"
#include "data/db/RecordGuard.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"

#include <utility>

namespace {

const QString CompanyWhere = QStringLiteral(" WHERE KCO = ? AND NENDO = ?");
const QString EmployeeWhere = QStringLiteral("WHERE KCO = ? AND NENDO = ? AND SCO = ?");

TDM::Binds companyBinds(const CompanyYear& cy) {
    return {cy.kco, cy.nendo};
}

TDM::Binds employeeBinds(const CompanyYear& cy, int sco) {
    return {cy.kco, cy.nendo, sco};
}

QVariant money(Currency c) {
    return BindValue(c);
}

ColumnValues firstTable(const CompanyYear& cy, const EmployeeRecord& e, const EmployeePay& pay,
                        const QString& createdAt) {
    return {{"KCO", cy.kco, false},
            {"HSCO", 0, false},
            {"SCO", e.SCO, false},
            {"NENDO", cy.nendo, false},
            {"SCOT", e.SCOT, true},
            {"SNA", e.SNA, true},
            {"SEIHI", e.SEIHI, true},
            {"NYUHI", e.NYUHI, true},
            {"YAKU", e.YAKU, true},
            {"SKCO", 0, false},
            {"TCO", e.TOUKYU, true},
            {"NENREI", e.NENREI, true},
            {"KINZOKU", e.KINZOKU, true},
            {"NENSU", e.NENSU, true},
            {"SIKAKUGO", 0, false},
            {"JISEKI", NormalisedLink(e.JISEKI), true},
            {"TRITSU", money(e.TRITSU), true},
            {"NENKYU", 0, false},
            {"SYOKUKYU", 0, false},
            {"KIHONKYU", 0, false},
            {"SYOTEIKYU", 0, false},
            {"SRITSU", money(e.SRITSU), true},
            {"SYOUYO", money(e.SYOUYO), true},
            {"NENSYU", money(pay.annualBefore), true},
            {"MCO", e.MCO, true},
            {"MNA", QString(), true},
            {"NEWDAY1", createdAt, false}};
}

ColumnValues secondTable(const CompanyYear& cy, const EmployeeRecord& e, const EmployeePay& pay) {
    ColumnValues c = {{"KCO", cy.kco, false},
                      {"SCO", e.SCO, false},
                      {"NENDO", cy.nendo, false},
                      {"SEIBETSU", e.SEIBETSU, true},
                      {"TOUKYU", e.TOUKYU, true},
                      {"GOUHOU", e.GOUHOU, true},
                      {"SM1", e.SM1, true},
                      {"SM2", QString(), true},
                      {"GAKU", e.GAKU, true},
                      {"SENKOU", e.SENKOU, true},
                      {"KSIKAKU", e.KSIKAKU, true},
                      {"KEIKEN", e.KEIKEN, true},
                      {"THI", e.THI, true},
                      {"ZONEX", e.ZONEX, true},
                      {"TENSU", e.TENSU, true},
                      {"HCO", e.HCO, true},
                      {"UPK", money(pay.baseRaise), true},
                      {"UPT", money(pay.allowanceRaise), true}};
    static const char* const kkyu[] = {"", "KKYU1", "KKYU2", "KKYU3"};
    static const char* const nkkyu[] = {"", "NKKYU1", "NKKYU2", "NKKYU3"};
    static const char* const teate[] = {"", "TEATE1", "TEATE2", "TEATE3", "TEATE4", "TEATE5"};
    static const char* const nteate[] = {"", "NTEATE1", "NTEATE2", "NTEATE3", "NTEATE4", "NTEATE5"};
    for (size_t i = 1; i <= BasePayItemCount; ++i)
        c.push_back({kkyu[i], money(e.KKYU[i]), true});
    for (size_t i = 1; i <= AllowanceCount; ++i)
        c.push_back({teate[i], money(e.TEATE[i]), true});
    for (size_t i = 1; i <= BasePayItemCount; ++i)
        c.push_back({nkkyu[i], money(e.NKKYU[i]), true});
    for (size_t i = 1; i <= AllowanceCount; ++i)
        c.push_back({nteate[i], money(e.NTEATE[i]), true});
    c += ColumnValues{{"NSRITSU", 0, false},
                      {"SYOUYO2", money(e.SYOUYO2), true},
                      {"NNENSYU", money(pay.annualAfter), true},
                      {"NTOUKYU", 0, false},
                      {"SGOUHOU", 0, false},
                      {"NGOUHOU", 0, false},
                      {"FSKCHK", 0, false},
                      {"HCO1", 0, false},
                      {"HNA1", e.HNA1, true},
                      {"HCO2", 0, false},
                      {"HNA2", e.HNA2, true},
                      {"HCO3", 0, false},
                      {"HNA3", e.HNA3, true},
                      {"SYOTEI", money(pay.scheduledBefore), true},
                      {"NSYOTEI", money(pay.scheduledAfter), true},
                      {"SPATH", e.SPATH, true}};
    return c;
}

} // namespace

GuardedRecord EmployeeGuard(const CompanyYear& cy, int sco, const QString& name) {
    const TDM::Binds key = employeeBinds(cy, sco);
    return {QStringLiteral("MSYAIN/%1/%2/%3").arg(cy.kco).arg(cy.nendo).arg(sco),
            QStringLiteral("社員 %1 %2 ").arg(sco).arg(name),
            {{TDM::ACN2, QStringLiteral("SELECT * FROM MSYAIN1 ") + EmployeeWhere, key},
             {TDM::ACN2, QStringLiteral("SELECT * FROM MSYAIN2 ") + EmployeeWhere, key}}};
}

bool LoadEmployeeList(const CompanyYear& cy, int grade, QVector<EmployeeListRow>& rows) {
    rows.clear();
    QString sql = QStringLiteral("SELECT SCO, SCOT, SNA, SEIHI, NYUHI, YAKU, SM1, TOUKYU, GOUHOU, "
                                 "ZONEX FROM VSYAIN") +
                  CompanyWhere;
    TDM::Binds binds = companyBinds(cy);
    if (grade != 0) {
        sql += QStringLiteral(" AND TOUKYU = ?");
        binds << grade;
    }
    sql += QStringLiteral(" ORDER BY KCO, SCO");
    TQuery q = DM().select(TDM::ACN2, sql, binds);
    if (!q.active())
        return false;
    rows.reserve(q.recordCount());
    // Columns by position: the statement above fixes their order.
    for (; !q.eof(); q.next()) {
        EmployeeListRow r;
        r.SCO = int(VariantInt(q.value(0)));
        r.SCOT = VariantText(q.value(1));
        r.SNA = VariantText(q.value(2));
        r.SEIHI = VariantInt(q.value(3));
        r.NYUHI = VariantInt(q.value(4));
        r.YAKU = VariantText(q.value(5));
        r.SM1 = int(VariantInt(q.value(6)));
        r.TOUKYU = int(VariantInt(q.value(7)));
        r.GOUHOU = int(VariantInt(q.value(8)));
        r.ZONEX = int(VariantInt(q.value(9)));
        rows.push_back(std::move(r));
    }
    return true;
}

LoadResult LoadEmployee(const CompanyYear& cy, int sco, EmployeeRecord& e) {
    const TQuery q = DM().select(TDM::ACN2, QStringLiteral("SELECT * FROM VSYAIN ") + EmployeeWhere,
                                 employeeBinds(cy, sco));
    if (!q.active())
        return LoadResult::Failed;
    if (q.eof())
        return LoadResult::Missing;
    auto text = [&q](const char* c) { return q.asText(QString::fromLatin1(c)); };
    auto integer = [&q](const char* c) { return q.asInt64(QString::fromLatin1(c)); };
    auto money = [&q](const QString& c) { return q.asCurrency(c); };
    e = EmployeeRecord();
    e.SCO = int(integer("SCO"));
    e.SCOT = text("SCOT");
    e.SNA = text("SNA");
    e.SEIBETSU = int(integer("SEIBETSU"));
    e.SEIHI = integer("SEIHI");
    e.NYUHI = integer("NYUHI");
    e.YAKU = text("YAKU");
    e.SM1 = int(integer("SM1"));
    e.GAKU = text("GAKU");
    e.SENKOU = text("SENKOU");
    e.KSIKAKU = text("KSIKAKU");
    e.KEIKEN = text("KEIKEN");
    e.THI = integer("THI");
    e.TOUKYU = int(integer("TOUKYU"));
    e.GOUHOU = int(integer("GOUHOU"));
    e.ZONEX = int(integer("ZONEX"));
    e.TRITSU = money(QStringLiteral("TRITSU"));
    e.HCO = int(integer("HCO"));
    e.HNA1 = text("HNA1");
    e.HNA2 = text("HNA2");
    e.HNA3 = text("HNA3");
    e.NENSU = int(integer("NENSU"));
    e.TENSU = int(integer("TENSU"));
    e.MCO = int(integer("MCO"));
    e.SPATH = text("SPATH");
    for (size_t i = 1; i <= BasePayItemCount; ++i) {
        e.KKYU[i] = money(QStringLiteral("KKYU%1").arg(i));
        e.NKKYU[i] = money(QStringLiteral("NKKYU%1").arg(i));
    }
    for (size_t i = 1; i <= AllowanceCount; ++i) {
        e.TEATE[i] = money(QStringLiteral("TEATE%1").arg(i));
        e.NTEATE[i] = money(QStringLiteral("NTEATE%1").arg(i));
    }
    e.SYOUYO = money(QStringLiteral("SYOUYO"));
    e.SYOUYO2 = money(QStringLiteral("SYOUYO2"));
    e.SRITSU = money(QStringLiteral("SRITSU"));
    e.JISEKI = NormalisedLink(integer("JISEKI"));
    e.NENREI = int(integer("NENREI"));
    e.KINZOKU = int(integer("KINZOKU"));
    e.KIN = integer("KIN");
    e.NKIN = integer("NKIN");
    if (!RememberRecord(EmployeeGuard(cy, sco, e.SNA)))
        return LoadResult::Failed;
    return LoadResult::Found;
}

bool EmployeeExists(const CompanyYear& cy, int sco, bool* failed) {
    const TQuery q =
        DM().select(TDM::ACN2, QStringLiteral("SELECT SCO FROM MSYAIN1 ") + EmployeeWhere,
                    employeeBinds(cy, sco));
    if (failed)
        *failed = !q.active();
    return q.active() && !q.eof();
}

bool InsertEmployee(const CompanyYear& cy, const EmployeeRecord& e, const QString& createdAt) {
    const EmployeePay pay = ComputeEmployeePay(e);
    // Writers of the company's employees wait for an annual update or deletion under way.
    Transaction tx(TDM::Files::Data);
    if (!tx.ok() || !DM().shareCompany(cy.kco) ||
        !ExecEach(TDM::ACN2,
                  {InsertStatement(QStringLiteral("MSYAIN1"), firstTable(cy, e, pay, createdAt)),
                   InsertStatement(QStringLiteral("MSYAIN2"), secondTable(cy, e, pay))}))
        return false;
    AnnounceChange({DataChange::What::Employees, cy, {e.SCO}});
    return tx.commit();
}

SaveResult UpdateEmployee(const CompanyYear& cy, const EmployeeRecord& e) {
    const EmployeePay pay = ComputeEmployeePay(e);
    const TDM::Binds key = employeeBinds(cy, e.SCO);
    const GuardedRecord record = EmployeeGuard(cy, e.SCO, e.SNA);
    Transaction tx(TDM::Files::Data);
    if (!tx.ok() || !DM().shareCompany(cy.kco))
        return FailedResult();
    const DataChange change{DataChange::What::Employees, cy, {e.SCO}};
    if (const std::optional<SaveResult> refused = RefusedSave(record, change))
        return *refused;
    if (!ExecEach(TDM::ACN2,
                  {UpdateStatement(QStringLiteral("MSYAIN1"), firstTable(cy, e, pay, QString()),
                                   EmployeeWhere, key),
                   UpdateStatement(QStringLiteral("MSYAIN2"), secondTable(cy, e, pay),
                                   EmployeeWhere, key)}) ||
        !RememberSaved(record))
        return FailedResult();
    AnnounceChange(change);
    return tx.commit() ? SavedResult() : FailedResult();
}

bool DeleteEmployee(const CompanyYear& cy, int sco) {
    const TDM::Binds key = employeeBinds(cy, sco);
    Transaction tx(TDM::Files::Data);
    if (!tx.ok() || !DM().shareCompany(cy.kco) ||
        !ExecEach(TDM::ACN2, {{QStringLiteral("DELETE FROM MSYAIN1 ") + EmployeeWhere, key},
                              {QStringLiteral("DELETE FROM MSYAIN2 ") + EmployeeWhere, key}}))
        return false;
    AnnounceChange({DataChange::What::Employees, cy, {sco}});
    const bool deleted = tx.commit();
    if (deleted)
        ForgetRecord(EmployeeGuard(cy, sco, QString()).key);
    return deleted;
}

bool LoadEvalCodes(const CompanyYear& cy, CodeList& list) {
    list.clear();
    const TQuery q =
        DM().select(TDM::ACN2, QStringLiteral("SELECT HCO, HKIGOU FROM MHYOUKA") + CompanyWhere,
                    companyBinds(cy));
    if (!q.active())
        return false;
    for (TQuery r = q; !r.eof(); r.next())
        list.push_back({r.asText(QStringLiteral("HCO")), r.asText(QStringLiteral("HKIGOU"))});
    return true;
}
