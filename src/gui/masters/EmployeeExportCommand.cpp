#include "gui/masters/EmployeeExportCommand.h"

#include "core/common/AppState.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "data/masters/EmployeeTransfer.h"
#include "data/project/Project.h"
#include "gui/common/Hourglass.h"

#include <QDir>

void RunEmployeeExport() {
    const QString folder = QDir::toNativeSeparators(state().AppDir);
    // The mark column is asked for: files of eleven columns stay what other programs expect.
    bool withMark = false;
    if (!Msg::yesNo(QStringLiteral("社員マスタを") + folder +
                        QStringLiteral("CSVへ出力します。\rよろしいですか？"),
                    QStringLiteral("マークの列も出力する"), &withMark))
        return;
    ExportOutcome outcome;
    {
        Hourglass wait;
        outcome =
            ExportEmployees(Project::current()->companyYear(), EmployeeExportPath(), withMark);
    }
    switch (outcome.status) {
    case ExportOutcome::Written:
        Msg::info(QStringLiteral("CSVデレクトリに社員マスタが出力されました。"));
        break;
    case ExportOutcome::NoEmployees:
        Msg::info(MsgText::NoEmployees());
        break;
    case ExportOutcome::ReadFailed:
        break; // reported by the data module
    case ExportOutcome::Unencodable:
        Msg::warning(outcome.detail);
        break;
    case ExportOutcome::WriteFailed:
        Msg::error(outcome.detail);
        break;
    }
}
