#include "gui/common/WorkbookSave.h"

#include "core/common/Messages.h"
#include "gui/common/Dialogs.h"
#include "gui/common/DocumentsFolder.h"
#include "gui/common/Hourglass.h"
#include "render/workbook/Workbook.h"

#include <QDir>
#include <QFileInfo>

bool SaveWorkbookAs(QWidget* parent, const QString& proposedName,
                    const std::function<Xlsx::Workbook()>& compose) {
    QString path = Dialogs::saveFileName(
        parent, QStringLiteral("Excel保存"),
        QDir(DocumentsFolder()).filePath(proposedName + QStringLiteral(".xlsx")),
        QStringLiteral("Excel ブック (*.xlsx)"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".xlsx");
    QString error;
    bool ok = false;
    {
        Hourglass wait;
        ok = compose().save(path, &error);
    }
    if (!ok)
        Msg::error(error);
    return ok;
}
