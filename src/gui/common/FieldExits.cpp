#include "gui/common/FieldExits.h"

#include "core/common/Messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace {

bool isEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Moves the focus as Tab does; the form's own chain decides where.
struct FocusChain : QWidget {
    static bool next(QWidget* form) { return (form->*&FocusChain::focusNextPrevChild)(true); }
};

void selectText(QWidget* field) {
    if (auto* e = qobject_cast<QLineEdit*>(field))
        e->selectAll();
    else if (auto* c = qobject_cast<QComboBox*>(field); c && c->lineEdit())
        c->lineEdit()->selectAll();
}

} // namespace

FieldExits::FieldExits(QWidget* form) : QObject(form), m_form(form) {
    form->installEventFilter(this);
}

void FieldExits::add(QWidget* field, Check check, OnCommand onCommand) {
    m_checks.insert(field, std::move(check));
    if (onCommand == OnCommand::Skip)
        m_notOnCommand.insert(field);
    field->installEventFilter(this);
}

void FieldExits::passWithoutCheck(QWidget* button) {
    m_passButtons.insert(button);
}

QWidget* FieldExits::focusedField() const {
    for (QWidget* w = QApplication::focusWidget(); w && w != m_form; w = w->parentWidget())
        if (m_checks.contains(w))
            return w;
    return nullptr;
}

bool FieldExits::settle() {
    if (!m_waiting)
        return true;
    returnFocus(m_waiting);
    return false;
}

bool FieldExits::checkFocused() {
    if (!settle())
        return false;
    QWidget* field = focusedField();
    if (!field || m_notOnCommand.contains(field))
        return true;
    const Check check = m_checks.value(field);
    return !check || check();
}

void FieldExits::moveFocus(QWidget* field) {
    const bool busy = m_busy;
    m_busy = true;
    field->setFocus(Qt::OtherFocusReason);
    m_busy = busy;
}

bool FieldExits::refuse(QWidget* field, const QString& message) {
    // The box and the return of the focus move the focus about; none of that is leaving.
    const bool busy = m_busy;
    m_busy = true;
    Msg::info(message);
    if (m_leaving && !field->isVisible()) {
        // Its page is being hidden by the move that left it: the focus comes back once the
        // move is done.
        m_waiting = field;
        QTimer::singleShot(0, this, [this] { settle(); });
    } else {
        returnFocus(field);
    }
    m_busy = busy;
    return false;
}

void FieldExits::returnFocus(QWidget* field) {
    m_waiting = nullptr;
    const bool busy = m_busy;
    m_busy = true;
    if (m_showField)
        m_showField(field);
    field->setFocus(Qt::OtherFocusReason);
    selectText(field);
    m_busy = busy;
}

void FieldExits::moveOn() {
    FocusChain::next(m_form);
}

void FieldExits::leave(QWidget* field, Qt::FocusReason reason) {
    if (!settle())
        return; // the earlier refusal takes the focus back; this move is undone
    QPointer<QWidget> target = QApplication::focusWidget();
    const Check check = m_checks.value(field);
    if (!check)
        return;
    m_leaving = true;
    const bool accepted = check();
    m_leaving = false;
    // A click that tried to leave a refused field does nothing more: a button it pressed
    // would otherwise run its command on the refused text.
    if (!accepted && reason == Qt::MouseFocusReason && target && target != field &&
        !field->isAncestorOf(target))
        swallowNextPress(target);
}

void FieldExits::swallowNextPress(QWidget* target) {
    m_swallow = target;
    target->installEventFilter(this);
    // Only the press that moved the focus, which follows at once.
    QTimer::singleShot(0, this, [this] {
        if (m_swallow && !m_checks.contains(m_swallow))
            m_swallow->removeEventFilter(this);
        m_swallow = nullptr;
    });
}

void FieldExits::detach() {
    m_form->removeEventFilter(this);
    for (auto it = m_checks.cbegin(); it != m_checks.cend(); ++it)
        it.key()->removeEventFilter(this);
    if (m_swallow)
        m_swallow->removeEventFilter(this);
    m_checks.clear();
    m_waiting = nullptr;
    m_swallow = nullptr;
    for (QObject* child : m_form->findChildren<QObject*>())
        QObject::disconnect(child, nullptr, m_form, nullptr);
}

bool FieldExits::eventFilter(QObject* watched, QEvent* event) {
    if (m_swallow && watched == m_swallow &&
        (event->type() == QEvent::MouseButtonPress ||
         event->type() == QEvent::MouseButtonDblClick)) {
        if (!m_checks.contains(m_swallow))
            m_swallow->removeEventFilter(this);
        m_swallow = nullptr;
        return true;
    }
    if (watched == m_form) {
        if (m_enterClicksButtons && isEnter(event)) {
            // Reached only by keys the control under the focus left alone.
            if (auto* b = qobject_cast<QPushButton*>(QApplication::focusWidget()))
                b->click();
            else
                moveOn();
            return true;
        }
        return false;
    }
    auto* field = qobject_cast<QWidget*>(watched);
    if (!field || !m_checks.contains(field))
        return false;
    if (isEnter(event)) {
        moveOn();
        return true;
    }
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // Opening a drop-down list or switching windows does not leave the field.
    if (m_busy || !m_form->isVisible() || reason == Qt::PopupFocusReason ||
        reason == Qt::ActiveWindowFocusReason)
        return false;
    if (m_passButtons.contains(QApplication::focusWidget()))
        return false;
    // Let the field finish losing the focus before the check may give it back.
    static_cast<QObject*>(field)->event(event);
    leave(field, reason);
    return true;
}
