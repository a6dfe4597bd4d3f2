#pragma once

#include <QString>

class QWidget;

// The wage-table screen's print: composes the stored table of the open company year with the
// given title into the work file and shows the print preview.
void PrintStoredWageTable(QWidget* parent, const QString& title);
