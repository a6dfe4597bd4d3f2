#include "gui/plot/WS1101_PointPopup.h"

#include "gui/common/Controls.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

TWS1101::TWS1101(int sco, int kind, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      m_sco(sco), m_kind(kind) {
    setObjectName(QStringLiteral("WS1101"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette cream = palette();
    cream.setColor(QPalette::Window, QColor(255, 251, 240));
    setPalette(cream);

    Label1 = Named(new QLabel(this), QStringLiteral("Label1"));
    Label1->setAutoFillBackground(true);
    QPalette band = Label1->palette();
    band.setColor(QPalette::Window, QColor(0, 0, 255));
    band.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(band);
    QFont bold = Label1->font();
    bold.setPointSize(13);
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setContentsMargins(4, 2, 4, 2);

    QFrame* panel = YellowPanel(this, QStringLiteral("Panel1"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(8);
    for (int i = 1; i <= 5; ++i) {
        labTitle[size_t(i)] = Named(new QLabel(panel), QStringLiteral("labTitle%1").arg(i));
        Caption[size_t(i)] = Named(new QLabel(panel), QStringLiteral("Caption%1").arg(i));
        grid->addWidget(labTitle[size_t(i)], i - 1, 0);
        grid->addWidget(Caption[size_t(i)], i - 1, 1);
    }
    grid->setColumnStretch(1, 1);

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    lay->addWidget(Label1);
    lay->addWidget(panel, 1);
    setFixedSize(194, 180);
}

void TWS1101::fill(const QString& band, const PopupContent& content) {
    setWindowTitle(content.caption);
    Label1->setText(band);
    for (int i = 1; i <= 5; ++i) {
        labTitle[size_t(i)]->setText(content.titles[size_t(i)]);
        Caption[size_t(i)]->setText(content.values[size_t(i)]);
    }
}

void TWS1101::mousePressEvent(QMouseEvent* event) {
    event->accept();
    close();
}

void TWS1101::closeEvent(QCloseEvent* event) {
    Q_EMIT popupClosed(m_sco, m_kind);
    event->accept();
}
