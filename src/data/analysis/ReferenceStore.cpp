#include "data/analysis/ReferenceStore.h"

#include "data/db/RecordGuard.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"

namespace {

// What a master screen loaded of one code, as its save compares it (see RecordGuard).
GuardedRecord livingCostRecord(int code) {
    return {QStringLiteral("MSEIKEI/%1").arg(code),
            QStringLiteral("生計費コード %1 ").arg(code),
            {{TDM::ACN2,
              QStringLiteral("SELECT SNIN, SNENREI, SEIKEIHI, YURITSU, STRITSU, TNRITSU, KKRITSU, "
                             "DEDOKORO, TCHIIKI, CJITEN, NSUCHI FROM MSEIKEI WHERE SKCO = ? ORDER "
                             "BY SNIN, SNENREI"),
              {code}}}};
}
GuardedRecord modelDataRecord(int code) {
    return {QStringLiteral("MDEL/%1").arg(code),
            QStringLiteral("モデルコード %1 ").arg(code),
            {{TDM::ACN1, QStringLiteral("SELECT * FROM MDEL WHERE MDCO = ?"), {code}}}};
}
GuardedRecord modelWageRecord(int model, int code) {
    return {QStringLiteral("MDCHINGIN/%1/%2").arg(model).arg(code),
            QStringLiteral("モデル %1 の賃金コード %2 ").arg(model).arg(code),
            {{TDM::ACN1,
              QStringLiteral("SELECT * FROM MDCHINGIN WHERE MDCO = ? AND MCCO = ?"),
              {model, code}}}};
}

// Inserts the wage, or changes it when the code has one.
bool writeModelWage(int model, const ModelWageRow& r, bool exists) {
    if (exists)
        return DM().exec(TDM::ACN1,
                         QStringLiteral("UPDATE MDCHINGIN SET NENREI = ?, KNENSU = ?, KKIN = ?, "
                                        "SKIN = ?, SYOUYO = ?, NENSYU = ?, SENSYU = ?, "
                                        "KKNENSU = ? WHERE MDCO = ? AND MCCO = ?"),
                         {r.age, r.service, BindValue(r.basic), BindValue(r.scheduled),
                          BindValue(r.bonus), BindValue(r.annual), r.lineKind, r.experience, model,
                          r.code});
    return DM().exec(TDM::ACN1,
                     QStringLiteral("INSERT INTO MDCHINGIN (MDCO, MCCO, NENREI, KNENSU, KKIN, "
                                    "SKIN, SYOUYO, NENSYU, SENSYU, KKNENSU) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     {model, r.code, r.age, r.service, BindValue(r.basic), BindValue(r.scheduled),
                      BindValue(r.bonus), BindValue(r.annual), r.lineKind, r.experience});
}

LivingCostRow livingCostRow(const TQuery& q) {
    LivingCostRow r;
    r.members = q.asInt(QStringLiteral("SNIN"));
    r.age = q.asInt(QStringLiteral("SNENREI"));
    r.cost = q.asCurrency(QStringLiteral("SEIKEIHI"));
    r.comfort = q.asCurrency(QStringLiteral("YURITSU"));
    r.minimum = q.asCurrency(QStringLiteral("STRITSU"));
    r.single = q.asCurrency(QStringLiteral("TNRITSU"));
    r.factor = q.asCurrency(QStringLiteral("KKRITSU"));
    r.source = q.asText(QStringLiteral("DEDOKORO"));
    r.region = q.asText(QStringLiteral("TCHIIKI"));
    r.surveyed = q.asText(QStringLiteral("CJITEN"));
    r.notes = q.asText(QStringLiteral("NSUCHI"));
    return r;
}

ModelWageRow modelWageRow(const TQuery& q) {
    ModelWageRow r;
    r.code = q.asInt(QStringLiteral("MCCO"));
    r.age = q.asInt(QStringLiteral("NENREI"));
    r.service = q.asInt(QStringLiteral("KNENSU"));
    r.experience = q.asInt(QStringLiteral("KKNENSU"));
    r.basic = q.asCurrency(QStringLiteral("KKIN"));
    r.scheduled = q.asCurrency(QStringLiteral("SKIN"));
    r.bonus = q.asCurrency(QStringLiteral("SYOUYO"));
    r.annual = q.asCurrency(QStringLiteral("NENSYU"));
    r.lineKind = q.asInt(QStringLiteral("SENSYU"));
    return r;
}

void setFailed(bool* failed, const TQuery& q) {
    if (failed)
        *failed = !q.active();
}

} // namespace

QVector<LivingCostRow> LoadLivingCostTable(int code, bool* failed) {
    QVector<LivingCostRow> rows;
    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT * FROM MSEIKEI WHERE SKCO = ? "
                                          "ORDER BY SKCO,SNIN,SNENREI"),
                           {code});
    setFailed(failed, q);
    for (; !q.eof(); q.next())
        rows.push_back(livingCostRow(q));
    return rows;
}

bool RememberLoadedLivingCost(int code) {
    return RememberRecord(livingCostRecord(code));
}

