#include "gui/common/RemarksEdit.h"

#include "core/common/TextInput.h"

#include <QInputMethodEvent>
#include <QMimeData>

RemarksEdit::RemarksEdit(QWidget* parent) : QPlainTextEdit(parent) {
    // Typed keys insert only printable text, and Tab moves on: control characters can only
    // arrive pasted or from the input method.
    setTabChangesFocus(true);
}

void RemarksEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (ForbiddenCharAt(event->commitString(), true) >= 0) {
        event->ignore();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

bool RemarksEdit::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText() && ForbiddenCharAt(source->text(), true) < 0;
}

void RemarksEdit::insertFromMimeData(const QMimeData* source) {
    if (!canInsertFromMimeData(source))
        return; // refused whole rather than changed on its way in
    QPlainTextEdit::insertFromMimeData(source);
}
