#include "data/wage/WageTableSql.h"

namespace {

const QString Where = QStringLiteral(" WHERE KCO = ? AND NENDO = ?");

QString marks(int n) {
    QStringList m;
    for (int i = 0; i < n; ++i)
        m << QStringLiteral("?");
    return QStringLiteral(" VALUES (") + m.join(QLatin1Char(',')) + QLatin1Char(')');
}

} // namespace

BoundStatement WageTableRowInsert(int kco, int year, const WageTableRow& row) {
    QString sql = QStringLiteral("INSERT INTO DCHINGIN2 (KCO, NENDO, GOUHOU");
    for (int g = 1; g <= MaxGrades; ++g)
        sql += QStringLiteral(", KIN%1, KS%1").arg(g);
    TDM::Binds v = {kco, year, row.step};
    for (int g = 1; g <= MaxGrades; ++g)
        v << row.amount[size_t(g)] << row.index[size_t(g)];
    return {sql + QLatin1Char(')') + marks(int(v.size())), v};
}

BoundStatements WageTableSaveStatements(int kco, int year, const WageTableDefinition& d,
                                        const GradeNames& gradeNames, const WageTable& table) {
    const WageTableHead& h = d.head;
    BoundStatements out;

    out << BoundStatement{QStringLiteral("DELETE FROM MCHINGIN") + Where +
                              QStringLiteral(" AND CGCO = 1"),
                          {kco, year}};
    out << BoundStatement{QStringLiteral("INSERT INTO MCHINGIN (KCO, NENDO, CGCO, TKSU, GOUSU, "
                                         "KSENTAKUF, UKAKIF, MARUMEF, TITLE, SKCO, K2CO, K3CO, "
                                         "GOUHOU1, GOUHOU2)") +
                              marks(14),
                          {kco, year, 1, h.gradeCount, 0, int(h.method), h.manualAmounts ? 1 : 0,
                           h.rounding, h.title, h.scaleCode, h.secondCode, h.thirdCode,
                           table.steps.lowest, table.steps.highest}};

    out << BoundStatement{QStringLiteral("DELETE FROM DSCALE") + Where +
                              QStringLiteral(" AND SKCO = ?"),
                          {kco, year, h.scaleCode}};
    for (int g = 1; g <= h.gradeCount; ++g) {
        const ScaleGrade& s = d.scale[size_t(g)];
        out << BoundStatement{QStringLiteral("INSERT INTO DSCALE (KCO, NENDO, SKCO, TKNO, TKNA, "
                                             "RITSU1, KKIN, RITSU2, SPKIN, RNKIN)") +
                                  marks(10),
                              {kco, year, h.scaleCode, g, gradeNames[size_t(g)],
                               BindValue(s.lowerPercent), BindValue(s.base),
                               BindValue(s.upperPercent), BindValue(s.spread), BindValue(s.range)}};
    }

    const bool third = h.method == CurveMethod::ThirdOrder;
    const QString table3 = third ? QStringLiteral("DKSEN3") : QStringLiteral("DKSEN2");
    const QString codeColumn = third ? QStringLiteral("K3CO") : QStringLiteral("K2CO");
    const int code = third ? h.thirdCode : h.secondCode;
    const CurveSet& set = d.chosenSet();
    out << BoundStatement{QStringLiteral("DELETE FROM ") + table3 + Where +
                              QStringLiteral(" AND ") + codeColumn + QStringLiteral(" = ?"),
                          {kco, year, code}};
    const QString columns =
        third ? QStringLiteral("SGOUSU, SKIN, C1GOUSU, C1KIN, C2GOUSU, C2KIN, EGOUSU, EKIN")
              : QStringLiteral("SGOUSU, SKIN, C1GOUSU, C1KIN, EGOUSU, EKIN");
    for (int g = 1; g <= h.gradeCount; ++g) {
        TDM::Binds v = {kco, year, code, g};
        for (int p = 0; p < d.keyPointCount(); ++p) {
            const KeyPoint& point = set.grades[size_t(g)].points[size_t(p)];
            v << point.step << point.amount;
        }
        v << BindValue(set.rate);
        out << BoundStatement{QStringLiteral("INSERT INTO ") + table3 +
                                  QStringLiteral(" (KCO, NENDO, ") + codeColumn +
                                  QStringLiteral(", TKNO, ") + columns +
                                  QStringLiteral(", KRITSU)") + marks(int(v.size())),
                              v};
    }

    out << BoundStatement{QStringLiteral("DELETE FROM DCHINGIN2") + Where, {kco, year}};
    for (const WageTableRow& row : table.rows)
        out << WageTableRowInsert(kco, year, row);
    return out;
}
