#include "data/raise/AnnualUpdate.h"

#include "core/common/Counts.h"
#include "core/common/Dates.h"
#include "core/raise/RaiseComputation.h"
#include "core/raise/RollOver.h"
#include "core/wage/WageTableTexts.h"
#include "data/db/BoundStatement.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"
#include "data/project/CompanySettingsCache.h"
#include "data/wage/WageTableStore.h"

#include <QHash>
#include <array>

namespace {

const QString CompanyWhere = QStringLiteral(" WHERE KCO = ? AND NENDO = ?");

// The tables copied as they are, in copy order. Names come from here only, never from input.
const char* const CopiedTables[] = {"MKIGYOU1", "MKIGYOU2", "MGRAPH", "MHYOUKA", "MMARK", "MCHART",
                                    "DSPDRAW",  "MCHINGIN", "DSCALE", "DKSEN2",  "DKSEN3"};
// Living-cost standards are kept one set of rows per code across companies and years, so a
// copy would give a code a second set: they are not copied. Chart points and expanded designs
// belong to the last analysis, and the wage table is generated anew.

struct Rows {
    QStringList columns;
    QVector<TDM::Binds> rows; // each row's values in column order
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

// Inserts the rows through one statement prepared once.
bool writeRows(const QString& table, const Rows& r) {
    if (r.columns.isEmpty() || r.rows.isEmpty())
        return true;
    QStringList marks;
    for (qsizetype c = 0; c < r.columns.size(); ++c)
        marks << QStringLiteral("?");
    return DM().execEach(TDM::ACN2,
                         QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
                             r.columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                             marks.join(QLatin1Char(',')) + QLatin1Char(')'),
                         r.rows);
}

// The columns of a table, as its rows are read.
bool columnsOf(TDM::Conn conn, const QString& table, QStringList& columns) {
    const TQuery q = DM().select(conn, QStringLiteral("SELECT * FROM ") + table +
                                           QStringLiteral(" WHERE 1 = 0"));
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

// The dates of the company year that belong to it, as they are in year N.
struct YearDates {
    int ageMode = 0;    // MKIGYOU1.FNK: 0 counts to the base date, else to today
    int eraMode = 0;    // MKIGYOU1.REKI
    int baseDate = 0;   // MKIGYOU1.KDATE
    int surveyDate = 0; // MKIGYOU2.CYOUSAHI
    int raiseDate = 0;  // MKIGYOU2.SYOUKYUHI
};

bool readYearDates(int kco, int year, YearDates& d) {
    const TQuery master = DM().select(
        TDM::ACN1, QStringLiteral("SELECT FNK, KDATE, REKI FROM MKIGYOU1") + CompanyWhere,
        {kco, year});
    const TQuery settings = DM().select(
        TDM::ACN2, QStringLiteral("SELECT CYOUSAHI, SYOUKYUHI FROM MKIGYOU2") + CompanyWhere,
        {kco, year});
    if (!master.active() || !settings.active())
        return false;
    if (!master.eof()) {
        d.ageMode = master.asInt(QStringLiteral("FNK"));
        d.baseDate = master.asInt(QStringLiteral("KDATE"));
        d.eraMode = master.asInt(QStringLiteral("REKI"));
    }
    if (!settings.eof()) {
        d.surveyDate = settings.asInt(QStringLiteral("CYOUSAHI"));
        d.raiseDate = settings.asInt(QStringLiteral("SYOUKYUHI"));
    }
    return true;
}

// The copied year's dates one year on.
bool moveYearDates(int kco, int year, const YearDates& d) {
    const TDM::Binds where = {kco, year + 1};
    return DM().exec(TDM::ACN1, QStringLiteral("UPDATE MKIGYOU1 SET KDATE = ?") + CompanyWhere,
                     TDM::Binds{DateOneYearOn(d.baseDate)} + where) &&
           DM().exec(TDM::ACN2,
                     QStringLiteral("UPDATE MKIGYOU2 SET CYOUSAHI = ?, SYOUKYUHI = ?") +
                         CompanyWhere,
                     TDM::Binds{DateOneYearOn(d.surveyDate), DateOneYearOn(d.raiseDate)} + where);
}

// Titles of the copied wage tables and charts that name year N name N + 1.
bool renameYearTitles(int kco, int year, int eraMode) {
    for (const char* table : {"MCHINGIN", "MCHART"}) {
        const QString name = QString::fromLatin1(table);
        TQuery q = DM().select(TDM::ACN2,
                               QStringLiteral("SELECT DISTINCT TITLE FROM ") + name + CompanyWhere,
                               {kco, year + 1});
        if (!q.active())
            return false;
        QStringList titles;
        for (; !q.eof(); q.next())
            titles << q.asText(QStringLiteral("TITLE"));
        for (const QString& title : titles) {
            const QString next = TitleOneYearOn(title, year, eraMode);
            if (next != title &&
                !DM().exec(TDM::ACN2,
                           QStringLiteral("UPDATE ") + name + QStringLiteral(" SET TITLE = ?") +
                               CompanyWhere + QStringLiteral(" AND TITLE = ?"),
                           {next, kco, year + 1, title}))
                return false;
        }
    }
    return true;
}

// Where the columns the roll-over reads and writes stand in a pay row; -1 for a column the
// table does not have. Resolved once per table, not per row.
struct PayColumns {
    int SCO, NENDO, TOUKYU, GOUHOU, HCO, UPK, UPT, NSRITSU, NNENSYU, NTOUKYU, SGOUHOU, NGOUHOU,
        FSKCHK, HCO1, HCO2, HCO3, HNA1, HNA2, HNA3, SYOTEI, NSYOTEI;
    std::array<int, BasePayItemCount + 1> KKYU, NKKYU;
    std::array<int, AllowanceCount + 1> TEATE, NTEATE;

    explicit PayColumns(const QStringList& columns) {
        QHash<QString, int> at;
        for (int c = 0; c < columns.size(); ++c)
            at.insert(columns[c].toUpper(), c);
        auto of = [&at](const QString& name) { return at.value(name, -1); };
#define PAY_COLUMN(name) name = of(QStringLiteral(#name))
        PAY_COLUMN(SCO);
        PAY_COLUMN(NENDO);
        PAY_COLUMN(TOUKYU);
        PAY_COLUMN(GOUHOU);
        PAY_COLUMN(HCO);
        PAY_COLUMN(UPK);
        PAY_COLUMN(UPT);
        PAY_COLUMN(NSRITSU);
        PAY_COLUMN(NNENSYU);
        PAY_COLUMN(NTOUKYU);
        PAY_COLUMN(SGOUHOU);
        PAY_COLUMN(NGOUHOU);
        PAY_COLUMN(FSKCHK);
        PAY_COLUMN(HCO1);
        PAY_COLUMN(HCO2);
        PAY_COLUMN(HCO3);
        PAY_COLUMN(HNA1);
        PAY_COLUMN(HNA2);
        PAY_COLUMN(HNA3);
        PAY_COLUMN(SYOTEI);
        PAY_COLUMN(NSYOTEI);
#undef PAY_COLUMN
        KKYU.fill(-1);
        NKKYU.fill(-1);
        TEATE.fill(-1);
        NTEATE.fill(-1);
        for (size_t i = 1; i <= BasePayItemCount; ++i) {
            KKYU[i] = of(QStringLiteral("KKYU%1").arg(i));
            NKKYU[i] = of(QStringLiteral("NKKYU%1").arg(i));
        }
        for (size_t i = 1; i <= AllowanceCount; ++i) {
            TEATE[i] = of(QStringLiteral("TEATE%1").arg(i));
            NTEATE[i] = of(QStringLiteral("NTEATE%1").arg(i));
        }
    }
};

const QVariant& cell(const QVector<QVariant>& row, int column) {
    static const QVariant none;
    return column >= 0 ? row[column] : none;
}
int integerAt(const QVector<QVariant>& row, int column) {
    return int(VariantInt(cell(row, column)));
}
Currency moneyAt(const QVector<QVariant>& row, int column) {
    return VariantCurrency(cell(row, column));
}
void put(QVector<QVariant>& row, int column, const QVariant& v) {
    if (column >= 0)
        row[column] = v;
}
void putMoney(QVector<QVariant>& row, int column, Currency v) {
    put(row, column, BindValue(v));
}

EmployeeYear employeeYearOf(const PayColumns& c, const QVector<QVariant>& row) {
    EmployeeYear e;
    e.TOUKYU = integerAt(row, c.TOUKYU);
    e.GOUHOU = integerAt(row, c.GOUHOU);
    e.HCO = integerAt(row, c.HCO);
    e.UPK = moneyAt(row, c.UPK);
    e.UPT = moneyAt(row, c.UPT);
    for (size_t i = 1; i <= BasePayItemCount; ++i) {
        e.KKYU[i] = moneyAt(row, c.KKYU[i]);
        e.NKKYU[i] = moneyAt(row, c.NKKYU[i]);
    }
    for (size_t i = 1; i <= AllowanceCount; ++i) {
        e.TEATE[i] = moneyAt(row, c.TEATE[i]);
        e.NTEATE[i] = moneyAt(row, c.NTEATE[i]);
    }
    e.NSRITSU = moneyAt(row, c.NSRITSU);
    e.NNENSYU = moneyAt(row, c.NNENSYU);
    e.NTOUKYU = integerAt(row, c.NTOUKYU);
    e.SGOUHOU = integerAt(row, c.SGOUHOU);
    e.NGOUHOU = integerAt(row, c.NGOUHOU);
    e.FSKCHK = integerAt(row, c.FSKCHK);
    e.HCO1 = integerAt(row, c.HCO1);
    e.HCO2 = integerAt(row, c.HCO2);
    e.HCO3 = integerAt(row, c.HCO3);
    e.HNA1 = VariantText(cell(row, c.HNA1));
    e.HNA2 = VariantText(cell(row, c.HNA2));
    e.HNA3 = VariantText(cell(row, c.HNA3));
    e.SYOTEI = moneyAt(row, c.SYOTEI);
    e.NSYOTEI = moneyAt(row, c.NSYOTEI);
    return e;
}

void writeEmployeeYear(const PayColumns& c, QVector<QVariant>& row, const EmployeeYear& e) {
    put(row, c.TOUKYU, e.TOUKYU);
    put(row, c.GOUHOU, e.GOUHOU);
    put(row, c.HCO, e.HCO);
    putMoney(row, c.UPK, e.UPK);
    putMoney(row, c.UPT, e.UPT);
    for (size_t i = 1; i <= BasePayItemCount; ++i) {
        putMoney(row, c.KKYU[i], e.KKYU[i]);
        putMoney(row, c.NKKYU[i], e.NKKYU[i]);
    }
    for (size_t i = 1; i <= AllowanceCount; ++i) {
        putMoney(row, c.TEATE[i], e.TEATE[i]);
        putMoney(row, c.NTEATE[i], e.NTEATE[i]);
    }
    putMoney(row, c.NSRITSU, e.NSRITSU);
    putMoney(row, c.NNENSYU, e.NNENSYU);
    put(row, c.NTOUKYU, e.NTOUKYU);
    put(row, c.SGOUHOU, e.SGOUHOU);
    put(row, c.NGOUHOU, e.NGOUHOU);
    put(row, c.FSKCHK, e.FSKCHK);
    put(row, c.HCO1, e.HCO1);
    put(row, c.HCO2, e.HCO2);
    put(row, c.HCO3, e.HCO3);
    // A code without a symbol gives an empty text, never a missing one (a null text binds as
    // NULL).
    put(row, c.HNA1, e.HNA1.isNull() ? QStringLiteral("") : e.HNA1);
    put(row, c.HNA2, e.HNA2);
    put(row, c.HNA3, e.HNA3);
    putMoney(row, c.SYOTEI, e.SYOTEI);
    putMoney(row, c.NSYOTEI, e.NSYOTEI);
}

struct EmployeeCopy {
    int employees = 0;
    int undecided = 0;
};

// Both employee tables: MSYAIN1 as it is but for the annual pay and the ages and service,
// counted to the new year's age base; MSYAIN2 rolled over. `beforePay` runs between the two
// reads.
bool copyEmployees(int kco, int year, const AgeBase& newBase, EmployeeCopy& counts,
                   const std::function<void()>& beforePay) {
    // Both reads see one moment of year N (the transaction's snapshot), whatever another
    // person's import or raise commits in between: a master row never meets another
    // employee's pay.
    Rows master, pay;
    if (!readRows(TDM::ACN2, QStringLiteral("MSYAIN1"), kco, year, QStringLiteral("SCO"), master))
        return false;
    beforePay();
    if (!readRows(TDM::ACN2, QStringLiteral("MSYAIN2"), kco, year, QStringLiteral("SCO"), pay))
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
    const int birthColumn = int(master.columns.indexOf(QStringLiteral("SEIHI")));
    const int joinedColumn = int(master.columns.indexOf(QStringLiteral("NYUHI")));
    const int ageColumn = int(master.columns.indexOf(QStringLiteral("NENREI")));
    const int serviceColumn = int(master.columns.indexOf(QStringLiteral("KINZOKU")));
    QHash<int, int> masterRow; // SCO -> row index
    for (int i = 0; i < master.rows.size(); ++i)
        masterRow.insert(int(VariantInt(master.rows[i][scoColumn])), i);

    const PayColumns columns(pay.columns);
    for (QVector<QVariant>& row : pay.rows) {
        EmployeeYear e = employeeYearOf(columns, row);
        const int m = masterRow.value(integerAt(row, columns.SCO), -1);
        if (m >= 0)
            e.NENSYU = VariantCurrency(master.rows[m][annualColumn]);
        const EmployeeYear next = RollOverEmployee(e, symbols.value(e.HCO));
        writeEmployeeYear(columns, row, next);
        put(row, columns.NENDO, year + 1);
        if (m >= 0)
            master.rows[m][annualColumn] = BindValue(next.NENSYU);
        ++counts.employees;
        if (!RaiseDecided(e.NSYOTEI))
            ++counts.undecided;
    }
    for (QVector<QVariant>& row : master.rows) {
        row[nendoColumn] = year + 1;
        row[ageColumn] = YearsToBase(VariantInt(row[birthColumn]), newBase);
        row[serviceColumn] = YearsToBase(VariantInt(row[joinedColumn]), newBase);
    }
    return writeRows(QStringLiteral("MSYAIN1"), master) &&
           writeRows(QStringLiteral("MSYAIN2"), pay);
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
    // Both files in one transaction: a failure anywhere leaves no trace of the new year. Its
    // reads all see one moment of year N.
    Transaction tx(TDM::Files::Both, Transaction::OneSnapshot);
    if (!tx.ok())
        return result;
    // One update or deletion of a company at a time; the year is asked again under the lock,
    // as another person's update may have landed since the question above.
    if (!DM().tryLockCompany(kco, &result.problem)) {
        if (!DM().transactionFailed())
            result.status = AnnualUpdateStatus::Locked;
        return result;
    }
    if (CompanyYearExists(kco, year + 1, &failed) || failed) {
        if (!failed)
            result.status = AnnualUpdateStatus::TargetExists;
        return result;
    }
    YearDates dates;
    if (!readYearDates(kco, year, dates))
        return result;
    int i = 0;
    for (const char* table : CopiedTables) {
        step(i++);
        if (!copyTable(QString::fromLatin1(table), kco, year, today))
            return result;
    }
    if (!moveYearDates(kco, year, dates) || !renameYearTitles(kco, year, dates.eraMode))
        return result;
    step(i++);
    EmployeeCopy counts;
    const AgeBase newBase{dates.ageMode, DateOneYearOn(dates.baseDate)};
    if (!copyEmployees(kco, year, newBase, counts, [&] { step(i++); }))
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
        switch (SaveWageTableWithin(kco, year + 1, definition, names, &fault).outcome) {
        case SaveOutcome::Saved:
            break;
        case SaveOutcome::OutOfRange:
            result.status = AnnualUpdateStatus::Refused;
            result.problem = FaultField(definition.head.method, fault).controlName() +
                             QStringLiteral(": 入力範囲外です。");
            return result;
        case SaveOutcome::ChangedByOther: // not asked within a caller's transaction
        case SaveOutcome::Failed:
            return result;
        }
    }
    if (!tx.commit())
        return result;
    result.status = AnnualUpdateStatus::Done;
    result.moved = {{QStringLiteral("基準年月日"), dates.baseDate, newBase.date},
                    {QStringLiteral("調査日"), dates.surveyDate, DateOneYearOn(dates.surveyDate)},
                    {QStringLiteral("昇給日"), dates.raiseDate, DateOneYearOn(dates.raiseDate)}};
    return result;
}
