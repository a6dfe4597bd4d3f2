#include "data/plot/ChartStore.h"

#include "core/common/Counts.h"
#include "core/design/DesignExpansion.h"
#include "core/plot/AxisItems.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"

namespace {

// A chart's rows are its marks 1..6; each holds the grade of its number in TOUKYU, and the
// grades past the marks (7..9) go in TOUKYU1 of rows 1..3. 0 when the row holds no such grade.
int secondGrade(int row) {
    return row + MarkCount <= MaxGrades ? row + MarkCount : 0;
}
bool secondGradeChosen(const ChartSettings& s, int row) {
    const int g = secondGrade(row);
    return g != 0 && s.grades[size_t(g)];
}

const QString ChartKey = QStringLiteral(" WHERE NENDO = ? AND KCO = ? AND CHCO = ?");

int flag(bool on) {
    return on ? 1 : 0;
}

// A column's position in a query, found once and read row after row; -1 (read as 0 or "")
// when the query has no such column.
int columnOf(const TQuery& q, const char* name) {
    const QStringList& names = q.fieldNames();
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i].compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
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
    for (int k = 1; k <= MarkCount; ++k)
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
                        flag(secondGradeChosen(d, k)), d.explanation}))
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
        if (const int g = secondGrade(k))
            s.grades[size_t(g)] = q.asInt(QStringLiteral("TOUKYU1")) == 1;
    }
    return s;
}

bool SaveChartSettings(const CompanyYear& cy, const ChartSettings& s) {
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return false;
    for (int k = 1; k <= MarkCount; ++k)
        if (!DM().exec(TDM::ACN2,
                       QStringLiteral("UPDATE MCHART SET FCHK = ?, TOUKYU = ?, TOUKYU1 = ?, "
                                      "TITLE = ?, FX = ?, FY = ?, MARKR = ?, X1 = 0, X2 = 0, "
                                      "Y1 = 0, Y2 = 0, KAISETSU = ?, FKINJI = ?, CGRAPH = ?, "
                                      "SJYUN1 = ?, SJYUN2 = ?, SJYUN3 = ?, SJYUN4 = ? WHERE "
                                      "KNO = ? AND NENDO = ? AND KCO = ? AND CHCO = ?"),
                       {flag(s.marks[size_t(k)]), flag(s.grades[size_t(k)]),
                        flag(secondGradeChosen(s, k)), s.title, s.xItem, s.yItem, s.markLabelKind,
                        s.explanation, s.order, s.curves, BindValue(s.levels[1]),
                        BindValue(s.levels[2]), BindValue(s.levels[3]), BindValue(s.levels[4]), k,
                        cy.nendo, cy.kco, s.chartNo}))
            return false;
    return tx.commit();
}

