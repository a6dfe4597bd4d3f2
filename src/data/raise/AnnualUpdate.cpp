#include "data/raise/AnnualUpdate.h"

#include "core/raise/RaiseComputation.h"
#include "core/raise/RollOver.h"
#include "core/wage/WageTableTexts.h"
#include "data/db/BoundStatement.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"
#include "data/project/CompanySettingsCache.h"
#include "data/wage/WageTableStore.h"

#include <QHash>

namespace {

const QString CompanyWhere = QStringLiteral(" WHERE KCO = ? AND NENDO = ?");

// The tables copied as they are, in copy order. Names come from here only, never from input.
const char* const CopiedTables[] = {"MKIGYOU1", "MKIGYOU2", "MGRAPH", "MHYOUKA", "MMARK", "MCHART",
                                    "DSPDRAW",  "MCHINGIN", "DSCALE", "DKSEN2",  "DKSEN3"};
// Living-cost standards are kept one set of rows per code across companies and years, so a
// copy would give a code a second set: they are not copied. Chart points and expanded designs
// belong to the last analysis, and the wage table is generated anew.

// SQLite takes up to 32,766 values per statement.
constexpr int MaxBoundValues = 30000;

struct Rows {
    QStringList columns;
    QVector<QVector<QVariant>> rows;
};

// The company year's rows of a table, every column, in key order.
bool readRows(TDM::Conn conn, const QString& table, int kco, int year, const QString& order,
              Rows& out) {
    TQuery q = DM().select(conn,
                           QStringLiteral("SELECT * FROM ") + table + CompanyWhere +
                               QStringLiteral(" ORDER BY ") + order,
                           {kco, year});
    if (!q.active())
        return false;
    out.columns = q.fieldNames();
    out.rows.reserve(q.recordCount());
    for (; !q.eof(); q.next()) {
        QVector<QVariant> row(out.columns.size());
        for (int c = 0; c < out.columns.size(); ++c)
            row[c] = q.value(c);
        out.rows.push_back(std::move(row));
    }
    return true;
}

// Inserts the rows in statements of many rows each.
bool writeRows(const QString& table, const Rows& r) {
    const int perRow = int(r.columns.size());
    if (perRow == 0 || r.rows.isEmpty())
        return true;
    const int batch = qMax(1, MaxBoundValues / perRow);
    QStringList marks;
    for (int c = 0; c < perRow; ++c)
        marks << QStringLiteral("?");
    const QString rowMarks = QLatin1Char('(') + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    const QString head = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
                         r.columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES ");
    for (qsizetype start = 0; start < r.rows.size(); start += batch) {
        const qsizetype end = qMin(r.rows.size(), start + batch);
        QString sql = head;
        sql.reserve(head.size() + (end - start) * (rowMarks.size() + 1));
        TDM::Binds binds;
        binds.reserve((end - start) * perRow);
        for (qsizetype i = start; i < end; ++i) {
            if (i > start)
                sql += QLatin1Char(',');
            sql += rowMarks;
            for (const QVariant& v : r.rows[i])
                binds << v;
        }
        if (!DM().exec(TDM::ACN2, sql, binds))
            return false;
    }
    return true;
}

// The columns of a table, as its rows are read.
bool columnsOf(TDM::Conn conn, const QString& table, QStringList& columns) {
    const TQuery q =
        DM().select(conn, QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE 0"));
    if (!q.active())
        return false;
    columns = q.fieldNames();
    return true;
}

// INSERT ... SELECT of the company's rows of year N as rows of year N + 1; SDATE of the company
// master becomes the day of the update.
bool copyTable(const QString& table, int kco, int year, int today) {
    const TDM::Conn conn = table == QStringLiteral("MKIGYOU1") ? TDM::ACN1 : TDM::ACN2;
    QStringList columns;
    if (!columnsOf(conn, table, columns))
        return false;
    QStringList sources;
    TDM::Binds binds;
    for (const QString& c : columns) {
        const QString name = c.toUpper();
        if (name == QStringLiteral("NENDO")) {
            sources << QStringLiteral("?");
            binds << year + 1;
        } else if (name == QStringLiteral("SDATE") && table == QStringLiteral("MKIGYOU1")) {
            sources << QStringLiteral("?");
            binds << today;
        } else {
            sources << c;
        }
    }
    binds << kco << year;
    return DM().exec(conn,
                     QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
                         columns.join(QStringLiteral(", ")) + QStringLiteral(") SELECT ") +
                         sources.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + table +
                         CompanyWhere,
                     binds);
}

// Reads and writes an employee's pay row by column name.
class PayRow {
public:
    PayRow(const QStringList& columns, QVector<QVariant>& row) : m_row(row) {
        for (int c = 0; c < columns.size(); ++c)
            m_index.insert(columns[c].toUpper(), c);
    }
    int integer(const char* c) const { return int(VariantInt(get(c))); }
    Currency money(const QString& c) const { return VariantCurrency(get(c)); }
    QString text(const char* c) const { return VariantText(get(c)); }
    void set(const QString& c, const QVariant& v) {
        const int i = m_index.value(c, -1);
        if (i >= 0)
            m_row[i] = v;
    }
    void setMoney(const QString& c, Currency v) { set(c, BindValue(v)); }

private:
    QVariant get(const QString& c) const {
        const int i = m_index.value(c, -1);
        return i >= 0 ? m_row[i] : QVariant();
    }
    QVariant get(const char* c) const { return get(QString::fromLatin1(c)); }
    QHash<QString, int> m_index;
    QVector<QVariant>& m_row;
};

EmployeeYear employeeYearOf(const PayRow& p) {
    EmployeeYear e;
    e.TOUKYU = p.integer("TOUKYU");
    e.GOUHOU = p.integer("GOUHOU");
    e.HCO = p.integer("HCO");
    e.UPK = p.money(QStringLiteral("UPK"));
    e.UPT = p.money(QStringLiteral("UPT"));
    for (size_t i = 1; i <= 3; ++i) {
        e.KKYU[i] = p.money(QStringLiteral("KKYU%1").arg(i));
        e.NKKYU[i] = p.money(QStringLiteral("NKKYU%1").arg(i));
    }
    for (size_t i = 1; i <= 5; ++i) {
        e.TEATE[i] = p.money(QStringLiteral("TEATE%1").arg(i));
        e.NTEATE[i] = p.money(QStringLiteral("NTEATE%1").arg(i));
    }
    e.NSRITSU = p.money(QStringLiteral("NSRITSU"));
    e.NNENSYU = p.money(QStringLiteral("NNENSYU"));
    e.NTOUKYU = p.integer("NTOUKYU");
    e.SGOUHOU = p.integer("SGOUHOU");
    e.NGOUHOU = p.integer("NGOUHOU");
    e.FSKCHK = p.integer("FSKCHK");
    e.HCO1 = p.integer("HCO1");
    e.HCO2 = p.integer("HCO2");
    e.HCO3 = p.integer("HCO3");
    e.HNA1 = p.text("HNA1");
    e.HNA2 = p.text("HNA2");
    e.HNA3 = p.text("HNA3");
    e.SYOTEI = p.money(QStringLiteral("SYOTEI"));
    e.NSYOTEI = p.money(QStringLiteral("NSYOTEI"));
    return e;
}

void writeEmployeeYear(PayRow& p, const EmployeeYear& e) {
    p.set(QStringLiteral("TOUKYU"), e.TOUKYU);
    p.set(QStringLiteral("GOUHOU"), e.GOUHOU);
    p.set(QStringLiteral("HCO"), e.HCO);
    p.setMoney(QStringLiteral("UPK"), e.UPK);
    p.setMoney(QStringLiteral("UPT"), e.UPT);
    for (size_t i = 1; i <= 3; ++i) {
        p.setMoney(QStringLiteral("KKYU%1").arg(i), e.KKYU[i]);
        p.setMoney(QStringLiteral("NKKYU%1").arg(i), e.NKKYU[i]);
    }
    for (size_t i = 1; i <= 5; ++i) {
        p.setMoney(QStringLiteral("TEATE%1").arg(i), e.TEATE[i]);
        p.setMoney(QStringLiteral("NTEATE%1").arg(i), e.NTEATE[i]);
    }
    p.setMoney(QStringLiteral("NSRITSU"), e.NSRITSU);
    p.setMoney(QStringLiteral("NNENSYU"), e.NNENSYU);
    p.set(QStringLiteral("NTOUKYU"), e.NTOUKYU);
    p.set(QStringLiteral("SGOUHOU"), e.SGOUHOU);
    p.set(QStringLiteral("NGOUHOU"), e.NGOUHOU);
    p.set(QStringLiteral("FSKCHK"), e.FSKCHK);
    p.set(QStringLiteral("HCO1"), e.HCO1);
    p.set(QStringLiteral("HCO2"), e.HCO2);
    p.set(QStringLiteral("HCO3"), e.HCO3);
    p.set(QStringLiteral("HNA1"), e.HNA1);
    p.set(QStringLiteral("HNA2"), e.HNA2);
    p.set(QStringLiteral("HNA3"), e.HNA3);
    p.setMoney(QStringLiteral("SYOTEI"), e.SYOTEI);
    p.setMoney(QStringLiteral("NSYOTEI"), e.NSYOTEI);
}

struct EmployeeCopy {
    int employees = 0;
    int undecided = 0;
};

// Both employee tables: MSYAIN1 as it is but for the annual pay, MSYAIN2 rolled over.
// `beforePay` runs between the two writes.
bool copyEmployees(int kco, int year, EmployeeCopy& counts,
                   const std::function<void()>& beforePay) {
    Rows master, pay;
    if (!readRows(TDM::ACN2, QStringLiteral("MSYAIN1"), kco, year, QStringLiteral("SCO"), master) ||
        !readRows(TDM::ACN2, QStringLiteral("MSYAIN2"), kco, year, QStringLiteral("SCO"), pay))
        return false;
    QHash<int, QString> symbols; // evaluation code -> symbol of year N
    {
        TQuery q =
            DM().select(TDM::ACN2, QStringLiteral("SELECT HCO, HKIGOU FROM MHYOUKA") + CompanyWhere,
                        {kco, year});
        if (!q.active())
            return false;
        for (; !q.eof(); q.next())
            symbols.insert(q.asInt(QStringLiteral("HCO")), q.asText(QStringLiteral("HKIGOU")));
    }

    const int scoColumn = int(master.columns.indexOf(QStringLiteral("SCO")));
    const int nendoColumn = int(master.columns.indexOf(QStringLiteral("NENDO")));
    const int annualColumn = int(master.columns.indexOf(QStringLiteral("NENSYU")));
    QHash<int, int> masterRow; // SCO -> row index
    for (int i = 0; i < master.rows.size(); ++i)
        masterRow.insert(int(VariantInt(master.rows[i][scoColumn])), i);

    for (QVector<QVariant>& row : pay.rows) {
        PayRow p(pay.columns, row);
        EmployeeYear e = employeeYearOf(p);
        const int sco = p.integer("SCO");
        const int m = masterRow.value(sco, -1);
        if (m >= 0)
            e.NENSYU = VariantCurrency(master.rows[m][annualColumn]);
        const EmployeeYear next = RollOverEmployee(e, symbols.value(e.HCO));
        writeEmployeeYear(p, next);
        p.set(QStringLiteral("NENDO"), year + 1);
        if (m >= 0)
            master.rows[m][annualColumn] = BindValue(next.NENSYU);
        ++counts.employees;
        if (!RaiseDecided(e.NSYOTEI))
            ++counts.undecided;
    }
    for (QVector<QVariant>& row : master.rows)
        row[nendoColumn] = year + 1;
    if (!writeRows(QStringLiteral("MSYAIN1"), master))
        return false;
    beforePay();
    return writeRows(QStringLiteral("MSYAIN2"), pay);
}

} // namespace

const QStringList& AnnualUpdateSteps() {
    static const QStringList steps = [] {
        QStringList s;
        for (const char* t : CopiedTables)
            s << QString::fromLatin1(t);
        s << QStringLiteral("MSYAIN1") << QStringLiteral("MSYAIN2") << QStringLiteral("DCHINGIN2");
        return s;
    }();
    return steps;
}

bool CompanyYearExists(int kco, int year, bool* failed) {
    const TQuery q = DM().select(TDM::ACN1,
                                 QStringLiteral("SELECT KCO FROM MKIGYOU1 WHERE NENDO = ? AND "
                                                "KCO = ?"),
                                 {year, kco});
    if (failed)
        *failed = !q.active();
    return q.active() && !q.eof();
}

int CountUndecidedRaises(int kco, int year) {
    TQuery q = DM().select(TDM::ACN2, QStringLiteral("SELECT NSYOTEI FROM MSYAIN2") + CompanyWhere,
                           {kco, year});
    if (!q.active())
        return -1;
    int undecided = 0;
    for (; !q.eof(); q.next())
        if (!RaiseDecided(q.asCurrency(QStringLiteral("NSYOTEI"))))
            ++undecided;
    return undecided;
}

AnnualUpdateResult RunAnnualUpdate(int kco, int year, int today,
                                   const AnnualUpdateProgress& progress) {
    AnnualUpdateResult result;
    bool failed = false;
    if (CompanyYearExists(kco, year + 1, &failed)) {
        result.status = AnnualUpdateStatus::TargetExists;
        return result;
    }
    if (failed)
        return result;
    if (!CompanyYearExists(kco, year, &failed)) {
        if (!failed)
            result.status = AnnualUpdateStatus::NoSource;
        return result;
    }

    const QStringList& steps = AnnualUpdateSteps();
    auto step = [&](int i) {
        if (progress)
            progress(i, steps[i]);
    };
    // Both files in one transaction: a failure anywhere leaves no trace of the new year.
    Transaction tx(TDM::Files::Both);
    if (!tx.ok())
        return result;
    int i = 0;
    for (const char* table : CopiedTables) {
        step(i++);
        if (!copyTable(QString::fromLatin1(table), kco, year, today))
            return result;
    }
    step(i++);
    EmployeeCopy counts;
    if (!copyEmployees(kco, year, counts, [&] { step(i++); }))
        return result;
    result.employees = counts.employees;
    result.undecided = counts.undecided;

    // The new year's table from the definition just copied, by the wage-table save. A company
    // without a definition in year N has none in N + 1 either.
    step(i++);
    TMKIGYOU2 settings;
    LoadCompanySettings({kco, year + 1}, settings);
    GradeNames names;
    for (int g = 1; g <= MaxGrades; ++g)
        names[size_t(g)] = settings.TK[size_t(g)];
    if (const std::optional<WageTableTexts> texts = OpenStoredWageTable(kco, year + 1, names)) {
        if (const std::optional<FieldProblem> problem = CheckSavedFields(*texts)) {
            result.status = AnnualUpdateStatus::Refused;
            result.problem = problem->ref.controlName() + QStringLiteral(": ") + problem->message;
            return result;
        }
        const WageTableDefinition definition = DefinitionOfTexts(*texts);
        GenerationFault fault;
        switch (SaveWageTableWithin(kco, year + 1, definition, names, &fault)) {
        case WageTableSaveResult::Saved:
            break;
        case WageTableSaveResult::OutOfRange:
            result.status = AnnualUpdateStatus::Refused;
            result.problem = FaultField(definition.head.method, fault).controlName() +
                             QStringLiteral(": 入力範囲外です。");
            return result;
        case WageTableSaveResult::Failed:
            return result;
        }
    }
    if (!tx.commit())
        return result;
    result.status = AnnualUpdateStatus::Done;
    return result;
}
