#include "data/plot/ChartStore.h"

#include "data/db/TDM.h"
#include "data/db/Transaction.h"

namespace {

const QString ChartKey = QStringLiteral(" WHERE NENDO = ? AND KCO = ? AND CHCO = ?");

// Rows per statement when many rows are written at once; well below SQLite's limit of
// bound values.
constexpr int RowsPerStatement = 400;

QString placeholders(int columns, int rows) {
    QString one = QStringLiteral("(?");
    for (int i = 1; i < columns; ++i)
        one += QStringLiteral(",?");
    one += QLatin1Char(')');
    QStringList all;
    for (int r = 0; r < rows; ++r)
        all << one;
    return all.join(QLatin1Char(','));
}

int flag(bool on) {
    return on ? 1 : 0;
}

} // namespace

bool ChartSettingsExist(const CompanyYear& cy, int chartNo, bool* failed) {
    const TQuery q = DM().select(TDM::ACN2,
                                 QStringLiteral("SELECT KNO FROM MCHART") + ChartKey +
                                     QStringLiteral(" AND KNO = 1"),
                                 {cy.nendo, cy.kco, chartNo});
    if (failed)
        *failed = !q.active();
    return !q.eof();
}

bool CreateChartSettings(const CompanyYear& cy, const ChartSettings& d) {
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return false;
    for (int k = 1; k <= 6; ++k)
        if (!DM().exec(TDM::ACN2,
                       QStringLiteral("INSERT INTO MCHART(CHCO, KCO, NENDO, KNO, FCHK, TOUKYU, "
                                      "TITLE, FX, FY, MARKR, X1, X2, Y1, Y2, FKINJI, CGRAPH, "
                                      "SJYUN1, SJYUN2, SJYUN3, SJYUN4, TOUKYU1, KAISETSU) VALUES "
                                      "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 0, 0, 0, ?, ?, ?, ?, ?, "
                                      "?, ?, ?)"),
                       {d.chartNo, cy.kco, cy.nendo, k, flag(d.marks[size_t(k)]),
                        flag(d.grades[size_t(k)]), d.title, d.xItem, d.yItem, d.markLabelKind,
                        d.order, d.curves, BindValue(d.levels[1]), BindValue(d.levels[2]),
                        BindValue(d.levels[3]), BindValue(d.levels[4]),
                        flag(k <= 3 && d.grades[size_t(k + 6)]), d.explanation}))
            return false;
    return tx.commit();
}

std::optional<ChartSettings> LoadChartSettings(const CompanyYear& cy, int chartNo) {
    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT * FROM MCHART") + ChartKey +
                               QStringLiteral(" AND KNO BETWEEN 1 AND 6 ORDER BY KNO"),
                           {cy.nendo, cy.kco, chartNo});
    if (q.eof())
        return std::nullopt;
    ChartSettings s;
    s.chartNo = chartNo;
    for (; !q.eof(); q.next()) {
        const int k = q.asInt(QStringLiteral("KNO"));
        if (k == 1) {
            s.title = q.asText(QStringLiteral("TITLE"));
            s.explanation = q.asText(QStringLiteral("KAISETSU"));
            s.xItem = q.asInt(QStringLiteral("FX"));
            s.yItem = q.asInt(QStringLiteral("FY"));
            s.markLabelKind = q.asInt(QStringLiteral("MARKR"));
            s.order = q.asInt(QStringLiteral("FKINJI"));
            s.curves = q.asInt(QStringLiteral("CGRAPH"));
            for (int j = 1; j <= 4; ++j)
                s.levels[size_t(j)] = q.asCurrency(QStringLiteral("SJYUN%1").arg(j));
        }
        s.marks[size_t(k)] = q.asInt(QStringLiteral("FCHK")) == 1;
        s.grades[size_t(k)] = q.asInt(QStringLiteral("TOUKYU")) == 1;
        if (k <= 3)
            s.grades[size_t(k + 6)] = q.asInt(QStringLiteral("TOUKYU1")) == 1;
    }
    return s;
}

