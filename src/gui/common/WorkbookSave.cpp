#include "gui/common/WorkbookSave.h"

#include "core/common/Messages.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Hourglass.h"
#include "render/workbook/Workbook.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

bool SaveWorkbookAs(QWidget* parent, const QString& proposedName,
                    const std::function<Xlsx::Workbook()>& compose) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::homePath();
    QString path = Dialogs::saveFileName(parent, QStringLiteral("Excel保存"),
                                         QDir(dir).filePath(proposedName + QStringLiteral(".xlsx")),
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
