#include "data/company/CompanyStore.h"

#include "core/common/Counts.h"
#include "core/common/Dates.h"
#include "core/common/Messages.h"
#include "data/db/BoundStatement.h"
#include "data/db/RecordGuard.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"

namespace {

const QString Where = QStringLiteral(" WHERE KCO = ? AND NENDO = ?");

// The company year's master and settings rows, as its change compares them with the screen's.
GuardedRecord companyRecord(const CompanyYear& c, const QString& name) {
    const TDM::Binds key{c.kco, c.nendo};
    return {QStringLiteral("COMPANY/%1/%2").arg(c.kco).arg(c.nendo),
            QStringLiteral("企業データ %1 %2 ").arg(c.kco).arg(name),
            {{TDM::ACN1, QStringLiteral("SELECT * FROM MKIGYOU1") + Where, key},
             {TDM::ACN2, QStringLiteral("SELECT * FROM MKIGYOU2") + Where, key}}};
}

// Every table that holds rows of a company and year; a delete empties all of them.
const char* const CompanyTables[] = {"MSYAIN1", "MSYAIN2", "MKIGYOU1", "MKIGYOU2",  "MMARK",
                                     "MGRAPH",  "MCHART",  "DCHINGIN", "DCHINGIN2", "DKSEN2",
                                     "DKSEN3",  "DSCALE",  "DSPDRAW",  "MCHINGIN",  "MHYOUKA"};

// The MKIGYOU2 columns that the company data screen fills (key columns aside).
ColumnValues settingsColumns(const CompanyRecord& r) {
    ColumnValues c = {{"KNA", r.name},
                      {"CYOUSAHI", r.surveyDate},
                      {"BEARITSU", BindValue(r.baseUp)},
                      {"TAIKEI", r.salaryKind}};
    static const char* const kkna[] = {"", "KKNA1", "KKNA2", "KKNA3"};
    static const char* const tna[] = {"", "TNA1", "TNA2", "TNA3", "TNA4", "TNA5"};
    static const char* const tk[] = {"",     "TK01", "TK02", "TK03", "TK04",
                                     "TK05", "TK06", "TK07", "TK08", "TK09"};
    for (size_t i = 1; i <= BasePayItemCount; ++i)
        c.push_back({kkna[i], r.basePayNames[i]});
    for (size_t i = 1; i <= AllowanceCount; ++i)
        c.push_back({tna[i], r.allowanceNames[i]});
    // The model wage series is the one of the model data.
    c.push_back({"MCCO", r.modelCode});
    c.push_back({"MDCO", r.modelCode});
    for (size_t i = 1; i <= MaxGrades; ++i)
        c.push_back({tk[i], r.gradeNames[i]});
    c += ColumnValues{{"FRSTKYU", r.salaryOption},
                      {"SKCO", r.livingCode},
                      {"SYOUKYUHI", r.raiseDate},
                      {"FRSTKYUM", r.matrixOption},
                      {"FRENCM", r.linkOption}};
    return c;
}

} // namespace

QVector<CompanyListRow> ListCompanies(int year) {
    QVector<CompanyListRow> rows;
    for (TQuery q = DM().select(TDM::ACN1,
                                QStringLiteral("SELECT KCO, KNA FROM MKIGYOU1 WHERE NENDO = ? "
                                               "ORDER BY KCO"),
                                {year});
         !q.eof(); q.next())
        rows.push_back({q.asInt(QStringLiteral("KCO")), q.asText(QStringLiteral("KNA"))});
    return rows;
}

bool ListCompanyYears(int year, QVector<CompanyYearRow>& rows) {
    rows.clear();
    TQuery q = year == 0 ? DM().select(TDM::ACN1, QStringLiteral("SELECT KCO, NENDO, KNA FROM "
                                                                 "MKIGYOU1 ORDER BY NENDO, KCO"))
                         : DM().select(TDM::ACN1,
                                       QStringLiteral("SELECT KCO, NENDO, KNA FROM MKIGYOU1 "
                                                      "WHERE NENDO = ? ORDER BY NENDO, KCO"),
                                       {year});
    if (!q.active())
        return false;
    for (; !q.eof(); q.next())
        rows.push_back({q.asInt(QStringLiteral("KCO")), q.asInt(QStringLiteral("NENDO")),
                        q.asText(QStringLiteral("KNA"))});
    return true;
}

