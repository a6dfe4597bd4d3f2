#include "data/wage/WageTableStore.h"

#include "core/common/AppState.h"
#include "core/common/Counts.h"
#include "core/common/Helpers.h"
#include "core/common/MessageTexts.h"
#include "core/wage/WageTableGenerator.h"
#include "data/db/BoundStatement.h"
#include "data/db/RecordGuard.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"
#include "data/wage/WageTableSql.h"

namespace {

const QString Where = QStringLiteral(" WHERE KCO = ? AND NENDO = ?");

// The definition's stored rows: head, scale sets and curve sets (the table follows from them).
GuardedRecord definitionRecord(int kco, int year) {
    const TDM::Binds key{kco, year};
    auto read = [&](const char* table, const char* order) {
        return RecordRead{TDM::ACN2,
                          QStringLiteral("SELECT * FROM %1%2 ORDER BY %3")
                              .arg(QLatin1String(table), Where, QLatin1String(order)),
                          key};
    };
    return {QStringLiteral("WAGETABLE/%1/%2").arg(kco).arg(year),
            QStringLiteral("%1年度の賃金表の定義").arg(year),
            {read("MCHINGIN", "CGCO"), read("DSCALE", "SKCO, TKNO"), read("DKSEN2", "K2CO, TKNO"),
             read("DKSEN3", "K3CO, TKNO")}};
}

QVector<StoredCurveRow> loadCurveSet(int kco, int year, int code, bool third) {
    const QString table = third ? QStringLiteral("DKSEN3") : QStringLiteral("DKSEN2");
    const QString column = third ? QStringLiteral("K3CO") : QStringLiteral("K2CO");
    QVector<StoredCurveRow> rows;
    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT * FROM ") + table + Where +
                               QStringLiteral(" AND ") + column + QStringLiteral(" = ? ORDER BY ") +
                               column + QStringLiteral(",TKNO"),
                           {kco, year, code});
    const QStringList steps = third
                                  ? QStringList{QStringLiteral("SGOUSU"), QStringLiteral("C1GOUSU"),
                                                QStringLiteral("C2GOUSU"), QStringLiteral("EGOUSU")}
                                  : QStringList{QStringLiteral("SGOUSU"), QStringLiteral("C1GOUSU"),
                                                QStringLiteral("EGOUSU")};
    const QStringList amounts = third ? QStringList{QStringLiteral("SKIN"), QStringLiteral("C1KIN"),
                                                    QStringLiteral("C2KIN"), QStringLiteral("EKIN")}
                                      : QStringList{QStringLiteral("SKIN"), QStringLiteral("C1KIN"),
                                                    QStringLiteral("EKIN")};
    for (; !q.eof(); q.next()) {
        StoredCurveRow r;
        r.grade = q.asInt(QStringLiteral("TKNO"));
        for (int p = 0; p < steps.size(); ++p) {
            r.steps[size_t(p)] = q.asInt(steps[p]);
            r.amounts[size_t(p)] = q.asCurrency(amounts[p]);
        }
        r.rate = q.asCurrency(QStringLiteral("KRITSU"));
        rows << r;
    }
    return rows;
}

// Table and column come from this file only, never from input.
QVector<int> loadCodes(int kco, int year, const QString& table, const QString& column) {
    QVector<int> codes;
    TQuery q =
        DM().select(TDM::ACN2,
                    QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ") + table + Where +
                        QStringLiteral(" ORDER BY ") + column + QStringLiteral(",TKNO"),
                    {kco, year});
    for (; !q.eof(); q.next()) {
        const int code = q.asInt(column);
        if (codes.isEmpty() || codes.last() != code)
            codes << code;
    }
    return codes;
}

} // namespace

