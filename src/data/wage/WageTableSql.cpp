#include "data/wage/WageTableSql.h"

#include "core/common/SqlText.h"

namespace {

QString where(int kco, int year) {
    return QStringLiteral(" WHERE KCO = ") + SqlNum(kco) + QStringLiteral(" AND NENDO = ") +
           SqlNum(year);
}

QString values(const QStringList& v) {
    return QStringLiteral(" VALUES (") + v.join(QLatin1Char(',')) + QLatin1Char(')');
}

} // namespace

QString WageTableRowInsert(int kco, int year, const WageTableRow& row) {
    QString sql = QStringLiteral("INSERT INTO DCHINGIN2 (KCO, NENDO, GOUHOU");
    for (int g = 1; g <= MaxGrades; ++g)
        sql += QStringLiteral(", KIN%1, KS%1").arg(g);
    QStringList v = {SqlNum(kco), SqlNum(year), SqlNum(row.step)};
    for (int g = 1; g <= MaxGrades; ++g)
        v << SqlNum(row.amount[size_t(g)]) << SqlNum(row.index[size_t(g)]);
    return sql + QLatin1Char(')') + values(v);
}

QStringList WageTableSaveStatements(int kco, int year, const WageTableDefinition& d,
                                    const GradeNames& gradeNames, const WageTable& table) {
    const WageTableHead& h = d.head;
    const QString k = SqlNum(kco);
    const QString y = SqlNum(year);
    QStringList out;

    out << QStringLiteral("DELETE FROM MCHINGIN ") + where(kco, year) +
               QStringLiteral(" AND CGCO = 1");
    out << QStringLiteral("INSERT INTO MCHINGIN (KCO, NENDO, CGCO, TKSU, GOUSU, KSENTAKUF, UKAKIF, "
                          "MARUMEF, TITLE, SKCO, K2CO, K3CO, GOUHOU1, GOUHOU2)") +
               values({k, y, SqlNum(1), SqlNum(h.gradeCount), SqlNum(0), SqlNum(int(h.method)),
                       SqlNum(h.manualAmounts ? 1 : 0), SqlNum(h.rounding), SqlQuote(h.title),
                       SqlNum(h.scaleCode), SqlNum(h.secondCode), SqlNum(h.thirdCode),
                       SqlNum(table.steps.lowest), SqlNum(table.steps.highest)});

    out << QStringLiteral("DELETE FROM DSCALE ") + where(kco, year) +
               QStringLiteral(" AND SKCO = ") + SqlNum(h.scaleCode);
    for (int g = 1; g <= h.gradeCount; ++g) {
        const ScaleGrade& s = d.scale[size_t(g)];
        out << QStringLiteral("INSERT INTO DSCALE (KCO, NENDO, SKCO, TKNO, TKNA, RITSU1, KKIN, "
                              "RITSU2, SPKIN, RNKIN)") +
                   values({k, y, SqlNum(h.scaleCode), SqlNum(g), SqlQuote(gradeNames[size_t(g)]),
                           SqlNum(s.lowerPercent), SqlNum(s.base), SqlNum(s.upperPercent),
                           SqlNum(s.spread), SqlNum(s.range)});
    }

    const bool third = h.method == CurveMethod::ThirdOrder;
    const QString table3 = third ? QStringLiteral("DKSEN3") : QStringLiteral("DKSEN2");
    const QString codeColumn = third ? QStringLiteral("K3CO") : QStringLiteral("K2CO");
    const int code = third ? h.thirdCode : h.secondCode;
    const CurveSet& set = d.chosenSet();
    out << QStringLiteral("DELETE FROM ") + table3 + QLatin1Char(' ') + where(kco, year) +
               QStringLiteral(" AND ") + codeColumn + QStringLiteral(" = ") + SqlNum(code);
    const QString columns =
        third ? QStringLiteral("SGOUSU, SKIN, C1GOUSU, C1KIN, C2GOUSU, C2KIN, EGOUSU, EKIN")
              : QStringLiteral("SGOUSU, SKIN, C1GOUSU, C1KIN, EGOUSU, EKIN");
    for (int g = 1; g <= h.gradeCount; ++g) {
        QStringList v = {k, y, SqlNum(code), SqlNum(g)};
        for (int p = 0; p < d.keyPointCount(); ++p) {
            const KeyPoint& point = set.grades[size_t(g)].points[size_t(p)];
            v << SqlNum(point.step) << SqlNum(point.amount);
        }
        v << SqlNum(set.rate);
        out << QStringLiteral("INSERT INTO ") + table3 + QStringLiteral(" (KCO, NENDO, ") +
                   codeColumn + QStringLiteral(", TKNO, ") + columns + QStringLiteral(", KRITSU)") +
                   values(v);
    }

    out << QStringLiteral("DELETE From DCHINGIN2 ") + where(kco, year);
    for (const WageTableRow& row : table.rows)
        out << WageTableRowInsert(kco, year, row);
    return out;
}
