#pragma once

#include "core/wage/WageTableTexts.h"

#include <QWidget>
#include <array>

class QFrame;
class QLabel;

// The base-amount window: per grade, the average current base pay of the company's employees,
// a guide for typing the salary scale. Stays on top; a click anywhere closes it.
class TWS2011 : public QWidget {
    Q_OBJECT
public:
    // parent: the wage-table screen, so the window takes clicks while that screen is modal.
    explicit TWS2011(QWidget* parent = nullptr);

    // Reads the open company's base amounts and shows them (see showAmounts).
    void refresh();
    // Fills the labels and shows the window without taking over the screen.
    void showAmounts(const GradeNames& names, const std::array<qint64, MaxGrades + 1>& amounts);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* Panel1;
    std::array<QLabel*, MaxGrades + 1> Label00{}; // Label001..Label009: grade names
    std::array<QLabel*, MaxGrades + 1> Label01{}; // Label011..Label019: amounts
};