std::optional<StoredHead> LoadWageTableHead(int kco, int year) {
    std::optional<StoredHead> head;
    const TQuery q = DM().select(TDM::ACN2,
                                 QStringLiteral("SELECT * FROM MCHINGIN") + Where +
                                     QStringLiteral(" AND CGCO = 1"),
                                 {kco, year});
    if (!q.eof()) {
        StoredHead h;
        h.gradeCount = q.asInt(QStringLiteral("TKSU"));
        h.method = q.asInt(QStringLiteral("KSENTAKUF"));
        h.overwrite = q.asInt(QStringLiteral("UKAKIF"));
        h.rounding = q.asInt(QStringLiteral("MARUMEF"));
        h.title = q.asText(QStringLiteral("TITLE"));
        h.scaleCode = q.asInt(QStringLiteral("SKCO"));
        h.secondCode = q.asInt(QStringLiteral("K2CO"));
        h.thirdCode = q.asInt(QStringLiteral("K3CO"));
        h.lowestStep = q.asInt(QStringLiteral("GOUHOU1"));
        h.highestStep = q.asInt(QStringLiteral("GOUHOU2"));
        head = h;
    }
    return head;
}

QVector<StoredScaleRow> LoadScaleSet(int kco, int year, int code) {
    QVector<StoredScaleRow> rows;
    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT * FROM DSCALE") + Where +
                               QStringLiteral(" AND SKCO = ? ORDER BY SKCO,TKNO"),
                           {kco, year, code});
    for (; !q.eof(); q.next())
        rows << StoredScaleRow{
            q.asInt(QStringLiteral("TKNO")),       q.asCurrency(QStringLiteral("RITSU1")),
            q.asCurrency(QStringLiteral("KKIN")),  q.asCurrency(QStringLiteral("RITSU2")),
            q.asCurrency(QStringLiteral("SPKIN")), q.asCurrency(QStringLiteral("RNKIN"))};
    return rows;
}

QVector<StoredCurveRow> LoadSecondOrderSet(int kco, int year, int code) {
    return loadCurveSet(kco, year, code, false);
}

QVector<StoredCurveRow> LoadThirdOrderSet(int kco, int year, int code) {
    return loadCurveSet(kco, year, code, true);
}

QVector<int> LoadScaleCodes(int kco, int year) {
    return loadCodes(kco, year, QStringLiteral("DSCALE"), QStringLiteral("SKCO"));
}

QVector<int> LoadSecondOrderCodes(int kco, int year) {
    return loadCodes(kco, year, QStringLiteral("DKSEN2"), QStringLiteral("K2CO"));
}

QVector<int> LoadThirdOrderCodes(int kco, int year) {
    return loadCodes(kco, year, QStringLiteral("DKSEN3"), QStringLiteral("K3CO"));
}

std::optional<WageTableTexts> OpenStoredWageTable(int kco, int year, const GradeNames& names) {
    const std::optional<StoredHead> head = LoadWageTableHead(kco, year);
    if (!head)
        return std::nullopt;
    WageTableTexts t;
    ApplyStoredHead(t, head);
    t.scale = ScalePageTexts(LoadScaleSet(kco, year, t.head.scaleCode), names);
    t.second = CurvePageTextsOf(LoadSecondOrderSet(kco, year, t.head.secondCode));
    t.third = CurvePageTextsOf(LoadThirdOrderSet(kco, year, t.head.thirdCode));
    return t;
}

SaveResult SaveWageTable(int kco, int year, const WageTableDefinition& definition,
                         const GradeNames& gradeNames, GenerationFault* fault) {
    const std::optional<WageTable> table = GenerateWageTable(definition, fault);
    if (!table)
        return {SaveOutcome::OutOfRange, MsgText::OutOfRange()};
    const GuardedRecord record = definitionRecord(kco, year);
    Transaction tx(TDM::Files::Data);
    if (!tx.ok() || !DM().queueForWageTable(kco))
        return FailedResult();
    const DataChange change{DataChange::What::WageTable, {kco, year}, {}};
    if (const std::optional<SaveResult> refused = RefusedSave(record, change))
        return *refused;
    if (!ExecEach(TDM::ACN2, WageTableSaveStatements(kco, year, definition, gradeNames, *table)) ||
        !RememberSaved(record))
        return FailedResult();
    AnnounceChange(change);
    return tx.commit() ? SavedResult() : FailedResult();
}

