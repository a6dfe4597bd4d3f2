#include "data/plot/PlotPrintData.h"

#include "core/plot/AxisItems.h"
#include "core/plot/ChartExtension.h"
#include "data/project/Project.h"

PlotPage MakePlotPage(const PlotModel& model, const ChartExtension* extension) {
    AppState& s = state();
    s.refreshToday();
    PlotPageInput in;
    in.chartNo = model.request.chartNo;
    in.today = s.Today;
    in.year = model.request.company.nendo;
    const Project& project = *Project::current();
    in.eraMode = project.eraMode();
    in.companyName = project.companyName();
    in.title = model.request.title;
    in.ageBaseOption = project.ageBase().mode;
    in.baseDate = project.ageBase().date;
    in.xTitle = XAxisTitle(model.header.xItem);
    in.yTitle = YAxisTitle(model.header.yItem);
    in.analysis = MakeAnalysisTexts(model.stats, model.marks, model.header.yItem);
    in.grades = model.header.grades;
    in.explanation = model.header.explanation;
    if (extension)
        if (const std::optional<QString> e = extension->explanation())
            in.explanation = *e;
    PlotPage page = BuildPlotPage(in);
    if (extension)
        extension->addPrintBlocks(model, page);
    return page;
}
