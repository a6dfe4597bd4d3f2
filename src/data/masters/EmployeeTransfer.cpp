#include "data/masters/EmployeeTransfer.h"

#include "core/common/SqlText.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString companyWhere(const CompanyYear& cy) {
    return QStringLiteral(" WHERE KCO = ") + SqlNum(cy.kco) + QStringLiteral(" AND NENDO = ") +
           SqlNum(cy.nendo);
}

// Rows per INSERT: one statement per batch keeps a 10,000-row import to a few dozen
// statements, well inside SQLite's statement limits.
constexpr int BatchRows = 250;

} // namespace

QString EmployeeExportPath() {
    return state().AppDir + QStringLiteral("CSV/社員マスタ出力.CSV");
}

ExportOutcome ExportEmployees(const CompanyYear& cy, const QString& path) {
    ExportOutcome out;
    AppState& s = state();
    TQuery& q = DM().Query22;
    s.SqlText = QStringLiteral("SELECT SCO, SCOT, SNA, YAKU, SEIBETSU, GAKU, SENKOU, KEIKEN, SM2, "
                               "SEIHI, NYUHI, TOUKYU FROM VSYAIN") +
                companyWhere(cy) + QStringLiteral(" ORDER BY SCOT, SCO");
    if (!DM().RunSql(q, s.SqlText, QLatin1Char('S'))) {
        out.status = ExportOutcome::ReadFailed;
        return out;
    }
    QVector<ExportRow> rows;
    rows.reserve(q.recordCount());
    for (; !q.eof(); q.next()) {
        ExportRow r;
        r.SCO = int(VariantInt(q.value(0)));
        r.SCOT = VariantText(q.value(1));
        r.SNA = VariantText(q.value(2));
        r.YAKU = VariantText(q.value(3));
        r.SEIBETSU = int(VariantInt(q.value(4)));
        r.GAKU = VariantText(q.value(5));
        r.SENKOU = VariantText(q.value(6));
        r.KEIKEN = VariantText(q.value(7));
        r.SM2 = VariantText(q.value(8));
        r.SEIHI = VariantInt(q.value(9));
        r.NYUHI = VariantInt(q.value(10));
        r.TOUKYU = int(VariantInt(q.value(11)));
        rows.push_back(std::move(r));
    }
    q.close();
    if (rows.isEmpty()) {
        out.status = ExportOutcome::NoEmployees;
        return out;
    }
    const ExportEncoding encoded = EncodeEmployeeCsv(rows);
    if (!encoded.ok) {
        out.status = ExportOutcome::Unencodable;
        out.detail = encoded.problem;
        return out;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Written beside the old file and renamed over it: a failure leaves the old file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(encoded.bytes) != encoded.bytes.size() ||
        !file.commit()) {
        out.status = ExportOutcome::WriteFailed;
        out.detail = file.errorString();
        file.cancelWriting();
        return out;
    }
    out.count = int(rows.size());
    return out;
}

ImportRead ReadImportPath(const QString& path) {
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        ImportRead failed;
        failed.result = ImportRead::Unreadable;
        failed.ioError = file.errorString();
        return failed;
    }
    return ReadImportFile(bytes);
}

bool StoreImportedEmployees(const CompanyYear& cy, const QVector<QStringList>& rows,
                            ImportMode mode, const QDate& today, int* firstCode) {
    AppState& s = state();
    TDM& dm = DM();
    Transaction tx(TDM::Files::Data);
    if (!tx.ok())
        return false;
    const QString where = companyWhere(cy);
    if (mode == ImportMode::Replace) {
        if (!dm.RunSql(dm.Query21, s.SqlText = QStringLiteral("DELETE FROM MSYAIN1") + where,
                       QLatin1Char('E')))
            return false;
        if (!dm.RunSql(dm.Query21, s.SqlText = QStringLiteral("DELETE FROM MSYAIN2") + where,
                       QLatin1Char('E')))
            return false;
    }
    TQuery& q = dm.Query21;
    if (!dm.RunSql(q, s.SqlText = QStringLiteral("SELECT MAX(SCO) AS TOP FROM MSYAIN1") + where,
                   QLatin1Char('S')))
        return false;
    int code = int(q.asInt64(QStringLiteral("TOP"))) + 1;
    q.close();
    if (firstCode)
        *firstCode = code;

    const QString created = SqlQuote(today.toString(QStringLiteral("yyyy/MM/dd")));
    const QString kco = SqlNum(cy.kco);
    const QString nendo = SqlNum(cy.nendo);
    for (qsizetype start = 0; start < rows.size(); start += BatchRows) {
        const qsizetype end = qMin(rows.size(), start + BatchRows);
        QStringList first, second;
        for (qsizetype i = start; i < end; ++i, ++code) {
            const ImportedEmployee e = ToImportedEmployee(rows[i]);
            const QString sco = SqlNum(code);
            first << QLatin1Char('(') + kco + QStringLiteral(", 0, ") + sco + QStringLiteral(", ") +
                         nendo + QStringLiteral(", ") + SqlQuote(e.SCOT) + QStringLiteral(", ") +
                         SqlQuote(e.SNA) + QStringLiteral(", ") + SqlNum(e.SEIHI) +
                         QStringLiteral(", ") + SqlNum(e.NYUHI) + QStringLiteral(", ") +
                         SqlQuote(e.YAKU) + QStringLiteral(", ") + SqlNum(e.TOUKYU) +
                         QStringLiteral(", ") + created + QLatin1Char(')');
            second << QLatin1Char('(') + kco + QStringLiteral(", ") + sco + QStringLiteral(", ") +
                          nendo + QStringLiteral(", ") + SqlNum(e.SEIBETSU) + QStringLiteral(", ") +
                          SqlNum(e.TOUKYU) + QStringLiteral(", ") + SqlNum(e.SM1) +
                          QStringLiteral(", ") + SqlQuote(e.SM2) + QStringLiteral(", ") +
                          SqlQuote(e.GAKU) + QStringLiteral(", ") + SqlQuote(e.SENKOU) +
                          QStringLiteral(", ") + SqlQuote(e.KSIKAKU) + QStringLiteral(", ") +
                          SqlQuote(e.KEIKEN) + QLatin1Char(')');
        }
        s.SqlText = QStringLiteral("INSERT INTO MSYAIN1 (KCO, HSCO, SCO, NENDO, SCOT, SNA, SEIHI, "
                                   "NYUHI, YAKU, TCO, NEWDAY1) VALUES ") +
                    first.join(QStringLiteral(", "));
        if (!dm.RunSql(dm.Query21, s.SqlText, QLatin1Char('E')))
            return false;
        s.SqlText = QStringLiteral("INSERT INTO MSYAIN2 (KCO, SCO, NENDO, SEIBETSU, TOUKYU, SM1, "
                                   "SM2, GAKU, SENKOU, KSIKAKU, KEIKEN) VALUES ") +
                    second.join(QStringLiteral(", "));
        if (!dm.RunSql(dm.Query21, s.SqlText, QLatin1Char('E')))
            return false;
    }
    return tx.commit();
}
