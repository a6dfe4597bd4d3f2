#pragma once

#include "core/common/Counts.h"
#include "core/plot/AxisItems.h"
#include "core/plot/ChartBuild.h"
#include "gui/plot/PlotOwner.h"

#include <QDialog>
#include <QSize>
#include <array>

class FieldExits;
class QBoxLayout;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TWS1100;

// How a screen of the analysis family differs from the wage plot: its chart, caption, size,
// control names, the items it offers and how it proposes the chart.
struct AnalysisScreenKind {
    int chartNo = 0;
    QString name;    // "WS1010"
    QString caption; // "賃金プロット"
    QSize size{500, 600};
    QString explanationName; // "Memo1" or "txtBikou"
    std::array<QString, AxisItemCount> xNames;
    std::array<QString, AxisItemCount> yNames;
    std::array<QString, 4> labelNames;
    std::array<bool, AxisItemCount> xOffered{true, true, true, true, true, true};
    std::array<bool, AxisItemCount> yOffered{true, true, true, true, true, true};
    int defaultYItem = 0;
    ProposalRules rules;
};

// The analysis-screen family: what to plot (X and Y item, the text above each point, which
// marks and grades), the chart's title and explanation, and "分　析", which builds the
// chart's points, stores the choices and opens the plot window. The wage plot is this screen
// as it stands; the regression and comparison screens add their controls, columns and the
// widening of the axis range through the protected hooks.
class TAnalysisScreen : public QDialog, public PlotOwner {
    Q_OBJECT
public:
    TAnalysisScreen(const AnalysisScreenKind& kind, TWS1100* plotWindow, QWidget* parent);
    ~TAnalysisScreen() override;

    const AnalysisScreenKind& kind() const { return m_kind; }
    TWS1100* plotWindow() const { return m_plot; }
    // The choices as the controls hold them.
    ChartSettings settings() const;

    // Loads the chart's settings and shows the screen modally.
    void start();
    // What start does before showing.
    void PrepareScreen();
    void LoadChartSettings();
    // Builds and stores the chart's points; false when there is nothing to plot (said) or a
    // statement failed (reported).
    bool BuildChartRows();
    // Stores the choices when they were changed.
    bool SaveChartSettings();

    // PlotOwner
    void showAgain() override;
    void closeScreen() override;
    std::optional<PlotRequest> rebuildChart() override;

public Q_SLOTS:
    void btnAnalizeClick();
    void btnCloseClick();
    void btnPlotAllClick();
    void btnPlotNothingClick();
    void btnTokyuAllClick();
    void btnTokyuNothingClick();
    void reject() override; // the close box and Escape act as 閉じる

protected:
    QLineEdit* txtTitle;
    QPlainTextEdit* explanation; // Memo1 or txtBikou
    std::array<QRadioButton*, AxisItemCount> optX{};
    std::array<QRadioButton*, AxisItemCount> optY{};
    std::array<QRadioButton*, 4> optMarkLabel{};
    std::array<QCheckBox*, MarkCount + 1> optPlot{};  // [1..6]
    std::array<QCheckBox*, MaxGrades + 1> optTokyu{}; // [1..9]
    std::array<QLineEdit*, MaxGrades + 1> txtTokyu{}; // [1..9]
    QPushButton* btnAnalize;
    QPushButton* btnPlotAll;
    QPushButton* btnPlotNothing;
    QPushButton* btnTokyuAll;
    QPushButton* btnTokyuNothing;
    QPushButton* btnClose;

    // Where a member of the family places its own controls, below the common ones, and the
    // exits its fields are checked by.
    QBoxLayout* extraLayout() const { return m_extra; }
    FieldExits* exits() const { return m_exits; }
    virtual void loadExtra(const ChartSettings& settings) { (void)settings; }
    // Takes the extra controls into the settings; false when a field was refused.
    virtual bool takeExtra(ChartSettings& settings) {
        (void)settings;
        return true;
    }
    // Widens the data extents by the chart's curves before the range is proposed.
    virtual void widenExtents(DataExtents& extents) { (void)extents; }

private:
    void build();
    void showSettings(const ChartSettings& s);
    void setMarkCaptions();

    AnalysisScreenKind m_kind;
    TWS1100* m_plot;
    bool m_plotOpened = false; // this screen's "分　析" opened the plot shown
    PlotRequest m_request;
    QBoxLayout* m_extra = nullptr;
    FieldExits* m_exits;
    ChartSettings m_loaded; // columns this screen does not show are kept as stored
};
