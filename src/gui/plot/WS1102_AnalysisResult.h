#pragma once

#include "core/plot/AnalysisTexts.h"

#include <QWidget>
#include <array>

class QLabel;

// "分析評価結果": counts and means of the plot. One window; a click anywhere closes it.
class TWS1102 : public QWidget {
    Q_OBJECT
public:
    explicit TWS1102(QWidget* parent);

    void fill(const AnalysisPanel& panel);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::array<QLabel*, 8> labTitle{}; // 1, 3, 4, 6, 7 exist
    std::array<QLabel*, 9> Caption{};  // [1..8]
};