bool RebuildChartPoints(const QVector<ChartPoint>& points) {
    QVector<TDM::Binds> rows;
    rows.reserve(points.size());
    for (const ChartPoint& p : points)
        rows.push_back({p.sco, p.name, p.labelName, p.markLabel, p.popups[1], p.popups[2],
                        p.popups[3], p.popups[4], p.popups[5], p.x, BindValue(p.y), p.seqNo, p.mark,
                        p.left, p.top});
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return false;
    if (!DM().exec(TDM::ACN2, QStringLiteral("DELETE FROM DCHART")))
        return false;
    if (!DM().execEach(TDM::ACN2,
                       QStringLiteral("INSERT INTO DCHART (SCO, SNA, LABELN, MARKL, F1, F2, F3, "
                                      "F4, F5, X, Y, SEQNO, MKCO, GLEFT, GTOP) VALUES (?, ?, ?, "
                                      "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                       rows))
        return false;
    return tx.commit();
}

QVector<ChartPoint> LoadChartPoints(int mark, bool* failed) {
    // The row number finds the point again when its place is written back.
    const QString all = QStringLiteral("SELECT rowid AS ROW_, * FROM DCHART");
    TQuery q = mark == 0 ? DM().select(TDM::ACN2, all)
                         : DM().select(TDM::ACN2, all + QStringLiteral(" WHERE MKCO = ?"), {mark});
    if (failed)
        *failed = !q.active();
    const int sco = columnOf(q, "SCO"), sna = columnOf(q, "SNA"), labeln = columnOf(q, "LABELN"),
              markl = columnOf(q, "MARKL"), x = columnOf(q, "X"), y = columnOf(q, "Y"),
              seqno = columnOf(q, "SEQNO"), mkco = columnOf(q, "MKCO"),
              gleft = columnOf(q, "GLEFT"), gtop = columnOf(q, "GTOP"), row = columnOf(q, "ROW_");
    const std::array<int, 6> f{-1,
                               columnOf(q, "F1"),
                               columnOf(q, "F2"),
                               columnOf(q, "F3"),
                               columnOf(q, "F4"),
                               columnOf(q, "F5")};
    QVector<ChartPoint> points;
    points.reserve(q.recordCount());
    for (; !q.eof(); q.next()) {
        ChartPoint p;
        p.sco = int(VariantInt(q.value(sco)));
        p.name = VariantText(q.value(sna));
        p.labelName = VariantText(q.value(labeln));
        p.markLabel = VariantText(q.value(markl));
        for (int k = 1; k <= 5; ++k)
            p.popups[size_t(k)] = int(VariantInt(q.value(f[size_t(k)])));
        p.x = int(VariantInt(q.value(x)));
        p.y = VariantCurrency(q.value(y));
        p.seqNo = int(VariantInt(q.value(seqno)));
        p.mark = int(VariantInt(q.value(mkco)));
        p.left = int(VariantInt(q.value(gleft)));
        p.top = int(VariantInt(q.value(gtop)));
        p.storedRow = VariantInt(q.value(row));
        points << p;
    }
    return points;
}

bool WritePointPlaces(const QVector<PlotPoint>& points) {
    // The row read with the point is found at once; the employee code keeps the update to
    // that employee's point.
    QVector<TDM::Binds> byRow, byCode;
    for (const PlotPoint& p : points) {
        if (p.sco == 0)
            continue;
        if (p.storedRow != 0)
            byRow.push_back({p.labelName, p.py - 5, p.px - 5, p.storedRow, p.sco});
        else
            byCode.push_back({p.labelName, p.py - 5, p.px - 5, p.sco});
    }
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return false;
    if (!DM().execEach(TDM::ACN2,
                       QStringLiteral("UPDATE DCHART SET LABELN = ?, GTOP = ?, GLEFT = ? WHERE "
                                      "rowid = ? AND SCO = ?"),
                       byRow))
        return false;
    if (!DM().execEach(TDM::ACN2,
                       QStringLiteral("UPDATE DCHART SET LABELN = ?, GTOP = ?, GLEFT = ? WHERE "
                                      "SCO = ?"),
                       byCode))
        return false;
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

// The employee columns' positions in a query.
struct EmployeeColumnsAt {
    explicit EmployeeColumnsAt(const TQuery& q)
        : sco(columnOf(q, "SCO")), sna(columnOf(q, "SNA")), hco(columnOf(q, "HCO")),
          mco(columnOf(q, "MCO")), toukyu(columnOf(q, "TOUKYU")), hyouka(columnOf(q, "HYOUKA")),
          zonex(columnOf(q, "ZONEX")), nenrei(columnOf(q, "NENREI")),
          kinzoku(columnOf(q, "KINZOKU")), nensu(columnOf(q, "NENSU")),
          gouhou(columnOf(q, "GOUHOU")), tritsu(columnOf(q, "TRITSU")),
          tensu(columnOf(q, "TENSU")), kkyu{-1, columnOf(q, "KKYU1"), columnOf(q, "KKYU2"),
                                            columnOf(q, "KKYU3")},
          jiseki(columnOf(q, "JISEKI")), kin(columnOf(q, "KIN")), syotei(columnOf(q, "SYOTEI")),
          syouyo(columnOf(q, "SYOUYO")), syouyo2(columnOf(q, "SYOUYO2")),
          sritsu(columnOf(q, "SRITSU")) {}
    int sco, sna, hco, mco, toukyu, hyouka, zonex, nenrei, kinzoku, nensu, gouhou, tritsu, tensu;
    std::array<int, BasePayItemCount + 1> kkyu;
    int jiseki, kin, syotei, syouyo, syouyo2, sritsu;
};

PlotEmployee employeeOf(const TQuery& q, const EmployeeColumnsAt& c) {
    auto integer = [&q](int column) { return int(VariantInt(q.value(column))); };
    auto money = [&q](int column) { return VariantCurrency(q.value(column)); };
    PlotEmployee e;
    e.sco = integer(c.sco);
    e.name = VariantText(q.value(c.sna));
    e.evalCode = integer(c.hco);
    e.mark = integer(c.mco);
    e.grade = integer(c.toukyu);
    e.evalSymbol = VariantText(q.value(c.hyouka));
    e.zone = integer(c.zonex);
    e.age = integer(c.nenrei);
    e.service = integer(c.kinzoku);
    e.experience = integer(c.nensu);
    e.step = integer(c.gouhou);
    e.achievement = money(c.tritsu);
    e.jobPoints = integer(c.tensu);
    for (int i = 1; i <= BasePayItemCount; ++i)
        e.baseItems[size_t(i)] = money(c.kkyu[size_t(i)]);
    e.wageLink = integer(c.jiseki);
    e.tableAmount = money(c.kin);
    e.scheduled = money(c.syotei);
    e.bonus1 = money(c.syouyo);
    e.bonus2 = money(c.syouyo2);
    e.payRatio = money(c.sritsu);
    return e;
}

// What a chart reads of each employee: what selects, labels and values it.
QString columnsFor(const ChartSettings& s) {
    QStringList c{QStringLiteral("SCO"), QStringLiteral("SNA"), QStringLiteral("HCO"),
                  QStringLiteral("MCO"), QStringLiteral("TOUKYU")};
    if (s.markLabelKind == 1)
        c << QStringLiteral("HYOUKA");
    else if (s.markLabelKind == 2)
        c << QStringLiteral("ZONEX");
    const char* const x[] = {"NENREI", "KINZOKU", "NENSU", "GOUHOU", "TRITSU", "TENSU"};
    c << QString::fromLatin1(x[ValidAxisItem(s.xItem)]);
    switch (s.yItem) {
    case 1:
        c << QStringLiteral("KKYU1") << QStringLiteral("KKYU2") << QStringLiteral("KKYU3")
          << QStringLiteral("JISEKI") << QStringLiteral("KIN");
        break;
    case 2:
        c << QStringLiteral("SYOTEI");
        break;
    case 3:
        c << QStringLiteral("SYOUYO") << QStringLiteral("SYOUYO2");
        break;
    case 4:
        c << QStringLiteral("SYOTEI") << QStringLiteral("SYOUYO") << QStringLiteral("SYOUYO2");
        break;
    case 5:
        c << QStringLiteral("SRITSU");
        break;
    default:
        c << QStringLiteral("JISEKI") << QStringLiteral("KIN");
        break;
    }
    return c.join(QStringLiteral(", "));
}

} // namespace

bool LoadPlotEmployees(const CompanyYear& cy, QVector<PlotEmployee>& employees,
                       const ChartSettings* forChart) {
    // A chart reads only the columns it uses: a company of 10,000 employees plots at once.
    const QString columns = forChart ? columnsFor(*forChart) : EmployeeColumns;
    TQuery q = DM().select(TDM::ACN2,
                           QStringLiteral("SELECT ") + columns +
                               QStringLiteral(" FROM VSYAIN WHERE NENDO = ? AND KCO = ? ORDER BY "
                                              "KCO,NEWDAY1,SCO"),
                           {cy.nendo, cy.kco});
    if (!q.active())
        return false;
    employees.reserve(employees.size() + q.recordCount());
    const EmployeeColumnsAt at(q);
    for (; !q.eof(); q.next())
        employees << employeeOf(q, at);
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
    e.pay = employeeOf(q, EmployeeColumnsAt(q));
    e.scot = q.asText(QStringLiteral("SCOT"));
    e.school = q.asText(QStringLiteral("GAKU"));
    e.major = q.asText(QStringLiteral("SENKOU"));
    e.pastEval1 = q.asText(QStringLiteral("HNA1"));
    e.pastEval2 = q.asText(QStringLiteral("HNA2"));
    e.pastEval3 = q.asText(QStringLiteral("HNA3"));
    e.post = q.asText(QStringLiteral("YAKU"));
    e.stayDate = q.asInt64(QStringLiteral("THI"));
    for (int i = 1; i <= AllowanceCount; ++i)
        e.allowances[size_t(i)] = q.asCurrency(QStringLiteral("TEATE%1").arg(i));
    return e;
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
    for (int j = 0; j < DesignPointCount; ++j) {
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
