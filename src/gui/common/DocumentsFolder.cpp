#include "gui/common/DocumentsFolder.h"

#include <QDir>
#include <QStandardPaths>

QString DocumentsFolder() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return dir.isEmpty() || !QDir(dir).exists() ? QDir::homePath() : dir;
}