int HighestCompanyCode() {
    const TQuery q = DM().select(TDM::ACN1, QStringLiteral("SELECT Max(KCO) FROM MKIGYOU1"));
    return q.eof() || q.value(0).isNull() ? 0 : int(VariantInt(q.value(0)));
}

std::optional<CompanyOptions> LoadCompanyOptions(const CompanyYear& company) {
    const TQuery q = DM().select(TDM::ACN1,
                                 QStringLiteral("SELECT KNA, REKI, FNK, KDATE FROM MKIGYOU1 WHERE "
                                                "NENDO = ? AND KCO = ?"),
                                 {company.nendo, company.kco});
    if (q.eof())
        return std::nullopt;
    return CompanyOptions{q.asText(QStringLiteral("KNA")), q.asInt(QStringLiteral("REKI")),
                          q.asInt(QStringLiteral("FNK")), q.asInt(QStringLiteral("KDATE"))};
}

std::optional<CompanyRecord> LoadCompanyRecord(const CompanyYear& company) {
    const TQuery q = DM().select(
        TDM::ACN2,
        QStringLiteral("SELECT * FROM MKIGYOU2 WHERE NENDO = ? AND KCO = ? ORDER BY KCO"),
        {company.nendo, company.kco});
    if (q.eof())
        return std::nullopt;
    CompanyRecord r;
    r.company = company;
    r.name = q.asText(QStringLiteral("KNA"));
    r.surveyDate = q.asInt(QStringLiteral("CYOUSAHI"));
    r.raiseDate = q.asInt(QStringLiteral("SYOUKYUHI"));
    r.baseUp = q.asCurrency(QStringLiteral("BEARITSU"));
    r.salaryKind = q.asText(QStringLiteral("TAIKEI"));
    for (int i = 1; i <= BasePayItemCount; ++i)
        r.basePayNames[size_t(i)] = q.asText(QStringLiteral("KKNA%1").arg(i));
    for (int i = 1; i <= AllowanceCount; ++i)
        r.allowanceNames[size_t(i)] = q.asText(QStringLiteral("TNA%1").arg(i));
    for (int i = 1; i <= MaxGrades; ++i)
        r.gradeNames[size_t(i)] = q.asText(QStringLiteral("TK%1").arg(i, 2, 10, QLatin1Char('0')));
    r.modelCode = q.asInt(QStringLiteral("MDCO"));
    r.modelWageCode = q.asInt(QStringLiteral("MCCO"));
    r.livingCode = q.asInt(QStringLiteral("SKCO"));
    r.salaryOption = q.asInt(QStringLiteral("FRSTKYU"));
    r.matrixOption = q.asInt(QStringLiteral("FRSTKYUM"));
    r.linkOption = q.asInt(QStringLiteral("FRENCM"));
    if (!RememberRecord(companyRecord(company, r.name)))
        return std::nullopt;
    return r;
}