bool RememberLoadedWageTable(int kco, int year) {
    return RememberRecord(definitionRecord(kco, year));
}

SaveResult SaveWageTableWithin(int kco, int year, const WageTableDefinition& definition,
                               const GradeNames& gradeNames, GenerationFault* fault) {
    const std::optional<WageTable> table = GenerateWageTable(definition, fault);
    if (!table)
        return {SaveOutcome::OutOfRange, MsgText::OutOfRange()};
    if (!DM().queueForWageTable(kco) ||
        !ExecEach(TDM::ACN2, WageTableSaveStatements(kco, year, definition, gradeNames, *table)))
        return FailedResult();
    // Told when the caller's transaction commits.
    AnnounceChange({DataChange::What::WageTable, {kco, year}, {}});
    return SavedResult();
}

QVector<WageTableRow> LoadStoredWageTable(int kco, int year) {
    QVector<WageTableRow> rows;
    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT * FROM DCHINGIN2") + Where +
                               QStringLiteral(" ORDER BY GOUHOU"),
                           {kco, year});
    for (; !q.eof(); q.next()) {
        WageTableRow r;
        r.step = q.asInt(QStringLiteral("GOUHOU"));
        for (int g = 1; g <= MaxGrades; ++g) {
            r.amount[size_t(g)] = q.asCurrency(QStringLiteral("KIN%1").arg(g)).rounded();
            r.index[size_t(g)] = q.asInt64(QStringLiteral("KS%1").arg(g));
        }
        rows << r;
    }
    return rows;
}

std::array<qint64, MaxGrades + 1> LoadBaseAmounts(int kco, int year) {
    std::array<qint64, MaxGrades + 1> totals{};
    // The saved option of the company, not the link of whichever employee was read last.
    int salaryOption = 3;
    const TQuery option =
        DM().select(TDM::ACN2, QStringLiteral("SELECT FRSTKYU FROM MKIGYOU2") + Where, {kco, year});
    if (!option.eof())
        salaryOption = option.asInt(QStringLiteral("FRSTKYU"));
    const bool linked = IsBasePayItem(salaryOption);
    // An employee whose grade and step have no amount in the wage table (every employee
    // before the first table exists) counts with the base-pay item linked to the table, not
    // with 0: the base amounts are wanted exactly when the scale is first typed.
    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT TOUKYU,AVG(KKYU1) as KIN1, AVG(KKYU2) as KIN2,"
                                          "AVG(KKYU3) as KIN3, AVG(CASE WHEN KIN <> 0 THEN KIN "
                                          "WHEN JISEKI = 2 THEN KKYU2 WHEN JISEKI = 3 THEN KKYU3 "
                                          "ELSE KKYU1 END) as HKIN FROM VSYAIN") +
                               Where + QStringLiteral(" group by TOUKYU"),
                           {kco, year});
    for (; !q.eof(); q.next()) {
        const double average = q.asReal(linked ? QStringLiteral("HKIN") : QStringLiteral("KIN1"));
        int grade = q.asInt(QStringLiteral("TOUKYU"));
        if (grade < 1 || grade > MaxGrades)
            grade = 1;
        totals[size_t(grade)] += qint64(RoundAt(1, average));
    }
    return totals;
}

StoredWageTable LoadWholeWageTable(int kco, int year) {
    StoredWageTable t;
    t.head = LoadWageTableHead(kco, year);
    if (t.head) {
        t.scale = LoadScaleSet(kco, year, t.head->scaleCode);
        t.curves = t.thirdOrder() ? LoadThirdOrderSet(kco, year, t.head->thirdCode)
                                  : LoadSecondOrderSet(kco, year, t.head->secondCode);
    }
    t.rows = LoadStoredWageTable(kco, year);
    return t;
}
