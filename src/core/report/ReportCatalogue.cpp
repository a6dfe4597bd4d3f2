#include "core/report/ReportCatalogue.h"

#include "core/common/ExactDivision.h"
#include "core/common/NumberText.h"

ReportFiles ReportFilesOf(ReportId id) {
    switch (id) {
    case ReportId::GroupWage:
        return {QStringLiteral("PrintSyainSalaryList.jfm"),
                QStringLiteral("wkPrintSyainSalaryList.rdf"),
                QStringLiteral("グループ別社員賃金レポート")};
    case ReportId::GroupRaise:
        return {QStringLiteral("PrintSyainUpList.jfm"), QStringLiteral("wkPrintSyainUpList.rdf"),
                QStringLiteral("グループ別社員昇給レポート")};
    case ReportId::DesignList:
        return {QStringLiteral("PrintSekkeiList.jfm"), QStringLiteral("wkPrintSekkeiList.rdf"),
                QStringLiteral("昇給設計レポート")};
    case ReportId::RaiseBudget:
        return {QStringLiteral("PrintRaiseBudget.jfm"), QStringLiteral("wkPrintRaiseBudget.rdf"),
                QStringLiteral("昇給原資")};
    case ReportId::WageTable:
        break;
    }
    return {QStringLiteral("PrintSalaryList.jfm"), QStringLiteral("wkPrintSalaryList.rdf"),
            QStringLiteral("賃金表")};
}

QString ReportLayoutPath(ReportId id, const QString& appDir) {
    return appDir + QStringLiteral("Report/") + ReportFilesOf(id).layout;
}

QString ReportWorkPath(ReportId id, const QString& appDir) {
    return appDir + QStringLiteral("Report/") + ReportFilesOf(id).workFile;
}

void PrepareReport(ReportEngine& engine, ReportId id, const QString& appDir, int outDevice) {
    engine.FormName(ReportLayoutPath(id, appDir));
    engine.CharOverFlow(1);
    engine.OutDevice(outDevice);
    engine.ImageFileName(ReportWorkPath(id, appDir));
    engine.DocName(ReportFilesOf(id).docName);
}

namespace ReportFormat {

QString amount(qint64 value) {
    return AmountText(Int128(value));
}

QString amountOrEmpty(qint64 value) {
    return value == 0 ? QString() : amount(value);
}

QString quotientOrEmpty(qint64 numerator, qint64 denominator) {
    return amountOrEmpty(qint64(DivRoundHalfAway(numerator, denominator)));
}

QString decimal(qint64 numerator, qint64 denominator, int decimals) {
    Int128 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    return FixedText(DivRoundHalfAway(Int128(numerator) * scale, denominator), decimals, false);
}

QString date(const QDate& d) {
    return d.toString(QStringLiteral("yyyy年MM月dd日"));
}

} // namespace ReportFormat
