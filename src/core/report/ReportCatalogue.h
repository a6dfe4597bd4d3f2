#pragma once

#include "core/report/ReportEngine.h"

#include <QDate>
#include <QString>

// The printed reports: layout, work file and document name of each, under AppDir/Report/.
enum class ReportId { GroupWage, GroupRaise, DesignList, WageTable, RaiseBudget };

struct ReportFiles {
    QString layout;   // file name of the layout
    QString workFile; // file name of the work file
    QString docName;
};

ReportFiles ReportFilesOf(ReportId id);
// AppDir + "Report/" + the layout's file name.
QString ReportLayoutPath(ReportId id, const QString& appDir);
QString ReportWorkPath(ReportId id, const QString& appDir);

// Steps 2 of every print: FormName, CharOverFlow 1, OutDevice, ImageFileName, DocName.
void PrepareReport(ReportEngine& engine, ReportId id, const QString& appDir,
                   int outDevice = ReportEngine::WorkFile);

// Number texts of the printed forms.
namespace ReportFormat {
// "#,##0": grouped, "0" for zero.
QString amount(qint64 value);
// "#,###" and "####,###": grouped, empty for zero.
QString amountOrEmpty(qint64 value);
// "#,###" of a quotient rounded half away from zero; empty when it rounds to 0.
QString quotientOrEmpty(qint64 numerator, qint64 denominator);
// numerator / denominator with the given decimals ("#0.0", "#0.00"), rounded half away from zero.
QString decimal(qint64 numerator, qint64 denominator, int decimals);
// "yyyy年mm月dd日".
QString date(const QDate& d);
} // namespace ReportFormat
