#include "gui/plot/SpinButton.h"

#include <QToolButton>
#include <QVBoxLayout>

TSpinButton::TSpinButton(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    for (QToolButton* b : {m_up, m_down}) {
        // The number box keeps the focus, so its exit check runs after the step.
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(15, 11);
        b->setAutoRepeat(true);
        lay->addWidget(b);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setObjectName(QStringLiteral("up"));
    m_down->setObjectName(QStringLiteral("down"));
    connect(m_up, &QToolButton::clicked, this, [this] { Q_EMIT stepped(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Q_EMIT stepped(-1); });
    setFixedSize(15, 22);
}

void TSpinButton::setBounds(int lowest, int highest) {
    m_lowest = lowest;
    m_highest = highest;
}