bool SaveChartSettings(const CompanyYear& cy, const ChartSettings& s) {
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return false;
    for (int k = 1; k <= 6; ++k)
        if (!DM().exec(TDM::ACN2,
                       QStringLiteral("UPDATE MCHART SET FCHK = ?, TOUKYU = ?, TOUKYU1 = ?, "
                                      "TITLE = ?, FX = ?, FY = ?, MARKR = ?, X1 = 0, X2 = 0, "
                                      "Y1 = 0, Y2 = 0, KAISETSU = ?, FKINJI = ?, CGRAPH = ?, "
                                      "SJYUN1 = ?, SJYUN2 = ?, SJYUN3 = ?, SJYUN4 = ? WHERE "
                                      "KNO = ? AND NENDO = ? AND KCO = ? AND CHCO = ?"),
                       {flag(s.marks[size_t(k)]), flag(s.grades[size_t(k)]),
                        flag(k <= 3 && s.grades[size_t(k + 6)]), s.title, s.xItem, s.yItem,
                        s.markLabelKind, s.explanation, s.order, s.curves, BindValue(s.levels[1]),
                        BindValue(s.levels[2]), BindValue(s.levels[3]), BindValue(s.levels[4]), k,
                        cy.nendo, cy.kco, s.chartNo}))
            return false;
    return tx.commit();
}

bool RebuildChartPoints(const QVector<ChartPoint>& points) {
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return false;
    if (!DM().exec(TDM::ACN2, QStringLiteral("DELETE FROM DCHART")))
        return false;
    for (qsizetype first = 0; first < points.size(); first += RowsPerStatement) {
        const int n = int(std::min<qsizetype>(RowsPerStatement, points.size() - first));
        TDM::Binds binds;
        binds.reserve(n * 15);
        for (qsizetype i = first; i < first + n; ++i) {
            const ChartPoint& p = points[i];
            binds << p.sco << p.name << p.labelName << p.markLabel << p.popups[1] << p.popups[2]
                  << p.popups[3] << p.popups[4] << p.popups[5] << p.x << BindValue(p.y) << p.seqNo
                  << p.mark << p.left << p.top;
        }
        // In the table's column order, as every chart's points are written.
        if (!DM().exec(TDM::ACN2,
                       QStringLiteral("INSERT INTO DCHART VALUES ") + placeholders(15, n), binds))
            return false;
    }
    return tx.commit();
}

QVector<ChartPoint> LoadChartPoints(int mark, bool* failed) {
    TQuery q =
        mark == 0
            ? DM().select(TDM::ACN2, QStringLiteral("SELECT * FROM DCHART"))
            : DM().select(TDM::ACN2, QStringLiteral("SELECT * FROM DCHART WHERE MKCO = ?"), {mark});
    if (failed)
        *failed = !q.active();
    QVector<ChartPoint> points;
    points.reserve(q.recordCount());
    for (; !q.eof(); q.next()) {
        ChartPoint p;
        p.sco = q.asInt(QStringLiteral("SCO"));
        p.name = q.asText(QStringLiteral("SNA"));
        p.labelName = q.asText(QStringLiteral("LABELN"));
        p.markLabel = q.asText(QStringLiteral("MARKL"));
        for (int k = 1; k <= 5; ++k)
            p.popups[size_t(k)] = q.asInt(QStringLiteral("F%1").arg(k));
        p.x = q.asInt(QStringLiteral("X"));
        p.y = q.asCurrency(QStringLiteral("Y"));
        p.seqNo = q.asInt(QStringLiteral("SEQNO"));
        p.mark = q.asInt(QStringLiteral("MKCO"));
        p.left = q.asInt(QStringLiteral("GLEFT"));
        p.top = q.asInt(QStringLiteral("GTOP"));
        points << p;
    }
    return points;
}

bool WritePointPlaces(const QVector<PlotPoint>& points) {
    QVector<const PlotPoint*> written;
    for (const PlotPoint& p : points)
        if (p.sco != 0)
            written << &p;
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return false;
    for (qsizetype first = 0; first < written.size(); first += RowsPerStatement) {
        const int n = int(std::min<qsizetype>(RowsPerStatement, written.size() - first));
        TDM::Binds binds;
        binds.reserve(n * 4);
        for (qsizetype i = first; i < first + n; ++i) {
            const PlotPoint& p = *written[i];
            binds << p.sco << p.labelName << p.py - 5 << p.px - 5;
        }
        // One statement per block of points rather than one per point: a chart of 10,000
        // employees is written back in a few statements.
        if (!DM().exec(TDM::ACN2,
                       QStringLiteral("WITH P(SCO, LABELN, GTOP, GLEFT) AS (VALUES ") +
                           placeholders(4, n) +
                           QStringLiteral(") UPDATE DCHART SET LABELN = P.LABELN, GTOP = P.GTOP, "
                                          "GLEFT = P.GLEFT FROM P WHERE DCHART.SCO = P.SCO"),
                       binds))
            return false;
    }
    return tx.commit();
}

