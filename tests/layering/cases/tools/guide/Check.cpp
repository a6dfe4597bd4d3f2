// The guide's check reads files with QtCore alone.
#include "GuideCheck.h"
#include <QFile>
#include <QSqlQuery>
#include "core/common/Helpers.h"
