#include "gui/plot/WS1102_AnalysisResult.h"

#include "gui/common/Controls.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

TWS1102::TWS1102(QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("WS1102"));
    setWindowTitle(QStringLiteral("分析評価結果"));
    QFrame* panel = YellowPanel(this, QStringLiteral("Panel1"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setVerticalSpacing(6);
    grid->setHorizontalSpacing(10);
    for (int i : {1, 3, 4, 6, 7}) {
        labTitle[size_t(i)] = Named(new QLabel(panel), QStringLiteral("labTitle%1").arg(i));
        grid->addWidget(labTitle[size_t(i)], i - 1, 0, Qt::AlignTop);
    }
    for (int i = 1; i <= 8; ++i) {
        Caption[size_t(i)] = Named(new QLabel(panel), QStringLiteral("Caption%1").arg(i));
        grid->addWidget(Caption[size_t(i)], i - 1, 1);
    }
    grid->setColumnStretch(1, 1);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(panel);
    setMinimumSize(420, 230);
}

void TWS1102::fill(const AnalysisPanel& panel) {
    for (int i : {1, 3, 4, 6, 7})
        labTitle[size_t(i)]->setText(panel.titles[size_t(i)]);
    for (int i = 1; i <= 8; ++i)
        Caption[size_t(i)]->setText(panel.values[size_t(i)]);
    adjustSize();
}

void TWS1102::mousePressEvent(QMouseEvent* event) {
    event->accept();
    hide();
}
