#pragma once

#include "gui/plot/AnalysisScreen.h"

// "昇給カーブの回帰分析": the wage plot with a raise curve fitted to each plotted mark, the
// curves at up to four deviation levels, and the average wage and pitch (chart 1020).
class TWS1020 : public TAnalysisScreen {
    Q_OBJECT
public:
    explicit TWS1020(QWidget* parent);
    TWS1020(TWS1100* plotWindow, QWidget* parent);

    static AnalysisScreenKind Kind();

protected:
    void loadExtra(const ChartSettings& settings) override;
    bool takeExtra(ChartSettings& settings) override;

private:
    void buildExtra();
    bool txtLevelExit(QLineEdit* box);

    QPlainTextEdit* txtBikou;
    QRadioButton* opt2Jisiki;
    QRadioButton* opt3Jisiki;
    std::array<QLineEdit*, 5> txtLevel{}; // [1..4]
    QCheckBox* optGraph;
};
