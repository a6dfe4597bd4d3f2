// The companion draws and writes without a display.
#include "mkdb/MakeDatabases.h"
#include <QPainter>
#include <QSqlQuery>
#include <QWidget>
#include "gui/common/Dialogs.h"