SaveResult SaveLivingCostTable(int code, const QVector<LivingCostRow>& rows,
                               const CompanyYear& cy) {
    const GuardedRecord record = livingCostRecord(code);
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return FailedResult();
    if (const std::optional<SaveResult> refused = RefusedSave(record))
        return *refused;
    if (!DM().exec(TDM::ACN2, QStringLiteral("DELETE FROM MSEIKEI WHERE SKCO = ?"), {code}))
        return FailedResult();
    QVector<TDM::Binds> values;
    for (const LivingCostRow& r : rows)
        values.push_back({cy.kco, cy.nendo, code, r.members, r.age, BindValue(r.cost),
                          BindValue(r.comfort), BindValue(r.minimum), BindValue(r.single),
                          BindValue(r.factor), r.source, r.region, r.surveyed, r.notes});
    if (!values.isEmpty() &&
        !DM().execEach(TDM::ACN2,
                       QStringLiteral("INSERT INTO MSEIKEI (KCO, NENDO, SKCO, SNIN, SNENREI, "
                                      "SEIKEIHI, YURITSU, STRITSU, TNRITSU, KKRITSU, DEDOKORO, "
                                      "TCHIIKI, CJITEN, NSUCHI) "
                                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                       values))
        return FailedResult();
    return RememberSaved(record) && tx.commit() ? SavedResult() : FailedResult();
}

bool DeleteLivingCostTable(int code) {
    return DM().exec(TDM::ACN2, QStringLiteral("DELETE FROM MSEIKEI WHERE SKCO = ?"), {code});
}

std::optional<ModelDataRecord> LoadModelData(int code, bool* failed) {
    TQuery q = DM().select(TDM::ACN1, QStringLiteral("SELECT * FROM MDEL WHERE MDCO = ?"), {code});
    setFailed(failed, q);
    if (q.eof())
        return std::nullopt;
    ModelDataRecord r;
    r.code = q.asInt(QStringLiteral("MDCO"));
    r.name = q.asText(QStringLiteral("MDNA"));
    r.source = q.asText(QStringLiteral("DEDOKORO"));
    r.region = q.asText(QStringLiteral("TCHIIKI"));
    r.firms = q.asInt64(QStringLiteral("JSU"));
    r.surveyed = q.asText(QStringLiteral("CJITEN"));
    r.industry = q.asText(QStringLiteral("GYOUSYU"));
    r.size = q.asText(QStringLiteral("KIBO"));
    r.remarks = q.asText(QStringLiteral("BIKOU"));
    return r;
}

bool RememberLoadedModelData(int code) {
    return RememberRecord(modelDataRecord(code));
}

SaveResult SaveModelData(const ModelDataRecord& r, bool exists) {
    const GuardedRecord record = modelDataRecord(r.code);
    Transaction tx(TDM::Files::Control);
    if (!tx.ok())
        return FailedResult();
    if (const std::optional<SaveResult> refused = RefusedSave(record))
        return *refused;
    const bool written =
        exists ? DM().exec(TDM::ACN1,
                           QStringLiteral("UPDATE MDEL SET MDNA = ?, DEDOKORO = ?, TCHIIKI = ?, "
                                          "JSU = ?, CJITEN = ?, GYOUSYU = ?, KIBO = ?, BIKOU = ? "
                                          "WHERE MDCO = ?"),
                           {r.name, r.source, r.region, r.firms, r.surveyed, r.industry, r.size,
                            r.remarks, r.code})
               : DM().exec(TDM::ACN1,
                           QStringLiteral("INSERT INTO MDEL (MDCO, MDNA, DEDOKORO, TCHIIKI, JSU, "
                                          "CJITEN, GYOUSYU, KIBO, BIKOU) "
                                          "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                           {r.code, r.name, r.source, r.region, r.firms, r.surveyed, r.industry,
                            r.size, r.remarks});
    return written && RememberSaved(record) && tx.commit() ? SavedResult() : FailedResult();
}

bool DeleteModelData(int code) {
    return DM().exec(TDM::ACN1, QStringLiteral("DELETE FROM MDEL WHERE MDCO = ?"), {code});
}

QVector<ModelWageRow> LoadModelWages(int model, int lineKind, bool* failed) {
    QVector<ModelWageRow> rows;
    TQuery q = lineKind == 0
                   ? DM().select(TDM::ACN1,
                                 QStringLiteral("SELECT * FROM MDCHINGIN WHERE MDCO = ? "
                                                "ORDER BY MDCO,MCCO"),
                                 {model})
                   : DM().select(TDM::ACN1,
                                 QStringLiteral("SELECT * FROM MDCHINGIN WHERE MDCO = ? AND "
                                                "SENSYU = ? ORDER BY MDCO,MCCO"),
                                 {model, lineKind});
    setFailed(failed, q);
    for (; !q.eof(); q.next())
        rows.push_back(modelWageRow(q));
    return rows;
}

std::optional<ModelWageRow> LoadModelWage(int model, int code, bool* failed) {
    TQuery q = DM().select(TDM::ACN1,
                           QStringLiteral("SELECT * FROM MDCHINGIN WHERE MDCO = ? AND MCCO = ?"),
                           {model, code});
    setFailed(failed, q);
    if (q.eof())
        return std::nullopt;
    return modelWageRow(q);
}

bool RememberLoadedModelWage(int model, int code) {
    return RememberRecord(modelWageRecord(model, code));
}

SaveResult SaveModelWage(int model, const ModelWageRow& r, bool exists) {
    const GuardedRecord record = modelWageRecord(model, r.code);
    Transaction tx(TDM::Files::Control);
    if (!tx.ok())
        return FailedResult();
    if (const std::optional<SaveResult> refused = RefusedSave(record))
        return *refused;
    return writeModelWage(model, r, exists) && RememberSaved(record) && tx.commit()
               ? SavedResult()
               : FailedResult();
}

bool DeleteModelWage(int model, int code) {
    return DM().exec(TDM::ACN1, QStringLiteral("DELETE FROM MDCHINGIN WHERE MDCO = ? AND MCCO = ?"),
                     {model, code});
}