CompanySaveResult RegisterCompany(const CompanyRecord& r, int createdDate) {
    const int kco = r.company.kco;
    const int nendo = r.company.nendo;
    // The company's marks and graph styles start as copies of the templates (company 0,
    // year 9999). They are read before anything is written, so a missing template stops the
    // register with nothing stored.
    BoundStatements copies;
    for (int m = 1; m <= MarkCount; ++m) {
        const TQuery q = DM().select(TDM::ACN1,
                                     QStringLiteral("SELECT * FROM MMMARK WHERE MKCO = ? AND "
                                                    "NENDO = 9999 AND KCO = 0"),
                                     {m});
        if (!q.active())
            return CompanySaveResult::Failed;
        if (q.eof())
            return CompanySaveResult::NoTemplate;
        copies << InsertStatement(QStringLiteral("MMARK"),
                                  {{"KCO", kco},
                                   {"NENDO", nendo},
                                   {"MKCO", q.asInt64(QStringLiteral("MKCO"))},
                                   {"MARK", q.asText(QStringLiteral("MARK"))},
                                   {"HANREI", q.asText(QStringLiteral("HANREI"))},
                                   {"MKCOLOR", q.asText(QStringLiteral("MKCOLOR"))},
                                   {"MKSIZE", q.asInt64(QStringLiteral("MKSIZE"))},
                                   {"KCOLOR", q.asText(QStringLiteral("KCOLOR"))},
                                   {"KSYURUI", q.asInt64(QStringLiteral("KSYURUI"))},
                                   {"KHABA", q.asInt64(QStringLiteral("KHABA"))}});
    }
    for (int g = 1; g <= 4; ++g) {
        const TQuery q = DM().select(TDM::ACN1,
                                     QStringLiteral("SELECT * FROM MMGRAPH WHERE GSCO = ? AND "
                                                    "NENDO = 9999 AND KCO = 0"),
                                     {g});
        if (!q.active())
            return CompanySaveResult::Failed;
        if (q.eof())
            return CompanySaveResult::NoTemplate;
        copies << InsertStatement(QStringLiteral("MGRAPH"),
                                  {{"KCO", kco},
                                   {"NENDO", nendo},
                                   {"GSCO", q.asInt64(QStringLiteral("GSCO"))},
                                   {"CCOLOR", q.asText(QStringLiteral("CCOLOR"))},
                                   {"CSYURUI", q.asInt64(QStringLiteral("CSYURUI"))},
                                   {"CHABA", q.asInt64(QStringLiteral("CHABA"))}});
    }

    // A new company has no path, counts ages to April 1 of its first fiscal year (a fixed
    // date of 2004 made every employee years too young) and shows western years until the
    // basic settings say otherwise.
    const BoundStatement master =
        InsertStatement(QStringLiteral("MKIGYOU1"), {{"KCO", kco},
                                                     {"NENDO", nendo},
                                                     {"KNA", r.name},
                                                     {"PATH", QString()},
                                                     {"SDATE", createdDate},
                                                     {"FNK", 0},
                                                     {"KDATE", FiscalYearStart(nendo)},
                                                     {"REKI", 0}});
    const BoundStatement settings =
        InsertStatement(QStringLiteral("MKIGYOU2"),
                        ColumnValues{{"KCO", kco}, {"NENDO", nendo}} + settingsColumns(r));

    Transaction tx(TDM::Files::Both);
    if (!tx.ok() || !ExecEach(TDM::ACN1, {master}) || !ExecEach(TDM::ACN2, {settings}) ||
        !ExecEach(TDM::ACN2, copies) || !tx.commit())
        return CompanySaveResult::Failed;
    return CompanySaveResult::Saved;
}

SaveResult ChangeCompany(const CompanyRecord& r) {
    const TDM::Binds key = {r.company.kco, r.company.nendo};
    const GuardedRecord record = companyRecord(r.company, r.name);
    Transaction tx(TDM::Files::Both);
    if (!tx.ok())
        return FailedResult();
    if (const std::optional<SaveResult> refused = RefusedSave(record))
        return *refused;
    return ExecEach(TDM::ACN1, {UpdateStatement(QStringLiteral("MKIGYOU1"), {{"KNA", r.name}},
                                                Where.trimmed(), key)}) &&
                   ExecEach(TDM::ACN2,
                            {UpdateStatement(QStringLiteral("MKIGYOU2"), settingsColumns(r),
                                             Where.trimmed(), key)}) &&
                   RememberSaved(record) && tx.commit()
               ? SavedResult()
               : FailedResult();
}

bool DeleteCompany(const CompanyYear& company) {
    Transaction tx(TDM::Files::Both);
    if (!tx.ok())
        return false;
    QString holder;
    if (!DM().tryLockCompany(company.kco, &holder)) {
        if (!DM().transactionFailed())
            Msg::info(CompanyLockedText(holder));
        return false;
    }
    for (const char* table : CompanyTables) {
        const QString name = QString::fromLatin1(table);
        const TDM::Conn conn = name == QStringLiteral("MKIGYOU1") ? TDM::ACN1 : TDM::ACN2;
        if (!DM().exec(conn, QStringLiteral("DELETE FROM ") + name + Where,
                       {company.kco, company.nendo}))
            return false;
    }
    return tx.commit();
}

CodeList LoadModelDataCodes() {
    CodeList list;
    for (TQuery q = DM().select(TDM::ACN1, QStringLiteral("SELECT * FROM MDEL ORDER BY MDCO"));
         !q.eof(); q.next())
        list.push_back({q.asText(QStringLiteral("MDCO")), q.asText(QStringLiteral("MDNA"))});
    return list;
}

CodeList LoadLivingCostCodes() {
    CodeList list;
    QString previous;
    bool first = true;
    for (TQuery q = DM().select(TDM::ACN2,
                                QStringLiteral("SELECT * FROM MSEIKEI ORDER BY SKCO,SNIN,SNENREI"));
         !q.eof(); q.next()) {
        const QString code = q.asText(QStringLiteral("SKCO"));
        if (!first && code == previous)
            continue;
        first = false;
        previous = code;
        list.push_back({code, q.asText(QStringLiteral("DEDOKORO"))});
    }
    return list;
}
