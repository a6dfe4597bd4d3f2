#pragma once

#include <QString>

class QWidget;

// The wage-table screen's print: composes the stored table of the open company year with the
// given title into the work file and shows the print preview.
void PrintStoredWageTable(QWidget* parent, const QString& title);
// "Excel保存" of the wage-table screen: the stored table with the given title, and its stored
// definition, as a workbook.
void SaveStoredWageTableWorkbook(QWidget* parent, const QString& title);
