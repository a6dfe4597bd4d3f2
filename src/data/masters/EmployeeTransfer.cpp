#include "data/masters/EmployeeTransfer.h"

#include "core/common/AppState.h"
#include "core/common/Counts.h"
#include "core/common/FileWrite.h"
#include "core/common/MessageTexts.h"
#include "data/company/CompanyStore.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"
#include "data/project/CompanySettingsCache.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString CompanyWhere = QStringLiteral(" WHERE KCO = ? AND NENDO = ?");

} // namespace

QString EmployeeExportPath() {
    return state().AppDir + QStringLiteral("CSV/社員マスタ出力.CSV");
}

std::optional<QVector<EmployeeSheetRow>> LoadEmployeeSheet(const CompanyYear& cy) {
    QVector<EmployeeSheetRow> rows;
    // Each row taken as it is read: the export and the workbook read every employee.
    const bool read = DM().selectEach(
        TDM::ACN2,
        QStringLiteral("SELECT SCO, SCOT, SNA, YAKU, SEIBETSU, GAKU, SENKOU, KEIKEN, SM2, SEIHI, "
                       "NYUHI, TOUKYU, GOUHOU, JISEKI, KKYU1, KKYU2, KKYU3, KIN, TEATE1, TEATE2, "
                       "TEATE3, TEATE4, TEATE5, SM1, MCO FROM VSYAIN") +
            CompanyWhere + QStringLiteral(" ORDER BY SCOT, SCO"),
        {cy.kco, cy.nendo}, [&rows](const RowReader& q) {
            EmployeeSheetRow e;
            ExportRow& r = e.csv;
            r.SCO = int(q.integer(0));
            r.SCOT = q.text(1);
            r.SNA = q.text(2);
            r.YAKU = q.text(3);
            r.SEIBETSU = int(q.integer(4));
            r.GAKU = q.text(5);
            r.SENKOU = q.text(6);
            r.KEIKEN = q.text(7);
            r.SM2 = q.text(8);
            r.SEIHI = q.integer(9);
            r.NYUHI = q.integer(10);
            r.TOUKYU = int(q.integer(11));
            e.GOUHOU = int(q.integer(12));
            e.JISEKI = int(q.integer(13));
            for (int i = 1; i <= BasePayItemCount; ++i)
                e.basePay[size_t(i)] = q.currency(13 + i);
            // The item that follows the wage table is paid as the table says (as the employee
            // screen shows it).
            if (IsBasePayItem(e.JISEKI))
                e.basePay[size_t(e.JISEKI)] = q.currency(17);
            for (int i = 1; i <= AllowanceCount; ++i)
                e.allowance[size_t(i)] = q.currency(17 + i);
            r.SM1 = int(q.integer(23));
            r.MCO = int(q.integer(24));
            rows.push_back(std::move(e));
        });
    if (!read)
        return std::nullopt;
    return rows;
}

