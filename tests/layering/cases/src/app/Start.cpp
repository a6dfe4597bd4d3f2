// The program may build on every layer but the command-line companion.
#include "app/Start.h"
#include "data/db/TDM.h"
#include "gui/common/Dialogs.h"
#include "render/plot/ChartPainter.h"
#include <QApplication>
#include "cli/CliCommands.h"
