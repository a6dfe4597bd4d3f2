#include "gui/report/WageTablePrintCommand.h"

#include "core/common/AppState.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/report/ReportCatalogue.h"
#include "core/report/WageTablePrint.h"
#include "data/project/Project.h"
#include "data/report/ReportHeaders.h"
#include "data/wage/WageTableStore.h"
#include "gui/common/Hourglass.h"
#include "gui/common/WorkbookSave.h"
#include "gui/report/PrintPreview_ReportPreview.h"
#include "render/workbook/WageTableWorkbook.h"

void PrintStoredWageTable(QWidget* parent, const QString& title) {
    const Project& project = *Project::current();
    const CompanyYear company = project.companyYear();
    const QVector<WageTableRow> rows = LoadStoredWageTable(company.kco, company.nendo);
    if (rows.isEmpty()) {
        Msg::info(MsgText::NoPrintData());
        return;
    }
    ReportEngine JIVE;
    bool composed = false;
    {
        Hourglass wait;
        PrepareReport(JIVE, ReportId::WageTable, state().AppDir);
        composed = ComposeWageTablePrint(JIVE, WageTablePrintHeaderOf(project, title), rows);
    }
    if (!composed) {
        Msg::error(JIVE.error());
        return;
    }
    const QString previewFile = JIVE.ImageFileName();
    if (!previewFile.isEmpty())
        TfrmPrintPreview::Run(parent, previewFile);
}

void SaveStoredWageTableWorkbook(QWidget* parent, const QString& title) {
    const Project& project = *Project::current();
    const CompanyYear company = project.companyYear();
    StoredWageTable table;
    {
        Hourglass wait;
        table = LoadWholeWageTable(company.kco, company.nendo);
    }
    if (table.rows.isEmpty()) {
        Msg::info(MsgText::NoPrintData());
        return;
    }
    SaveWorkbookAs(parent, QStringLiteral("賃金表"), [&] {
        return ComposeWageTableWorkbook(WageTablePrintHeaderOf(project, title), table);
    });
}
