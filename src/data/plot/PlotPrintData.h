#pragma once

#include "core/plot/PlotPage.h"

class ChartExtension;

// The printed page of the model shown: header with today's date, company and title, the
// chart's text blocks (and the extension's), the explanation.
PlotPage MakePlotPage(const PlotModel& model, const ChartExtension* extension);
