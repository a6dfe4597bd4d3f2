#pragma once

// The export command of the main window: asks, writes CSV/社員マスタ出力.CSV and reports.
void RunEmployeeExport();
