#pragma once

#include "core/plot/PlotModel.h"

class ChartExtension;
class QWidget;

// "印刷する": the print dialog, then one A4 portrait page with the chart drawn as vectors at the
// printer's resolution. The picture is also kept as DATA/SDX3W<n>.bmp, n cycling 1 to 11.
// False when cancelled or when printing failed (the user has been told).
bool PrintPlot(QWidget* parent, const PlotModel& model, const ChartExtension* extension);
