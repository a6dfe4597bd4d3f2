#pragma once

#include "gui/plot/AnalysisScreen.h"

// "賃金プロット": the employees' pay against age, service, experience, pay step, achievement
// rate or job points, by mark and grade (chart 1010). The base of the analysis family.
class TWS1010 : public TAnalysisScreen {
    Q_OBJECT
public:
    // Opened from a main window: draws in that window's plot window.
    explicit TWS1010(QWidget* parent);
    TWS1010(TWS1100* plotWindow, QWidget* parent);

    static AnalysisScreenKind Kind();

private:
    QPlainTextEdit* Memo1;
    QRadioButton* optXNenrei;
    QRadioButton* optXKinzoku;
    QRadioButton* optXKeiken;
    QRadioButton* optXGouhou;
    QRadioButton* optXTassei;
    QRadioButton* optXSyokumuHyouka;
    QRadioButton* optYSyokuno;
    QRadioButton* optYKihon;
    QRadioButton* optYSyotei;
    QRadioButton* optYSyoyo;
    QRadioButton* optYNensyu;
    QRadioButton* optYSikyuritsu;
    QRadioButton* optMarkSeq;
    QRadioButton* optMarkInp;
    QRadioButton* optMarkZone;
    QRadioButton* optMarkNodsp;
};
