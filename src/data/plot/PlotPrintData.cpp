#include "data/plot/PlotPrintData.h"

#include "core/plot/AxisItems.h"
#include "core/plot/ChartExtension.h"
#include "data/plot/ChartStore.h"
#include "data/project/Project.h"

PlotPage MakePlotPage(const PlotModel& model, const ChartExtension* extension) {
    AppState& s = state();
    s.refreshToday();
    PlotPageInput in;
    in.chartNo = model.request.chartNo;
    in.today = s.Today;
    in.year = model.request.company.nendo;
    if (const Project* p = Project::current()) {
        in.eraMode = p->eraMode();
        in.companyName = p->companyName();
    } else {
        in.eraMode = s.EraMode;
        in.companyName = s.SelKna;
    }
    in.title = model.request.title;
    const AgeBase base = LoadAgeBase(model.request.company);
    in.ageBaseOption = base.option;
    in.baseDate = base.date;
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
