#include "data/report/GroupReportStore.h"

#include "core/common/Counts.h"
#include "data/db/TDM.h"
#include "data/raise/RaiseStore.h"

std::optional<QVector<GroupReportEmployee>>
LoadGroupReportEmployees(const CompanyYear& company, ReportRange marks, ReportRange grades) {
    // The steps of each evaluation, for the 昇号数 the raise input shows.
    EvaluationCodes codes;
    if (!LoadEvaluationCodes(company, codes))
        return std::nullopt;
    TQuery q = DM().select(
        TDM::ACN2,
        QStringLiteral(
            "SELECT SCOT, SNA, HYOUKA, HCO, MCO, TOUKYU, NTOUKYU, GOUHOU, SGOUHOU, JISEKI, "
            "SEIHI, NYUHI, KKYU1, KKYU2, KKYU3, NKKYU1, NKKYU2, NKKYU3, KIN, NKIN, TEATE1, "
            "TEATE2, TEATE3, TEATE4, TEATE5, NTEATE1, NTEATE2, NTEATE3, NTEATE4, NTEATE5, "
            "SYOUYO, SYOUYO2, NSYOTEI FROM VSYAIN WHERE (MCO BETWEEN ? AND ?) AND "
            "(TOUKYU BETWEEN ? AND ?) AND NENDO = ? AND KCO = ? ORDER BY KCO, MCO, SCO"),
        {marks.from, marks.to, grades.from, grades.to, company.nendo, company.kco});
    if (!q.active())
        return std::nullopt;
    // Whole yen: money columns hold whole amounts; a stray fraction is dropped, not rounded.
    auto yen = [&q](const QString& column) { return q.asCurrency(column).truncated(); };
    static const QString kkyu[] = {QString(), QStringLiteral("KKYU1"), QStringLiteral("KKYU2"),
                                   QStringLiteral("KKYU3")};
    static const QString nkkyu[] = {QString(), QStringLiteral("NKKYU1"), QStringLiteral("NKKYU2"),
                                    QStringLiteral("NKKYU3")};
    QVector<GroupReportEmployee> rows;
    rows.reserve(q.recordCount());
    for (q.first(); !q.eof(); q.next()) {
        GroupReportEmployee e;
        e.SCOT = q.asText(QStringLiteral("SCOT"));
        e.SNA = q.asText(QStringLiteral("SNA"));
        e.HYOUKA = q.asText(QStringLiteral("HYOUKA"));
        e.MCO = q.asInt(QStringLiteral("MCO"));
        e.TOUKYU = q.asInt(QStringLiteral("TOUKYU"));
        e.GOUHOU = q.asInt(QStringLiteral("GOUHOU"));
        e.SGOUHOU = q.asInt(QStringLiteral("SGOUHOU"));
        e.evaluationSteps = StepsForEvaluation(codes, q.asInt(QStringLiteral("HCO")));
        e.NTOUKYU = q.asInt(QStringLiteral("NTOUKYU"));
        e.JISEKI = q.asInt(QStringLiteral("JISEKI"));
        e.SEIHI = q.asInt64(QStringLiteral("SEIHI"));
        e.NYUHI = q.asInt64(QStringLiteral("NYUHI"));
        for (int i = 1; i <= BasePayItemCount; ++i) {
            e.KKYU[size_t(i)] = yen(kkyu[i]);
            e.NKKYU[size_t(i)] = yen(nkkyu[i]);
        }
        e.KIN = yen(QStringLiteral("KIN"));
        e.NKIN = yen(QStringLiteral("NKIN"));
        for (int i = 1; i <= AllowanceCount; ++i) {
            e.TEATE[size_t(i)] = yen(QStringLiteral("TEATE%1").arg(i));
            e.NTEATE[size_t(i)] = yen(QStringLiteral("NTEATE%1").arg(i));
        }
        e.SYOUYO = yen(QStringLiteral("SYOUYO"));
        e.SYOUYO2 = yen(QStringLiteral("SYOUYO2"));
        e.raiseDecided = !q.asCurrency(QStringLiteral("NSYOTEI")).isZero();
        rows.push_back(std::move(e));
    }
    return rows;
}

std::optional<LeftOutEmployees> LoadLeftOutEmployees(const CompanyYear& company) {
    // One row per mark and grade: a company of 10,000 employees is counted in the database.
    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT MCO, TOUKYU, COUNT(*) AS N FROM VSYAIN WHERE "
                                          "NENDO = ? AND KCO = ? GROUP BY MCO, TOUKYU"),
                           {company.nendo, company.kco});
    if (!q.active())
        return std::nullopt;
    LeftOutEmployees left;
    for (q.first(); !q.eof(); q.next())
        left.add(q.asInt(QStringLiteral("MCO")), q.asInt(QStringLiteral("TOUKYU")),
                 q.asInt(QStringLiteral("N")));
    return left;
}