std::optional<ChartPoint> PointOfMark(const QString& markName) {
    const TQuery q =
        DM().select(TDM::ACN2,
                    QStringLiteral("SELECT SCO, SNA, GLEFT, GTOP, F1, F2, F3, F4, F5 FROM DCHART "
                                   "WHERE LABELN = ?"),
                    {markName});
    if (q.eof())
        return std::nullopt;
    ChartPoint p;
    p.sco = q.asInt(QStringLiteral("SCO"));
    p.name = q.asText(QStringLiteral("SNA"));
    p.labelName = markName;
    p.left = q.asInt(QStringLiteral("GLEFT"));
    p.top = q.asInt(QStringLiteral("GTOP"));
    for (int k = 1; k <= 5; ++k)
        p.popups[size_t(k)] = q.asInt(QStringLiteral("F%1").arg(k));
    return p;
}

bool SetPopupOpen(int sco, int kind, bool open) {
    if (kind < 1 || kind > 4)
        return false;
    return DM().exec(TDM::ACN2, QStringLiteral("UPDATE DCHART SET F%1 = ? WHERE SCO = ?").arg(kind),
                     {flag(open), sco});
}

StyleSlots LoadStyleSlots(const CompanyYear& cy) {
    StyleSlots styles;
    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT * FROM MGRAPH WHERE NENDO = ? AND KCO = ? "
                                          "ORDER BY KCO,NENDO,GSCO"),
                           {cy.nendo, cy.kco});
    // The rows in order are the four slots, whatever their numbers.
    for (size_t slot = 1; slot <= 4 && !q.eof(); ++slot, q.next())
        styles[slot] =
            LinePen{ColorOfText(q.asText(QStringLiteral("CCOLOR"))),
                    q.asInt(QStringLiteral("CSYURUI")), q.asInt(QStringLiteral("CHABA"))};
    return styles;
}

namespace {

const QString EmployeeColumns = QStringLiteral(
    "SCO, SNA, HCO, MCO, TOUKYU, HYOUKA, ZONEX, NENREI, KINZOKU, NENSU, GOUHOU, TRITSU, TENSU, "
    "KKYU1, KKYU2, KKYU3, JISEKI, KIN, SYOTEI, SYOUYO, SYOUYO2, SRITSU");

PlotEmployee employeeOf(const TQuery& q) {
    PlotEmployee e;
    e.sco = q.asInt(QStringLiteral("SCO"));
    e.name = q.asText(QStringLiteral("SNA"));
    e.evalCode = q.asInt(QStringLiteral("HCO"));
    e.mark = q.asInt(QStringLiteral("MCO"));
    e.grade = q.asInt(QStringLiteral("TOUKYU"));
    e.evalSymbol = q.asText(QStringLiteral("HYOUKA"));
    e.zone = q.asInt(QStringLiteral("ZONEX"));
    e.age = q.asInt(QStringLiteral("NENREI"));
    e.service = q.asInt(QStringLiteral("KINZOKU"));
    e.experience = q.asInt(QStringLiteral("NENSU"));
    e.step = q.asInt(QStringLiteral("GOUHOU"));
    e.achievement = q.asCurrency(QStringLiteral("TRITSU"));
    e.jobPoints = q.asInt(QStringLiteral("TENSU"));
    for (int i = 1; i <= 3; ++i)
        e.baseItems[size_t(i)] = q.asCurrency(QStringLiteral("KKYU%1").arg(i));
    e.wageLink = q.asInt(QStringLiteral("JISEKI"));
    e.tableAmount = q.asCurrency(QStringLiteral("KIN"));
    e.scheduled = q.asCurrency(QStringLiteral("SYOTEI"));
    e.bonus1 = q.asCurrency(QStringLiteral("SYOUYO"));
    e.bonus2 = q.asCurrency(QStringLiteral("SYOUYO2"));
    e.payRatio = q.asCurrency(QStringLiteral("SRITSU"));
    return e;
}

} // namespace

bool LoadPlotEmployees(const CompanyYear& cy, QVector<PlotEmployee>& employees) {
    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT ") + EmployeeColumns +
                               QStringLiteral(" FROM VSYAIN WHERE NENDO = ? AND KCO = ? ORDER BY "
                                              "KCO,NEWDAY1,SCO"),
                           {cy.nendo, cy.kco});
    if (!q.active())
        return false;
    employees.reserve(employees.size() + q.recordCount());
    for (; !q.eof(); q.next())
        employees << employeeOf(q);
    return true;
}

