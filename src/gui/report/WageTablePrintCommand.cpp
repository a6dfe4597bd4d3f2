#include "gui/report/WageTablePrintCommand.h"

#include "core/common/AppState.h"
#include "core/common/Messages.h"
#include "core/report/ReportCatalogue.h"
#include "core/report/WageTablePrint.h"
#include "data/wage/WageTableStore.h"
#include "gui/common/Hourglass.h"
#include "gui/report/PrintPreview_ReportPreview.h"

void PrintStoredWageTable(QWidget* parent, const QString& title) {
    AppState& s = state();
    s.PreviewFile.clear();
    const QVector<WageTableRow> rows = LoadStoredWageTable(
        s.CompanySettings.KCO.trimmed().toInt(), s.CompanySettings.NENDO.trimmed().toInt());
    if (rows.isEmpty()) {
        Msg::info(QStringLiteral("印刷対象データはありません。"));
        return;
    }
    ReportEngine JIVE;
    bool composed = false;
    {
        Hourglass wait;
        PrepareReport(JIVE, ReportId::WageTable, s.AppDir);
        composed = ComposeWageTablePrint(JIVE, CurrentWageTablePrintHeader(title), rows);
    }
    if (!composed) {
        Msg::error(JIVE.error());
        return;
    }
    s.PreviewFile = JIVE.ImageFileName();
    if (!s.PreviewFile.isEmpty())
        TfrmPrintPreview::Run(parent);
}
