#pragma once

#include "data/design/DesignStore.h"
#include "gui/plot/AnalysisScreen.h"

class QLabel;

// "昇給カーブの設計": up to five designed raise curves of six points over the employees' pay,
// kept per pair of axis items; plotted as chart 1050, expanded into a table of pay per X
// value for the CSV file and the print.
class TWS1050 : public TAnalysisScreen {
    Q_OBJECT
public:
    explicit TWS1050(QWidget* parent);
    TWS1050(TWS1100* plotWindow, QWidget* parent);

    static AnalysisScreenKind Kind();

    // Loads the chart's settings and the designs of its axis pair, and shows the screen.
    void start();
    void PrepareDesignScreen();

    // PlotOwner
    int designSelected(int curve) const override;
    void designsImported() override;

public Q_SLOTS:
    void btnAddClick();
    void btnExecClick();
    void btnCloseDesignClick();
    void btnSalaryListClick();
    void btnFileClick();
    void btnExcelClick();
    void btnHanreiClick(int design);
    void reject() override;

protected:
    void loadExtra(const ChartSettings& settings) override;
    bool takeExtra(ChartSettings& settings) override;
    void widenExtents(DataExtents& extents) override;

private:
    void buildDesignGrid();
    void ResetDesigns();
    void LoadDesigns();
    void showDesigns();
    void renameColumns();
    bool pointExit(QLineEdit* field, int design, int point, bool amount);
    void axisClicked(bool xAxis, int item);
    int currentX() const;
    int currentY() const;
    std::array<DesignCurve, DesignCount + 1> designsOnScreen() const;
    // Builds DCHINGIN from the designs on the screen; false when it failed (reported).
    bool BuildExpansion(QVector<DesignRow>& rows);
    bool saveChart();

    std::array<std::array<QLineEdit*, DesignPointCount + 1>, DesignCount + 1> txtNenrei{};
    std::array<std::array<QLineEdit*, DesignPointCount + 1>, DesignCount + 1> txtSyokunou{};
    std::array<QCheckBox*, DesignCount + 1> chk{};
    std::array<QRadioButton*, DesignCount + 1> optHanrei{};
    std::array<QPushButton*, DesignCount + 1> btnHanrei{};
    std::array<QLabel*, DesignCount + 1> labNenrei{};
    std::array<QLabel*, DesignCount + 1> labSyokunou{};
    QRadioButton* optPlotFalse;
    QRadioButton* optPlotTrue;
    QPushButton* btnAdd;
    QPushButton* btnExec;
    QPushButton* btnSalaryList;
    QPushButton* btnFile;
    QPushButton* btnExcel;
    QPlainTextEdit* txtBikou;

    std::array<DesignPoints, DesignCount + 1> m_points;
    int m_xItem = 0;
    int m_yItem = 0;
    CurveStyle m_style; // the style of designs inserted; the curve-style window changes it
};
