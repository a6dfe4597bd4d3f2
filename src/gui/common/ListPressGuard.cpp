#include "gui/common/ListPressGuard.h"

#include <QAbstractItemView>
#include <QMouseEvent>

ListPressGuard::ListPressGuard(QAbstractItemView* view, MayChoose mayChoose)
    : QObject(view), m_view(view), m_viewport(view->viewport()), m_mayChoose(std::move(mayChoose)) {
    m_viewport->installEventFilter(this);
}

bool ListPressGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_viewport)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_refused = !m_mayChoose(m_view->indexAt(mouse->position().toPoint()));
        return m_refused;
    }
    case QEvent::MouseMove:
        // The release may have gone to the question box: a move without buttons ends it.
        if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
            m_refused = false;
        return m_refused;
    case QEvent::MouseButtonRelease: {
        const bool refused = m_refused;
        m_refused = false;
        return refused;
    }
    default:
        return false;
    }
}
