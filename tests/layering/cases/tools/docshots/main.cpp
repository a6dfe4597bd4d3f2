// The guide's pictures are taken of the program, not of the companion.
#include "app/WS0000_MainWindow.h"
#include <QApplication>
#include "cli/CliCommands.h"
