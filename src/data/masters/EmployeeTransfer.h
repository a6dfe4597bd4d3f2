#pragma once

#include "core/masters/EmployeeCsv.h"
#include "core/masters/EmployeeSheet.h"
#include "data/masters/EmployeeStore.h"

#include <QDate>
#include <QString>
#include <optional>

// Employee export and import with the database: the code the screens and tesvane-cli share.

// AppDir + "CSV/社員マスタ出力.CSV".
QString EmployeeExportPath();

struct ExportOutcome {
    enum Status { Written, NoEmployees, ReadFailed, Unencodable, WriteFailed };
    Status status = Written;
    int count = 0;
    QString detail; // Unencodable: which character where; WriteFailed: the file and why
};

// The employees of the company year ordered by employee number, with grade, step and pay.
// Nothing when the read failed (the data module has reported it).
std::optional<QVector<EmployeeSheetRow>> LoadEmployeeSheet(const CompanyYear& cy);

// Writes the employees of the company year, ordered by employee number, to the file (created
// anew; its folder is made when missing), with the plot mark as a twelfth column when asked.
// Nothing is written unless every text converts.
ExportOutcome ExportEmployees(const CompanyYear& cy, const QString& path, bool withMark = false);

// The file read, decoded and split.
ImportRead ReadImportPath(const QString& path);

// The company year's age base and marks, which the import's check reads; nothing when the
// company year does not exist or the read failed.
std::optional<ImportContext> LoadImportContext(const CompanyYear& cy);
// How many of the employees have no plot mark (the reports and plots leave them out).
int CountWithoutMark(const QVector<ImportedEmployee>& employees);

enum class ImportMode { Add, Replace };

// Stores the checked employees (ImportSheet::employees) as new employees in one transaction:
// Replace first deletes the company year's employees. Codes continue after the highest code (1 when
// none). False when anything failed; nothing is then stored and nothing deleted.
bool StoreImportedEmployees(const CompanyYear& cy, const QVector<ImportedEmployee>& employees,
                            ImportMode mode, const QDate& today, int* firstCode = nullptr);
