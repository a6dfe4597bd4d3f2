#include "data/masters/EmployeeStore.h"

#include "core/common/SqlText.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"

#include <utility>

namespace {

// A column, its SQL value, and whether the update sets it (the insert writes every column).
struct Column {
    const char* name;
    QString value;
    bool updated;
};
using Columns = QVector<Column>;

QString companyWhere(const CompanyYear& cy) {
    return QStringLiteral(" WHERE KCO = ") + SqlNum(cy.kco) + QStringLiteral(" AND NENDO = ") +
           SqlNum(cy.nendo);
}

QString employeeWhere(const CompanyYear& cy, int sco) {
    return companyWhere(cy) + QStringLiteral(" AND SCO = ") + SqlNum(sco);
}

QString insertSql(const char* table, const Columns& columns) {
    QStringList names, values;
    for (const Column& c : columns) {
        names << QString::fromLatin1(c.name);
        values << c.value;
    }
    return QStringLiteral("INSERT INTO ") + QString::fromLatin1(table) + QStringLiteral(" (") +
           names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
           values.join(QStringLiteral(", ")) + QStringLiteral(")");
}

QString updateSql(const char* table, const Columns& columns, const QString& where) {
    QStringList sets;
    for (const Column& c : columns)
        if (c.updated)
            sets << QString::fromLatin1(c.name) + QStringLiteral(" = ") + c.value;
    return QStringLiteral("UPDATE ") + QString::fromLatin1(table) + QStringLiteral(" SET ") +
           sets.join(QStringLiteral(", ")) + where;
}

const QString Zero = QStringLiteral("0");

Columns firstTable(const CompanyYear& cy, const EmployeeRecord& e, const EmployeePay& pay,
                   const QString& createdAt) {
    return {{"KCO", SqlNum(cy.kco), false},
            {"HSCO", Zero, false},
            {"SCO", SqlNum(e.SCO), false},
            {"NENDO", SqlNum(cy.nendo), false},
            {"SCOT", SqlQuote(e.SCOT), true},
            {"SNA", SqlQuote(e.SNA), true},
            {"SEIHI", SqlNum(e.SEIHI), true},
            {"NYUHI", SqlNum(e.NYUHI), true},
            {"YAKU", SqlQuote(e.YAKU), true},
            {"SKCO", Zero, false},
            {"TCO", SqlNum(e.TOUKYU), true},
            {"NENREI", SqlNum(e.NENREI), true},
            {"KINZOKU", SqlNum(e.KINZOKU), true},
            {"NENSU", SqlNum(e.NENSU), true},
            {"SIKAKUGO", Zero, false},
            {"JISEKI", SqlNum(NormalisedLink(e.JISEKI)), true},
            {"TRITSU", SqlNum(e.TRITSU), true},
            {"NENKYU", Zero, false},
            {"SYOKUKYU", Zero, false},
            {"KIHONKYU", Zero, false},
            {"SYOTEIKYU", Zero, false},
            {"SRITSU", SqlNum(e.SRITSU), true},
            {"SYOUYO", SqlNum(e.SYOUYO), true},
            {"NENSYU", SqlNum(pay.annualBefore), true},
            {"MCO", SqlNum(e.MCO), true},
            {"MNA", SqlQuote(QString()), true},
            {"NEWDAY1", SqlQuote(createdAt), false}};
}

Columns secondTable(const CompanyYear& cy, const EmployeeRecord& e, const EmployeePay& pay) {
    Columns c = {{"KCO", SqlNum(cy.kco), false},         {"SCO", SqlNum(e.SCO), false},
                 {"NENDO", SqlNum(cy.nendo), false},     {"SEIBETSU", SqlNum(e.SEIBETSU), true},
                 {"TOUKYU", SqlNum(e.TOUKYU), true},     {"GOUHOU", SqlNum(e.GOUHOU), true},
                 {"SM1", SqlNum(e.SM1), true},           {"SM2", SqlQuote(QString()), true},
                 {"GAKU", SqlQuote(e.GAKU), true},       {"SENKOU", SqlQuote(e.SENKOU), true},
                 {"KSIKAKU", SqlQuote(e.KSIKAKU), true}, {"KEIKEN", SqlQuote(e.KEIKEN), true},
                 {"THI", SqlNum(e.THI), true},           {"ZONEX", SqlNum(e.ZONEX), true},
                 {"TENSU", SqlNum(e.TENSU), true},       {"HCO", SqlNum(e.HCO), true},
                 {"UPK", SqlNum(pay.baseRaise), true},   {"UPT", SqlNum(pay.allowanceRaise), true}};
    static const char* const kkyu[] = {"", "KKYU1", "KKYU2", "KKYU3"};
    static const char* const nkkyu[] = {"", "NKKYU1", "NKKYU2", "NKKYU3"};
    static const char* const teate[] = {"", "TEATE1", "TEATE2", "TEATE3", "TEATE4", "TEATE5"};
    static const char* const nteate[] = {"", "NTEATE1", "NTEATE2", "NTEATE3", "NTEATE4", "NTEATE5"};
    for (size_t i = 1; i <= 3; ++i)
        c.push_back({kkyu[i], SqlNum(e.KKYU[i]), true});
    for (size_t i = 1; i <= 5; ++i)
        c.push_back({teate[i], SqlNum(e.TEATE[i]), true});
    for (size_t i = 1; i <= 3; ++i)
        c.push_back({nkkyu[i], SqlNum(e.NKKYU[i]), true});
    for (size_t i = 1; i <= 5; ++i)
        c.push_back({nteate[i], SqlNum(e.NTEATE[i]), true});
    c += Columns{{"NSRITSU", Zero, false},
                 {"SYOUYO2", SqlNum(e.SYOUYO2), true},
                 {"NNENSYU", SqlNum(pay.annualAfter), true},
                 {"NTOUKYU", Zero, false},
                 {"SGOUHOU", Zero, false},
                 {"NGOUHOU", Zero, false},
                 {"FSKCHK", Zero, false},
                 {"HCO1", Zero, false},
                 {"HNA1", SqlQuote(e.HNA1), true},
                 {"HCO2", Zero, false},
                 {"HNA2", SqlQuote(e.HNA2), true},
                 {"HCO3", Zero, false},
                 {"HNA3", SqlQuote(e.HNA3), true},
                 {"SYOTEI", SqlNum(pay.scheduledBefore), true},
                 {"NSYOTEI", SqlNum(pay.scheduledAfter), true},
                 {"SPATH", SqlQuote(e.SPATH), true}};
    return c;
}

// Runs the statements in one transaction on the company file.
bool writeTogether(const QStringList& statements) {
    AppState& s = state();
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return false;
    for (const QString& sql : statements)
        if (!DM().RunSql(DM().Query21, s.SqlText = sql, QLatin1Char('E')))
            return false;
    return tx.commit();
}

} // namespace

