#pragma once

#include <QString>

// Where save dialogs start: the user's documents folder, or home when there is none.
QString DocumentsFolder();