ExportOutcome ExportEmployees(const CompanyYear& cy, const QString& path, bool withMark) {
    ExportOutcome out;
    const std::optional<QVector<EmployeeSheetRow>> list = LoadEmployeeSheet(cy);
    if (!list) {
        out.status = ExportOutcome::ReadFailed;
        return out;
    }
    QVector<ExportRow> rows;
    rows.reserve(list->size());
    for (const EmployeeSheetRow& e : *list)
        rows.push_back(e.csv);
    if (rows.isEmpty()) {
        out.status = ExportOutcome::NoEmployees;
        return out;
    }
    const ExportEncoding encoded = EncodeEmployeeCsv(rows, withMark);
    if (!encoded.ok) {
        out.status = ExportOutcome::Unencodable;
        out.detail = encoded.problem;
        return out;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Written beside the old file and renamed over it: a failure leaves the old file whole.
    FileWriteError error;
    if (!WriteWholeFile(path, encoded.bytes, &error)) {
        out.status = ExportOutcome::WriteFailed;
        out.detail = FileWriteFailureText(
            error.created ? MsgText::CannotWriteCsv() : MsgText::CannotCreateCsv(), path, error);
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

std::optional<ImportContext> LoadImportContext(const CompanyYear& cy) {
    const std::optional<CompanyOptions> options = LoadCompanyOptions(cy);
    if (!options)
        return std::nullopt;
    ImportContext context;
    context.ageBase = {options->ageBaseMode, options->ageBaseDate};
    LoadMarks(cy, context.marks);
    return context;
}

int CountWithoutMark(const QVector<ImportedEmployee>& employees) {
    int n = 0;
    for (const ImportedEmployee& e : employees)
        if (e.MCO == 0)
            ++n;
    return n;
}

bool StoreImportedEmployees(const CompanyYear& cy, const QVector<ImportedEmployee>& employees,
                            ImportMode mode, const QDate& today, int* firstCode) {
    TDM& dm = DM();
    Transaction tx(TDM::Files::Data);
    // Waits for an annual update or deletion of the company under way, and keeps them from
    // starting until the import is in.
    if (!tx.ok() || !dm.shareCompany(cy.kco))
        return false;
    const TDM::Binds company = {cy.kco, cy.nendo};
    if (mode == ImportMode::Replace) {
        if (!dm.exec(TDM::ACN2, QStringLiteral("DELETE FROM MSYAIN1") + CompanyWhere, company) ||
            !dm.exec(TDM::ACN2, QStringLiteral("DELETE FROM MSYAIN2") + CompanyWhere, company))
            return false;
    }
    const TQuery top = dm.select(
        TDM::ACN2, QStringLiteral("SELECT MAX(SCO) AS TOP FROM MSYAIN1") + CompanyWhere, company);
    if (!top.active())
        return false;
    int code = int(top.asInt64(QStringLiteral("TOP"))) + 1;
    if (firstCode)
        *firstCode = code;

    const QString created = today.toString(QStringLiteral("yyyy/MM/dd"));
    // One row a statement, prepared once, each value bound as it is read from the employee: on
    // the SQLite files the fastest form (a statement of hundreds of values costs SQLite a
    // placeholder search per value); on the server the data module sends several rows to a
    // statement.
    const qint64 kco = cy.kco, nendo = cy.nendo;
    if (!dm.execRows(TDM::ACN2,
                     QStringLiteral("INSERT INTO MSYAIN1 (KCO, HSCO, SCO, NENDO, SCOT, SNA, "
                                    "SEIHI, NYUHI, YAKU, TCO, NENREI, KINZOKU, MCO, NEWDAY1) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     employees.size(),
                     [&](qsizetype r, RowValues& v) {
                         const ImportedEmployee& e = employees[r];
                         v.add(kco);
                         v.add(qint64(0));
                         v.add(qint64(code + r));
                         v.add(nendo);
                         v.add(e.SCOT);
                         v.add(e.SNA);
                         v.add(qint64(e.SEIHI));
                         v.add(qint64(e.NYUHI));
                         v.add(e.YAKU);
                         v.add(qint64(e.TOUKYU));
                         v.add(qint64(e.NENREI));
                         v.add(qint64(e.KINZOKU));
                         v.add(qint64(e.MCO));
                         v.add(created);
                     }) ||
        !dm.execRows(TDM::ACN2,
                     QStringLiteral("INSERT INTO MSYAIN2 (KCO, SCO, NENDO, SEIBETSU, TOUKYU, SM1, "
                                    "SM2, GAKU, SENKOU, KSIKAKU, KEIKEN) VALUES (?, ?, ?, ?, ?, ?, "
                                    "?, ?, ?, ?, ?)"),
                     employees.size(), [&](qsizetype r, RowValues& v) {
                         const ImportedEmployee& e = employees[r];
                         v.add(kco);
                         v.add(qint64(code + r));
                         v.add(nendo);
                         v.add(qint64(e.SEIBETSU));
                         v.add(qint64(e.TOUKYU));
                         v.add(qint64(e.SM1));
                         v.add(e.SM2);
                         v.add(e.GAKU);
                         v.add(e.SENKOU);
                         v.add(e.KSIKAKU);
                         v.add(e.KEIKEN);
                     }))
        return false;
    AnnounceChange({DataChange::What::Employees, cy, {}});
    return tx.commit();
}
