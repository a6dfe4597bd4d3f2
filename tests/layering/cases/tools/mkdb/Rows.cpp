// The database maker writes rows through the stores; it draws nothing.
#include "mkdb/Rows.h"
#include "data/db/TDM.h"
#include <QSqlQuery>
#include <QImage>
#include "render/plot/ChartPainter.h"
