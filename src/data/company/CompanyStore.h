#pragma once

#include "core/common/AppState.h"
#include "core/common/CompanyYear.h"
#include "core/common/Counts.h"
#include "core/common/Currency.h"
#include "data/db/SaveOutcome.h"

#include <QString>
#include <QVector>
#include <array>
#include <optional>

// The company master (MKIGYOU1, control file) and the company's settings row (MKIGYOU2,
// company file), with the marks and graph styles a new company copies from the templates.

struct CompanyListRow {
    int kco = 0;
    QString name;
};
// The companies of a year, by code.
QVector<CompanyListRow> ListCompanies(int year);
// Every company year, by year and code; only those of `year` unless it is 0.
struct CompanyYearRow {
    int kco = 0;
    int nendo = 0;
    QString name;
};
// False when the read failed (reported by the data module).
bool ListCompanyYears(int year, QVector<CompanyYearRow>& rows);
// The highest company code of any year; 0 when there is none.
int HighestCompanyCode();

// The MKIGYOU1 options of a company year.
struct CompanyOptions {
    QString name;        // KNA
    int eraMode = 0;     // REKI: 0 western years, else era years
    int ageBaseMode = 0; // FNK
    int ageBaseDate = 0; // KDATE yyyymmdd
};
std::optional<CompanyOptions> LoadCompanyOptions(const CompanyYear& company);

// What the company data screen keeps of a company: its name and its MKIGYOU2 row.
struct CompanyRecord {
    CompanyYear company;
    QString name;
    int surveyDate = 0;                                     // CYOUSAHI yyyymmdd
    int raiseDate = 0;                                      // SYOUKYUHI yyyymmdd
    Currency baseUp;                                        // BEARITSU
    QString salaryKind;                                     // TAIKEI
    std::array<QString, BasePayItemCount + 1> basePayNames; // KKNA1..3 at [1..3]
    std::array<QString, AllowanceCount + 1> allowanceNames; // TNA1..5 at [1..5]
    std::array<QString, MaxGrades + 1> gradeNames;          // TK01..TK09 at [1..9]
    int modelCode = 0;     // MDCO; the model wage series MCCO is written the same
    int modelWageCode = 0; // MCCO as read
    int livingCode = 0;    // SKCO
    int salaryOption = 3;  // FRSTKYU
    int matrixOption = 3;  // FRSTKYUM
    int linkOption = 0;    // FRENCM
};
std::optional<CompanyRecord> LoadCompanyRecord(const CompanyYear& company);

enum class CompanySaveResult {
    Saved,
    NoTemplate, // a template mark or graph style is missing: nothing written
    Failed      // a statement failed (reported by the data module): nothing written
};
// Registers a company year: master, settings, and the six marks and four graph styles copied
// from the templates, all in one transaction over both files. `createdDate` is SDATE.
CompanySaveResult RegisterCompany(const CompanyRecord& record, int createdDate);
// Changes the name in both files and the settings row, together or not at all; refused over
// another person's save since the record was loaded.
SaveResult ChangeCompany(const CompanyRecord& record);
// Deletes every row of the company year from every table that holds company rows.
bool DeleteCompany(const CompanyYear& company);

// The code lists of the reference data the company refers to.
CodeList LoadModelDataCodes();  // MDEL: MDCO, MDNA
CodeList LoadLivingCostCodes(); // MSEIKEI: SKCO once each, with its source DEDOKORO