std::optional<PopupEmployee> LoadPopupEmployee(const CompanyYear& cy, int sco) {
    const TQuery q = DM().select(TDM::ACN2,
                                 QStringLiteral("SELECT ") + EmployeeColumns +
                                     QStringLiteral(", SCOT, GAKU, SENKOU, HNA1, HNA2, HNA3, "
                                                    "YAKU, THI, TEATE1, TEATE2, TEATE3, TEATE4, "
                                                    "TEATE5 FROM VSYAIN WHERE NENDO = ? AND KCO "
                                                    "= ? AND SCO = ?"),
                                 {cy.nendo, cy.kco, sco});
    if (q.eof())
        return std::nullopt;
    PopupEmployee e;
    e.pay = employeeOf(q);
    e.scot = q.asText(QStringLiteral("SCOT"));
    e.school = q.asText(QStringLiteral("GAKU"));
    e.major = q.asText(QStringLiteral("SENKOU"));
    e.pastEval1 = q.asText(QStringLiteral("HNA1"));
    e.pastEval2 = q.asText(QStringLiteral("HNA2"));
    e.pastEval3 = q.asText(QStringLiteral("HNA3"));
    e.post = q.asText(QStringLiteral("YAKU"));
    e.stayDate = q.asInt64(QStringLiteral("THI"));
    for (int i = 1; i <= 5; ++i)
        e.allowances[size_t(i)] = q.asCurrency(QStringLiteral("TEATE%1").arg(i));
    return e;
}

AgeBase LoadAgeBase(const CompanyYear& cy) {
    const TQuery q = DM().select(TDM::ACN1,
                                 QStringLiteral("SELECT FNK, KDATE FROM MKIGYOU1 WHERE NENDO = ? "
                                                "AND KCO = ?"),
                                 {cy.nendo, cy.kco});
    return {q.asInt(QStringLiteral("FNK")), q.asInt(QStringLiteral("KDATE"))};
}

std::optional<DesignCurve> LoadDesignCurve(const CompanyYear& cy, int curve, int xItem, int yItem) {
    const TQuery q = DM().select(TDM::ACN2,
                                 QStringLiteral("SELECT * FROM DSPDRAW WHERE SDCO = ? AND NENDO "
                                                "= ? AND KCO = ? AND X = ? AND Y = ?"),
                                 {curve, cy.nendo, cy.kco, xItem, yItem});
    if (q.eof())
        return std::nullopt;
    DesignCurve d;
    d.curve = curve;
    d.xItem = xItem;
    d.yItem = yItem;
    d.drawn = q.asInt(QStringLiteral("FCHKS")) == 1;
    d.selected = q.asInt(QStringLiteral("FREN")) == 1;
    for (int j = 1; j <= 6; ++j) {
        d.x[size_t(j)] = q.asInt(QStringLiteral("SNENREI%1").arg(j));
        d.amount[size_t(j)] = q.asCurrency(QStringLiteral("SKIN%1").arg(j));
    }
    d.explanation = q.asText(QStringLiteral("KAISETSU"));
    d.legend = q.asText(QStringLiteral("HANREI"));
    d.description = q.asText(QStringLiteral("SETSUMEI"));
    d.colour = q.asText(QStringLiteral("SCOLOR"));
    d.kind = q.asInt(QStringLiteral("SSYURUI"));
    d.width = q.asInt(QStringLiteral("SHABA"));
    return d;
}

bool ImportDesignCurve(const CompanyYear& cy, int curve, int xItem, int yItem, int selected,
                       const QVector<DesignCurvePoint>& points) {
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return false;
    if (!DM().exec(TDM::ACN2,
                   QStringLiteral("DELETE FROM DSPDRAW WHERE KCO = ? AND NENDO = ? AND SDCO = ? "
                                  "AND X = ? AND Y = ?"),
                   {cy.kco, cy.nendo, curve, xItem, yItem}))
        return false;
    TDM::Binds binds{cy.kco, cy.nendo, curve, xItem, yItem, 1, selected};
    for (int j = 0; j < 6; ++j) {
        const DesignCurvePoint p = j < points.size() ? points[j] : DesignCurvePoint{};
        binds << p.x << p.amount;
    }
    binds << QString() << QString() << QString() << QStringLiteral("clBlack") << 1 << 1;
    if (!DM().exec(TDM::ACN2,
                   QStringLiteral("INSERT INTO DSPDRAW (KCO, NENDO, SDCO, X, Y, FCHKS, FREN, "
                                  "SNENREI1, SKIN1, SNENREI2, SKIN2, SNENREI3, SKIN3, SNENREI4, "
                                  "SKIN4, SNENREI5, SKIN5, SNENREI6, SKIN6, KAISETSU, HANREI, "
                                  "SETSUMEI, SCOLOR, SSYURUI, SHABA) VALUES (?, ?, ?, ?, ?, ?, ?, "
                                  "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   binds))
        return false;
    return tx.commit();
}
