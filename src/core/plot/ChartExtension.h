#pragma once

#include <QString>
#include <optional>

struct AxisLayout;
struct ChartScene;
struct PlotModel;
struct PlotPage;
struct AnalysisPanel;

// What a chart adds to the plot window beyond the points: its curves, its analysis texts,
// its printed blocks. The wage plot adds nothing; the regression, comparison, design and
// wage-table charts each bring one of these.
class ChartExtension {
public:
    virtual ~ChartExtension() = default;

    // Reads what the curves need; run by 実行, never by a repaint.
    virtual void load(const PlotModel& model) { (void)model; }
    // The chart's own drawing step (scene.curveLine ...), after the point labels and below the
    // marks; scene.scalePen is the pen it starts from.
    virtual void drawCurves(ChartScene& scene, const AxisLayout& layout,
                            const PlotModel& model) const {
        (void)scene, (void)layout, (void)model;
    }
    // Fills the analysis window; false leaves it empty.
    virtual bool analysis(const PlotModel& model, AnalysisPanel& panel) const {
        (void)model, (void)panel;
        return false;
    }
    // Adds the chart's own text blocks to the printed page.
    virtual void addPrintBlocks(const PlotModel& model, PlotPage& page) const {
        (void)model, (void)page;
    }
    // The explanation to print when it is not the chart's own.
    virtual std::optional<QString> explanation() const { return std::nullopt; }
};