CompanyYear OpenCompanyYear() {
    const TMKIGYOU2& c = state().CompanySettings;
    return {c.KCO.trimmed().toInt(), c.NENDO.trimmed().toInt()};
}

bool LoadEmployeeList(const CompanyYear& cy, int grade, QVector<EmployeeListRow>& rows) {
    rows.clear();
    AppState& s = state();
    TQuery& q = DM().Query22;
    s.SqlText = QStringLiteral("SELECT SCO, SCOT, SNA, SEIHI, NYUHI, YAKU, SM1, TOUKYU, GOUHOU, "
                               "ZONEX FROM VSYAIN") +
                companyWhere(cy);
    if (grade != 0)
        s.SqlText += QStringLiteral(" AND TOUKYU = ") + SqlNum(grade);
    s.SqlText += QStringLiteral(" ORDER BY KCO, SCO");
    if (!DM().RunSql(q, s.SqlText, QLatin1Char('S')))
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
    q.close();
    return true;
}

LoadResult LoadEmployee(const CompanyYear& cy, int sco, EmployeeRecord& e) {
    AppState& s = state();
    TQuery& q = DM().Query22;
    s.SqlText = QStringLiteral("SELECT * FROM VSYAIN") + employeeWhere(cy, sco);
    if (!DM().RunSql(q, s.SqlText, QLatin1Char('S')))
        return LoadResult::Failed;
    if (q.eof()) {
        q.close();
        return LoadResult::Missing;
    }
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
    for (size_t i = 1; i <= 3; ++i) {
        e.KKYU[i] = money(QStringLiteral("KKYU%1").arg(i));
        e.NKKYU[i] = money(QStringLiteral("NKKYU%1").arg(i));
    }
    for (size_t i = 1; i <= 5; ++i) {
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
    q.close();
    return LoadResult::Found;
}

bool EmployeeExists(const CompanyYear& cy, int sco, bool* failed) {
    AppState& s = state();
    TQuery& q = DM().Query22;
    s.SqlText = QStringLiteral("SELECT SCO FROM MSYAIN1") + employeeWhere(cy, sco);
    const bool ran = DM().RunSql(q, s.SqlText, QLatin1Char('S'));
    if (failed)
        *failed = !ran;
    const bool exists = ran && !q.eof();
    q.close();
    return exists;
}

bool InsertEmployee(const CompanyYear& cy, const EmployeeRecord& e, const QString& createdAt) {
    const EmployeePay pay = ComputeEmployeePay(e);
    return writeTogether({insertSql("MSYAIN1", firstTable(cy, e, pay, createdAt)),
                          insertSql("MSYAIN2", secondTable(cy, e, pay))});
}

bool UpdateEmployee(const CompanyYear& cy, const EmployeeRecord& e) {
    const EmployeePay pay = ComputeEmployeePay(e);
    const QString where = employeeWhere(cy, e.SCO);
    return writeTogether({updateSql("MSYAIN1", firstTable(cy, e, pay, QString()), where),
                          updateSql("MSYAIN2", secondTable(cy, e, pay), where)});
}

bool DeleteEmployee(const CompanyYear& cy, int sco) {
    const QString where = employeeWhere(cy, sco);
    return writeTogether({QStringLiteral("DELETE FROM MSYAIN1") + where,
                          QStringLiteral("DELETE FROM MSYAIN2") + where});
}

bool LoadEvalCodes(const CompanyYear& cy, CodeList& list) {
    list.clear();
    AppState& s = state();
    TQuery& q = DM().Query22;
    s.SqlText = QStringLiteral("SELECT HCO, HKIGOU FROM MHYOUKA") + companyWhere(cy);
    if (!DM().RunSql(q, s.SqlText, QLatin1Char('S')))
        return false;
    for (; !q.eof(); q.next())
        list.push_back({q.asText(QStringLiteral("HCO")), q.asText(QStringLiteral("HKIGOU"))});
    q.close();
    return true;
}
